// The GIF writer: block layout byte by byte, round trips through two unrelated
// decoders, and the animation writer's handling of frames it cannot write.
#include "gifcodec.h"
#include "testimages.h"
#include "window/gif_animationwriter.h"
#include "window/gif_colourindex.h"
#include "window/gif_gifhandler.h"
#include "window/gif_palette.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/imaggif.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using giftest::Rgb;
using testimages::PaletteImage;
using testimages::Random;

namespace
{
std::string Bytes(wxMemoryOutputStream& stream)
{
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

// The frames written one by one as the save worker does, each with a fresh handler.
std::string SaveFrames(const std::vector<wxImage>& frames, int delayMs, std::vector<bool>* results = nullptr)
{
    wxMemoryOutputStream stream;
    g_gifOutputStream = &stream;
    for (size_t i = 0; i < frames.size(); ++i)
    {
        MyGifHandler handler;
        const bool ok = handler.SaveFrame(frames[i], delayMs, static_cast<int>(frames.size()), static_cast<int>(i));
        if (results)
            results->push_back(ok);
    }
    g_gifOutputStream = nullptr;
    return Bytes(stream);
}

std::vector<Rgb> Palette(int count, unsigned seed)
{
    Random random(seed);
    std::vector<Rgb> palette;
    for (int i = 0; i < count; ++i)
        palette.push_back({static_cast<unsigned char>(i), static_cast<unsigned char>(random.Below(256)),
                           static_cast<unsigned char>(255 - i)});
    return palette;
}

std::vector<int> Indices(int pixels, int count, unsigned seed)
{
    Random random(seed);
    std::vector<int> indices;
    for (int p = 0; p < pixels; ++p)
        indices.push_back(random.Below(count));
    return indices;
}

wxImage RandomFrame(int width, int height, int count, unsigned seed)
{
    return PaletteImage(width, height, Palette(count, seed), Indices(width * height, count, seed + 7));
}

// Offsets of the file's blocks, read strictly by the format's grammar.
struct Block
{
    unsigned char kind;  // 'H' header, 0xFF/0xFE/0xF9 extensions, 0x2C image, 0x3B trailer
    size_t offset;
    size_t end;
};

size_t SkipSubBlocks(const std::string& bytes, size_t at)
{
    while (at < bytes.size())
    {
        const unsigned char size = bytes[at];
        at += 1 + size;
        if (size == 0)
            return at;
    }
    return std::string::npos;
}

std::vector<Block> WalkBlocks(const std::string& bytes)
{
    std::vector<Block> blocks;
    if (bytes.size() < 13 || bytes.compare(0, 6, "GIF89a") != 0)
        return {};
    const unsigned char screen = bytes[10];
    size_t at = 13 + ((screen & 0x80) ? 3u << ((screen & 7) + 1) : 0);
    blocks.push_back({'H', 0, at});
    while (at < bytes.size())
    {
        const unsigned char introducer = bytes[at];
        const size_t start = at;
        if (introducer == 0x3B)
        {
            blocks.push_back({0x3B, start, at + 1});
            return at + 1 == bytes.size() ? blocks : std::vector<Block>{};
        }
        if (introducer == 0x21 && at + 2 < bytes.size())
        {
            at = SkipSubBlocks(bytes, at + 2);
            if (at == std::string::npos)
                return {};
            blocks.push_back({static_cast<unsigned char>(bytes[start + 1]), start, at});
            continue;
        }
        if (introducer == 0x2C && at + 11 < bytes.size())
        {
            const unsigned char packed = bytes[at + 9];
            at += 10 + ((packed & 0x80) ? 3u << ((packed & 7) + 1) : 0);
            at = SkipSubBlocks(bytes, at + 1);  // after the LZW code size
            if (at == std::string::npos)
                return {};
            blocks.push_back({0x2C, start, at});
            continue;
        }
        return {};
    }
    return {};  // no trailer
}

std::vector<unsigned char> KindsOf(const std::vector<Block>& blocks)
{
    std::vector<unsigned char> kinds;
    for (const Block& block : blocks)
        kinds.push_back(block.kind);
    return kinds;
}

const Block* Nth(const std::vector<Block>& blocks, unsigned char kind, int n)
{
    for (const Block& block : blocks)
    {
        if (block.kind == kind && n-- == 0)
            return &block;
    }
    return nullptr;
}

std::string Hex(const std::string& bytes, size_t from, size_t count)
{
    std::string text;
    char digits[4];
    for (size_t i = from; i < from + count && i < bytes.size(); ++i)
    {
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(bytes[i]));
        text += digits;
    }
    return text;
}

// Both decoders must give exactly the written indices and colours.
void ExpectDecodesTo(const std::string& bytes, const std::vector<wxImage>& frames)
{
    for (const giftest::File& file : {giftest::DecodeWithGiflib(bytes), giftest::DecodeWithWx(bytes)})
    {
        ASSERT_TRUE(file.ok);
        ASSERT_EQ(file.frames.size(), frames.size());
        for (size_t f = 0; f < frames.size(); ++f)
        {
            const giftest::Frame& frame = file.frames[f];
            const wxImage& image = frames[f];
            ASSERT_EQ(frame.width, image.GetWidth());
            ASSERT_EQ(frame.height, image.GetHeight());
            GifPalette palette;
            ASSERT_TRUE(BuildGifPalette(image, palette));
            const GifColourIndex lookup(palette.entries, palette.count);
            const std::vector<Rgb>& colours = file.ColoursOf(frame);
            const unsigned char* pixel = image.GetData();
            for (int p = 0; p < image.GetWidth() * image.GetHeight(); ++p, pixel += 3)
            {
                // The written index is the first entry of the pixel's colour.
                const int expected = lookup.FindLinear(pixel[0], pixel[1], pixel[2]);
                ASSERT_EQ(frame.indices[p], expected) << "frame " << f << " pixel " << p;
                ASSERT_LT(frame.indices[p], colours.size());
                const Rgb& colour = colours[frame.indices[p]];
                ASSERT_TRUE(colour[0] == pixel[0] && colour[1] == pixel[1] && colour[2] == pixel[2]);
            }
        }
    }
}
} // namespace

