// The GIF writer (blocks, round trips, refused frames) and the colour reduction before it.
#include "gifcodec.h"
#include "testimages.h"
#include "encoder/animationencoder.h"
#include "encoder/animationwriter.h"
#include "encoder/colourindex.h"
#include "encoder/colourreduce.h"
#include "encoder/framecompose.h"
#include "encoder/gifhandler.h"
#include "encoder/imageblock.h"
#include "encoder/lossywriter.h"
#include "encoder/nearestcolour.h"
#include "encoder/palette.h"
#include "encoder/quantize.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/palette.h>
#include <wx/wfstream.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

using giftest::Rgb;
using namespace std::string_literals;
using testimages::PaletteImage;

namespace
{
std::string Bytes(const wxMemoryOutputStream& stream)
{
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

// As the save worker writes frames, or through an animation writer when `complete` is given.
std::string SaveFrames(const std::vector<wxImage>& frames, int delayMs, bool* complete = nullptr)
{
    wxMemoryOutputStream stream;
    if (complete)
    {
        GifAnimationWriter writer(stream);
        for (const wxImage& frame : frames)
            writer.AddFrame(frame, delayMs);
        *complete = writer.Finish();
    }
    else
    {
        g_gifOutputStream = &stream;
        for (size_t i = 0; i < frames.size(); ++i)
            MyGifHandler().SaveFrame(frames[i], delayMs, static_cast<int>(frames.size()), static_cast<int>(i));
        g_gifOutputStream = nullptr;
    }
    EXPECT_EQ(g_gifOutputStream, nullptr);
    return Bytes(stream);
}

// The file the animation encoder writes of `pictures` on `threads` workers.
std::string Encode(std::vector<wxImage> pictures, const wxSize& size, const GifEncodeOptions& options, int threads)
{
    wxMemoryOutputStream stream;
    int progressed = 0;
    {
        AnimationEncoder encoder(stream, size, 100, options, threads);
        encoder.SetProgress([&](int done) { EXPECT_EQ(done, ++progressed); });
        for (wxImage& picture : pictures)
        {
            EXPECT_TRUE(encoder.Add(picture));
            EXPECT_FALSE(picture.IsOk());  // taken
        }
        EXPECT_TRUE(encoder.Finish());
        EXPECT_EQ(encoder.GetWrittenCount(), static_cast<int>(pictures.size()));
    }
    EXPECT_EQ(progressed, static_cast<int>(pictures.size()));
    return Bytes(stream);
}

// Entries from 200 on repeat those from 0: large palettes hold duplicates.
std::vector<Rgb> Palette(int count)
{
    std::vector<Rgb> palette;
    for (int i = 0; i < count; ++i)
        palette.push_back({static_cast<unsigned char>(i % 200), static_cast<unsigned char>(i % 200 * 37),
                           static_cast<unsigned char>(255 - i % 200)});
    return palette;
}

// Every pixel drawn at random from Palette(count).
wxImage RandomFrame(int width, int height, int count, unsigned seed = 1)
{
    testimages::Random random(seed);
    std::vector<int> indices;
    for (int p = 0; p < width * height; ++p)
        indices.push_back(random.Below(count));
    return PaletteImage(width, height, Palette(count), indices);
}

// The table as written: Palette(count), black entries up to `bytes`.
std::string Table(int count, size_t bytes)
{
    std::string table;
    for (const Rgb& colour : Palette(count))
        table.append(colour.begin(), colour.end());
    table.resize(bytes, '\0');
    return table;
}

// `image` with the mask colour `colour`, given to pixel (x, y) unless x < 0.
wxImage Masked(wxImage image, int x, int y, const Rgb& colour)
{
    if (x >= 0)
        image.SetRGB(x, y, colour[0], colour[1], colour[2]);
    image.SetMaskColour(colour[0], colour[1], colour[2]);
    return image;
}

// Both decoders give the written frames: size, each pixel's first entry of its colour.
void ExpectDecodesTo(const std::string& bytes, const std::vector<wxImage>& frames)
{
    for (const giftest::File& file : {giftest::DecodeWithGiflib(bytes), giftest::DecodeWithWx(bytes)})
    {
        ASSERT_TRUE(file.ok);
        ASSERT_EQ(file.frames.size(), frames.size());
        for (size_t f = 0; f < frames.size(); ++f)
        {
            const giftest::Frame& frame = file.frames[f];
            ASSERT_EQ(wxSize(frame.width, frame.height), frames[f].GetSize());
            GifPalette palette;
            ASSERT_TRUE(BuildGifPalette(frames[f], palette));
            const GifColourIndex lookup(palette.entries, palette.count);
            const unsigned char* pixel = frames[f].GetData();
            for (size_t p = 0; p < frame.indices.size(); ++p, pixel += 3)
            {
                const unsigned index = frame.indices[p];
                ASSERT_EQ(index, lookup.FindLinear(pixel[0], pixel[1], pixel[2])) << "frame " << f << " pixel " << p;
                ASSERT_EQ(frame.colours.at(index), (Rgb{pixel[0], pixel[1], pixel[2]}));
            }
        }
    }
}

// The reduced frame as written, and whether it has a mask or alpha.
std::string Outcome(const wxImage& reduced)
{
    const std::string bytes = SaveFrames({reduced}, 100);
    EXPECT_EQ(bytes.substr(10, 1), "\xF7");
    return bytes + std::to_string(reduced.HasMask()) + std::to_string(reduced.HasAlpha());
}

// Leaves stale bytes in freed memory, as a long-running program would have.
void DirtyTheHeap()
{
    std::vector<void*> blocks;
    for (int i = 1; i <= 64; ++i)
        blocks.push_back(std::memset(std::malloc(512 * i), 0x40 + i, 512 * i));
    for (void* block : blocks)
        std::free(block);
}

int Distance(const Rgb& a, const unsigned char* b)
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
}
} // namespace

