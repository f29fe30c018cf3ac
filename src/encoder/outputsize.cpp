#include "encoder/outputsize.h"

#include <algorithm>
#include <cstdint>

wxSize DeriveOutputSize(const std::vector<wxSize>& frameSizes)
{
    wxSize size(0, 0);
    for (const wxSize& frame : frameSizes)
    {
        if (size.x < frame.x || size.y < frame.y)
            size = frame;
    }
    return FitGifSize(size);
}

wxSize FitGifSize(const wxSize& size)
{
    if (size.x <= 0 || size.y <= 0)
        return size;
    if (size.x <= kMaxGifSide && size.y <= kMaxGifSide)
        return size;
    // The longer side becomes the limit; the shorter follows, at least 1.
    if (size.x >= size.y)
        return wxSize(kMaxGifSide, FollowingSide(kMaxGifSide, size.x, size.y));
    return wxSize(FollowingSide(kMaxGifSide, size.y, size.x), kMaxGifSide);
}

SideRange AllowedSideRange(int refSide, int refOther)
{
    SideRange range;
    if (refSide <= 0 || refOther <= 0)
        return range; // no ratio to keep
    const std::int64_t side = refSide, other = refOther;
    // other = floor(typed * other / side) >= 1  <=>  typed >= ceil(side / other)
    const std::int64_t low = (side + other - 1) / other;
    // floor(typed * other / side) <= kMaxGifSide  <=>  typed * other < (kMaxGifSide + 1) * side
    const std::int64_t high = ((kMaxGifSide + 1) * side - 1) / other;
    range.min = static_cast<int>(std::clamp<std::int64_t>(low, 1, kMaxGifSide));
    range.max = static_cast<int>(std::clamp<std::int64_t>(high, 1, kMaxGifSide));
    // A ratio beyond 65535:1 cannot be kept: the widest the limits allow.
    if (range.max < range.min)
        range.max = range.min;
    return range;
}

int FollowingSide(int typed, int refSide, int refOther)
{
    if (refSide <= 0)
        return std::clamp(refOther, 1, kMaxGifSide);
    const std::int64_t other = static_cast<std::int64_t>(typed) * refOther / refSide;
    return static_cast<int>(std::clamp<std::int64_t>(other, 1, kMaxGifSide));
}
