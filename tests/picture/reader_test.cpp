// Reading pictures as other programs write them (cut and hostile files: the corpus test).
#include "gifcodec.h"
#include "picturefiles.h"
#include "support/testsupport.h"
#include "testimages.h"
#include "picture/picturereader.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <algorithm>
#include <string>
#include <vector>

using picturefiles::MeanDifference;
using testsupport::ReadBytes;
using testsupport::RunIn;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace
{

// One frame, close to `reference`, of the size its header gives.
void ExpectStill(const wxString& path, const wxImage& reference, double tolerance)
{
    wxImage frame;
    const PictureStatus status = ReadPictureFrame(path, 0, frame);
    ASSERT_TRUE(status.IsOk()) << DescribePictureStatus(status);
    EXPECT_LE(MeanDifference(frame, reference), tolerance);
    ASSERT_EQ(frame.HasAlpha(), reference.HasAlpha());
    const size_t pixels = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
    EXPECT_TRUE(!reference.HasAlpha() || std::equal(frame.GetAlpha(), frame.GetAlpha() + pixels, reference.GetAlpha()));
    EXPECT_EQ(ReadPictureFrame(path, 1, frame).error, PictureError::NoFrames);
    wxSize size;
    EXPECT_TRUE(ProbePictureSize(path, size).IsOk());
    EXPECT_EQ(size, reference.GetSize());
}

// Each frame's pixels as letters (R, B, G, W, - transparent), rows ending in '|'.
std::string Describe(const std::string& bytes)
{
    TempDir dir;
    WriteBytes(dir.File("in.gif"), bytes);
    std::vector<wxImage> frames;
    if (!ReadPictureFrames(dir.File("in.gif"), frames).IsOk())
        return "not read";
    std::string text;
    for (const wxImage& image : frames)
    {
        for (int p = 0; p < image.GetWidth() * image.GetHeight(); ++p)
        {
            const unsigned char* c = image.GetData() + 3 * p;
            const int rgb = c[0] << 16 | c[1] << 8 | c[2];
            text += image.HasAlpha() && image.GetAlpha()[p] == 0 ? '-'
                    : rgb == 0xFF0000 ? 'R' : rgb == 0x0000FF ? 'B'
                    : rgb == 0x00FF00 ? 'G' : rgb == 0xFFFFFF ? 'W' : '?';
            text += (p + 1) % image.GetWidth() ? "" : "|";
        }
        text += ' ';
    }
    return text;
}
} // namespace

// Red, a blue square then cleared, a green dot then restored, white beside a transparent pixel.
TEST(ImageFiles, GifFramesAreDrawnOverEachOther)
{
    const std::vector<giftest::Rgb> colours = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}, {255, 0, 255}};
    EXPECT_EQ(Describe(giftest::MakeGif(4, 4, colours, {{0, 0, 4, 4, 1, -1, std::vector<unsigned char>(16, 1)},
                                                        {1, 1, 2, 2, 2, -1, {2, 2, 2, 2}}, {3, 3, 1, 1, 3, -1, {3}},
                                                        {0, 0, 2, 1, 0, 5, {4, 5}}})),
              "RRRR|RRRR|RRRR|RRRR| RRRR|RBBR|RBBR|RRRR| RRRR|R--R|R--R|RRRG| WRRR|R--R|R--R|RRRR| ");
    // Mended: a screen no real picture has becomes the extent of every frame.
    EXPECT_EQ(Describe(giftest::MakeGif(60000, 60000, {{255, 0, 0}, {0, 0, 255}},
                                        {{1, 1, 2, 2, 0, -1, {0, 1, 1, 0}}, {3, 0, 1, 1, 0, -1, {1}}})),
              "----|-RB-|-BR-| ---B|-RB-|-BR-| ");
}