// Every block in order, with black table padding, the mask rule, odd and tiny sizes.
TEST(GifWriter, OneFrameFileHasEveryBlockInOrder)
{
    const Rgb absent{250, 251, 252};
    const std::string comment300 = "\x21\xFE\xFF" + std::string(255, 'c') + "\x2D" + std::string(45, 'c') + '\0';
    struct Case { wxImage image; int delayMs; unsigned char packed; std::string table, comment, control; };
    const Case cases[] = {
        {RandomFrame(1, 1, 2), 50, 0x80, Table(2, 6), "", "\x00\x05\x00\x00"s},
        {RandomFrame(7, 3, 3), 3000, 0x91, Table(3, 12), "", "\x00\x2C\x01\x00"s},
        {RandomFrame(33, 17, 16), 0, 0xB3, Table(16, 48), "", "\x00\x00\x00\x00"s},
        {RandomFrame(5, 1, 256), 100, 0xF7, Table(256, 768), "", "\x00\x0A\x00\x00"s},
        {RandomFrame(4, 4, 3), 100, 0x91, Table(3, 12), comment300, "\x00\x0A\x00\x00"s},
        {Masked(RandomFrame(3, 1, 3), 1, 0, Palette(3)[2]), 100, 0x91, Table(3, 12), "", "\x01\x0A\x00\x02"s},
        {Masked(RandomFrame(8, 8, 255), 3, 3, absent), 100, 0xF7, Table(255, 765) + "\xFA\xFB\xFC", "",
         "\x01\x0A\x00\xFF"s},  // appended as entry 255
        {Masked(RandomFrame(4, 4, 256), -1, -1, absent), 100, 0xF7, Table(256, 768), "", "\x00\x0A\x00\x00"s},  // full
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        wxImage image = c.image;
        // An empty comment writes no block.
        image.SetOption(wxIMAGE_OPTION_GIF_COMMENT, wxString('c', c.comment.empty() ? 0 : 300));
        const std::string bytes = SaveFrames({image}, c.delayMs);
        const int w = image.GetWidth(), h = image.GetHeight();
        const std::string size{char(w & 0xFF), char(w >> 8), char(h & 0xFF), char(h >> 8)};
        const std::string expected = "GIF89a" + size + char(c.packed) + "\0\0"s + c.table +
                                     "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"s + c.comment + "\x21\xF9\x04" +
                                     c.control + "\0\x2C\0\0\0\0"s + size + "\0\x08"s;
        EXPECT_EQ(bytes.substr(0, expected.size()), expected);
        EXPECT_EQ(bytes.back(), '\x3B');
        ExpectDecodesTo(bytes, {image});
    }
}

