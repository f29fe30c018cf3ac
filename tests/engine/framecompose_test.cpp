// Frame composition: where a picture lands in the output rectangle, that it is
// never enlarged, and that everything it leaves uncovered (or masks) is black.
#include "testimages.h"
#include "window/gif_framecompose.h"
#include "window/outputsize.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <algorithm>
namespace
{
// A picture of one non-black colour, so its footprint is easy to find.
wxImage Plain(int width, int height)
{
    wxImage image(width, height, false);
    image.SetRGB(wxRect(0, 0, width, height), 200, 120, 40);
    return image;
}

// The bounding box of the non-black pixels; also checks nothing else is lit.
wxRect LitRect(const wxImage& image)
{
    int left = image.GetWidth(), top = image.GetHeight(), right = -1, bottom = -1;
    for (int y = 0; y < image.GetHeight(); ++y)
    {
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            if (image.GetRed(x, y) || image.GetGreen(x, y) || image.GetBlue(x, y))
            {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? wxRect() : wxRect(left, top, right - left + 1, bottom - top + 1);
}

bool SamePixels(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + 3 * a.GetWidth() * a.GetHeight(), b.GetData());
}

// The part of `image` at `rect`, as its own image.
wxImage Part(const wxImage& image, const wxRect& rect) { return image.GetSubImage(rect); }
} // namespace

TEST(FrameCompose, LargerPicturesShrinkAndCentre)
{
    struct Case { wxSize picture; wxRect expected; };
    for (const Case& c : {Case{{800, 600}, {0, 50, 400, 300}}, Case{{500, 100}, {0, 160, 400, 80}}})
    {
        SCOPED_TRACE(c.picture.x);
        EXPECT_EQ(FitPictureRect(c.picture, wxSize(400, 400)), c.expected);
        const wxImage picture = testimages::PhotoLike(c.picture.x, c.picture.y, 3);
        const wxImage frame = ComposeFrame(picture, 400, 400);
        ASSERT_EQ(frame.GetSize(), wxSize(400, 400));
        EXPECT_FALSE(frame.HasAlpha() || frame.HasMask());
        // Nearest-neighbour shrink, pasted unchanged; black elsewhere.
        const wxImage scaled = picture.Scale(c.expected.width, c.expected.height, wxIMAGE_QUALITY_NORMAL);
        EXPECT_TRUE(SamePixels(Part(frame, c.expected), scaled));
        EXPECT_EQ(LitRect(ComposeFrame(Plain(c.picture.x, c.picture.y), 400, 400)), c.expected);
    }
}

TEST(FrameCompose, SmallerPicturesAreNotEnlarged)
{
    const wxImage picture = testimages::PhotoLike(200, 100, 4);
    const wxImage frame = ComposeFrame(picture, 400, 400);
    EXPECT_TRUE(SamePixels(Part(frame, wxRect(100, 150, 200, 100)), picture));
    EXPECT_EQ(LitRect(ComposeFrame(Plain(200, 100), 400, 400)), wxRect(100, 150, 200, 100));

    // Odd leftovers put the extra black column and row on the right and bottom.
    const wxImage small = ComposeFrame(Plain(3, 3), 4, 4);
    EXPECT_EQ(LitRect(small), wxRect(0, 0, 3, 3));
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(small.GetRed(3, i) + small.GetGreen(3, i) + small.GetBlue(3, i), 0);
        EXPECT_EQ(small.GetRed(i, 3) + small.GetGreen(i, 3) + small.GetBlue(i, 3), 0);
    }
}

TEST(FrameCompose, ExactAndNearlyExactFits)
{
    const wxImage exact = testimages::PhotoLike(400, 400, 5);
    wxImage frame = ComposeFrame(exact, 400, 400);
    EXPECT_TRUE(SamePixels(frame, exact));
    frame.SetRGB(0, 0, 1, 2, 3);  // the result is a copy of its own
    EXPECT_NE(exact.GetRed(0, 0) * 65536 + exact.GetGreen(0, 0) * 256 + exact.GetBlue(0, 0), 0x010203);

    const wxImage larger = testimages::PhotoLike(401, 401, 6);
    EXPECT_EQ(FitPictureRect(larger.GetSize(), wxSize(400, 400)), wxRect(0, 0, 400, 400));
    EXPECT_TRUE(SamePixels(ComposeFrame(larger, 400, 400), larger.Scale(400, 400, wxIMAGE_QUALITY_NORMAL)));
}

