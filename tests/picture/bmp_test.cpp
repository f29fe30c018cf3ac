// The BMP decoder on files built field by field.
#include "picturefiles.h"
#include "picture/picturedecoders.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <cstdio>
#include <memory>

using picturefiles::Bmp;
using picturefiles::BuildBmp;
using picturefiles::Bytes;

namespace
{
struct FileCloser { void operator()(std::FILE* file) const { std::fclose(file); } };
using File = std::unique_ptr<std::FILE, FileCloser>;
File Open(const Bytes& bytes, std::size_t size) { return File(fmemopen(const_cast<unsigned char*>(bytes.data()), size, "rb")); }

// Decodes the first `size` bytes; only a good file may give a frame.
PictureStatus Decode(const Bytes& bytes, wxImage& image, std::size_t size = SIZE_MAX,
                     const PictureLimits& limits = PictureLimits())
{
    const auto file = Open(bytes, std::min(size, bytes.size()));
    int frames = 0;
    const auto sink = [&](wxImage& frame) { image = frame; ++frames; return true; };
    const PictureStatus status = DecodeBmp(file.get(), sink, limits);
    EXPECT_EQ(frames, status.IsOk() ? 1 : 0);
    return status;
}

std::vector<std::uint32_t> Pixels(const wxImage& image)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            pixels.push_back(image.GetRed(x, y) << 16 | image.GetGreen(x, y) << 8 | image.GetBlue(x, y));
    return pixels;
}

const std::vector<std::uint32_t> kColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
} // namespace

