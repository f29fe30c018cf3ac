#pragma once
// LZW compression of GIF image data, for any minimum code size from 2 to 8:
// variable-length codes from minimum + 1 up to 12 bits, a clear code when the
// table is full, packed least significant bit first into data sub-blocks.

#include <cstddef>
#include <cstdint>
#include <vector>

struct GifLossyPixels;

class GifLzwEncoder
{
public:
    // `indices` must all be below 2^minCodeSize.
    explicit GifLzwEncoder(int minCodeSize);

    // The code size byte, the sub-blocks and the block terminator for
    // `count` indices.
    std::vector<unsigned char> Encode(const unsigned char* indices, size_t count);

    // The same for pixels that accept more than one index: a string is
    // extended whenever one of the indices a pixel accepts continues it.
    // `chosen` (count bytes) receives the index written for each pixel.
    std::vector<unsigned char> EncodeLossy(const GifLossyPixels& pixels, unsigned char* chosen);

private:
    void Start();
    // Adds `prefix` + `index` as the next code, or clears a full table.
    void AddCode(std::uint32_t slot, std::uint32_t key, int prefix, int index);
    void Finish(int prefix);
    void Reset();
    void Emit(int code);
    void FlushBlock();

    const int m_minCodeSize;
    const int m_clearCode;
    int m_bits = 0;
    int m_next = 0;
    std::uint32_t m_accumulator = 0;
    int m_accumulated = 0;
    std::vector<unsigned char> m_block;
    std::vector<unsigned char> m_out;
    // Open addressing: key (prefix code << 8 | index) + 1, 0 = empty.
    std::vector<std::uint32_t> m_keys;
    std::vector<std::uint16_t> m_codes;
    // Each code's first longer code and the next code of the same prefix,
    // and the index a code ends in: the strings that continue a prefix.
    std::vector<std::int16_t> m_firstChild, m_nextSibling;
    std::vector<unsigned char> m_last;
};
