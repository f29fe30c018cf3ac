#include "frames/framecodec.h"

#include "picture/picturebytes.h"
#include "picture/picturelimits.h"

#include <wx/image.h>

#include <zstd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace
{
// The first byte tells the form apart.
const char kSourceForm = 'S';
const char kPixelForm = 'P';
// Pixel form header: form, flags, mask red, green, blue, width and height
// (4 bytes each, little endian).
const std::size_t kPixelHeader = 13;
const unsigned char kHasAlpha = 1, kHasMask = 2;
// Level 1: flat frames shrink a thousandfold at over a gigabyte a second;
// higher levels save little on frames and cost much more time.
const int kCompressionLevel = 1;

void PutU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::uint32_t GetU32(const std::string& in, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

std::size_t RawSize(const wxImage& picture)
{
    return static_cast<std::size_t>(picture.GetWidth()) * picture.GetHeight() * (picture.HasAlpha() ? 4 : 3);
}

std::string PackPixels(const wxImage& picture)
{
    const std::size_t pixels = static_cast<std::size_t>(picture.GetWidth()) * picture.GetHeight();
    std::string out;
    out.push_back(kPixelForm);
    out.push_back(static_cast<char>((picture.HasAlpha() ? kHasAlpha : 0) | (picture.HasMask() ? kHasMask : 0)));
    out.push_back(static_cast<char>(picture.HasMask() ? picture.GetMaskRed() : 0));
    out.push_back(static_cast<char>(picture.HasMask() ? picture.GetMaskGreen() : 0));
    out.push_back(static_cast<char>(picture.HasMask() ? picture.GetMaskBlue() : 0));
    PutU32(out, static_cast<std::uint32_t>(picture.GetWidth()));
    PutU32(out, static_cast<std::uint32_t>(picture.GetHeight()));

    // One frame over the colours and then the alpha, streamed so that no
    // joined copy of the two is made.
    ZSTD_CCtx* context = ZSTD_createCCtx();
    if (!context)
        return std::string();
    ZSTD_CCtx_setParameter(context, ZSTD_c_compressionLevel, kCompressionLevel);
    const std::size_t total = RawSize(picture);
    ZSTD_CCtx_setPledgedSrcSize(context, total);
    // Left uninitialised: only the pages the packed frame fills are touched,
    // a few kilobytes for a flat 48 MB frame.
    const std::size_t bound = kPixelHeader + ZSTD_compressBound(total);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[bound]);
    if (!buffer)
    {
        ZSTD_freeCCtx(context);
        return std::string();
    }
    std::memcpy(buffer.get(), out.data(), kPixelHeader);
    ZSTD_outBuffer output{buffer.get(), bound, kPixelHeader};
    bool ok = true;
    const struct
    {
        const unsigned char* data;
        std::size_t size;
    } parts[2] = {{picture.GetData(), pixels * 3}, {picture.HasAlpha() ? picture.GetAlpha() : nullptr, pixels}};
    for (int p = 0; p < 2 && ok; ++p)
    {
        if (!parts[p].data)
            continue;
        ZSTD_inBuffer input{parts[p].data, parts[p].size, 0};
        const ZSTD_EndDirective mode = (p == 1 || !picture.HasAlpha()) ? ZSTD_e_end : ZSTD_e_continue;
        for (;;)
        {
            const std::size_t left = ZSTD_compressStream2(context, &output, &input, mode);
            if (ZSTD_isError(left))
            {
                ok = false;
                break;
            }
            if (mode == ZSTD_e_end ? left == 0 : input.pos == input.size)
                break;
        }
    }
    ZSTD_freeCCtx(context);
    if (!ok)
        return std::string();
    return std::string(buffer.get(), output.pos);
}

bool UnpackPixels(const std::string& packed, wxImage& picture)
{
    if (packed.size() < kPixelHeader)
        return false;
    const unsigned char flags = static_cast<unsigned char>(packed[1]);
    const std::uint32_t width = GetU32(packed, 5), height = GetU32(packed, 9);
    // Only what PackPixels writes: sizes the picture reader allows.
    if (width == 0 || height == 0 || static_cast<std::uint64_t>(width) * height > PictureLimits().maxPicturePixels)
        return false;
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    const std::size_t total = pixels * ((flags & kHasAlpha) ? 4 : 3);
    const void* body = packed.data() + kPixelHeader;
    const std::size_t bodySize = packed.size() - kPixelHeader;
    if (ZSTD_getFrameContentSize(body, bodySize) != total)
        return false;
    wxImage out(static_cast<int>(width), static_cast<int>(height), false);
    if (!out.IsOk())
        return false;
    if (flags & kHasAlpha)
        out.SetAlpha();
    ZSTD_DCtx* context = ZSTD_createDCtx();
    if (!context)
        return false;
    ZSTD_inBuffer input{body, bodySize, 0};
    bool ok = true;
    unsigned char* targets[2] = {out.GetData(), (flags & kHasAlpha) ? out.GetAlpha() : nullptr};
    const std::size_t sizes[2] = {pixels * 3, pixels};
    for (int p = 0; p < 2 && ok; ++p)
    {
        if (!targets[p])
            continue;
        ZSTD_outBuffer output{targets[p], sizes[p], 0};
        while (output.pos < output.size)
        {
            const std::size_t read = input.pos, written = output.pos;
            if (ZSTD_isError(ZSTD_decompressStream(context, &output, &input)) ||
                (input.pos == read && output.pos == written))
            {
                ok = false; // damaged, or cut short
                break;
            }
        }
    }
    ZSTD_freeDCtx(context);
    if (!ok)
        return false;
    if (flags & kHasMask)
        out.SetMaskColour(static_cast<unsigned char>(packed[2]), static_cast<unsigned char>(packed[3]),
                          static_cast<unsigned char>(packed[4]));
    picture = out;
    return true;
}

bool UnpackSource(const std::string& packed, wxImage& picture)
{
    // The program's own reader, with its limits, over the kept bytes.
    return ReadPictureBytes(packed.substr(1), picture).IsOk();
}
} // namespace

std::string PackFrame(const wxImage& picture, std::string&& source)
{
    if (!picture.IsOk())
        return std::string();
    // A JPEG's bytes are a twentieth of its pixels; a BMP's are no smaller.
    if (!source.empty() && source.size() < RawSize(picture) / 2)
    {
        std::string packed;
        packed.reserve(source.size() + 1);
        packed.push_back(kSourceForm);
        packed.append(source);
        source.clear();
        return packed;
    }
    return PackPixels(picture);
}

bool UnpackFrame(const std::string& packed, wxImage& picture)
{
    if (packed.empty())
        return false;
    if (packed[0] == kSourceForm)
        return UnpackSource(packed, picture);
    if (packed[0] == kPixelForm)
        return UnpackPixels(packed, picture);
    return false;
}
