#include "encoder/lzwencoder.h"

#include "encoder/lossypixels.h"

#include <algorithm>
#include <climits>

namespace
{
const int kMaxCode = 4095; // 12 bits
const std::uint32_t kSlots = 1 << 13; // twice the codes a table holds
} // namespace

GifLzwEncoder::GifLzwEncoder(int minCodeSize)
    : m_minCodeSize(std::clamp(minCodeSize, 2, 8)), m_clearCode(1 << m_minCodeSize), m_keys(kSlots), m_codes(kSlots),
      m_firstChild(kMaxCode + 1, -1), m_nextSibling(kMaxCode + 1, -1), m_last(kMaxCode + 1, 0)
{
}

void GifLzwEncoder::Reset()
{
    std::fill(m_keys.begin(), m_keys.end(), 0);
    std::fill(m_firstChild.begin(), m_firstChild.end(), -1);
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

void GifLzwEncoder::Start()
{
    m_out.assign(1, static_cast<unsigned char>(m_minCodeSize));
    m_block.clear();
    m_accumulator = 0;
    m_accumulated = 0;
    m_bits = m_minCodeSize + 1;
    Reset();
    Emit(m_clearCode);
}

void GifLzwEncoder::AddCode(std::uint32_t slot, std::uint32_t key, int prefix, int index)
{
    if (m_next <= kMaxCode)
    {
        m_keys[slot] = key;
        m_codes[slot] = static_cast<std::uint16_t>(m_next);
        m_last[m_next] = static_cast<unsigned char>(index);
        m_nextSibling[m_next] = m_firstChild[prefix];
        m_firstChild[prefix] = static_cast<std::int16_t>(m_next);
        ++m_next;
    }
    else
    {
        // The table is full: start again from the single indices.
        Emit(m_clearCode);
        Reset();
        m_bits = m_minCodeSize + 1;
    }
}

void GifLzwEncoder::Finish(int prefix)
{
    if (prefix >= 0)
        Emit(prefix);
    Emit(m_clearCode + 1);
    if (m_accumulated > 0)
        m_block.push_back(static_cast<unsigned char>(m_accumulator & 0xFF));
    FlushBlock();
    m_out.push_back(0);
}

namespace
{
std::uint32_t SlotOf(std::uint32_t key, std::uint32_t slots, const std::vector<std::uint32_t>& keys)
{
    std::uint32_t slot = (key * 2654435761u) >> 19;
    while (keys[slot] != 0 && keys[slot] != key)
        slot = (slot + 1) & (slots - 1);
    return slot;
}
} // namespace

std::vector<unsigned char> GifLzwEncoder::Encode(const unsigned char* indices, size_t count)
{
    Start();
    const int limit = m_clearCode - 1;
    int prefix = -1;
    if (count > 0)
    {
        prefix = std::min<int>(indices[0], limit);
        for (size_t i = 1; i < count; ++i)
        {
            const int index = std::min<int>(indices[i], limit);
            const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8 | index) + 1;
            const std::uint32_t slot = SlotOf(key, kSlots, m_keys);
            if (m_keys[slot] == key)
            {
                prefix = m_codes[slot];
                continue;
            }
            Emit(prefix);
            AddCode(slot, key, prefix, index);
            prefix = index;
        }
    }
    Finish(prefix);
    return std::move(m_out);
}

std::vector<unsigned char> GifLzwEncoder::EncodeLossy(const GifLossyPixels& pixels, unsigned char* chosen)
{
    Start();
    const int limit = m_clearCode - 1;
    int prefix = -1;
    for (size_t i = 0; i < pixels.count; ++i)
    {
        const int preferred = std::min<int>(pixels.preferred[i], limit);
        if (prefix >= 0)
        {
            // The continuation that shows the pixel best: its preferred
            // index, then its alternative or keeping the screen, then the
            // nearest entry within the tolerance.
            const int alternative = pixels.alternative[i];
            const bool keep = pixels.keep && pixels.keep[i];
            const unsigned char* want = pixels.want + 3 * i;
            const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8 | preferred) + 1;
            const std::uint32_t slot = SlotOf(key, kSlots, m_keys);
            if (m_keys[slot] == key)
            {
                chosen[i] = static_cast<unsigned char>(preferred);
                prefix = m_codes[slot];
                continue;
            }
            int best = -1;
            int bestScore = pixels.tolerance + 3;
            for (int child = m_firstChild[prefix]; child >= 0 && bestScore > 1; child = m_nextSibling[child])
            {
                const int last = m_last[child];
                int score;
                if (last == pixels.transparent)
                    score = keep ? 1 : INT_MAX;
                else if (last == alternative)
                    score = 1;
                else if (last < pixels.colours && !(pixels.exact && pixels.exact[i]))
                {
                    const unsigned char* entry = pixels.entries[last];
                    score = 2 + (want[0] - entry[0]) * (want[0] - entry[0]) +
                            (want[1] - entry[1]) * (want[1] - entry[1]) + (want[2] - entry[2]) * (want[2] - entry[2]);
                }
                else
                    score = INT_MAX;
                if (score < bestScore)
                {
                    best = child;
                    bestScore = score;
                }
            }
            if (best >= 0)
            {
                chosen[i] = m_last[best];
                prefix = best;
                continue;
            }
            Emit(prefix);
            AddCode(slot, key, prefix, preferred);
        }
        chosen[i] = static_cast<unsigned char>(preferred);
        prefix = preferred;
    }
    Finish(prefix);
    return std::move(m_out);
}
