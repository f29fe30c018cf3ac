#pragma once
// Reading picture files into frames: a path ending in ".gif" (exactly, case
// matters) gives each frame the GIF decoder can convert, any other file one.

#include <wx/string.h>

#include <vector>

class wxImage;

enum class GifFrameMode
{
    // Each frame drawn over the ones before it on the GIF's logical screen,
    // honouring the disposal methods, as a viewer shows it.
    Composited,
    // Each frame at its own size, as the decoder converts it.
    AsStored
};

enum class PictureReadResult
{
    Ok,
    Missing,     // no such file
    Unreadable,  // cannot be opened, or not a picture the toolkit decodes
    NoFrames     // a GIF file without any frame that can be converted
};

bool IsGifPath(const wxString& path);

// Appends the frames of `path` to `frames`; toolkit log output is suppressed.
PictureReadResult ReadPictureFrames(const wxString& path, std::vector<wxImage>& frames,
                                    GifFrameMode mode = GifFrameMode::Composited);