// Optimized animations from gifsicle and ImageMagick give the original frames.
TEST(ImageFiles, OptimizedGifsGiveTheFramesOfTheOriginal)
{
    // A moving red square, a blue bar in frames 2 to 6, a fixed green dot.
    const std::vector<giftest::Rgb> colours = {{255, 255, 255}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
    std::vector<giftest::Layer> layers;
    std::vector<wxImage> expected;
    for (int f = 0; f < 12; ++f)
    {
        const int x = 8 + 4 * f;
        std::vector<unsigned char> indices(64 * 48);
        for (int p = 0; p < 64 * 48; ++p)
        {
            const int px = p % 64, py = p / 64;
            const bool square = px >= x && px < x + 8 && py >= 8 + x / 4 && py < 16 + x / 4;
            const bool bar = f >= 2 && f <= 6 && py >= 30 && py < 34 && px >= 10 && px < 50;
            indices[p] = px == 60 && py == 2 ? 3 : square ? 1 : bar ? 2 : 0;
        }
        expected.push_back(testimages::PaletteImage(64, 48, colours, std::vector<int>(indices.begin(), indices.end())));
        layers.push_back({0, 0, 64, 48, 1, -1, indices});
    }
    TempDir dir;
    WriteBytes(dir.File("in.gif"), giftest::MakeGif(64, 48, colours, layers));
    ASSERT_TRUE(RunIn(dir.Path(), "gifsicle -O3 in.gif -o o3.gif && convert in.gif -layers Optimize opt.gif"));
    for (const char* name : {"in.gif", "o3.gif", "opt.gif"})
    {
        std::vector<wxImage> frames;
        const PictureStatus status = ReadPictureFrames(dir.File(name), frames);
        ASSERT_TRUE(status.IsOk()) << name << ": " << DescribePictureStatus(status);
        ASSERT_EQ(frames.size(), expected.size()) << name;
        // Optimized, later frames cover only what changed, or this proves nothing.
        const giftest::File file = giftest::DecodeWithGiflib(ReadBytes(dir.File(name)));
        EXPECT_TRUE(name == std::string("in.gif") || file.frames[1].width < 64) << name;
        for (size_t f = 0; f < frames.size(); ++f) // the first frame covers the screen: nothing shows through
            EXPECT_TRUE(!frames[f].HasAlpha() && MeanDifference(frames[f], expected[f]) == 0) << name << " frame " << f;
    }
}

// PNG in every colour type and depth, JPEG grey, CMYK and progressive.
TEST(ImageFiles, PngReadsInEveryColourTypeAndJpegLikeTheToolkit)
{
    TempDir dir;
    // Sides that are no multiple of JPEG's 16-pixel blocks.
    const wxImage photo = testimages::PhotoLike(61, 45, 3);
    wxImage translucent = photo.Copy();
    translucent.SetAlpha();
    for (int p = 0; p < 61 * 45; ++p)
        translucent.GetAlpha()[p] = static_cast<unsigned char>(p * 37);
    ASSERT_TRUE(photo.SaveFile(dir.File("rgb.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(translucent.SaveFile(dir.File("alpha.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(photo.SaveFile(dir.File("wx.jpg"), wxBITMAP_TYPE_JPEG));

    // Against `reference`, else the toolkit's own reading; a PNG's IHDR as listed.
    const struct { const char *name, *command; const wxImage* reference; double tolerance; int depth, colourType; }
        cases[] = {
            {"rgb.png", nullptr, &photo, 0, 8, 2},
            {"alpha.png", nullptr, &translucent, 0, 8, 6},
            {"grey.png", "convert rgb.png -colorspace Gray grey.png", nullptr, 1, 8, 0},
            {"palette.png", "convert rgb.png PNG8:palette.png", nullptr, 0, 8, 3},
            {"deep.png", "convert rgb.png -depth 16 PNG48:deep.png", &photo, 0.5, 16, 2},
            // Without colour chunks 16-bit samples are sRGB too, not linear light.
            {"untagged16.png", "convert rgb.png -depth 16 -define png:exclude-chunk=all PNG48:untagged16.png", &photo,
             0.5, 16, 2},
            {"wx.jpg", nullptr, nullptr, 0.5, 0, 0},
            {"cmyk.jpg", "convert rgb.png -colorspace CMYK cmyk.jpg", &photo, 16, 0, 0},
            {"progressive.jpg", "convert rgb.png -interlace JPEG progressive.jpg", nullptr, 0.5, 0, 0},
        };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(!c.command || RunIn(dir.Path(), c.command));
        const wxString path = dir.File(c.name);
        const std::string bytes = ReadBytes(path);
        EXPECT_TRUE(!c.depth || (bytes.size() > 26 && bytes[24] == c.depth && bytes[25] == c.colourType));
        ExpectStill(path, c.reference ? *c.reference : wxImage(path), c.tolerance);
    }
}
