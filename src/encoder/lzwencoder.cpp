#include "encoder/lzwencoder.h"

#include <algorithm>

namespace
{
const int kMaxCode = 4095; // 12 bits
const std::uint32_t kSlots = 1 << 13; // twice the codes a table holds
} // namespace

GifLzwEncoder::GifLzwEncoder(int minCodeSize)
    : m_minCodeSize(std::clamp(minCodeSize, 2, 8)), m_clearCode(1 << m_minCodeSize), m_keys(kSlots), m_codes(kSlots)
{
}

void GifLzwEncoder::Reset()
{
    std::fill(m_keys.begin(), m_keys.end(), 0);
    m_next = m_clearCode + 2;
}

void GifLzwEncoder::Emit(int code)
{
    m_accumulator |= static_cast<std::uint32_t>(code) << m_accumulated;
    m_accumulated += m_bits;
    while (m_accumulated >= 8)
    {
        m_block.push_back(static_cast<unsigned char>(m_accumulator & 0xFF));
        m_accumulator >>= 8;
        m_accumulated -= 8;
        if (m_block.size() == 255)
            FlushBlock();
    }
    // A decoder widens its codes once the next free code no longer fits.
    if (m_next > (1 << m_bits) - 1 && m_bits < 12)
        ++m_bits;
}

void GifLzwEncoder::FlushBlock()
{
    if (m_block.empty())
        return;
    m_out.push_back(static_cast<unsigned char>(m_block.size()));
    m_out.insert(m_out.end(), m_block.begin(), m_block.end());
    m_block.clear();
}

std::vector<unsigned char> GifLzwEncoder::Encode(const unsigned char* indices, size_t count)
{
    m_out.assign(1, static_cast<unsigned char>(m_minCodeSize));
    m_block.clear();
    m_accumulator = 0;
    m_accumulated = 0;
    m_bits = m_minCodeSize + 1;
    Reset();
    Emit(m_clearCode);
    const int limit = m_clearCode - 1;
    if (count > 0)
    {
        int prefix = std::min<int>(indices[0], limit);
        for (size_t i = 1; i < count; ++i)
        {
            const int index = std::min<int>(indices[i], limit);
            const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8 | index) + 1;
            std::uint32_t slot = (key * 2654435761u) >> 19;
            while (m_keys[slot] != 0 && m_keys[slot] != key)
                slot = (slot + 1) & (kSlots - 1);
            if (m_keys[slot] == key)
            {
                prefix = m_codes[slot];
                continue;
            }
            Emit(prefix);
            if (m_next <= kMaxCode)
            {
                m_keys[slot] = key;
                m_codes[slot] = static_cast<std::uint16_t>(m_next++);
            }
            else
            {
                // The table is full: start again from the single indices.
                Emit(m_clearCode);
                Reset();
                m_bits = m_minCodeSize + 1;
            }
            prefix = index;
        }
        Emit(prefix);
    }
    Emit(m_clearCode + 1);
    if (m_accumulated > 0)
        m_block.push_back(static_cast<unsigned char>(m_accumulator & 0xFF));
    FlushBlock();
    m_out.push_back(0);
    return std::move(m_out);
}
