#pragma once
// The work of a loading run without the thread around it: every path decoded
// through the picture reader, in order, each picture handed on with its
// thumbnail and the run's progress. Safe on any thread (wxImage work only).

#include "picture/picturestatus.h"

#include <wx/arrstr.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include <functional>
#include <string>
#include <vector>

// A file that gave nothing, or less than all of its frames (status.cutShort).
struct LeftOutFile
{
    wxString path;
    PictureStatus status;
};

// One delivery of a run. Every run ends with exactly one delivery at 100
// percent, which carries the files left out; it has no picture when the last
// path gave none.
struct LoadedPicture
{
    wxImage image;      // at its own size; invalid only in a closing delivery
    wxImage thumbnail;  // fitted into the thumbnail box; invalid when too thin
    int frameIndex = 0; // the frame's place inside its GIF file, else 0
    wxString path;      // the file read, without a frame suffix
    std::string source; // the bytes `image` was decoded from, when it is a whole file's one picture
    int percent = 0;
    std::vector<LeftOutFile> leftOut;
};

// `stop` is asked before each path and each GIF frame; once it says true
// the run ends early, still with its closing delivery. A `deliver` that hands
// the pictures to another thread must take them out of the delivery (leave
// them invalid) first: wxImage shares its data without locking.
void RunImageLoad(const wxArrayString& paths, const wxSize& thumbnailBox, const std::function<bool()>& stop,
                  const std::function<void(LoadedPicture&)>& deliver);
