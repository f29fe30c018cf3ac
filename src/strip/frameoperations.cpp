#include "strip/frameoperations.h"

#include <algorithm>
#include <numeric>

namespace
{
// The frames an operation works on, in list order: the selected ones
// (duplicates and indices out of range ignored), else all.
std::vector<int> Targets(int count, const std::vector<int>& selected, bool* fromSelection = nullptr)
{
    std::vector<int> targets;
    for (const int index : selected)
        if (index >= 0 && index < count)
            targets.push_back(index);
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    if (fromSelection)
        *fromSelection = !targets.empty();
    if (targets.empty())
    {
        targets.resize(count > 0 ? count : 0);
        std::iota(targets.begin(), targets.end(), 0);
    }
    return targets;
}

std::vector<int> Identity(int count)
{
    std::vector<int> order(count > 0 ? count : 0);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// The frames of `targets` whose 0-based rank r among them satisfies `drop`
// go; the rest keep their order and selection.
template <typename Drop>
FrameArrangement RemoveByRank(int count, const std::vector<int>& selected, Drop drop)
{
    bool fromSelection = false;
    const std::vector<int> targets = Targets(count, selected, &fromSelection);
    std::vector<bool> dropped(count > 0 ? count : 0, false), chosen(dropped);
    for (size_t r = 0; r < targets.size(); ++r)
    {
        dropped[targets[r]] = drop(static_cast<int>(r));
        chosen[targets[r]] = true;
    }
    FrameArrangement result;
    for (int i = 0; i < count; ++i)
    {
        if (dropped[i])
            continue;
        if (chosen[i] && fromSelection)
            result.selected.push_back(static_cast<int>(result.sources.size()));
        result.sources.push_back(i);
    }
    return result;
}
} // namespace

FrameArrangement ReverseFrames(int count, const std::vector<int>& selected)
{
    bool fromSelection = false;
    const std::vector<int> targets = Targets(count, selected, &fromSelection);
    FrameArrangement result{Identity(count), {}};
    for (size_t i = 0; i < targets.size(); ++i)
        result.sources[targets[i]] = targets[targets.size() - 1 - i];
    if (fromSelection)
        result.selected = targets;
    return result;
}

FrameArrangement YoyoFrames(int count, const std::vector<int>& selected)
{
    const std::vector<int> targets = Targets(count, selected);
    FrameArrangement result{Identity(count), {}};
    if (targets.size() < 3)
        return result; // the two ends alone: nothing between them to play back
    std::vector<int> back(targets.rbegin() + 1, targets.rend() - 1);
    const int after = targets.back() + 1;
    result.sources.insert(result.sources.begin() + after, back.begin(), back.end());
    for (size_t i = 0; i < back.size(); ++i)
        result.selected.push_back(after + static_cast<int>(i));
    return result;
}

FrameArrangement DuplicateFrames(int count, const std::vector<int>& selected)
{
    const std::vector<int> targets = Targets(count, selected);
    std::vector<bool> chosen(count > 0 ? count : 0, false);
    for (const int index : targets)
        chosen[index] = true;
    FrameArrangement result;
    for (int i = 0; i < count; ++i)
    {
        result.sources.push_back(i);
        if (!chosen[i])
            continue;
        result.selected.push_back(static_cast<int>(result.sources.size()));
        result.sources.push_back(i);
    }
    return result;
}

FrameArrangement RemoveEveryNthFrame(int count, const std::vector<int>& selected, int n)
{
    return RemoveByRank(count, selected, [n](int rank) { return n >= 1 && (rank + 1) % n == 0; });
}

FrameArrangement KeepEveryNthFrame(int count, const std::vector<int>& selected, int n)
{
    return RemoveByRank(count, selected, [n](int rank) { return n >= 1 && rank % n != 0; });
}
