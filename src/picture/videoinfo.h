#pragma once
// What a clip says about itself, read from its headers (and its first
// packets where the headers leave something out).

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>

struct VideoInfo
{
    std::int64_t duration = -1; // microseconds; -1 when the clip does not say
    double frameRate = 0;       // the clip's own rate (its average); 0 when it does not say
    wxSize size;                // as shown: pixel aspect ratio and rotation applied
    wxSize codedSize;           // as stored
    int rotation = 0;           // clockwise degrees turned for showing: 0, 90, 180 or 270
    int aspectNum = 1;          // the pixel aspect ratio honoured, as num:den
    int aspectDen = 1;
    wxString codec;             // the decoder's name, for messages
};
