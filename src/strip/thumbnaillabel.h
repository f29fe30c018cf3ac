#pragma once
// Text of the frame label under each tile of the strip.

#include <wx/string.h>

class WXDLLIMPEXP_FWD_CORE wxDC;

// Start time in seconds of frame `index` when every frame lasts `frameDelay`
// hundredths of a second, computed in single precision like the label shows it.
float FrameStartTime(int index, int frameDelay);

// "#<index + 1>  <start time>sec", two blanks, two decimals.
wxString FormatFrameLabel(int index, int frameDelay);

// The longest frame label a tile makes room for: 9999 frames of up to
// 9999.99 seconds.
extern const char* const kWidestFrameLabel;

// A file name as the tile shows it in `width` pixels of the DC's font: whole
// when it fits, else shortened in the middle with an ellipsis, so that both
// the start and the number or extension at the end stay readable.
wxString FitFileLabel(const wxString& name, const wxDC& dc, int width);

// The name a tile shows for an entry's path: the file's name; for a clip's
// frame ("/v/trip.mp4#t=72.5") the clip's name and the time ("trip.mp4
// 1:12.5").
wxString TileFileName(const wxString& path);
