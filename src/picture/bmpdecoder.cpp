// BMP, read by the program itself: every size taken from the headers is
// checked against the file and the limits before it is used, and RLE runs and
// deltas are clipped to the picture instead of being trusted.
#include "picture/picturedecoders.h"

#include <wx/image.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace
{
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;
constexpr std::uint64_t kFileHeaderSize = 14;

struct Rgb
{
    unsigned char r = 0, g = 0, b = 0;
};
using Palette = std::array<Rgb, 256>;

struct FreeDeleter
{
    void operator()(unsigned char* data) const { std::free(data); }
};
using MallocBuffer = std::unique_ptr<unsigned char, FreeDeleter>;

std::uint32_t Le16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

std::uint32_t Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool ReadExact(std::FILE* file, void* buffer, std::size_t size)
{
    return std::fread(buffer, 1, size, file) == size;
}

PictureStatus Damaged(const char* detail)
{
    return PictureStatus::Fail(PictureError::Damaged, detail);
}

// A zero mask counts: its channel is simply 0.
bool IsContiguous(std::uint32_t mask)
{
    while (mask && !(mask & 1))
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

// One colour of a bit-field pixel, widened to 8 bits by exact rounding so that
// the top value of any mask width gives 255.
class Channel
{
public:
    // The mask must be contiguous (see IsContiguous).
    void Set(std::uint32_t mask)
    {
        m_mask = mask;
        m_shift = 0;
        m_max = 0;
        m_table.assign(1, 0);
        if (mask == 0)
            return;
        while (!(mask & 1))
        {
            mask >>= 1;
            ++m_shift;
        }
        m_max = mask;
        if (m_max <= 0xFFFF)
        {
            m_table.resize(m_max + 1);
            for (std::uint32_t value = 0; value <= m_max; ++value)
                m_table[value] = Widen(value);
        }
    }

    bool IsUsed() const { return m_mask != 0; }

    unsigned char From(std::uint32_t pixel) const
    {
        const std::uint32_t value = (pixel & m_mask) >> m_shift;
        return m_max <= 0xFFFF ? m_table[value] : Widen(value);
    }

private:
    unsigned char Widen(std::uint32_t value) const
    {
        if (m_max == 0)
            return 0;
        const std::uint64_t max = m_max;
        return static_cast<unsigned char>((value * std::uint64_t(510) + max) / (2 * max));
    }

    std::uint32_t m_mask = 0;
    int m_shift = 0;
    std::uint32_t m_max = 0;
    std::vector<unsigned char> m_table = std::vector<unsigned char>(1, 0);
};

struct BmpHeader
{
    std::uint64_t fileSize = 0;
    std::uint64_t dataOffset = 0;
    std::uint64_t paletteOffset = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    int paletteEntrySize = 4;
    std::uint32_t paletteCount = 0;
};

bool IsKnownInfoSize(std::uint32_t size)
{
    switch (size)
    {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

// Everything before the palette, checked as far as it can be without reading
// any pixel data.
PictureStatus ReadHeader(std::FILE* file, BmpHeader& header, const PictureLimits& limits)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return Damaged("unreadable BMP file");
    const long end = std::ftell(file);
    if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        return Damaged("unreadable BMP file");
    header.fileSize = static_cast<std::uint64_t>(end);

    unsigned char head[kFileHeaderSize + 124] = {};
    const std::size_t got = std::fread(head, 1, kFileHeaderSize + 4, file);
    if (got < 2 || head[0] != 'B' || head[1] != 'M')
        return PictureStatus::Fail(PictureError::NotAPicture);
    if (got < kFileHeaderSize + 4)
        return PictureStatus::Fail(PictureError::Truncated);
    header.dataOffset = Le32(head + 10);
    const std::uint32_t infoSize = Le32(head + 14);
    if (!IsKnownInfoSize(infoSize))
        return Damaged("bad BMP header");
    unsigned char* const info = head + kFileHeaderSize;
    if (!ReadExact(file, info + 4, infoSize - 4))
        return PictureStatus::Fail(PictureError::Truncated);

    std::int64_t height = 0;
    std::uint32_t colorsUsed = 0;
    if (infoSize == 12)
    {
        // OS/2 core header: unsigned 16-bit sizes, always bottom-up.
        header.width = Le16(info + 4);
        height = Le16(info + 6);
        header.bitCount = static_cast<int>(Le16(info + 10));
        header.paletteEntrySize = 3;
    }
    else
    {
        header.width = Le32(info + 4) > INT32_MAX ? 0 : Le32(info + 4);
        height = static_cast<std::int32_t>(Le32(info + 8));
        header.bitCount = static_cast<int>(Le16(info + 14));
        if (infoSize >= 20)
            header.compression = Le32(info + 16);
        if (infoSize >= 36)
            colorsUsed = Le32(info + 32);
    }

    // OS/2 2.x numbers its compressions differently: 3 and 4 are Huffman and
    // RLE24 there, not bit fields.
    const bool os2 = infoSize == 16 || infoSize == 64;
    const std::uint32_t compression = header.compression;
    const bool known = compression == kRgb || compression == kRle8 || compression == kRle4 ||
                       (!os2 && (compression == kBitFields || compression == kAlphaBitFields));
    if (!known)
        return PictureStatus::Fail(PictureError::Unsupported,
                                   wxString::Format("BMP compression %lu", static_cast<unsigned long>(compression)));

    if (header.width == 0 || height == 0)
        return Damaged("bad BMP header");
    header.topDown = height < 0;
    header.height = static_cast<std::uint32_t>(height < 0 ? -height : height);

    const int bits = header.bitCount;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Damaged("bad BMP bit depth");
    const bool bitFields = compression == kBitFields || compression == kAlphaBitFields;
    if ((compression == kRle8 && bits != 8) || (compression == kRle4 && bits != 4) ||
        (bitFields && bits != 16 && bits != 32))
        return Damaged("bad BMP compression for its bit depth");

    if (!FitsPictureLimit(header.width, header.height, limits))
        return TooLargePicture(header.width, header.height, limits);
    // wxImage sizes its buffers with int arithmetic.
    if (std::uint64_t(header.width) * header.height > INT_MAX / 4)
        return PictureStatus::Fail(PictureError::TooLarge,
                                   wxString::Format("%lu x %lu is more than a picture can hold",
                                                    static_cast<unsigned long>(header.width),
                                                    static_cast<unsigned long>(header.height)));

    std::uint64_t headersEnd = kFileHeaderSize + infoSize;
    if (bits == 16)
        header.masks = {0x7C00, 0x03E0, 0x001F, 0};
    else if (bits == 32)
        header.masks = {0xFF0000, 0xFF00, 0xFF, 0};
    if (bitFields)
    {
        const int count = compression == kAlphaBitFields ? 4 : 3;
        const unsigned char* masks = info + 40;
        unsigned char after[16] = {};
        if (infoSize == 40)
        {
            // A plain info header keeps its masks just behind it.
            if (!ReadExact(file, after, 4 * count))
                return PictureStatus::Fail(PictureError::Truncated);
            masks = after;
            headersEnd += 4 * count;
        }
        header.masks = {};
        const int present = infoSize == 40 ? count : (infoSize >= 56 ? 4 : 3);
        for (int i = 0; i < present; ++i)
            header.masks[i] = Le32(masks + 4 * i);
        for (const std::uint32_t mask : header.masks)
            if (!IsContiguous(mask))
                return Damaged("bad BMP bit masks");
    }

    header.paletteOffset = headersEnd;
    if (bits <= 8)
    {
        const std::uint32_t full = 1u << bits;
        header.paletteCount = colorsUsed ? colorsUsed : full;
        const std::uint64_t paletteEnd =
            headersEnd + std::uint64_t(header.paletteCount) * static_cast<std::uint64_t>(header.paletteEntrySize);
        if (paletteEnd > header.fileSize)
            return Damaged("bad BMP palette");
    }
    if (header.dataOffset < headersEnd || header.dataOffset > header.fileSize)
        return Damaged("bad BMP pixel offset");
    return PictureStatus();
}

PictureStatus ReadPalette(std::FILE* file, const BmpHeader& header, Palette& palette)
{
    // Indices past the colours the file gives stay black.
    const std::uint32_t count = header.paletteCount < 256 ? header.paletteCount : 256;
    if (count == 0)
        return PictureStatus();
    std::vector<unsigned char> bytes(count * header.paletteEntrySize);
    if (std::fseek(file, static_cast<long>(header.paletteOffset), SEEK_SET) != 0 ||
        !ReadExact(file, bytes.data(), bytes.size()))
        return PictureStatus::Fail(PictureError::Truncated);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const unsigned char* entry = &bytes[i * header.paletteEntrySize];
        palette[i].b = entry[0];
        palette[i].g = entry[1];
        palette[i].r = entry[2];
    }
    return PictureStatus();
}

// Where a row as stored lands in the picture, whose top row comes first.
std::uint64_t PictureRow(const BmpHeader& header, std::uint64_t storedRow)
{
    return header.topDown ? storedRow : header.height - 1 - storedRow;
}

std::uint64_t RowBytes(const BmpHeader& header)
{
    return (std::uint64_t(header.width) * header.bitCount + 7) / 8;
}

// Rows are padded to whole 32-bit words.
std::uint64_t Stride(const BmpHeader& header)
{
    return (std::uint64_t(header.width) * header.bitCount + 31) / 32 * 4;
}

// Whether the file holds every row; the last one may lack its padding.
bool HasAllRows(const BmpHeader& header)
{
    const std::uint64_t available = header.fileSize - header.dataOffset;
    const std::uint64_t rowBytes = RowBytes(header);
    return available >= rowBytes && (available - rowBytes) / Stride(header) >= header.height - 1;
}

PictureStatus DecodeRows(std::FILE* file, const BmpHeader& header, const Palette& palette, wxImage& image)
{
    const std::uint64_t width = header.width;
    const int bits = header.bitCount;
    const std::uint64_t rowBytes = RowBytes(header);
    const std::uint64_t stride = Stride(header);
    if (std::fseek(file, static_cast<long>(header.dataOffset), SEEK_SET) != 0)
        return PictureStatus::Fail(PictureError::Truncated);

    std::array<Channel, 4> channels;
    for (int i = 0; i < 4; ++i)
        channels[i].Set(header.masks[i]);
    MallocBuffer alpha;
    if (bits >= 16 && channels[3].IsUsed())
    {
        alpha.reset(static_cast<unsigned char*>(std::calloc(width * header.height, 1)));
        if (!alpha)
            return PictureStatus::Fail(PictureError::OutOfMemory);
    }
    bool anyAlpha = false;

    std::vector<unsigned char> buffer(stride);
    const unsigned char* const in = buffer.data();
    for (std::uint64_t y = 0; y < header.height; ++y)
    {
        if (!ReadExact(file, buffer.data(), y + 1 < header.height ? stride : rowBytes))
            return PictureStatus::Fail(PictureError::Truncated);
        const std::uint64_t row = PictureRow(header, y);
        unsigned char* out = image.GetData() + row * width * 3;
        switch (bits)
        {
        case 1:
        case 2:
        case 4:
        {
            // Pixels are packed from the high bits of each byte down.
            const unsigned mask = (1u << bits) - 1;
            const unsigned char* packed = in;
            int shift = 8 - bits;
            for (std::uint64_t x = 0; x < width; ++x, out += 3)
            {
                const Rgb& colour = palette[(*packed >> shift) & mask];
                out[0] = colour.r;
                out[1] = colour.g;
                out[2] = colour.b;
                if (shift == 0)
                {
                    shift = 8 - bits;
                    ++packed;
                }
                else
                {
                    shift -= bits;
                }
            }
            break;
        }
        case 8:
            for (std::uint64_t x = 0; x < width; ++x, out += 3)
            {
                const Rgb& colour = palette[in[x]];
                out[0] = colour.r;
                out[1] = colour.g;
                out[2] = colour.b;
            }
            break;
        case 24:
            for (std::uint64_t x = 0; x < width; ++x, out += 3)
            {
                out[0] = in[3 * x + 2];
                out[1] = in[3 * x + 1];
                out[2] = in[3 * x];
            }
            break;
        default:
        {
            unsigned char* const rowAlpha = alpha ? alpha.get() + row * width : nullptr;
            const int size = bits / 8;
            for (std::uint64_t x = 0; x < width; ++x, out += 3)
            {
                const std::uint32_t pixel = size == 2 ? Le16(in + 2 * x) : Le32(in + 4 * x);
                out[0] = channels[0].From(pixel);
                out[1] = channels[1].From(pixel);
                out[2] = channels[2].From(pixel);
                if (rowAlpha)
                {
                    rowAlpha[x] = channels[3].From(pixel);
                    anyAlpha = anyAlpha || rowAlpha[x] != 0;
                }
            }
            break;
        }
        }
    }
    // Many writers leave the alpha bits 0 throughout: such a picture is opaque.
    if (anyAlpha)
        image.SetAlpha(alpha.release());
    return PictureStatus();
}

// The RLE data is read through a buffer of its own, so a long file costs
// time in proportion to it but never memory.
class ByteSource
{
public:
    explicit ByteSource(std::FILE* file) : m_file(file), m_buffer(64 * 1024) {}

    // -1 at the end of the file.
    int Next()
    {
        if (m_position == m_filled)
        {
            m_filled = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
            m_position = 0;
            if (m_filled == 0)
                return -1;
        }
        return m_buffer[m_position++];
    }

private:
    std::FILE* m_file;
    std::vector<unsigned char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_filled = 0;
};

PictureStatus DecodeRle(std::FILE* file, const BmpHeader& header, const Palette& palette, wxImage& image)
{
    if (std::fseek(file, static_cast<long>(header.dataOffset), SEEK_SET) != 0)
        return PictureStatus::Fail(PictureError::Truncated);
    ByteSource source(file);
    const bool four = header.compression == kRle4;
    // Positions may run past the picture; such pixels are dropped.
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    const auto put = [&](int index) {
        if (x < header.width && y < header.height)
        {
            unsigned char* out = image.GetData() + (PictureRow(header, y) * header.width + x) * 3;
            out[0] = palette[index].r;
            out[1] = palette[index].g;
            out[2] = palette[index].b;
        }
        ++x;
    };
    const PictureStatus truncated = PictureStatus::Fail(PictureError::Truncated);
    for (;;)
    {
        const int count = source.Next();
        const int value = source.Next();
        if (value < 0)
            return truncated;
        if (count > 0)
        {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0)
        {
            x = 0;
            ++y;
        }
        else if (value == 1)
        {
            return PictureStatus();
        }
        else if (value == 2)
        {
            const int dx = source.Next();
            const int dy = source.Next();
            if (dy < 0)
                return truncated;
            x += dx;
            y += dy;
        }
        else
        {
            // An absolute run, padded to a whole number of 16-bit words.
            const int bytes = four ? (value + 1) / 2 : value;
            int pixel = 0;
            for (int i = 0; i < bytes; ++i)
            {
                const int byte = source.Next();
                if (byte < 0)
                    return truncated;
                if (four)
                {
                    put(byte >> 4);
                    if (++pixel < value)
                        put(byte & 15);
                    ++pixel;
                }
                else
                {
                    put(byte);
                }
            }
            if (bytes % 2 && source.Next() < 0)
                return truncated;
        }
    }
}

PictureStatus Decode(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits)
{
    BmpHeader header;
    PictureStatus status = ReadHeader(file, header, limits);
    if (!status.IsOk())
        return status;
    Palette palette;
    if (header.bitCount <= 8)
    {
        status = ReadPalette(file, header, palette);
        if (!status.IsOk())
            return status;
    }
    const bool rle = header.compression == kRle8 || header.compression == kRle4;
    // Known before the picture is allocated, unlike the end of RLE data.
    if (!rle && !HasAllRows(header))
        return PictureStatus::Fail(PictureError::Truncated);
    wxImage image;
    if (!image.Create(static_cast<int>(header.width), static_cast<int>(header.height), true) || !image.IsOk())
        return PictureStatus::Fail(PictureError::OutOfMemory);
    status = rle ? DecodeRle(file, header, palette, image) : DecodeRows(file, header, palette, image);
    if (!status.IsOk())
        return status;
    sink(image);
    return PictureStatus();
}
} // namespace

PictureStatus DecodeBmp(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits)
{
    try
    {
        return Decode(file, sink, limits);
    }
    catch (const std::bad_alloc&)
    {
        return PictureStatus::Fail(PictureError::OutOfMemory);
    }
}

PictureStatus ProbeBmp(std::FILE* file, wxSize& size, const PictureLimits& limits)
{
    BmpHeader header;
    const PictureStatus status = ReadHeader(file, header, limits);
    if (status.IsOk())
        size = wxSize(static_cast<int>(header.width), static_cast<int>(header.height));
    return status;
}
