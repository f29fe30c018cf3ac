#include "encoder/colourindex.h"

namespace
{
// Twice the largest palette rounded up to a power of two keeps probes short.
const std::uint32_t kSlots = 1024;

std::uint32_t SlotOf(std::uint32_t key)
{
    // Multiplicative hash; the top bits are the best mixed.
    return (key * 2654435761u) >> 22;
}
} // namespace

GifColourIndex::GifColourIndex(const unsigned char (*entries)[3], int count)
    : m_entries(entries), m_count(count < 0 ? 0 : count), m_keys(kSlots, 0), m_indices(kSlots, -1)
{
    for (int i = 0; i < m_count; ++i)
    {
        const std::uint32_t key = Key(entries[i][0], entries[i][1], entries[i][2]);
        std::uint32_t slot = SlotOf(key);
        while (m_keys[slot] != 0 && m_keys[slot] != key + 1)
            slot = (slot + 1) & (kSlots - 1);
        if (m_keys[slot] == 0)  // a later duplicate never replaces the first entry
        {
            m_keys[slot] = key + 1;
            m_indices[slot] = static_cast<std::int16_t>(i);
        }
    }
}

int GifColourIndex::Find(unsigned char r, unsigned char g, unsigned char b) const
{
    const std::uint32_t key = Key(r, g, b);
    std::uint32_t slot = SlotOf(key);
    while (m_keys[slot] != 0)
    {
        if (m_keys[slot] == key + 1)
            return m_indices[slot];
        slot = (slot + 1) & (kSlots - 1);
    }
    return -1;
}

int GifColourIndex::FindLinear(unsigned char r, unsigned char g, unsigned char b) const
{
    for (int i = 0; i < m_count; ++i)
    {
        if (m_entries[i][0] == r && m_entries[i][1] == g && m_entries[i][2] == b)
            return i;
    }
    return -1;
}
