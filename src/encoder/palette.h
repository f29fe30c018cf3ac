#pragma once
// The colour table of one GIF frame as the writer builds it from the image.

class wxImage;

struct GifPalette
{
    enum { MaxEntries = 256 };

    // Red, green and blue of each entry, in that order.
    unsigned char entries[MaxEntries][3] = {};
    int count = 0;                // 0 to 256
    int transparentIndex = -1;    // palette index, or -1 for none
};

// Smallest n from 1 to 8 with 2^n >= count: a table is written with 2^n entries.
int GifTableSizeExponent(int count);

// Copies the image's palette and applies the mask rule (the mask colour becomes
// the transparent entry, appended when missing and there is room). False when
// the image has no palette.
bool BuildGifPalette(const wxImage& image, GifPalette& palette);
