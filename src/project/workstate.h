#pragma once
// What a saved file holds of the work: the frames in order (each a picture
// path or a frame reference), the delay, the output size and the choices the
// GIF is encoded with. The window
// records it when it writes a GIF and when it opens or saves a project; the
// work is unchanged exactly when the state is equal to the recorded one.
// Anything else a file comes to hold belongs here too.

#include "app/gifchoices.h"

#include <wx/string.h>

#include <vector>

struct WorkState
{
    std::vector<wxString> frames;
    int delay = 0;
    int width = 0;
    int height = 0;
    GifChoices gif;

    bool operator==(const WorkState& other) const
    {
        return delay == other.delay && width == other.width && height == other.height && gif == other.gif &&
               frames == other.frames;
    }
    bool operator!=(const WorkState& other) const { return !(*this == other); }
};
