#include "encoder/nearestcolour.h"

#include <algorithm>

namespace
{
// The least and the greatest squared distance from each entry (a channel
// at a time) to any colour of the box from `low` to `high`; an entry is a
// candidate unless another one is surely nearer. Branch-free, so that the
// compiler does several entries at once.
template <typename EntryAt>
void KeepCandidates(const int (*channels)[256], int count, EntryAt entryAt, const int* low, const int* high,
                    std::vector<std::uint8_t>& kept)
{
    int least[256] = {};
    int greatest[256] = {};
    for (int c = 0; c < 3; ++c)
    {
        const int* value = channels[c];
        for (int i = 0; i < count; ++i)
        {
            const int v = value[entryAt(i)];
            const int outside = std::max(low[c] - v, 0) + std::max(v - high[c], 0);
            const int far = std::max(v - low[c], high[c] - v);
            least[i] += outside * outside;
            greatest[i] += far * far;
        }
    }
    const int farthestOfBest = *std::min_element(greatest, greatest + count);
    for (int i = 0; i < count; ++i)
    {
        if (least[i] <= farthestOfBest)
            kept.push_back(static_cast<std::uint8_t>(entryAt(i)));
    }
}
} // namespace

GifNearestColour::GifNearestColour(const unsigned char (*entries)[3], int count)
    : m_count(std::clamp(count, 1, 256)), m_cells(size_t(1) << (24 - kRedShift - kGreenShift - kBlueShift), kUnknown),
      m_cubes(size_t(1) << (3 * (8 - kCubeShift)))
{
    for (int e = 0; e < m_count; ++e)
    {
        for (int c = 0; c < 3; ++c)
            m_channels[c][e] = entries[e][c];
        const int cell = entries[e][0] >> kRedShift << (16 - kGreenShift - kBlueShift) |
                         entries[e][1] >> kGreenShift << (8 - kBlueShift) | entries[e][2] >> kBlueShift;
        if (m_cells[cell] == kUnknown)
        {
            m_cells[cell] = static_cast<std::int16_t>(kHeld - static_cast<int>(m_held.size()));
            m_held.emplace_back();
        }
    }
}

int GifNearestColour::Search(const Candidates& list, int r, int g, int b) const
{
    int best = 0;
    int bestError = -1;
    for (int i = 0; i < list.size; ++i)
    {
        const int e = m_candidates[list.start + i];
        const int error = (r - m_channels[0][e]) * (r - m_channels[0][e]) +
                          (g - m_channels[1][e]) * (g - m_channels[1][e]) +
                          (b - m_channels[2][e]) * (b - m_channels[2][e]);
        if (bestError < 0 || error < bestError)
        {
            best = e;
            bestError = error;
            if (error == 0)
                break; // the first entry of this very colour
        }
    }
    return best;
}

const GifNearestColour::Candidates& GifNearestColour::CellBox(int cell, int* low, int* high)
{
    const int shifts[3] = {kRedShift, kGreenShift, kBlueShift};
    const int indices[3] = {cell >> (16 - kGreenShift - kBlueShift),
                            (cell >> (8 - kBlueShift)) & ((1 << (8 - kGreenShift)) - 1),
                            cell & ((1 << (8 - kBlueShift)) - 1)};
    for (int c = 0; c < 3; ++c)
    {
        low[c] = indices[c] << shifts[c];
        high[c] = low[c] + (1 << shifts[c]) - 1;
    }
    const int steps = 8 - kCubeShift;
    Candidates& cube = m_cubes[low[0] >> kCubeShift << (2 * steps) | low[1] >> kCubeShift << steps |
                               low[2] >> kCubeShift];
    if (cube.size == 0)
    {
        int cubeLow[3], cubeHigh[3];
        for (int c = 0; c < 3; ++c)
        {
            cubeLow[c] = low[c] >> kCubeShift << kCubeShift;
            cubeHigh[c] = cubeLow[c] + (1 << kCubeShift) - 1;
        }
        cube.start = static_cast<std::uint32_t>(m_candidates.size());
        KeepCandidates(m_channels, m_count, [](int i) { return i; }, cubeLow, cubeHigh, m_candidates);
        cube.size = static_cast<std::uint16_t>(m_candidates.size() - cube.start);
    }
    return cube;
}

int GifNearestColour::FillCell(int cell)
{
    int low[3], high[3];
    const Candidates& cube = CellBox(cell, low, high);
    const int answer = Search(cube, (low[0] + high[0] + 1) / 2, (low[1] + high[1] + 1) / 2, (low[2] + high[2] + 1) / 2);
    m_cells[cell] = static_cast<std::int16_t>(answer);
    return answer;
}

void GifNearestColour::FillHeld(int cell, Candidates& held)
{
    int low[3], high[3];
    const Candidates& cube = CellBox(cell, low, high);
    const std::vector<std::uint8_t> fromCube(m_candidates.begin() + cube.start,
                                             m_candidates.begin() + cube.start + cube.size);
    held.start = static_cast<std::uint32_t>(m_candidates.size());
    KeepCandidates(m_channels, static_cast<int>(fromCube.size()), [&fromCube](int i) { return fromCube[i]; }, low,
                   high, m_candidates);
    held.size = static_cast<std::uint16_t>(m_candidates.size() - held.start);
}
