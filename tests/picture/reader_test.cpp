// Reading GIF files into frames drawn over each other as a viewer shows them.
// (Other files and bad ones are read end to end in the gloamer-cli tests.)
#include "gifcodec.h"
#include "support/testsupport.h"
#include "picture/picturereader.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <string>
#include <vector>

using testsupport::TempDir;
using testsupport::WriteBytes;

namespace
{
// The frames of the file `bytes`, each pixel as a letter: R red, B blue,
// G green, W white, - transparent; rows end in '|', frames in a blank.
std::string Describe(const std::string& bytes)
{
    TempDir dir;
    WriteBytes(dir.File("in.gif"), bytes);
    std::vector<wxImage> frames;
    if (ReadPictureFrames(dir.File("in.gif"), frames) .IsOk() == false)
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

TEST(ImageFiles, GifFramesAreDrawnOverEachOther)
{
    // 4x4 screen: red, then a blue square removed afterwards (to background), a
    // green dot restored afterwards (to previous), then white with a transparent
    // pixel next to it.
    const std::vector<giftest::Rgb> colours = {{0, 0, 0},     {255, 0, 0},     {0, 0, 255},
                                               {0, 255, 0},   {255, 255, 255}, {255, 0, 255}};
    EXPECT_EQ(Describe(giftest::MakeGif(4, 4, colours, {{0, 0, 4, 4, 1, -1, std::vector<unsigned char>(16, 1)},
                                                        {1, 1, 2, 2, 2, -1, {2, 2, 2, 2}}, {3, 3, 1, 1, 3, -1, {3}},
                                                        {0, 0, 2, 1, 0, 5, {4, 5}}})),
              "RRRR|RRRR|RRRR|RRRR| RRRR|RBBR|RBBR|RRRR| RRRR|R--R|R--R|RRRG| WRRR|R--R|R--R|RRRR| ");
    // Mended: a logical screen no real picture has gets no canvas of that size.
    EXPECT_EQ(Describe(giftest::MakeGif(60000, 60000, {{255, 0, 0}, {0, 0, 255}}, {{1, 1, 2, 2, 0, -1, {0, 1, 1, 0}}})),
              "---|-RB|-BR| ");
}
