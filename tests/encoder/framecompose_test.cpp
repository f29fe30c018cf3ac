// Frame composition: where a picture lands, never enlarged, and black wherever it leaves uncovered.
#include "testimages.h"
#include "encoder/framecompose.h"
#include "encoder/outputsize.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <algorithm>

namespace
{
// A picture of one non-black colour, so that its footprint is easy to find.
wxImage Plain(const wxSize& size)
{
    wxImage image(size, false);
    image.SetRGB(wxRect(size), 200, 120, 40);
    return image;
}

// The bounding box of the non-black pixels.
wxRect LitRect(const wxImage& image)
{
    wxRect lit;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetRed(x, y) || image.GetGreen(x, y) || image.GetBlue(x, y))
                lit = lit.IsEmpty() ? wxRect(x, y, 1, 1) : lit.Union(wxRect(x, y, 1, 1));
    return lit;
}
} // namespace

TEST(FrameCompose, PicturesShrinkNeverGrowAndAreCentredOnBlack)
{
    struct Case { wxSize picture, output; wxRect lands; };
    const Case cases[] = {
        {{800, 600}, {400, 400}, {0, 50, 400, 300}},
        {{500, 100}, {400, 400}, {0, 160, 400, 80}},
        {{200, 100}, {400, 400}, {100, 150, 200, 100}},  // not enlarged
        {{400, 400}, {400, 400}, {0, 0, 400, 400}},
        {{401, 401}, {400, 400}, {0, 0, 400, 400}},
        {{3, 3}, {4, 4}, {0, 0, 3, 3}},  // the odd black column and row go right and bottom
        {{1000, 1}, {100, 100}, {0, 49, 100, 1}},  // thin pictures keep one pixel
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.picture.x << "x" << c.picture.y);
        EXPECT_EQ(FitPictureRect(c.picture, c.output), c.lands);
        EXPECT_EQ(LitRect(ComposeFrame(Plain(c.picture), c.output.x, c.output.y)), c.lands);
        // Nearest-neighbour shrink, pasted unchanged.
        const wxImage picture = testimages::PhotoLike(c.picture.x, c.picture.y, 3);
        const wxImage frame = ComposeFrame(picture, c.output.x, c.output.y);
        ASSERT_EQ(frame.GetSize(), c.output);
        const wxImage inside = frame.GetSubImage(c.lands), shrunk = picture.Scale(c.lands.width, c.lands.height);
        EXPECT_TRUE(std::equal(shrunk.GetData(), shrunk.GetData() + 3 * c.lands.width * c.lands.height,
                               inside.GetData()));
    }
    // No frame without a size; no picture gives a black one.
    EXPECT_FALSE(ComposeFrame(Plain(wxSize(3, 3)), 0, 5).IsOk());
    const wxImage black = ComposeFrame(wxImage(), 5, 4);
    ASSERT_EQ(black.GetSize(), wxSize(5, 4));
    EXPECT_EQ(LitRect(black), wxRect());
}

TEST(FrameCompose, MaskedAndTransparentPixelsShowBlack)
{
    wxImage masked = Plain(wxSize(4, 4));
    masked.SetRGB(wxRect(2, 0, 2, 4), 255, 0, 255);  // the right half
    masked.SetMaskColour(255, 0, 255);
    // On a canvas, exactly fitting, and shrunk: only the unmasked half is lit.
    struct Case { wxSize output; wxRect lit; };
    for (const Case& c : {Case{{6, 6}, {1, 1, 2, 4}}, Case{{4, 4}, {0, 0, 2, 4}}, Case{{2, 2}, {0, 0, 1, 2}}})
    {
        const wxImage frame = ComposeFrame(masked, c.output.x, c.output.y);
        EXPECT_FALSE(frame.HasMask());
        EXPECT_EQ(LitRect(frame), c.lit) << c.output.x;
    }

    // Alpha 0, 128 and 255: 128/255 of the colour, rounded.
    wxImage translucent = Plain(wxSize(3, 1));
    translucent.SetAlpha();
    for (int x = 0; x < 3; ++x)
        translucent.SetAlpha(x, 0, "\x00\x80\xFF"[x]);
    const wxImage frame = ComposeFrame(translucent, 3, 1);
    EXPECT_FALSE(frame.HasAlpha());
    const unsigned char expected[] = {0, 0, 0, 100, 60, 20, 200, 120, 40};
    EXPECT_TRUE(std::equal(expected, expected + 9, frame.GetData()));
}

// The first frame exceeding the maximum sets both sides; each side's range keeps the other
// within 1..65535, and a ratio no GIF can keep gets the widest size allowed.
TEST(OutputSize, SidesKeepTheRatioWithinTheGifLimits)
{
    EXPECT_EQ(DeriveOutputSize({}), wxSize(0, 0));
    EXPECT_EQ(DeriveOutputSize({{100, 50}, {60, 80}, {90, 70}}), wxSize(90, 70));
    EXPECT_EQ(DeriveOutputSize({{131070, 1000}}), wxSize(65535, 500));
    EXPECT_EQ(DeriveOutputSize({{1000, 70000}}), wxSize(936, 65535));
    EXPECT_EQ(FitGifSize({70000, 1}), wxSize(65535, 1));

    const struct { int side, other, min, max; } ranges[] = {
        {20000, 1000, 20, 65535}, {1000, 20000, 1, 3276}, {1920, 1080, 2, 65535}, {3, 2, 2, 65535},
        {1, 70000, 1, 1}, {70000, 1, 65535, 65535}, {0, 10, 1, 65535},
    };
    for (const auto& r : ranges)
    {
        const SideRange range = AllowedSideRange(r.side, r.other);
        EXPECT_EQ(std::make_pair(range.min, range.max), std::make_pair(r.min, r.max)) << r.side << ":" << r.other;
        if (r.side > 0 && r.side <= kMaxGifSide && r.other <= kMaxGifSide)
        {
            EXPECT_GE(FollowingSide(range.min, r.side, r.other), 1);
            EXPECT_LE(FollowingSide(range.max, r.side, r.other), kMaxGifSide);
        }
    }
    EXPECT_EQ(FollowingSide(65535, 1000, 20000), 65535); // clamped, never beyond the limit
}
