#pragma once
// Text of the frame label under each tile of the strip.

#include <wx/string.h>

// Start time in seconds of frame `index` when every frame lasts `frameDelay`
// hundredths of a second, computed in single precision like the label shows it.
float FrameStartTime(int index, int frameDelay);

// "#<index + 1>  <start time>sec", two blanks, two decimals.
wxString FormatFrameLabel(int index, int frameDelay);
