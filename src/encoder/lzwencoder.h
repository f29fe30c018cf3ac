#pragma once
// LZW compression of GIF image data, for any minimum code size from 2 to 8:
// variable-length codes from minimum + 1 up to 12 bits, a clear code when the
// table is full, packed least significant bit first into data sub-blocks.

#include <cstddef>
#include <cstdint>
#include <vector>

class GifLzwEncoder
{
public:
    // `indices` must all be below 2^minCodeSize.
    explicit GifLzwEncoder(int minCodeSize);

    // The code size byte, the sub-blocks and the block terminator for
    // `count` indices.
    std::vector<unsigned char> Encode(const unsigned char* indices, size_t count);

private:
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
};