// Frame differencing's blocks: LZW data at every code size, filling the code table many times.
TEST(GifImageBlock, LzwDataOfEveryCodeSizeDecodesToItsIndices)
{
    for (int codeSize : {2, 3, 5, 8})
    {
        for (int runs : {1, 40})
        {
            SCOPED_TRACE(std::to_string(codeSize) + " bits, runs of " + std::to_string(runs));
            testimages::Random random(codeSize * runs);
            std::vector<unsigned char> indices;
            while (indices.size() < 301 * 207)
                indices.insert(indices.end(), 1 + random.Below(runs), random.Below(1 << codeSize));
            indices.resize(301 * 207);
            const std::vector<Rgb> colours = Palette(1 << codeSize);
            GifImageBlock block;
            std::tie(block.left, block.top, block.width, block.height, block.disposal, block.delayMs) =
                std::make_tuple(5, 2, 301, 207, 1, 70);
            block.transparentIndex = 1;
            block.localTable = reinterpret_cast<const unsigned char(*)[3]>(colours.data());
            block.localCount = static_cast<int>(colours.size());
            block.codeSize = codeSize;
            block.indices = indices.data();
            wxMemoryOutputStream stream;
            g_gifOutputStream = &stream;
            const unsigned char black[1][3] = {};
            ASSERT_TRUE(MyGifHandler::WriteScreen(320, 240, black, 1) && MyGifHandler::WriteImageBlock(block) &&
                        MyGifHandler::WriteTrailer());
            g_gifOutputStream = nullptr;
            const giftest::File file = giftest::DecodeWithGiflib(Bytes(stream));
            ASSERT_TRUE(file.ok && file.frames.size() == 1u);
            const giftest::Frame& frame = file.frames[0];
            EXPECT_EQ(std::vector<int>({frame.left, frame.top, frame.width, frame.height, frame.disposal,
                                        frame.transparent, frame.delay}),
                      std::vector<int>({5, 2, 301, 207, 1, 1, 7}));
            EXPECT_TRUE(frame.colours == colours);
            EXPECT_TRUE(frame.indices == indices);
        }
    }
}

// Mended: a first or last frame that could not be written left an unreadable file;
// header and trailer now go with the frames written, and refused frames leave no byte.
TEST(GifAnimationWriter, HeaderAndTrailerGoWithTheFramesActuallyWritten)
{
    const wxImage a = RandomFrame(61, 37, 2), b = RandomFrame(61, 37, 16), c = RandomFrame(61, 37, 256);
    const wxImage broken = testimages::PhotoLike(9, 7, 5);  // no palette
    wxImage tooMany(17, 17, false);  // 289 colours
    for (int p = 0; p < 289; ++p)
        tooMany.SetRGB(p % 17, p / 17, p & 0xFF, p >> 8, 7);
    tooMany.SetPalette(RandomFrame(1, 1, 256).GetPalette());
    const std::string expected = SaveFrames({a, b, c}, 100);
    ExpectDecodesTo(expected, {a, b, c});
    for (const std::vector<wxImage>& frames : {std::vector<wxImage>{a, b, c}, {broken, a, b, c}, {a, b, c, broken},
                                               {broken, a, tooMany, b, c, wxImage(), broken}})
    {
        bool complete = false;
        EXPECT_EQ(SaveFrames(frames, 100, &complete), expected);
        EXPECT_TRUE(complete);
    }
    for (const std::vector<wxImage>& frames : {std::vector<wxImage>{tooMany}, {broken}, {wxImage()}, {}})
    {
        bool complete = true;
        EXPECT_EQ(SaveFrames(frames, 100), "");
        EXPECT_EQ(SaveFrames(frames, 100, &complete), "");
        EXPECT_FALSE(complete);
    }

    wxLogNull quiet;  // a failed write spoils the run
    wxFileOutputStream full("/dev/full");
    GifAnimationWriter writer(full);
    EXPECT_FALSE(writer.AddFrame(RandomFrame(40, 40, 200), 10));
    EXPECT_TRUE(writer.IsBroken());
    EXPECT_FALSE(writer.AddFrame(RandomFrame(2, 2, 2), 10));
    EXPECT_FALSE(writer.Finish());
    EXPECT_EQ(writer.GetWrittenCount(), 0);
}