TEST(GifWriter, OneFrameFileHasEveryBlockInOrder)
{
    const wxImage image = PaletteImage(3, 2, {{10, 20, 30}, {40, 50, 60}}, {0, 1, 0, 1, 1, 0});
    const std::string bytes = SaveFrames({image}, 50);

    const std::string head("GIF89a\x03\x00\x02\x00\x80\x00\x00"
                           "\x0A\x14\x1E\x28\x32\x3C"
                           "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
                           "\x21\xF9\x04\x00\x05\x00\x00\x00"
                           "\x2C\x00\x00\x00\x00\x03\x00\x02\x00\x00"
                           "\x08",
                           6 + 7 + 6 + 19 + 8 + 10 + 1);
    ASSERT_GT(bytes.size(), head.size());
    EXPECT_EQ(Hex(bytes, 0, head.size()), Hex(head, 0, head.size()));
    EXPECT_EQ(KindsOf(WalkBlocks(bytes)),
              (std::vector<unsigned char>{'H', 0xFF, 0xF9, 0x2C, 0x3B}));
    ExpectDecodesTo(bytes, {image});
    EXPECT_EQ(giftest::DecodeWithGiflib(bytes).loopCount, 0);
}

TEST(GifWriter, TableSizeFollowsPaletteCount)
{
    EXPECT_EQ(GifTableSizeExponent(0), 1);
    EXPECT_EQ(GifTableSizeExponent(2), 1);
    EXPECT_EQ(GifTableSizeExponent(3), 2);
    EXPECT_EQ(GifTableSizeExponent(5), 3);
    EXPECT_EQ(GifTableSizeExponent(129), 8);
    EXPECT_EQ(GifTableSizeExponent(256), 8);

    struct Case { int count; unsigned char packed; size_t tableBytes; };
    for (const Case& c : {Case{2, 0x80, 6}, Case{3, 0x91, 12}, Case{16, 0xB3, 48}, Case{256, 0xF7, 768}})
    {
        SCOPED_TRACE(c.count);
        const wxImage image = RandomFrame(16, 16, c.count, c.count);
        const std::string bytes = SaveFrames({image}, 100);
        ASSERT_GT(bytes.size(), 13 + c.tableBytes + 2);
        EXPECT_EQ(static_cast<unsigned char>(bytes[10]), c.packed);
        // The table ends where the looping extension starts; padding entries are black.
        EXPECT_EQ(Hex(bytes, 13 + c.tableBytes, 2), "21 FF ");
        const auto palette = Palette(c.count, c.count);
        for (size_t i = 0; i < c.tableBytes / 3; ++i)
        {
            const Rgb expected = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
            EXPECT_EQ(Hex(bytes, 13 + 3 * i, 3), Hex(std::string(expected.begin(), expected.end()), 0, 3));
        }
        ExpectDecodesTo(bytes, {image});
    }
}

