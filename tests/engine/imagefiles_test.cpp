// Reading picture files into frames: the file-type rule, GIF frames drawn over
// each other as a viewer shows them, and clear outcomes for bad files.
#include "gifcodec.h"
#include "support/testsupport.h"
#include "testimages.h"
#include "window/imagefiles.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <string>
#include <vector>

using testsupport::TempDir;
using testsupport::WriteBytes;

namespace
{
// 4x4 screen: red, then a blue square removed afterwards (to background), a
// green dot restored afterwards (to previous), then white with a transparent
// pixel next to it.
std::string LayeredGif()
{
    giftest::File file;
    file.width = file.height = 4;
    file.globalColours = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}, {255, 0, 255}};
    auto frame = [](int left, int top, int width, int height, std::vector<unsigned char> indices, int disposal,
                    int transparent) {
        giftest::Frame f;
        f.left = left;
        f.top = top;
        f.width = width;
        f.height = height;
        f.indices = std::move(indices);
        f.disposal = disposal;
        f.transparent = transparent;
        f.delay = 10;
        return f;
    };
    file.frames.push_back(frame(0, 0, 4, 4, std::vector<unsigned char>(16, 1), 1, -1));
    file.frames.push_back(frame(1, 1, 2, 2, {2, 2, 2, 2}, 2, -1));
    file.frames.push_back(frame(3, 3, 1, 1, {3}, 3, -1));
    file.frames.push_back(frame(0, 0, 2, 1, {4, 5}, 0, 5));
    return giftest::EncodeWithGiflib(file);
}

// Each pixel as "rgb/alpha" letters: R red, B blue, G green, W white, - transparent.
std::string Describe(const wxImage& image)
{
    std::string text;
    for (int y = 0; y < image.GetHeight(); ++y)
    {
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            if (image.HasAlpha() && image.GetAlpha(x, y) == 0)
            {
                text += '-';
                continue;
            }
            const int rgb = image.GetRed(x, y) << 16 | image.GetGreen(x, y) << 8 | image.GetBlue(x, y);
            text += rgb == 0xFF0000 ? 'R' : rgb == 0x0000FF ? 'B' : rgb == 0x00FF00 ? 'G' : rgb == 0xFFFFFF ? 'W' : '?';
        }
        text += '|';
    }
    return text;
}
} // namespace

TEST(ImageFiles, GifRuleIsCaseSensitive)
{
    EXPECT_TRUE(IsGifPath("/a/b/anim.gif"));
    EXPECT_FALSE(IsGifPath("/a/b/anim.GIF"));
    EXPECT_FALSE(IsGifPath("/a/b/anim.gif_2"));
    EXPECT_FALSE(IsGifPath("/a.gif/b.png"));
}

TEST(ImageFiles, GifFramesAreDrawnOverEachOther)
{
    TempDir dir;
    WriteBytes(dir.File("layers.gif"), LayeredGif());

    std::vector<wxImage> frames;
    ASSERT_EQ(ReadPictureFrames(dir.File("layers.gif"), frames), PictureReadResult::Ok);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(Describe(frames[0]), "RRRR|RRRR|RRRR|RRRR|");
    EXPECT_FALSE(frames[0].HasAlpha());
    EXPECT_EQ(Describe(frames[1]), "RRRR|RBBR|RBBR|RRRR|");
    EXPECT_EQ(Describe(frames[2]), "RRRR|R--R|R--R|RRRG|");
    EXPECT_EQ(Describe(frames[3]), "WRRR|R--R|R--R|RRRR|");

    std::vector<wxImage> stored;
    ASSERT_EQ(ReadPictureFrames(dir.File("layers.gif"), stored, GifFrameMode::AsStored), PictureReadResult::Ok);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[1].GetSize(), wxSize(2, 2));
    EXPECT_EQ(stored[3].GetSize(), wxSize(2, 1));
}

TEST(ImageFiles, OtherFilesGiveOneFrame)
{
    TempDir dir;
    const wxImage picture = testimages::PhotoLike(12, 7, 1);
    ASSERT_TRUE(picture.SaveFile(dir.File("still.png"), wxBITMAP_TYPE_PNG));
    // A GIF named in upper case is read as a still picture: its first image.
    WriteBytes(dir.File("upper.GIF"), LayeredGif());

    std::vector<wxImage> frames;
    ASSERT_EQ(ReadPictureFrames(dir.File("still.png"), frames), PictureReadResult::Ok);
    ASSERT_EQ(ReadPictureFrames(dir.File("upper.GIF"), frames), PictureReadResult::Ok);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(std::equal(picture.GetData(), picture.GetData() + 12 * 7 * 3, frames[0].GetData()));
    EXPECT_EQ(frames[1].GetSize(), wxSize(4, 4));
}

TEST(ImageFiles, BadFilesHaveClearOutcomes)
{
    TempDir dir;
    WriteBytes(dir.File("junk.png"), "this is not a picture");
    WriteBytes(dir.File("junk.gif"), "not a GIF at all");
    WriteBytes(dir.File("broken.gif"), "GIF89a but nothing sensible follows");
    WriteBytes(dir.File("truncated.gif"), LayeredGif().substr(0, 20));
    // A well-formed GIF without any image.
    WriteBytes(dir.File("empty.gif"), std::string("GIF89a\x04\x00\x04\x00\x00\x00\x00\x3B", 14));

    struct Case { const char* name; PictureReadResult result; };
    for (const Case& c : {Case{"missing.png", PictureReadResult::Missing},
                          Case{"junk.png", PictureReadResult::Unreadable},
                          Case{"junk.gif", PictureReadResult::Unreadable},
                          Case{"broken.gif", PictureReadResult::NoFrames},
                          Case{"truncated.gif", PictureReadResult::NoFrames},
                          Case{"empty.gif", PictureReadResult::NoFrames}})
    {
        SCOPED_TRACE(c.name);
        std::vector<wxImage> frames;
        EXPECT_EQ(ReadPictureFrames(dir.File(c.name), frames), c.result);
        EXPECT_TRUE(frames.empty());
    }
    std::vector<wxImage> frames;
    EXPECT_EQ(ReadPictureFrames(dir.Path(), frames), PictureReadResult::Unreadable);

    // A logical screen no real picture has gets no canvas of that size.
    giftest::File huge;
    huge.width = huge.height = 60000;
    huge.globalColours = {{255, 0, 0}, {0, 0, 255}};
    giftest::Frame dot;
    dot.left = dot.top = 1;
    dot.width = dot.height = 2;
    dot.indices = {0, 1, 1, 0};
    huge.frames.push_back(dot);
    WriteBytes(dir.File("huge.gif"), giftest::EncodeWithGiflib(huge));
    ASSERT_EQ(ReadPictureFrames(dir.File("huge.gif"), frames), PictureReadResult::Ok);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Describe(frames[0]), "---|-RB|-BR|");
}