// The direct path gives the BMP round trip's bytes whatever freed memory holds (mended: unused entries are black).
TEST(ColourReduce, DirectPathMatchesTheBmpRoundTripAndUnusedEntriesAreBlack)
{
    std::vector<int> stripes;
    for (int p = 0; p < 45 * 13; ++p)
        stripes.push_back((p / 7) % 3);
    const wxImage samples[] = {
        testimages::PhotoLike(160, 90, 1),
        PaletteImage(45, 13, {{84, 194, 12}, {44, 226, 4}, {4, 254, 4}}, stripes),
        ComposeFrame(testimages::PhotoLike(50, 40, 4), 64, 48),  // on black
        wxImage(7, 3, true),
    };
    for (const wxImage& sample : samples)
    {
        SCOPED_TRACE(sample.GetWidth());
        const std::string first = Outcome(ReduceFrameColours(sample));
        DirtyTheHeap();
        wxImage viaBmpInput = sample.Copy();
        EXPECT_EQ(Outcome(ReduceFrameColoursViaBmp(viaBmpInput)), first);
        DirtyTheHeap();
        EXPECT_EQ(Outcome(ReduceFrameColours(sample)), first);

        const giftest::File file = giftest::DecodeWithGiflib(first.substr(0, first.size() - 2));
        ASSERT_TRUE(file.ok);
        bool used[256] = {};
        for (unsigned char index : file.frames.at(0).indices)
            used[index] = true;
        for (int i = 0; i < 256; ++i)
            EXPECT_TRUE(used[i] || file.frames[0].colours[i] == (Rgb{0, 0, 0})) << i;
    }
}

// Up to 256 colours stay exact (the toolkit made pure red #FC0204); a 257th means quantizing.
TEST(ColourReduce, FewColoursStayExactAndMoreAreQuantized)
{
    // #000001 as well: the colour next to black is easily lost in a colour set.
    std::vector<Rgb> flat{{255, 0, 0}, {0, 255, 0}, {0, 0, 1}, {255, 255, 255}, {0, 0, 0}};
    std::vector<Rgb> many;
    for (int i = 0; i < 257; ++i)
        many.push_back({static_cast<unsigned char>(i * 7), static_cast<unsigned char>(i),
                        static_cast<unsigned char>(i / 3 * 11)});
    struct Case { int width, height, colours; bool exact; };
    const Case cases[] = {
        {1, 1, 1, true}, {40, 30, 5, true}, {33, 9, 256, true}, {20, 20, 257, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.colours);
        const std::vector<Rgb>& palette = c.colours <= 5 ? flat : many;
        std::vector<int> indices;
        for (int p = 0; p < c.width * c.height; ++p)  // every colour at least once
            indices.push_back(p < c.colours ? p : (p * 31 + p / 7) % c.colours);
        wxImage composed = PaletteImage(c.width, c.height, palette, indices);
        composed.SetPalette(wxPalette());
        for (GifQuantizer quantizer : {GifQuantizer::ImageQuant, GifQuantizer::Toolkit})
        {
            GifEncodeOptions options;
            options.quantizer = quantizer;
            const wxImage reduced = ReduceFrame(composed, options);
            ASSERT_TRUE(reduced.IsOk());
            const bool exact = std::memcmp(reduced.GetData(), composed.GetData(), 3 * c.width * c.height) == 0;
            if (quantizer == GifQuantizer::ImageQuant)
            {
                EXPECT_EQ(exact, c.exact);
                EXPECT_EQ(ReduceFrameExact(composed).IsOk(), c.exact);
            }
            else if (c.colours == 5)
            {
                EXPECT_FALSE(exact);  // what the exact path mends
            }
            const std::string bytes = SaveFrames({reduced}, 100);
            ASSERT_FALSE(bytes.empty());
            ExpectDecodesTo(bytes, {reduced});
        }
    }
    EXPECT_FALSE(QuantizeFrame(wxImage(), 100).IsOk());
}