TEST(GifWriter, LaterFramesCarryLocalTables)
{
    const std::vector<wxImage> frames = {RandomFrame(5, 4, 2, 1), RandomFrame(5, 4, 16, 2), RandomFrame(5, 4, 256, 3)};
    const std::string bytes = SaveFrames(frames, 100);
    const std::vector<Block> blocks = WalkBlocks(bytes);
    ASSERT_EQ(KindsOf(blocks), (std::vector<unsigned char>{'H', 0xFF, 0xF9, 0x2C, 0xF9, 0x2C, 0xF9, 0x2C, 0x3B}));
    EXPECT_EQ(static_cast<unsigned char>(bytes[Nth(blocks, 0x2C, 0)->offset + 9]), 0x00);
    const Block* second = Nth(blocks, 0x2C, 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[second->offset + 9]), 0x83);
    const auto palette = Palette(16, 2);
    EXPECT_EQ(Hex(bytes, second->offset + 10, 48), Hex(std::string(&palette[0][0], &palette[0][0] + 48), 0, 48));
    EXPECT_EQ(static_cast<unsigned char>(bytes[second->offset + 10 + 48]), 8);  // LZW code size
    EXPECT_EQ(static_cast<unsigned char>(bytes[Nth(blocks, 0x2C, 2)->offset + 9]), 0x87);
    ExpectDecodesTo(bytes, frames);
}

TEST(GifWriter, DelayIsWrittenInHundredths)
{
    const wxImage image = RandomFrame(2, 2, 2, 9);
    struct Case { int ms; const char* bytes; };
    for (const Case& c : {Case{50, "05 00 "}, Case{3000, "2C 01 "}, Case{59, "05 00 "}, Case{0, "00 00 "}})
    {
        const std::string bytes = SaveFrames({image}, c.ms);
        const Block* control = Nth(WalkBlocks(bytes), 0xF9, 0);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Hex(bytes, control->offset, 8), std::string("21 F9 04 00 ") + c.bytes + "00 00 ");
        ExpectDecodesTo(bytes, {image});
    }
}

