// Colour reduction: the direct quantizer path gives byte for byte what the
// toolkit's 8-bit BMP round trip gives, and a palette the writer accepts.
#include "testimages.h"
#include "window/gif_colourindex.h"
#include "window/gif_colourreduce.h"
#include "window/gif_framecompose.h"
#include "window/gif_gifhandler.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/palette.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
std::vector<unsigned char> PaletteBytes(const wxImage& image)
{
    std::vector<unsigned char> bytes;
    const wxPalette& palette = image.GetPalette();
    for (int i = 0; i < palette.GetColoursCount(); ++i)
    {
        unsigned char r = 0, g = 0, b = 0;
        palette.GetRGB(i, &r, &g, &b);
        bytes.insert(bytes.end(), {r, g, b});
    }
    return bytes;
}

std::string WriteOne(const wxImage& reduced)
{
    wxMemoryOutputStream stream;
    g_gifOutputStream = &stream;
    MyGifHandler handler;
    EXPECT_TRUE(handler.SaveFrame(reduced, 100, 1, 0));
    g_gifOutputStream = nullptr;
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

// Leaves stale bytes in freed memory, as a long-running program would have.
void DirtyTheHeap()
{
    std::vector<void*> blocks;
    for (int i = 1; i <= 64; ++i)
    {
        void* block = std::malloc(512 * i);
        std::memset(block, 0x40 + i, 512 * i);
        blocks.push_back(block);
    }
    for (void* block : blocks)
        std::free(block);
}

std::vector<wxImage> Samples()
{
    std::vector<wxImage> samples;
    samples.push_back(testimages::PhotoLike(160, 90, 1));
    samples.push_back(testimages::PhotoLike(333, 77, 2));  // odd sizes
    samples.push_back(testimages::PhotoLike(1, 1, 3));
    samples.push_back(testimages::PaletteImage(31, 17, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                                               std::vector<int>(31 * 17, 1)));
    std::vector<int> few;
    for (int p = 0; p < 45 * 13; ++p)
        few.push_back((p / 7) % 3);
    samples.push_back(testimages::PaletteImage(45, 13, {{84, 194, 12}, {44, 226, 4}, {4, 254, 4}}, few));
    // A masked, translucent picture composed onto black.
    wxImage masked = testimages::PhotoLike(50, 40, 4);
    masked.SetRGB(wxRect(10, 10, 20, 10), 255, 0, 255);
    masked.SetMaskColour(255, 0, 255);
    samples.push_back(ComposeFrame(masked, 64, 48));
    wxImage translucent = testimages::PhotoLike(30, 30, 5);
    translucent.InitAlpha();
    for (int x = 0; x < 30; ++x)
        translucent.SetAlpha(x, x, static_cast<unsigned char>(x * 8));
    samples.push_back(ComposeFrame(translucent, 41, 29));
    samples.push_back(wxImage(7, 3, true));  // all black
    return samples;
}
} // namespace

TEST(ColourReduce, DirectPathMatchesTheBmpRoundTrip)
{
    int index = 0;
    for (const wxImage& sample : Samples())
    {
        SCOPED_TRACE(index++);
        DirtyTheHeap();
        wxImage viaBmpInput = sample.Copy();
        const wxImage plain = ReduceFrameColoursViaBmp(viaBmpInput);
        DirtyTheHeap();
        const wxImage fast = ReduceFrameColours(sample);
        ASSERT_TRUE(plain.IsOk());
        ASSERT_TRUE(fast.IsOk());
        ASSERT_EQ(fast.GetSize(), plain.GetSize());
        EXPECT_EQ(0, std::memcmp(fast.GetData(), plain.GetData(), 3 * sample.GetWidth() * sample.GetHeight()));
        EXPECT_EQ(PaletteBytes(fast), PaletteBytes(plain));
        EXPECT_EQ(PaletteBytes(fast).size(), 768u);
        EXPECT_EQ(fast.HasMask(), plain.HasMask());
        EXPECT_EQ(fast.HasAlpha(), plain.HasAlpha());
        EXPECT_EQ(WriteOne(fast), WriteOne(plain));
    }
}

TEST(ColourReduce, ResultSuitsTheWriterAndIsStable)
{
    const wxImage sample = testimages::PhotoLike(120, 80, 9);
    const wxImage first = ReduceFrameColours(sample);
    DirtyTheHeap();
    const wxImage second = ReduceFrameColours(sample);
    // Unused entries are black, not left-over memory: the same file every time.
    EXPECT_EQ(PaletteBytes(first), PaletteBytes(second));
    EXPECT_EQ(WriteOne(first), WriteOne(second));

    const std::vector<unsigned char> palette = PaletteBytes(first);
    const GifColourIndex lookup(reinterpret_cast<const unsigned char(*)[3]>(palette.data()), 256);
    std::vector<bool> used(256, false);
    const unsigned char* pixel = first.GetData();
    for (int p = 0; p < 120 * 80; ++p, pixel += 3)
    {
        const int entry = lookup.FindLinear(pixel[0], pixel[1], pixel[2]);
        ASSERT_GE(entry, 0);
        used[entry] = true;
    }
    for (int i = 0; i < 256; ++i)
    {
        if (!used[i])
        {
            EXPECT_EQ(palette[3 * i] + palette[3 * i + 1] + palette[3 * i + 2], 0) << i;
        }
    }
    EXPECT_LE(std::count(used.begin(), used.end(), true), 236);

    EXPECT_FALSE(ReduceFrameColours(wxImage()).IsOk());
}
