#include "encoder/quantize.h"

#include "encoder/colourreduce.h"
#include "encoder/nearestcolour.h"

#include <libimagequant.h>
#include <omp.h>
#include <wx/image.h>
#include <wx/palette.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
// Measured on screen-like frames of antialiased text: faster settings lose
// 20 dB.
const int kSpeed = 7;
// Full-strength dithering costs 1 to 2 dB and a third more bytes on
// photographs for little visible gain; this much still hides banding.
const float kDithering = 0.6f;
// Frames from this many pixels on, with more than this many colours
// (photographs, not screens), choose their palette from a sample of about
// kSampleSize pixels (but at least every kMaxSampleStep-th), at the fastest
// speed: measured on photographs from 640x360 to 1920x1080, a tenth of the
// time of the whole frame at speed 7 for a tenth to a third of a dB.
// Screen-like frames lose their rare colours in a sample and are cheap to
// quantize whole.
const size_t kSampleFrom = 1 << 17;
const int kSampleAbove = 4096;
const size_t kSampleSize = 8192;
const int kMaxSampleStep = 64;
const int kSampledSpeed = 10;

wxPalette MakePalette(const unsigned char (*entries)[3], int count)
{
    unsigned char r[256], g[256], b[256];
    for (int i = 0; i < count; ++i)
    {
        r[i] = entries[i][0];
        g[i] = entries[i][1];
        b[i] = entries[i][2];
    }
    return wxPalette(count, r, g, b);
}

// Floyd-Steinberg error diffusion to the entries inside `area`, in
// serpentine order, with `strength` (0 to 1) of each error passed on; no
// error leaves the area, and every pixel outside it takes its nearest entry.
// Integer sums, so every machine and thread gives the same pixels.
void DitherToPalette(const unsigned char* src, int width, int height, const wxRect& area,
                     const unsigned char (*entries)[3], int count, float strength, unsigned char* dst)
{
    GifNearestColour nearest(entries, count);
    for (int y = 0; area.GetSize() != wxSize(width, height) && y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            if (area.Contains(x, y))
                continue;
            const size_t at = 3 * (static_cast<size_t>(y) * width + x);
            std::memcpy(dst + at, entries[nearest.Find(src[at], src[at + 1], src[at + 2])], 3);
        }
    }
    src += 3 * (static_cast<size_t>(area.y) * width + area.x);
    dst += 3 * (static_cast<size_t>(area.y) * width + area.x);
    const int stride = width;
    width = area.width;
    height = area.height;
    const int weight = static_cast<int>(std::lround(std::clamp(strength, 0.0f, 1.0f) * 256));
    // The errors the row below receives, in sixteenths of a level, with a
    // pixel of margin at either end (every one is written before it is
    // read); what goes to the right and the sums still growing below stay
    // in registers.
    const size_t span = 3 * (static_cast<size_t>(width) + 2);
    std::vector<int> errors(2 * span, 0);
    int* here = errors.data();
    int* below = here + span;
    for (int y = 0; y < height; ++y)
    {
        const bool forward = y % 2 == 0;
        const int dir = forward ? 1 : -1;
        const int first = forward ? 0 : width - 1;
        const unsigned char* pixel = src + 3 * (static_cast<size_t>(y) * stride + first);
        unsigned char* out = dst + 3 * (static_cast<size_t>(y) * stride + first);
        const int* error = here + 3 * (first + 1);
        int* next = below + 3 * (first + 1);
        int right[3] = {0, 0, 0};    // from the pixel before
        int behind[3] = {0, 0, 0};   // below the pixel before, not yet stored
        int ahead[3] = {0, 0, 0};    // below this pixel, from the one before
        for (int i = 0; i < width; ++i)
        {
            int want[3];
            for (int c = 0; c < 3; ++c)
                want[c] = std::clamp(pixel[c] + (((error[c] + right[c]) * weight + 2048) >> 12), 0, 255);
            const unsigned char* chosen = entries[nearest.Find(want[0], want[1], want[2])];
            for (int c = 0; c < 3; ++c)
            {
                const int diff = want[c] - chosen[c];
                out[c] = chosen[c];
                right[c] = 7 * diff;
                next[c - 3 * dir] = behind[c] + 3 * diff;
                behind[c] = ahead[c] + 5 * diff;
                ahead[c] = diff;
            }
            pixel += 3 * dir;
            out += 3 * dir;
            error += 3 * dir;
            next += 3 * dir;
        }
        for (int c = 0; c < 3; ++c)
        {
            next[c - 3 * dir] = behind[c];
            next[c] = ahead[c];
        }
        std::swap(here, below);
    }
}

