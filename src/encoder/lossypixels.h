#pragma once
// What the lossy compressor may write for each pixel of an image.

#include <cstddef>

// The pixels of a lossy image: each may be written as its preferred index,
// its alternative, the transparent index where it may keep what is on screen,
// or any entry within the tolerance of the colour it should show.
struct GifLossyPixels
{
    size_t count = 0;
    const unsigned char* preferred = nullptr;   // written when no string goes on
    const unsigned char* alternative = nullptr; // as good as preferred
    const unsigned char* want = nullptr;        // RGB per pixel
    const unsigned char* keep = nullptr;        // nonzero: the transparent index will do
    const unsigned char* exact = nullptr;       // nonzero: no entry but its own indices
    const unsigned char (*entries)[3] = nullptr;
    int colours = 0;          // entries compared with `want`
    int transparent = -1;     // -1: none
    int tolerance = 0;        // squared RGB distance an entry may be from `want`
};