TEST(GifWriter, CommentIsCutIntoSubBlocks)
{
    wxImage image = RandomFrame(4, 4, 3, 4);
    image.SetOption(wxIMAGE_OPTION_GIF_COMMENT, wxString('c', 300));
    std::string bytes = SaveFrames({image}, 100);
    std::vector<Block> blocks = WalkBlocks(bytes);
    ASSERT_EQ(KindsOf(blocks), (std::vector<unsigned char>{'H', 0xFF, 0xFE, 0xF9, 0x2C, 0x3B}));
    const Block* comment = Nth(blocks, 0xFE, 0);
    ASSERT_EQ(comment->end - comment->offset, 2 + 1 + 255 + 1 + 45 + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[comment->offset + 2]), 255);
    EXPECT_EQ(bytes.substr(comment->offset + 3, 255), std::string(255, 'c'));
    EXPECT_EQ(static_cast<unsigned char>(bytes[comment->offset + 258]), 45);
    EXPECT_EQ(bytes.substr(comment->offset + 259, 45), std::string(45, 'c'));
    EXPECT_EQ(bytes[comment->end - 1], '\0');
    EXPECT_EQ(giftest::DecodeWithGiflib(bytes).comments, std::vector<std::string>{std::string(300, 'c')});
    ExpectDecodesTo(bytes, {image});

    image.SetOption(wxIMAGE_OPTION_GIF_COMMENT, wxString());
    bytes = SaveFrames({image}, 100);
    EXPECT_EQ(KindsOf(WalkBlocks(bytes)), (std::vector<unsigned char>{'H', 0xFF, 0xF9, 0x2C, 0x3B}));
}

TEST(GifWriter, MaskColourBecomesTheTransparentEntry)
{
    // Already in the palette: that entry.
    wxImage present = PaletteImage(3, 1, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}, {0, 1, 2});
    present.SetMaskColour(2, 2, 2);
    std::string bytes = SaveFrames({present}, 100);
    const Block* control = Nth(WalkBlocks(bytes), 0xF9, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Hex(bytes, control->offset, 8), "21 F9 04 01 0A 00 01 00 ");
    EXPECT_EQ(giftest::DecodeWithGiflib(bytes).frames.at(0).transparent, 1);
    ExpectDecodesTo(bytes, {present});

    // Missing from a 255-entry palette: appended as entry 255.
    std::vector<Rgb> palette = Palette(255, 5);
    std::vector<int> indices = Indices(64, 255, 6);
    wxImage appended = PaletteImage(8, 8, palette, indices);
    appended.SetRGB(3, 3, 250, 251, 252);
    appended.SetMaskColour(250, 251, 252);
    GifPalette built;
    ASSERT_TRUE(BuildGifPalette(appended, built));
    EXPECT_EQ(built.count, 256);
    EXPECT_EQ(built.transparentIndex, 255);
    bytes = SaveFrames({appended}, 100);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0xF7);
    EXPECT_EQ(Hex(bytes, 13 + 3 * 255, 3), "FA FB FC ");
    control = Nth(WalkBlocks(bytes), 0xF9, 0);
    EXPECT_EQ(Hex(bytes, control->offset + 3, 4), "01 0A 00 FF ");
    const giftest::File file = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.frames.at(0).indices.at(3 * 8 + 3), 255);
    ExpectDecodesTo(bytes, {appended});

    // Missing from a full palette: no transparency.
    wxImage full = RandomFrame(4, 4, 256, 8);
    full.SetMaskColour(250, 251, 252);
    ASSERT_TRUE(BuildGifPalette(full, built));
    EXPECT_EQ(built.count, 256);
    EXPECT_EQ(built.transparentIndex, -1);
    bytes = SaveFrames({full}, 100);
    control = Nth(WalkBlocks(bytes), 0xF9, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Hex(bytes, control->offset + 3, 4), "00 0A 00 00 ");
    ExpectDecodesTo(bytes, {full});
}

TEST(GifWriter, OddAndTinySizesRoundTrip)
{
    std::vector<wxImage> frames;
    for (const wxSize& size : {wxSize(1, 1), wxSize(3, 5), wxSize(7, 3), wxSize(5, 1), wxSize(1, 9), wxSize(33, 17)})
    {
        SCOPED_TRACE(size.x * 100 + size.y);
        const std::vector<wxImage> one = {RandomFrame(size.x, size.y, 5, size.x + size.y)};
        const std::string bytes = SaveFrames(one, 100);
        ASSERT_FALSE(WalkBlocks(bytes).empty());
        ExpectDecodesTo(bytes, one);
    }
}

