#pragma once
// Frame references: one frame of a GIF file named as the file's path, "_" and
// the frame's index, as frame entries and project files carry them
// ("/pics/anim.gif_12" is frame 12 of /pics/anim.gif).

#include <wx/string.h>

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
