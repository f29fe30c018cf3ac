#pragma once
// Writes frames below full quality as small as their error bound allows.
// One palette serves many frames: the first frame's becomes the global table
// and later frames use it while it shows them about as well as a table of
// their own would. Smooth parts are mapped with an ordered dither (a pattern
// fixed to the screen, so still parts stay still and LZW sees repeats),
// texture and flat areas to the nearest colour; a
// pixel keeps what is on screen (transparent) when that is within the
// tolerance of its picture, or when its picture did not change; and the
// compressor may write any entry within the tolerance where that continues a
// string. Every comparison is with the frame's own picture, never with the
// frame before, so errors do not add up over frames: each shown pixel is its
// dithered colour, or within the tolerance of its picture, or unchanged
// since its picture last changed.

#include "encoder/palette.h"

#include <wx/gdicmn.h>

#include <vector>

class wxImage;

// The squared RGB distance a shown pixel may be from its picture at `quality`.
int GifLossTolerance(int quality);

// The mapping of `src` (width x height RGB) to the first `count` entries:
// inside `area`, smooth parts that no entry matches closely are dithered with
// a fixed 8x8 pattern, with `quality`'s strength; everything else takes its
// nearest entry. The index of every pixel goes to `indices`; with `part`,
// of the pixels inside it only (the others are left as they are).
void GifOrderedDither(const unsigned char* src, int width, int height, const wxRect& area,
                      const unsigned char (*entries)[3], int count, int quality, unsigned char* indices,
                      const wxRect* part = nullptr);

// The colours for a frame written at `quality`: its own when it has at most
// 255, otherwise a palette of 255 or, where that shows the frame almost as
// well (a screen of few colours and their antialiasing), of 127: shorter
// codes for every frame that uses it. The number of entries, 0 on failure.
int GifLossyColours(const wxImage& composed, int quality, bool withBlack, unsigned char (*entries)[3]);

class GifLossyWriter
{
public:
    // `quality` 1 to 99.
    explicit GifLossyWriter(int quality);

    // Writes the composed frame with `own` (at most 255 entries: its own
    // colours, or those the quantizer chose) to the writer's output stream,
    // with the file header when `first`. `area` is where the picture lies
    // in it. False, with nothing written, for a frame that cannot be
    // written (another size than the first, no colours); false after a
    // failed write, too.
    bool WriteFrame(const wxImage& composed, const GifPalette& own, const wxRect& area, int delayMs, bool first);

    // Whether `colours` (at most 255) show every pixel of `composed` whose
    // picture changed since the frame before within the tolerance: then they
    // may stand for the frame's own, which need not be chosen.
    bool ColoursServe(const wxImage& composed, const GifPalette& colours) const;

private:
    // Whether the global table shows the frame about as well as `own`.
    bool GlobalServes(const unsigned char* src, size_t pixels, const GifPalette& own) const;

    const int m_quality;
    const int m_tolerance;
    int m_width = 0, m_height = 0;
    std::vector<unsigned char> m_screen; // RGB shown now
    std::vector<unsigned char> m_source; // the picture of the frame before
    GifPalette m_global;                 // transparentIndex: the spare entry after the colours
};
