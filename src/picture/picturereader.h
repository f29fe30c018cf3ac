#pragma once
// The program's one reader of picture files. Every file a user names goes
// through here, whatever its bytes: it never crashes, never allocates beyond
// PictureLimits and never hands out memory it did not fill.
//
// Formats are told by content, not by name: PNG, JPEG, BMP and GIF. A path
// ending in ".gif" (exactly, case matters) gives every frame of a GIF, each
// drawn over the ones before it on the file's logical screen, honouring
// positions, disposal methods and transparency, as a viewer shows them; any
// other path gives one frame (for a GIF file, its first).

#include "picture/picturelimits.h"
#include "picture/picturestatus.h"

#include <wx/gdicmn.h>

#include <cstdio>
#include <functional>
#include <vector>

class wxImage;
class wxString;

// Receives each decoded frame in order; may keep or move it. Returns false to
// stop reading (the read still counts as a success).
using PictureFrameSink = std::function<bool(wxImage& frame)>;

bool IsGifPath(const wxString& path);

// The size every frame of the file will have, from its headers only.
PictureStatus ProbePictureSize(const wxString& path, wxSize& size, const PictureLimits& limits = PictureLimits());

// Streams the frames of `path` to `sink`, one at a time: only the frame being
// built is held, so a file of any length reads in bounded memory.
PictureStatus ReadPictureFrames(const wxString& path, const PictureFrameSink& sink,
                                const PictureLimits& limits = PictureLimits());

// Appends every frame of `path` to `frames`; refuses (TooLarge, nothing
// appended) a file whose frames together exceed maxHeldPixels.
PictureStatus ReadPictureFrames(const wxString& path, std::vector<wxImage>& frames,
                                const PictureLimits& limits = PictureLimits());

// Frame `index` of `path` (0 for a still picture); NoFrames when the file has
// no such frame.
PictureStatus ReadPictureFrame(const wxString& path, int index, wxImage& frame,
                               const PictureLimits& limits = PictureLimits());

// The same over an open stream, for callers that hold the bytes already (and
// the fuzz tests). `allFrames` is what a ".gif" name means for a path.
PictureStatus ReadPictureStream(std::FILE* file, bool allFrames, const PictureFrameSink& sink,
                                const PictureLimits& limits = PictureLimits());
PictureStatus ProbePictureStream(std::FILE* file, wxSize& size, const PictureLimits& limits = PictureLimits());