TEST(GifWriter, ManyFramesRoundTripWithFirstMatchIndices)
{
    std::vector<wxImage> frames;
    for (unsigned f = 0; f < 5; ++f)
    {
        std::vector<Rgb> palette = Palette(40 + 50 * f, f);
        palette[7] = palette[2];  // duplicates: the first of them is the one written
        palette[30] = palette[2];
        frames.push_back(PaletteImage(61, 37, palette, Indices(61 * 37, static_cast<int>(palette.size()), f + 50)));
    }
    const std::string bytes = SaveFrames(frames, 70);
    ExpectDecodesTo(bytes, frames);
    for (const giftest::Frame& frame : giftest::DecodeWithGiflib(bytes).frames)
        EXPECT_EQ(frame.delay, 7);
}

TEST(GifWriter, UnwritableFramesWriteNothing)
{
    wxImage tooMany(17, 17, false);  // 289 colours
    for (int p = 0; p < 289; ++p)
        tooMany.SetRGB(p % 17, p / 17, p & 0xFF, p >> 8, 7);
    tooMany.SetPalette(RandomFrame(1, 1, 256, 1).GetPalette());
    const wxImage noPalette = testimages::PhotoLike(4, 4, 1);
    for (const wxImage& image : {tooMany, noPalette, wxImage()})
    {
        std::vector<bool> results;
        EXPECT_TRUE(SaveFrames({image}, 100, &results).empty());
        EXPECT_FALSE(results.at(0));
    }
}

namespace
{
wxString g_assertCondition;
wxString g_assertFunction;
void RecordAssert(const wxString&, int, const wxString& func, const wxString& cond, const wxString&)
{
    g_assertCondition = cond;
    g_assertFunction = func;
}
} // namespace

TEST(GifWriter, PixelOutsideThePaletteAssertsAndIsWrittenAs255)
{
    wxImage image = PaletteImage(3, 1, {{1, 1, 1}, {2, 2, 2}}, {0, 1, 0});
    image.SetRGB(2, 0, 9, 9, 9);
    g_assertCondition.clear();
    const wxAssertHandler_t previous = wxSetAssertHandler(RecordAssert);
    const std::string bytes = SaveFrames({image}, 100);
    wxSetAssertHandler(previous);
    EXPECT_EQ(g_assertCondition, "index != (-1)");
    EXPECT_TRUE(g_assertFunction.Contains("DoSaveFile"));
    const giftest::File file = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.frames.at(0).indices, (std::vector<unsigned char>{0, 1, 255}));
}

TEST(GifColourIndex, AgreesWithTheLinearSearch)
{
    std::vector<Rgb> palette = Palette(256, 3);
    palette[200] = palette[10];
    palette[255] = palette[0];
    const GifColourIndex lookup(reinterpret_cast<const unsigned char(*)[3]>(palette.data()), 256);
    for (const Rgb& colour : palette)
        EXPECT_EQ(lookup.Find(colour[0], colour[1], colour[2]), lookup.FindLinear(colour[0], colour[1], colour[2]));
    EXPECT_EQ(lookup.Find(palette[200][0], palette[200][1], palette[200][2]), 10);
    Random random(4);
    for (int i = 0; i < 5000; ++i)
    {
        const unsigned char r = random.Below(256), g = random.Below(256), b = random.Below(256);
        EXPECT_EQ(lookup.Find(r, g, b), lookup.FindLinear(r, g, b));
    }
}

