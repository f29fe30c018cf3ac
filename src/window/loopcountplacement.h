#pragma once
// Where the Loop Count dialog puts its number box and the unit after it. The
// dialog's other controls keep their fixed places; the number box takes the
// size the toolkit needs to draw it whole (with its up and down buttons),
// and the frame around the choices and the dialog grow to hold it.

#include <wx/gdicmn.h>

struct LoopCountPlacement
{
    wxRect spin;   // the number box
    wxRect unit;   // "time(s)"
    wxRect box;    // the frame around the choices
    wxSize client; // the dialog's client area
    int below = 0; // how far the controls under the frame move down
};

// `countChoice` and `infiniteChoice` are the two choices where they stand,
// `spinSize` and `unitSize` what the number box and its unit need, `box` the
// frame as laid out, `boxCaption` the height of the frame's caption band.
// The number box stands right of both choices' labels and no further left
// than its place in the layout (x 195), centred on the first choice's row
// but below the caption; the unit follows it on the same row.
LoopCountPlacement PlaceLoopCount(const wxRect& countChoice, const wxRect& infiniteChoice, const wxSize& spinSize,
                                  const wxSize& unitSize, const wxRect& box, int boxCaption, const wxSize& client);
