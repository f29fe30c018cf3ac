#pragma once
// Decoded frames kept for reuse, least recently used first to go, never more
// pixel bytes together than the budget. Not locked: its owner is.

#include "frames/framepicture.h"

#include <cstddef>
#include <list>
#include <unordered_map>
#include <utility>

class FrameCache
{
public:
    explicit FrameCache(std::size_t budget) : m_budget(budget) {}

    // Null when not kept.
    FramePicturePtr Find(const void* key);
    // A picture larger than the whole budget is not kept.
    void Put(const void* key, FramePicturePtr picture);
    void Remove(const void* key);
    void SetBudget(std::size_t budget);
    std::size_t GetHeldBytes() const { return m_held; }

private:
    void Shrink(std::size_t limit);

    using Order = std::list<std::pair<const void*, FramePicturePtr>>;
    std::size_t m_budget;
    std::size_t m_held = 0;
    Order m_order; // most recent first
    std::unordered_map<const void*, Order::iterator> m_index;
};
