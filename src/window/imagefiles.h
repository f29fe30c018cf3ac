#pragma once
// Reading picture files into frames: a path ending in ".gif" (exactly, case
// matters) gives each frame the GIF decoder can convert, any other file one.

#include <wx/string.h>

#include <vector>

class wxImage;

enum class PictureReadResult
{
    Ok,
    Missing,     // no such file
    Unreadable,  // cannot be opened, or not a picture the toolkit decodes
    NoFrames     // a GIF file without any frame that can be converted
};

bool IsGifPath(const wxString& path);

// Appends the frames of `path` to `frames`; toolkit log output is suppressed.
// A GIF's frames are each drawn over the ones before it on the file's logical
// screen, honouring the disposal methods, as a viewer shows them.
PictureReadResult ReadPictureFrames(const wxString& path, std::vector<wxImage>& frames);
