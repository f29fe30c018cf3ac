#pragma once
// Deterministic pictures for the encoder tests and benchmarks.

#include <array>
#include <vector>

class wxImage;

namespace testimages
{
// Smooth colour gradients with noise on top, like a photograph.
wxImage PhotoLike(int width, int height, unsigned seed);

// Pixels are palette[indices[p]]; the image carries exactly that palette.
wxImage PaletteImage(int width, int height, const std::vector<std::array<unsigned char, 3>>& palette,
                     const std::vector<int>& indices);

// A small deterministic generator, the same on every platform.
class Random
{
public:
    explicit Random(unsigned seed) : m_state(seed * 2654435761u + 1) {}
    int Below(int limit) { return static_cast<int>(((m_state = m_state * 1664525u + 1013904223u) >> 8) % limit); }

private:
    unsigned m_state;
};
} // namespace testimages
