#pragma once
// The part of a clip the clip dialog describes, read from what the user typed
// and checked against the clip: no window needed.

#include "picture/videopart.h"

#include <wx/string.h>

#include <cstdint>

struct VideoInfo;

// Parts beyond this many frames are added only after a question.
constexpr std::int64_t kClipFramesWithoutAsking = 3000;

struct ClipPartChoice
{
    VideoPart part;          // settled for the clip: rate and end known
    std::int64_t frames = 0; // frames the part gives; -1 when the clip does not say how long it is
    wxString problem;        // why the part cannot be used; empty when it can
};

// `start` and `end` as typed (seconds or m:ss.s; an empty end is the clip's
// end), `fps` frames per second.
ClipPartChoice CheckClipPart(const VideoInfo& info, const wxString& start, const wxString& end, double fps);

// True when `path` is a video clip the program reads (by its content: a file
// that is a picture, or is none of either, is not), with what it says of
// itself in `info`.
bool ProbeClipFile(const wxString& path, VideoInfo& info);

// The rate the dialog offers first: the clip's own, at most 10.
double OfferedClipRate(const VideoInfo& info);