TEST(FrameCompose, ThinPicturesKeepOnePixel)
{
    EXPECT_EQ(FitPictureRect(wxSize(1000, 1), wxSize(100, 100)), wxRect(0, 49, 100, 1));
    EXPECT_EQ(FitPictureRect(wxSize(1, 1000), wxSize(100, 100)), wxRect(49, 0, 1, 100));
    EXPECT_EQ(LitRect(ComposeFrame(Plain(1000, 1), 100, 100)), wxRect(0, 49, 100, 1));
    EXPECT_EQ(LitRect(ComposeFrame(Plain(1, 1000), 100, 100)), wxRect(49, 0, 1, 100));
}

TEST(FrameCompose, MaskedAndTransparentPixelsShowBlack)
{
    wxImage masked = Plain(4, 4);
    masked.SetRGB(wxRect(1, 1, 2, 2), 255, 0, 255);
    masked.SetMaskColour(255, 0, 255);
    // On a canvas, exactly fitting, and shrunk to exactly the output size.
    for (const wxSize& output : {wxSize(6, 6), wxSize(4, 4), wxSize(2, 2)})
    {
        SCOPED_TRACE(output.x);
        const wxImage frame = ComposeFrame(masked, output.x, output.y);
        ASSERT_EQ(frame.GetSize(), output);
        EXPECT_FALSE(frame.HasMask());
        for (int y = 0; y < output.y; ++y)
            for (int x = 0; x < output.x; ++x)
                EXPECT_FALSE(frame.GetRed(x, y) == 255 && frame.GetBlue(x, y) == 255);
    }
    const wxImage onCanvas = ComposeFrame(masked, 6, 6);
    EXPECT_EQ(onCanvas.GetRed(2, 2) + onCanvas.GetGreen(2, 2) + onCanvas.GetBlue(2, 2), 0);
    EXPECT_EQ(onCanvas.GetRed(1, 1), 200);

    wxImage translucent = Plain(3, 1);
    translucent.SetAlpha();
    translucent.SetAlpha(0, 0, 0);
    translucent.SetAlpha(1, 0, 128);
    translucent.SetAlpha(2, 0, 255);
    const wxImage frame = ComposeFrame(translucent, 3, 1);
    EXPECT_FALSE(frame.HasAlpha());
    EXPECT_EQ(frame.GetRed(0, 0) + frame.GetGreen(0, 0) + frame.GetBlue(0, 0), 0);
    EXPECT_EQ(frame.GetRed(1, 0), 100);   // 200 * 128 / 255, rounded
    EXPECT_EQ(frame.GetGreen(1, 0), 60);
    EXPECT_EQ(frame.GetBlue(1, 0), 20);
    EXPECT_EQ(frame.GetRed(2, 0), 200);
}

TEST(FrameCompose, DegenerateInputs)
{
    EXPECT_FALSE(ComposeFrame(Plain(3, 3), 0, 5).IsOk());
    const wxImage black = ComposeFrame(wxImage(), 5, 4);
    ASSERT_EQ(black.GetSize(), wxSize(5, 4));
    EXPECT_EQ(LitRect(black), wxRect());
}

TEST(OutputSize, FirstFrameExceedingTheMaximumSetsBoth)
{
    EXPECT_EQ(DeriveOutputSize({}), wxSize(0, 0));
    EXPECT_EQ(DeriveOutputSize({{100, 50}, {60, 80}}), wxSize(60, 80));
    EXPECT_EQ(DeriveOutputSize({{100, 50}, {60, 80}, {90, 70}}), wxSize(90, 70));
    EXPECT_EQ(DeriveOutputSize({{100, 50}, {100, 50}, {20, 20}}), wxSize(100, 50));
}