namespace
{
// Takes `capacity` bytes, then refuses the rest.
class ShortOutputStream : public wxOutputStream
{
public:
    explicit ShortOutputStream(size_t capacity) : m_capacity(capacity) {}

protected:
    size_t OnSysWrite(const void*, size_t size) override
    {
        const size_t taken = std::min(size, m_capacity - m_written);
        m_written += taken;
        if (taken < size)
            m_lasterror = wxSTREAM_WRITE_ERROR;
        return taken;
    }
    wxFileOffset OnSysTell() const override { return static_cast<wxFileOffset>(m_written); }

private:
    size_t m_capacity;
    size_t m_written = 0;
};

std::string WriteWithSession(const std::vector<wxImage>& frames, int delayMs, bool* finished = nullptr)
{
    wxMemoryOutputStream stream;
    bool complete = false;
    {
        GifAnimationWriter writer(stream);
        for (const wxImage& frame : frames)
            writer.AddFrame(frame, delayMs);
        complete = writer.Finish();
    }
    EXPECT_EQ(g_gifOutputStream, nullptr);
    if (finished)
        *finished = complete;
    return Bytes(stream);
}
} // namespace

TEST(GifAnimationWriter, WritesTheSameBytesAsFrameByFrameSaving)
{
    const std::vector<wxImage> frames = {RandomFrame(9, 7, 4, 1), RandomFrame(9, 7, 100, 2), RandomFrame(9, 7, 256, 3)};
    bool complete = false;
    EXPECT_EQ(WriteWithSession(frames, 40, &complete), SaveFrames(frames, 40));
    EXPECT_TRUE(complete);
}

TEST(GifAnimationWriter, HeaderAndTrailerGoWithTheFramesActuallyWritten)
{
    const wxImage a = RandomFrame(9, 7, 4, 1), b = RandomFrame(9, 7, 30, 2), c = RandomFrame(9, 7, 3, 3);
    const wxImage broken = testimages::PhotoLike(9, 7, 5);  // no palette: cannot be written
    const std::string expected = SaveFrames({a, b, c}, 20);
    ExpectDecodesTo(expected, {a, b, c});

    // Frame-by-frame saving puts the header with index 0 and the trailer with the
    // last index, so losing either leaves a file no decoder accepts.
    EXPECT_FALSE(giftest::DecodeWithGiflib(SaveFrames({broken, a, b, c}, 20)).ok);
    EXPECT_TRUE(WalkBlocks(SaveFrames({a, b, c, broken}, 20)).empty());

    EXPECT_EQ(WriteWithSession({broken, a, b, c}, 20), expected);
    EXPECT_EQ(WriteWithSession({a, b, c, broken}, 20), expected);
    EXPECT_EQ(WriteWithSession({broken, a, broken, b, c, wxImage(), broken}, 20), expected);
}

TEST(GifAnimationWriter, NothingWritableLeavesNothing)
{
    bool complete = true;
    EXPECT_TRUE(WriteWithSession({testimages::PhotoLike(3, 3, 1), wxImage()}, 20, &complete).empty());
    EXPECT_FALSE(complete);
    EXPECT_TRUE(WriteWithSession({}, 20, &complete).empty());
    EXPECT_FALSE(complete);
}

TEST(GifAnimationWriter, FailedWriteSpoilsTheRun)
{
    ShortOutputStream stream(100);
    GifAnimationWriter writer(stream);
    EXPECT_FALSE(writer.AddFrame(RandomFrame(40, 40, 200, 1), 10));
    EXPECT_TRUE(writer.IsBroken());
    EXPECT_FALSE(writer.AddFrame(RandomFrame(2, 2, 2, 1), 10));
    EXPECT_FALSE(writer.Finish());
    EXPECT_EQ(writer.GetWrittenCount(), 0);

    // The frame-by-frame path reports the shortfall too.
    ShortOutputStream tiny(20);
    g_gifOutputStream = &tiny;
    MyGifHandler handler;
    EXPECT_FALSE(handler.SaveFrame(RandomFrame(4, 4, 2, 1), 10, 1, 0));
    g_gifOutputStream = nullptr;
}