// The dithering's map: palette colours to their first entry, others within 12 levels of the nearest.
TEST(ColourReduce, NearestColourKeepsPaletteColoursAndStaysNear)
{
    const std::vector<Rgb> palettes[] = {{{255, 0, 0}, {0, 0, 0}, {255, 0, 0}},
                                         {{240, 240, 240}, {241, 241, 241}, {243, 242, 244}, {0, 0, 255}},
                                         Palette(256)};
    for (const std::vector<Rgb>& palette : palettes)
    {
        SCOPED_TRACE(palette.size());
        const int count = static_cast<int>(palette.size());
        GifNearestColour map(reinterpret_cast<const unsigned char(*)[3]>(palette.data()), count);
        auto error = [&](int e, int r, int g, int b) {
            return std::hypot(r - palette[e][0], g - palette[e][1], b - palette[e][2]);
        };
        for (const Rgb& colour : palette)
            EXPECT_EQ(map.Find(colour[0], colour[1], colour[2]),
                      std::find(palette.begin(), palette.end(), colour) - palette.begin());
        for (int colour = 0; colour < (1 << 24); colour += 4099) // a spread of all colours
        {
            const int r = colour >> 16, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
            double nearest = 1e9;
            for (int e = 0; e < count; ++e)
                nearest = std::min(nearest, error(e, r, g, b));
            const int found = map.Find(r, g, b);
            ASSERT_TRUE(found >= 0 && found < count);
            ASSERT_LE(error(found, r, g, b), nearest + 12) << r << "," << g << "," << b;
        }
    }
}

// Pictures of several sizes finish out of order; still and few-colour frames in between.
TEST(AnimationEncoder, EveryThreadCountWritesTheSequentialFile)
{
    std::vector<wxImage> pictures;
    for (int i = 0; i < 9; ++i)
        pictures.push_back(i == 4 || i == 5 ? RandomFrame(64, 48, 7)
                                            : testimages::PhotoLike(i % 2 ? 640 : 40, i % 2 ? 480 : 30, i % 4));
    GifEncodeOptions optimize, toolkit, low, lossy;
    optimize.optimize = lossy.optimize = true;
    toolkit.quantizer = GifQuantizer::Toolkit;
    low.quality = lossy.quality = 40;
    for (const GifEncodeOptions& options : {GifEncodeOptions(), optimize, toolkit, low, lossy})
    {
        const std::string sequential = Encode(pictures, wxSize(64, 48), options, 1);
        EXPECT_EQ(giftest::DecodeWithGiflib(sequential).frames.size(), 9u);
        for (int threads : {2, 3, 8})
            EXPECT_TRUE(Encode(pictures, wxSize(64, 48), options, threads) == sequential) << threads << " threads";
    }
}

