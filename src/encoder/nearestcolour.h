#pragma once
// Maps colours to palette entries for error diffusion, where one lookup per
// pixel must be cheap. Colour space is cut into cells (8 levels of red and
// blue by 4 of green). A cell that holds an entry maps each colour to its
// nearest entry (squared distance in RGB, the first of equals), so that
// colours of the palette map to themselves; any other cell maps all its
// colours to the entry nearest to its middle. A cell finds its answer, the
// first time a colour falls into it, among the entries that can be nearest
// to any colour of the larger cube around it.

#include <cstdint>
#include <vector>

class GifNearestColour
{
public:
    // entries: count (1 to 256) triples of red, green, blue.
    GifNearestColour(const unsigned char (*entries)[3], int count);

    // r, g, b from 0 to 255.
    int Find(int r, int g, int b)
    {
        const int cell = (r >> kRedShift) << (16 - kGreenShift - kBlueShift) | (g >> kGreenShift) << (8 - kBlueShift) |
                         b >> kBlueShift;
        const int found = m_cells[cell];
        if (found >= 0)
            return found;
        if (found == kUnknown)
            return FillCell(cell);
        // Flat areas ask for one colour many times over.
        const int colour = r << 16 | g << 8 | b;
        if (colour == m_lastColour)
            return m_lastEntry;
        Candidates& held = m_held[kHeld - found];
        if (held.size == 0)
            FillHeld(cell, held);
        m_lastColour = colour;
        m_lastEntry = Search(held, r, g, b);
        return m_lastEntry;
    }

private:
    static const int kRedShift = 3;
    static const int kGreenShift = 2;
    static const int kBlueShift = 3;
    static const int kCubeShift = 4; // cubes 16 levels wide

    static const int kUnknown = -1;
    static const int kHeld = -2; // and below: cells holding entries, by their lists

    struct Candidates
    {
        std::uint32_t start = 0; // into m_candidates
        std::uint16_t size = 0;  // 0 until filled
    };

    // The box of colours of `cell`, and the candidates of the cube around it.
    const Candidates& CellBox(int cell, int* low, int* high);
    int FillCell(int cell);
    void FillHeld(int cell, Candidates& held);
    // The nearest of `list` to (r, g, b), the first of equals.
    int Search(const Candidates& list, int r, int g, int b) const;
    // The candidates of `cube`, found the first time.
    void FillCube(int cube);

    int m_count;
    int m_channels[3][256]; // the entries, a channel at a time
    std::vector<std::int16_t> m_cells;  // per cell the entry, kUnknown, or kHeld - list
    std::vector<Candidates> m_cubes;
    std::vector<Candidates> m_held;     // for the cells that hold entries
    std::vector<std::uint8_t> m_candidates;
    int m_lastColour = -1; // the colour last searched in a cell holding entries
    int m_lastEntry = 0;
};