// Cut anywhere, a file gives a clean failure or (only padding gone) the whole picture.
TEST(BmpDecoder, DecodesEachDepthAndHeaderToExactPixelsAndCutFilesFailCleanly)
{
    const struct { const char* name; Bmp bmp; std::vector<std::uint32_t> expected;
                   std::vector<unsigned char> alpha = {}; } cases[] = {
        {"1 bpp, bottom-up", {3, 2, 1, 0, 40, {}, {0x102030, 0xF0E0D0}, {0xA0, 0, 0, 0, 0x60, 0, 0, 0}},
         {0x102030, 0xF0E0D0, 0xF0E0D0, 0xF0E0D0, 0x102030, 0xF0E0D0}},
        {"4 bpp, index past the palette is black", {3, 1, 4, 0, 40, {}, {0x123456, 0xABCDEF}, {0x15, 0, 0, 0}},
         {0xABCDEF, 0, 0x123456}},
        {"8 bpp, OS/2 core header", {2, 2, 8, 0, 12, {}, {7, 8, 9}, {1, 2, 0, 0, 0, 1, 0, 0}}, {7, 8, 8, 9}},
        {"16 bpp, 5-5-5", {3, 1, 16, 0, 40, {}, {}, {0xFF, 0x7F, 0x1F, 0, 0x10, 0x42, 0, 0}},
         {0xFFFFFF, 0x0000FF, 0x848484}},
        {"16 bpp, 5-6-5 bit fields",
         {3, 1, 16, 3, 40, {0xF800, 0x07E0, 0x001F}, {}, {0, 0xF8, 0xE0, 0x07, 0x20, 0x08, 0, 0}},
         {0xFF0000, 0x00FF00, 0x080400}},
        {"24 bpp, bottom-up, padded", {2, 2, 24, 0, 40, {}, {}, {3, 2, 1, 6, 5, 4, 0, 0, 9, 8, 7, 0xC, 0xB, 0xA, 0, 0}},
         {0x070809, 0x0A0B0C, 0x010203, 0x040506}},
        {"24 bpp, top-down", {1, -2, 24, 0, 40, {}, {}, {3, 2, 1, 0, 6, 5, 4, 0}}, {0x010203, 0x040506}},
        {"32 bpp, alpha mask in a V5 header", {2, 1, 32, 3, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {},
         {0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0}}, {0x112233, 0x445566}, {0x80, 0}},
        {"32 bpp, alpha all 0 is opaque", {2, 1, 32, 6, 40, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {},
         {1, 2, 3, 0, 4, 5, 6, 0}}, {0x010203, 0x040506}},
        // Runs longer than the row, deltas past the row and past the image.
        {"RLE8", {4, 3, 8, 1, 40, {}, kColours, {6, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 2, 5, 0, 2, 3, 0, 0, 0, 2, 3, 0, 1, 2,
                                                 0, 2, 0, 7, 5, 1, 0, 1}},
         {0, 0, 0, 0x00FF00, 0x00FF00, 0x0000FF, 0x00FF00, 0, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}},
        {"RLE4", {5, 2, 4, 2, 40, {}, kColours, {7, 0x12, 0, 0, 1, 0x20, 0, 2, 2, 0, 0, 5, 0x31, 0x23, 0x10, 0, 0, 1}},
         {0x00FF00, 0, 0, 0x0000FF, 0xFF0000, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const Bytes bytes = BuildBmp(c.bmp);
        wxImage image;
        ASSERT_TRUE(Decode(bytes, image).IsOk());
        EXPECT_EQ(image.GetSize(), wxSize(c.bmp.width, std::abs(c.bmp.height)));
        EXPECT_EQ(Pixels(image), c.expected);
        ASSERT_EQ(image.HasAlpha(), !c.alpha.empty());
        EXPECT_EQ(std::vector<unsigned char>(image.GetAlpha(), image.GetAlpha() + c.alpha.size()), c.alpha);
        wxSize size;
        ASSERT_TRUE(ProbeBmp(Open(bytes, bytes.size()).get(), size, PictureLimits()).IsOk());
        EXPECT_EQ(size, image.GetSize());

        const std::size_t offset = bytes[10] | bytes[11] << 8;
        const bool rle = c.bmp.compression == 1 || c.bmp.compression == 2;
        for (std::size_t cut = 1; cut < bytes.size(); ++cut)
        {
            SCOPED_TRACE(cut);
            wxImage part;
            const PictureStatus status = Decode(bytes, part, cut);
            const PictureError e = status.error;
            EXPECT_TRUE(status.IsOk() ? !rle && Pixels(part) == c.expected
                                      : e == PictureError::Truncated ||
                                            (cut < offset && (e == PictureError::Damaged ||
                                                              (cut < 2 && e == PictureError::NotAPicture))))
                << DescribePictureStatus(status);
        }
    }
}

// Sizes over the limit are refused from the header alone.
TEST(BmpDecoder, RefusesBadHeadersWithAReason)
{
    const auto bad = [](std::size_t at, std::uint32_t value, std::size_t size = 4) {
        Bytes bytes = BuildBmp({4, 4, 8, 0, 40, {}, kColours, Bytes(16, 1)});
        for (std::size_t i = 0; i < size; ++i)
            bytes[at + i] = (value >> (8 * i)) & 0xFF;
        return bytes;
    };
    const std::string damaged = "bad BMP header";
    const struct { const char* name; Bytes bytes; PictureError error; std::string detail; int megapixels = 64; } cases[] = {
        // Compressions other programs use, such as JPEG (4) and PNG (5) inside, are not read.
        {"not BM", bad(1, 'X', 1), PictureError::NotAPicture, ""},
        {"header size", bad(14, 20), PictureError::Damaged, damaged},
        {"zero height", bad(22, 0), PictureError::Damaged, damaged},
        {"3 bpp", bad(28, 3), PictureError::Damaged, "bad BMP bit depth"},
        {"RLE4 at 8 bpp", bad(30, 2), PictureError::Damaged, "bad BMP compression for its bit depth"},
        {"PNG inside", bad(30, 5), PictureError::Unsupported, "BMP compression 5"},
        {"absurd colour count", bad(46, 0x40000000), PictureError::Damaged, "bad BMP palette"},
        {"offset past the end", bad(10, 5000), PictureError::Damaged, "bad BMP pixel offset"},
        {"huge, top-down", BuildBmp({40000, -40000, 32}), PictureError::TooLarge,
         "40000 x 40000 exceeds 64 megapixels"},
        {"over a lower limit", BuildBmp({2000, 1000}), PictureError::TooLarge, "2000 x 1000 exceeds 1 megapixels", 1},
    };
    PictureLimits limits;
    wxImage image;
    wxSize size;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        limits.maxPicturePixels = c.megapixels * PictureLimits::kMegapixel;
        for (const PictureStatus& status :
             {Decode(c.bytes, image, SIZE_MAX, limits), ProbeBmp(Open(c.bytes, c.bytes.size()).get(), size, limits)})
        {
            EXPECT_EQ(status.error, c.error);
            EXPECT_EQ(status.detail, c.detail);
        }
    }
    // Within a raised limit, missing pixel data is found before the picture is made.
    limits.maxPicturePixels = 4096 * PictureLimits::kMegapixel;
    EXPECT_EQ(Decode(BuildBmp({20000, 20000}), image, SIZE_MAX, limits).error, PictureError::Truncated);
}
