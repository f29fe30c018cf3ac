#pragma once
// Picture files built from their fields, and how far two pictures are apart.

#include <wx/image.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace picturefiles
{
using Bytes = std::vector<unsigned char>;

struct Bmp
{
    int width = 1, height = 1, bits = 24;
    std::uint32_t compression = 0;
    int infoSize = 40;
    // Masks after a 40-byte header, else in it; colours 0xRRGGBB; rows padded.
    std::vector<std::uint32_t> masks = {}, palette = {};
    Bytes pixels = {};
};

inline Bytes BuildBmp(const Bmp& bmp)
{
    const auto put = [](Bytes& bytes, std::uint32_t value, std::size_t size = 4) {  // little-endian
        for (std::size_t i = 0; i < size; ++i)
            bytes.push_back((value >> (8 * i)) & 0xFF);
    };
    // The OS/2 core header has 16-bit sizes, no colour count and 3-byte palette entries.
    const bool core = bmp.infoSize == 12;
    std::vector<std::uint32_t> palette = bmp.palette;
    Bytes info;
    put(info, bmp.infoSize);
    put(info, bmp.width, core ? 2 : 4);
    put(info, bmp.height, core ? 2 : 4);
    put(info, 1, 2);
    put(info, bmp.bits, 2);
    if (core)
        palette.resize(std::size_t(1) << bmp.bits);
    else
    {
        for (const std::uint32_t field : {bmp.compression, std::uint32_t(bmp.pixels.size()), 2835u, 2835u,
                                          std::uint32_t(palette.size()), 0u})
            put(info, field);
        info.resize(std::min(bmp.infoSize, 40));
        for (const std::uint32_t mask : bmp.masks)
            put(info, mask);
        info.resize(std::max(info.size(), std::size_t(bmp.infoSize)));
    }
    const std::size_t entry = core ? 3 : 4;
    const std::uint32_t offset = 14 + info.size() + entry * palette.size();
    Bytes file = {'B', 'M'};
    for (const std::uint32_t field : {offset + std::uint32_t(bmp.pixels.size()), 0u, offset})
        put(file, field);
    file.insert(file.end(), info.begin(), info.end());
    for (const std::uint32_t colour : palette)
        put(file, colour, entry);  // blue, green, red (, 0)
    file.insert(file.end(), bmp.pixels.begin(), bmp.pixels.end());
    return file;
}

// Mean absolute difference over the RGB values; huge when the sizes differ.
inline double MeanDifference(const wxImage& a, const wxImage& b)
{
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return 1e9;
    const size_t values = 3 * static_cast<size_t>(a.GetWidth()) * a.GetHeight();
    double sum = 0;
    for (size_t i = 0; i < values; ++i)
        sum += std::abs(a.GetData()[i] - b.GetData()[i]);
    return sum / values;
}
} // namespace picturefiles