struct LiqAttrFree
{
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct LiqImageFree
{
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct LiqResultFree
{
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};


// Whether the frame has more than `limit` colours; stops at the first beyond.
bool HasMoreColours(const wxImage& composed, int limit)
{
    std::uint32_t slots = 1024;
    while (slots < 2u * limit)
        slots *= 2;
    const int shift = 32 - __builtin_ctz(slots);
    std::vector<std::uint32_t> keys(slots, 0); // colour + 1, 0 = empty
    const size_t pixels = static_cast<size_t>(composed.GetWidth()) * composed.GetHeight();
    const unsigned char* pixel = composed.GetData();
    int found = 0;
    std::uint32_t previous = 0;
    for (size_t p = 0; p < pixels; ++p, pixel += 3)
    {
        const std::uint32_t key = ((std::uint32_t(pixel[0]) << 16) | (std::uint32_t(pixel[1]) << 8) | pixel[2]) + 1;
        if (key == previous)
            continue;
        previous = key;
        std::uint32_t slot = (key * 2654435761u) >> shift;
        while (keys[slot] != 0 && keys[slot] != key)
            slot = (slot + 1) & (slots - 1);
        if (keys[slot] == key)
            continue;
        if (++found > limit)
            return true;
        keys[slot] = key;
    }
    return false;
}
} // namespace

namespace
{
// The frame's colours in order of first appearance, or -1 when it has more
// than `limit` (at most 256).
int CollectColours(const wxImage& composed, int limit, unsigned char (*colours)[3])
{
    const size_t pixels = static_cast<size_t>(composed.GetWidth()) * composed.GetHeight();
    const unsigned char* pixel = composed.GetData();

    // Open addressing over 1024 slots: twice the most colours ever kept.
    const std::uint32_t slots = 1024;
    std::vector<std::uint32_t> keys(slots, 0); // colour + 1, 0 = empty
    int count = 0;
    std::uint32_t previous = 0;                // runs of one colour are common
    for (size_t p = 0; p < pixels; ++p, pixel += 3)
    {
        const std::uint32_t key = ((std::uint32_t(pixel[0]) << 16) | (std::uint32_t(pixel[1]) << 8) | pixel[2]) + 1;
        if (key == previous)
            continue;
        previous = key;
        std::uint32_t slot = (key * 2654435761u) >> 22;
        while (keys[slot] != 0 && keys[slot] != key)
            slot = (slot + 1) & (slots - 1);
        if (keys[slot] == key)
            continue;
        if (count == limit)
            return -1;
        keys[slot] = key;
        std::copy_n(pixel, 3, colours[count++]);
    }
    return count;
}
} // namespace

wxImage ReduceFrameExact(const wxImage& composed)
{
    if (!composed.IsOk())
        return wxImage();
    unsigned char colours[256][3];
    const int count = CollectColours(composed, 256, colours);
    if (count <= 0)
        return wxImage();

    wxImage reduced = composed.Copy();
    if (!reduced.IsOk())
        return wxImage();
    reduced.SetPalette(MakePalette(colours, count));
    return reduced;
}

int QuantizePalette(const wxImage& composed, int quality, int maxColours, bool withBlack,
                    unsigned char (*entries)[3])
{
    if (!composed.IsOk())
        return 0;
    const int width = composed.GetWidth();
    const int height = composed.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;
    quality = std::clamp(quality, 1, 100);

    // Frames are already spread over the encoder's threads; one thread per
    // frame also keeps the quantizer's sums in one order, so the result is
    // the same however many frames are reduced at once.
    omp_set_num_threads(1);

    // Large frames of many colours choose their palette from a sample: in
    // each row every `step`th pixel, shifted by one from row to row, so that
    // every row and every column (a line one pixel wide, too) is still seen.
    // Only the sample goes to the quantizer; the frame is mapped here.
    const bool sampled = pixels >= kSampleFrom && HasMoreColours(composed, kSampleAbove);
    const int step = sampled ? static_cast<int>(std::clamp<size_t>(pixels / kSampleSize, 1,
                                                                    std::min<size_t>(kMaxSampleStep, width)))
                             : 1;
    const int sampleWidth = width / step;
    std::vector<liq_color> sample(static_cast<size_t>(sampleWidth) * height);
    const unsigned char* const src = composed.GetData();
    liq_color* to = sample.data();
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* row = src + 3 * static_cast<size_t>(y) * width;
        for (int i = 0, x = (step - y % step) % step; i < sampleWidth; ++i, x += step, ++to)
        {
            const unsigned char* pixel = row + 3 * std::min(x, width - 1);
            *to = liq_color{pixel[0], pixel[1], pixel[2], 255};
        }
    }

