#include "strip/thumbnailorder.h"

#include <algorithm>
#include <numeric>

namespace
{
// For each position, whether `selected` names it (invalid indices ignored).
std::vector<bool> Marks(int count, const std::vector<int>& selected)
{
    std::vector<bool> marked(count > 0 ? count : 0, false);
    for (int index : selected)
        if (index >= 0 && index < count)
            marked[index] = true;
    return marked;
}

bool IsIdentity(const std::vector<int>& order)
{
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] != static_cast<int>(i))
            return false;
    return true;
}
} // namespace

std::vector<int> OrderForMoveToGap(int count, const std::vector<int>& selected, int gap)
{
    const std::vector<bool> marked = Marks(count, selected);
    gap = std::clamp(gap, 0, std::max(count, 0));
    std::vector<int> before, moved, after;
    for (int i = 0; i < count; ++i)
        (marked[i] ? moved : (i < gap ? before : after)).push_back(i);
    if (moved.empty())
        return {};
    std::vector<int> order = before;
    order.insert(order.end(), moved.begin(), moved.end());
    order.insert(order.end(), after.begin(), after.end());
    return IsIdentity(order) ? std::vector<int>() : order;
}

std::vector<int> OrderForShift(int count, const std::vector<int>& selected, int delta)
{
    const std::vector<bool> marked = Marks(count, selected);
    if (count <= 0 || (delta != -1 && delta != 1) || std::find(marked.begin(), marked.end(), true) == marked.end())
        return {};
    if (marked[delta < 0 ? 0 : count - 1])
        return {};
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::vector<bool> at = marked; // selection marks at the current positions
    // Walking against the direction of the move lets a run of selected
    // entries move together, each past the gap its neighbour just left.
    for (int step = 0; step < count; ++step)
    {
        const int i = delta > 0 ? count - 1 - step : step;
        const int j = i + delta;
        if (at[i] && j >= 0 && j < count && !at[j])
        {
            std::swap(order[i], order[j]);
            at[i] = false;
            at[j] = true;
        }
    }
    return order;
}
