#pragma once
// Where the preview panel shows a frame: never enlarged, shrunk to fit with
// its aspect kept, centred, so that the whole frame shows whenever it fits.

#include <wx/gdicmn.h>

// The rectangle the picture is drawn into on a panel of `panel`; empty for a
// picture without pixels.
wxRect PlacePreview(const wxSize& panel, const wxSize& picture);
