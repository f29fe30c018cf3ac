#pragma once
// Maps a pixel colour to the first palette entry of that colour, without
// searching the palette for every pixel.

#include <cstdint>
#include <vector>

class GifColourIndex
{
public:
    // entries: count triples of red, green, blue.
    GifColourIndex(const unsigned char (*entries)[3], int count);

    // First entry equal to (r, g, b), or -1 when the colour is in no entry.
    int Find(unsigned char r, unsigned char g, unsigned char b) const;

    // The same answer by walking the entries in order; kept as the reference
    // the table must agree with.
    int FindLinear(unsigned char r, unsigned char g, unsigned char b) const;

private:
    static std::uint32_t Key(unsigned char r, unsigned char g, unsigned char b)
    {
        return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
    }

    const unsigned char (*m_entries)[3];
    int m_count;
    // Open addressing: slot holds key + 1 (0 = empty) and the entry index.
    std::vector<std::uint32_t> m_keys;
    std::vector<std::int16_t> m_indices;
};
