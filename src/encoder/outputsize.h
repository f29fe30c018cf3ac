#pragma once
// The animation's output size derived from its frames, and the sizes a user
// may set: each side 1 to kMaxGifSide, both in the frames' ratio.

#include <wx/gdicmn.h>

#include <vector>

// A GIF stores each side in 16 bits.
const int kMaxGifSide = 65535;

// The first frame whose width or height exceeds the running maximum sets both:
// 100x50 then 60x80 gives 60x80. (0, 0) for no frames. A side beyond
// kMaxGifSide is brought within it with the other in ratio (FitGifSize).
wxSize DeriveOutputSize(const std::vector<wxSize>& frameSizes);

// `size` shrunk, keeping its ratio, until no side exceeds kMaxGifSide; every
// side at least 1 (an empty size stays empty).
wxSize FitGifSize(const wxSize& size);

// The values one side may take when the other follows the reference ratio
// refSide : refOther and must stay within 1..kMaxGifSide.
struct SideRange
{
    int min = 1;
    int max = kMaxGifSide;
};
SideRange AllowedSideRange(int refSide, int refOther);

// The other side for `typed`: typed x refOther / refSide rounded down, kept
// within 1..kMaxGifSide. Within AllowedSideRange it is never clamped.
int FollowingSide(int typed, int refSide, int refOther);
