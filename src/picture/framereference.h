#pragma once
// Frame references: one frame of a GIF file named as the file's path, "_" and
// the frame's index, as frame entries and project files carry them
// ("/pics/anim.gif_12" is frame 12 of /pics/anim.gif); one frame of a video
// clip named as the clip's path, "#t=" and the time in seconds, with up to six
// decimals ("/videos/trip.mp4#t=12.5" is what trip.mp4 shows 12.5 seconds in).

#include <wx/string.h>

#include <cstdint>

// True when the path holds ".gif_" after its first character, as every frame
// reference does.
bool IsFrameReference(const wxString& path);

// The frame index a reference ends with, read from at most its last three
// characters; -1 when the path holds no ".gif_" after its first character.
int ParseFrameIndex(const wxString& path);

// The path without its frame-index suffix (up to three digits); the path
// unchanged when it holds no ".gif_" after its first character.
wxString StripFrameSuffix(const wxString& path);

// The reference for frame `index` of `gifPath`.
wxString MakeFrameReference(const wxString& gifPath, int index);

// What a path names on disk: the file to read and the frame wanted from it,
// -1 for the whole file. A file that exists under the path itself is read as
// it is, so that a folder such as "a.gif_x" never hides a picture; otherwise
// an existing GIF file with "_<digits>" after it names one of its frames (of
// any index). False when neither exists.
bool ResolvePicturePath(const wxString& path, wxString& file, int& frameIndex);

// The reference for what `clipPath` shows `microseconds` into it.
wxString MakeClipFrameReference(const wxString& clipPath, std::int64_t microseconds);

// The clip and the time a clip frame reference names; false when the path
// does not end in "#t=" and a time (seconds, or minutes and seconds).
bool ParseClipFrameReference(const wxString& path, wxString& clipPath, std::int64_t& microseconds);

// What a path names on disk: the file to read and, for a frame reference, the
// frame wanted from it (a GIF's frame index or a clip's time; -1 for the
// whole file). As ResolvePicturePath, and besides an existing file followed
// by "#t=" and a time names that time of it. False when nothing exists.
struct FrameSource
{
    wxString file;
    int gifFrame = -1;
    std::int64_t clipTime = -1;
};
bool ResolveFrameSource(const wxString& path, FrameSource& source);