// Below full quality each shown pixel is dithered, near its picture's, or unchanged since it last
// changed. Mended: dark dots in the black around a letterboxed picture.
TEST(LossyWriter, EveryShownPixelStaysWithinItsBound)
{
    const wxSize size(96, 64);
    const wxImage world = testimages::PhotoLike(160, 100, 3);
    std::vector<wxImage> pictures;
    for (int i = 0; i < 4; ++i) // a pan, then a still frame
        pictures.push_back(world.GetSubImage(wxRect(8 * i, 5 * i, size.x, size.y)));
    pictures.push_back(pictures.back());
    // A patch moved within the picture, then a colour no frame before had.
    pictures.push_back(pictures.back().Copy());
    pictures.back().Paste(pictures.back().GetSubImage(wxRect(0, 0, 6, 6)), 40, 30);
    pictures.push_back(pictures.back().Copy());
    const wxRect green(20, 20, 5, 5);
    pictures.back().SetRGB(green, 0, 255, 0);
    const size_t greenFrame = pictures.size() - 1;
    for (int i = 1; i <= 25; ++i) // a fade of one level a frame
    {
        wxImage brighter = pictures[0].Copy();
        for (unsigned char* v = brighter.GetData(); v < brighter.GetData() + 3 * size.x * size.y; ++v)
            *v = static_cast<unsigned char>(std::min(255, *v + i));
        pictures.push_back(brighter);
    }
    wxImage dark = testimages::PhotoLike(size.x, 40, 9); // letterboxed, with dark colours to dither to
    for (unsigned char* v = dark.GetData(); v < dark.GetData() + 3 * size.x * 40; ++v)
        *v /= 4;
    pictures.push_back(dark);

    std::vector<GifEncodeOptions> plain(2);
    plain[1].quality = 40;
    for (const GifEncodeOptions& options : plain)
    {
        const wxRect area = FitPictureRect(pictures.back().GetSize(), size);
        const wxImage reduced = ReduceFrame(ComposeFrame(pictures.back(), size.x, size.y), options, area);
        int lit = 0;
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
                lit += !area.Contains(x, y) && (reduced.GetRed(x, y) | reduced.GetGreen(x, y) | reduced.GetBlue(x, y));
        EXPECT_EQ(lit, 0) << "quality " << options.quality;
    }

    for (int quality : {90, 50, 10})
    {
        SCOPED_TRACE(quality);
        GifEncodeOptions options;
        options.optimize = true;
        options.quality = quality;
        const giftest::File file = giftest::DecodeWithGiflib(Encode(pictures, size, options, 2));
        const auto shown = giftest::Coalesce(file);
        ASSERT_EQ(shown.size(), pictures.size());
        wxImage before;
        for (size_t f = 0; f < pictures.size(); ++f)
        {
            const wxImage source = ComposeFrame(pictures[f], size.x, size.y);
            const wxRect area = FitPictureRect(pictures[f].GetSize(), size);
            const giftest::Frame& frame = file.frames[f];
            ASSERT_GT(frame.transparent, 0); // where the table's colours end
            unsigned char table[256][3];
            for (int e = 0; e < frame.transparent; ++e)
                std::copy_n(frame.colours.at(e).data(), 3, table[e]);
            std::vector<unsigned char> dithered(size.x * size.y);
            GifOrderedDither(source.GetData(), size.x, size.y, area, table, frame.transparent, quality, dithered.data());
            int outside = 0, border = 0;
            for (size_t p = 0; p < dithered.size(); ++p)
            {
                const unsigned char* want = source.GetData() + 3 * p;
                const bool still = f > 0 && std::memcmp(want, before.GetData() + 3 * p, 3) == 0 &&
                                   shown[f][p] == shown[f - 1][p];
                outside += shown[f][p] != frame.colours[dithered[p]] &&
                           Distance(shown[f][p], want) > GifLossTolerance(quality) && !still;
                border += !area.Contains(int(p) % size.x, int(p) / size.x) && shown[f][p] != shown[f][0];
            }
            EXPECT_EQ(outside, 0) << "frame " << f;
            if (f == greenFrame) // in its own colour, not the nearest of the colours chosen before
            {
                const size_t p = green.y * size.x + green.x;
                EXPECT_LE(Distance(shown[f][p], source.GetData() + 3 * p), GifLossTolerance(quality));
            }
            EXPECT_EQ(border, 0) << "frame " << f;
            before = source;
        }
    }
}
