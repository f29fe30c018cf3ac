#include "frames/framecache.h"

FramePicturePtr FrameCache::Find(const void* key)
{
    const auto found = m_index.find(key);
    if (found == m_index.end())
        return nullptr;
    m_order.splice(m_order.begin(), m_order, found->second);
    return found->second->second;
}

void FrameCache::Put(const void* key, FramePicturePtr picture)
{
    Remove(key);
    const std::size_t bytes = picture ? picture->GetByteCount() : 0;
    if (!picture || bytes > m_budget)
        return;
    Shrink(m_budget - bytes);
    m_order.emplace_front(key, std::move(picture));
    m_index[key] = m_order.begin();
    m_held += bytes;
}

void FrameCache::Remove(const void* key)
{
    const auto found = m_index.find(key);
    if (found == m_index.end())
        return;
    m_held -= found->second->second->GetByteCount();
    m_order.erase(found->second);
    m_index.erase(found);
}

void FrameCache::SetBudget(std::size_t budget)
{
    m_budget = budget;
    Shrink(budget);
}

void FrameCache::Shrink(std::size_t limit)
{
    while (m_held > limit && !m_order.empty())
        Remove(m_order.back().first);
}
