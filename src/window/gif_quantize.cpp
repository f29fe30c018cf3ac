#include "window/gif_quantize.h"

#include "window/gif_colourreduce.h"

#include <libimagequant.h>
#include <omp.h>
#include <wx/image.h>
#include <wx/palette.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace
{
// Measured on photographs and on screen-like frames of antialiased text:
// faster settings lose 20 dB on the latter, slower ones double the time on
// the former for half a dB.
const int kSpeed = 7;
// Full-strength dithering costs 1 to 2 dB and a third more bytes on
// photographs for little visible gain; this much still hides banding.
const float kDithering = 0.6f;
// Frames from this many pixels on, with more than this many colours
// (photographs, not screens), choose their palette from a sample: a third of
// the time for a hundredth of a dB. Screen-like frames lose their rare
// colours in a sample and are cheap to quantize whole.
const size_t kSampleFrom = 1 << 17;
const int kSampleAbove = 4096;

wxPalette MakePalette(const std::vector<unsigned char>& rgb)
{
    const int count = static_cast<int>(rgb.size() / 3);
    unsigned char r[256], g[256], b[256];
    for (int i = 0; i < count; ++i)
    {
        r[i] = rgb[3 * i];
        g[i] = rgb[3 * i + 1];
        b[i] = rgb[3 * i + 2];
    }
    return wxPalette(count, r, g, b);
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

wxImage ReduceFrameExact(const wxImage& composed)
{
    if (!composed.IsOk())
        return wxImage();
    const size_t pixels = static_cast<size_t>(composed.GetWidth()) * composed.GetHeight();
    const unsigned char* pixel = composed.GetData();

    // Open addressing over 1024 slots: twice the most colours ever kept.
    const std::uint32_t slots = 1024;
    std::vector<std::uint32_t> keys(slots, 0); // colour + 1, 0 = empty
    std::vector<unsigned char> colours;        // in order of first appearance
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
        if (colours.size() == 3 * 256)
            return wxImage(); // a 257th colour
        keys[slot] = key;
        colours.insert(colours.end(), pixel, pixel + 3);
    }
    if (colours.empty())
        return wxImage();

    wxImage reduced = composed.Copy();
    if (!reduced.IsOk())
        return wxImage();
    reduced.SetPalette(MakePalette(colours));
    return reduced;
}

wxImage QuantizeFrame(const wxImage& composed, int quality)
{
    if (!composed.IsOk())
        return wxImage();
    const int width = composed.GetWidth();
    const int height = composed.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;
    quality = std::clamp(quality, 1, 100);

    // Frames are already spread over the encoder's threads; one thread per
    // frame also keeps the quantizer's sums in one order, so the result is
    // the same however many frames are reduced at once.
    omp_set_num_threads(1);

    const std::unique_ptr<liq_attr, LiqAttrFree> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), 256) != LIQ_OK ||
        liq_set_quality(attr.get(), 0, quality) != LIQ_OK || liq_set_speed(attr.get(), kSpeed) != LIQ_OK)
        return wxImage();

    std::vector<liq_color> rgba(pixels);
    const unsigned char* src = composed.GetData();
    for (size_t p = 0; p < pixels; ++p, src += 3)
        rgba[p] = liq_color{src[0], src[1], src[2], 255};

    const std::unique_ptr<liq_image, LiqImageFree> image(
        liq_image_create_rgba(attr.get(), rgba.data(), width, height, 0));
    if (!image)
        return wxImage();

    // Large frames choose their palette from a quarter of their pixels: in
    // each row every fourth, shifted by one from row to row, so that every
    // row and every column (a line one pixel wide, too) is still seen.
    const int step =
        pixels >= kSampleFrom && width >= 4 && height >= 4 && HasMoreColours(composed, kSampleAbove) ? 4 : 1;
    std::vector<liq_color> sample;
    std::unique_ptr<liq_image, LiqImageFree> sampled;
    if (step > 1)
    {
        const int sampleWidth = width / step;
        sample.reserve(static_cast<size_t>(sampleWidth) * height);
        for (int y = 0; y < height; ++y)
        {
            const liq_color* row = &rgba[static_cast<size_t>(y) * width];
            for (int i = 0, x = (step - y % step) % step; i < sampleWidth; ++i, x += step)
                sample.push_back(row[std::min(x, width - 1)]);
        }
        sampled.reset(liq_image_create_rgba(attr.get(), sample.data(), sampleWidth, height, 0));
        if (!sampled)
            return wxImage();
    }
    liq_result* rawResult = nullptr;
    if (liq_image_quantize(sampled ? sampled.get() : image.get(), attr.get(), &rawResult) != LIQ_OK || !rawResult)
        return wxImage();
    const std::unique_ptr<liq_result, LiqResultFree> result(rawResult);
    liq_set_dithering_level(result.get(), kDithering * quality / 100.0f);

    std::vector<unsigned char> indices(pixels);
    if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) != LIQ_OK)
        return wxImage();
    const liq_palette* palette = liq_get_palette(result.get());
    if (!palette || palette->count == 0 || palette->count > 256)
        return wxImage();

    std::vector<unsigned char> entries;
    for (unsigned i = 0; i < palette->count; ++i)
        entries.insert(entries.end(), {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    wxImage reduced(width, height, false);
    if (!reduced.IsOk())
        return wxImage();
    unsigned char* dst = reduced.GetData();
    for (size_t p = 0; p < pixels; ++p, dst += 3)
    {
        const unsigned index = std::min<unsigned>(indices[p], palette->count - 1);
        std::copy_n(&entries[3 * index], 3, dst);
    }
    reduced.SetPalette(MakePalette(entries));
    return reduced;
}

wxImage ReduceFrame(const wxImage& composed, const GifEncodeOptions& options)
{
    if (options.quantizer == GifQuantizer::Toolkit)
        return ReduceFrameColours(composed);
    wxImage exact = ReduceFrameExact(composed);
    return exact.IsOk() ? exact : QuantizeFrame(composed, options.quality);
}
