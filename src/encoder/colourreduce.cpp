#include "encoder/colourreduce.h"

#include "encoder/colourindex.h"

#include <wx/image.h>
#include <wx/imagbmp.h>
#include <wx/mstream.h>
#include <wx/palette.h>
#include <wx/quantize.h>

#include <cstring>
#include <memory>

namespace
{
// The quantizer fills only as many palette entries as it found colours and
// leaves the rest as whatever memory held. No pixel uses them, so they become
// black: the file then never carries stray memory and is the same every run.
void BlackenUnusedEntries(unsigned char (*entries)[3], const bool* used)
{
    for (int i = 0; i < 256; ++i)
    {
        if (!used[i])
            entries[i][0] = entries[i][1] = entries[i][2] = 0;
    }
}

wxPalette MakePalette(const unsigned char (*entries)[3])
{
    unsigned char r[256], g[256], b[256];
    for (int i = 0; i < 256; ++i)
    {
        r[i] = entries[i][0];
        g[i] = entries[i][1];
        b[i] = entries[i][2];
    }
    return wxPalette(256, r, g, b);
}

const wxPalette& GreyRampPalette()
{
    static const wxPalette ramp = [] {
        unsigned char entries[256][3];
        for (int i = 0; i < 256; ++i)
            entries[i][0] = entries[i][1] = entries[i][2] = static_cast<unsigned char>(i);
        return MakePalette(entries);
    }();
    return ramp;
}
} // namespace

wxImage ReduceFrameColours(const wxImage& composed)
{
    if (!composed.IsOk())
        return wxImage();
    const int width = composed.GetWidth();
    const int height = composed.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;

    // The 8-bit BMP encoder quantizes to 236 colours, filling a destination
    // image; the indices it then looks up are the quantizer's own.
    wxImage unused;
    wxPalette* rawPalette = nullptr;
    unsigned char* rawIndices = nullptr;
    const bool quantized = wxQuantize::Quantize(composed, unused, &rawPalette, 236, &rawIndices,
                                                wxQUANTIZE_RETURN_8BIT_DATA);
    const std::unique_ptr<wxPalette> palette(rawPalette);
    const std::unique_ptr<unsigned char[]> indices(rawIndices);
    if (!quantized || !palette || !indices)
        return wxImage();

    // The colour map exactly as the encoder writes it.
    unsigned char entries[256][3];
    for (int i = 0; i < 256; ++i)
    {
        if (!palette->GetRGB(i, &entries[i][0], &entries[i][1], &entries[i][2]))
            entries[i][0] = entries[i][1] = entries[i][2] = 0;
    }
    // The encoder stores, for each pixel, the first entry of its colour.
    const GifColourIndex lookup(entries, 256);
    int firstOf[256];
    for (int i = 0; i < 256; ++i)
        firstOf[i] = lookup.Find(entries[i][0], entries[i][1], entries[i][2]);

    wxImage reduced(width, height, false);
    if (!reduced.IsOk())
        return wxImage();
    bool used[256] = {};
    unsigned char* dst = reduced.GetData();
    const unsigned char* index = indices.get();
    for (size_t p = 0; p < pixels; ++p, dst += 3)
    {
        const int entry = firstOf[index[p]];
        used[entry] = true;
        std::memcpy(dst, entries[entry], 3);
    }
    BlackenUnusedEntries(entries, used);
    reduced.SetPalette(MakePalette(entries));
    return reduced;
}

wxImage ReduceFrameColoursViaBmp(wxImage& composed)
{
    if (!composed.IsOk())
        return wxImage();
    composed.SetPalette(GreyRampPalette());
    composed.SetOption(wxIMAGE_OPTION_BMP_FORMAT, wxBMP_8BPP);

    wxMemoryOutputStream encoded;
    if (!composed.SaveFile(encoded, wxBITMAP_TYPE_BMP))
        return wxImage();
    wxMemoryInputStream source(encoded);
    wxImage reduced(source, wxBITMAP_TYPE_BMP);
    if (!reduced.IsOk() || !reduced.HasPalette())
        return reduced;

    // Which entries the pixels use, first match as the writer looks them up.
    const wxPalette& readBack = reduced.GetPalette();
    const int count = readBack.GetColoursCount();
    if (count != 256)
        return reduced;  // not what the encoder produces; left as it is
    unsigned char entries[256][3];
    for (int i = 0; i < 256; ++i)
        readBack.GetRGB(i, &entries[i][0], &entries[i][1], &entries[i][2]);
    const GifColourIndex lookup(entries, 256);
    bool used[256] = {};
    const unsigned char* pixel = reduced.GetData();
    const size_t pixels = static_cast<size_t>(reduced.GetWidth()) * reduced.GetHeight();
    for (size_t p = 0; p < pixels; ++p, pixel += 3)
    {
        const int entry = lookup.Find(pixel[0], pixel[1], pixel[2]);
        if (entry >= 0)
            used[entry] = true;
    }
    BlackenUnusedEntries(entries, used);
    reduced.SetPalette(MakePalette(entries));
    return reduced;
}
