#include "strip/thumbnailitemarray.h"

#include "strip/thumbnailitem.h"

#include <wx/debug.h>

#include <algorithm>

wxThumbnailItemArray::wxThumbnailItemArray() = default;

wxThumbnailItemArray::~wxThumbnailItemArray() = default;

void wxThumbnailItemArray::Add(wxThumbnailItem* item)
{
    m_items.emplace_back(item);
}

void wxThumbnailItemArray::Insert(wxThumbnailItem* item, size_t pos)
{
    m_items.emplace(m_items.begin() + std::min(pos, m_items.size()), item);
}

bool wxThumbnailItemArray::RemoveAt(size_t uiIndex)
{
    if (uiIndex >= size())
    {
        // Reported with the plain condition text (wxCHECK_MSG would quote it).
        wxFAIL_COND_MSG(uiIndex < size(), "bad index in wxThumbnailItemArray::RemoveAt()");
        return false;
    }
    m_items.erase(m_items.begin() + uiIndex);
    return true;
}

void wxThumbnailItemArray::Clear()
{
    m_items.clear();
}

bool wxThumbnailItemArray::Reorder(const std::vector<int>& order)
{
    if (order.size() != m_items.size())
        return false;
    std::vector<bool> used(order.size(), false);
    for (int index : order)
    {
        if (index < 0 || static_cast<size_t>(index) >= order.size() || used[index])
            return false;
        used[index] = true;
    }
    std::vector<std::unique_ptr<wxThumbnailItem>> moved;
    moved.reserve(order.size());
    for (int index : order)
        moved.push_back(std::move(m_items[index]));
    m_items = std::move(moved);
    return true;
}

std::vector<std::unique_ptr<wxThumbnailItem>> wxThumbnailItemArray::Exchange(
    std::vector<std::unique_ptr<wxThumbnailItem>> items)
{
    items.erase(std::remove(items.begin(), items.end(), nullptr), items.end());
    std::swap(items, m_items);
    return items;
}
