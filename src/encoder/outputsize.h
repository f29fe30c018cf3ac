#pragma once
// The animation's output size derived from its frames.

#include <wx/gdicmn.h>

#include <vector>

// The first frame whose width or height exceeds the running maximum sets both:
// 100x50 then 60x80 gives 60x80. (0, 0) for no frames.
wxSize DeriveOutputSize(const std::vector<wxSize>& frameSizes);