    const std::unique_ptr<liq_attr, LiqAttrFree> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), std::clamp(maxColours, 2, 256)) != LIQ_OK ||
        liq_set_quality(attr.get(), 0, quality) != LIQ_OK ||
        liq_set_speed(attr.get(), sampled ? kSampledSpeed : kSpeed) != LIQ_OK)
        return 0;
    const std::unique_ptr<liq_image, LiqImageFree> image(
        liq_image_create_rgba(attr.get(), sample.data(), sampleWidth, height, 0));
    // The black around a letterboxed picture keeps its exact colour.
    if (!image || (withBlack && liq_image_add_fixed_color(image.get(), liq_color{0, 0, 0, 255}) != LIQ_OK))
        return 0;
    liq_result* rawResult = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &rawResult) != LIQ_OK || !rawResult)
        return 0;
    const std::unique_ptr<liq_result, LiqResultFree> result(rawResult);
    const liq_palette* palette = liq_get_palette(result.get());
    if (!palette || palette->count == 0 || palette->count > 256)
        return 0;
    for (unsigned i = 0; i < palette->count; ++i)
    {
        entries[i][0] = palette->entries[i].r;
        entries[i][1] = palette->entries[i].g;
        entries[i][2] = palette->entries[i].b;
    }
    return static_cast<int>(palette->count);
}

wxImage QuantizeFrame(const wxImage& composed, int quality, const wxRect& area)
{
    if (!composed.IsOk())
        return wxImage();
    const int width = composed.GetWidth();
    const int height = composed.GetHeight();
    const wxRect inside = area.IsEmpty() ? wxRect(0, 0, width, height) : area.Intersect(wxRect(0, 0, width, height));
    unsigned char entries[256][3];
    const int count = QuantizePalette(composed, quality, 256, inside.GetSize() != composed.GetSize(), entries);
    if (count == 0)
        return wxImage();
    wxImage reduced(width, height, false);
    if (!reduced.IsOk())
        return wxImage();
    // Our own mapping, not the quantizer's: it takes a fifth of the time.
    DitherToPalette(composed.GetData(), width, height, inside, entries, count,
                    kDithering * std::clamp(quality, 1, 100) / 100.0f, reduced.GetData());
    reduced.SetPalette(MakePalette(entries, count));
    return reduced;
}

wxImage ReduceFrame(const wxImage& composed, const GifEncodeOptions& options, const wxRect& area)
{
    if (options.quantizer == GifQuantizer::Toolkit)
        return ReduceFrameColours(composed);
    wxImage exact = ReduceFrameExact(composed);
    return exact.IsOk() ? exact : QuantizeFrame(composed, options.quality, area);
}

int ChooseFrameColours(const wxImage& composed, int maxColours, bool withBlack, unsigned char (*entries)[3])
{
    if (!composed.IsOk())
        return 0;
    const int count = CollectColours(composed, std::clamp(maxColours, 1, 256), entries);
    return count > 0 ? count : QuantizePalette(composed, 100, maxColours, withBlack, entries);
}
