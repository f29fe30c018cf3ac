#pragma once
// Writes each frame of an animation as only what changed since the picture
// shown before it: the frame is cropped to the rectangle of changed pixels,
// pixels inside it that did not change are transparent, and every image is
// left in place (disposal 1), so a decoder shows exactly the pictures it was
// given. The first frame's colours become the global table; a later frame
// uses it instead of a table of its own when that makes the file smaller.

#include "encoder/palette.h"

#include <vector>

class wxImage;

class GifDifferencingWriter
{
public:
    // Writes `displayed` (a palette image holding every pixel colour) to the
    // writer's output stream: with the file header when `first`. False, with
    // nothing written, when the frame cannot be written as it is (no palette,
    // a colour missing from it, another size than the first frame); false
    // after a failed write, too.
    bool WriteFrame(const wxImage& displayed, int delayMs, bool first);

private:
    bool WriteFirst(const wxImage& displayed, int delayMs);
    bool WriteChange(const wxImage& displayed, int delayMs);
    // The image block of the rectangle (x, y, width, height) with `table`,
    // whose first `colours` entries are looked up; its transparentIndex is a
    // spare entry or -1 for "any entry no changed pixel uses". Without
    // `previous` every pixel counts as changed. False when a needed colour is
    // missing from the table.
    bool Encode(const wxImage& displayed, const unsigned char* previous, const int (&rect)[4],
                const GifPalette& table, int colours, bool local, int delayMs,
                std::vector<unsigned char>& bytes) const;

    int m_width = 0, m_height = 0;
    std::vector<unsigned char> m_previous; // the picture shown now, RGB
    GifPalette m_global;                   // transparentIndex: a spare entry, or -1
    int m_globalColours = 0;               // its entries that hold the first frame's colours
};
