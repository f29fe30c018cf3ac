#include "encoder/palette.h"

#include <wx/image.h>
#include <wx/palette.h>

int GifTableSizeExponent(int count)
{
    int n = 1;
    while (n < 8 && (1 << n) < count)
        ++n;
    return n;
}

bool BuildGifPalette(const wxImage& image, GifPalette& palette)
{
    palette = GifPalette();
    if (!image.IsOk() || !image.HasPalette())
        return false;

    const wxPalette& source = image.GetPalette();
    int count = source.GetColoursCount();
    if (count < 0)
        count = 0;
    if (count > GifPalette::MaxEntries)
        count = GifPalette::MaxEntries;
    palette.count = count;
    // A failing entry ends the copy; the count stays as the palette reports it.
    for (int i = 0; i < count; ++i)
    {
        unsigned char r, g, b;
        if (!source.GetRGB(i, &r, &g, &b))
            break;
        palette.entries[i][0] = r;
        palette.entries[i][1] = g;
        palette.entries[i][2] = b;
    }

    if (!image.HasMask())
        return true;

    const unsigned char mr = image.GetMaskRed();
    const unsigned char mg = image.GetMaskGreen();
    const unsigned char mb = image.GetMaskBlue();
    for (int i = 0; i < palette.count; ++i)
    {
        if (palette.entries[i][0] == mr && palette.entries[i][1] == mg && palette.entries[i][2] == mb)
        {
            palette.transparentIndex = i;
            return true;
        }
    }
    if (palette.count < GifPalette::MaxEntries)
    {
        palette.entries[palette.count][0] = mr;
        palette.entries[palette.count][1] = mg;
        palette.entries[palette.count][2] = mb;
        palette.transparentIndex = palette.count;
        ++palette.count;
    }
    return true;
}
