#pragma once
// The strip's entries in display order. The array owns them: removing an
// entry or destroying the array destroys the entries.

#include <cstddef>
#include <memory>
#include <vector>

class wxThumbnailItem;

class wxThumbnailItemArray
{
public:
    wxThumbnailItemArray();
    ~wxThumbnailItemArray();
    wxThumbnailItemArray(const wxThumbnailItemArray&) = delete;
    wxThumbnailItemArray& operator=(const wxThumbnailItemArray&) = delete;

    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    wxThumbnailItem* Item(size_t index) const { return m_items[index].get(); }
    wxThumbnailItem* operator[](size_t index) const { return Item(index); }

    void Add(wxThumbnailItem* item);
    // Positions beyond the end append.
    void Insert(wxThumbnailItem* item, size_t pos);
    // Destroys the entry at uiIndex and closes the gap; false (after an
    // assertion) for an index not below the size.
    bool RemoveAt(size_t uiIndex);
    void Clear();
    // Puts the entries in a new order: order[i] is the old index of the entry
    // that goes to position i. False, changing nothing, unless order is a
    // permutation of all positions.
    bool Reorder(const std::vector<int>& order);
    // Puts `items` in place of all entries and hands the old ones back
    // (null items are left out).
    std::vector<std::unique_ptr<wxThumbnailItem>> Exchange(std::vector<std::unique_ptr<wxThumbnailItem>> items);

private:
    std::vector<std::unique_ptr<wxThumbnailItem>> m_items;
};
