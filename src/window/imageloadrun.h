#pragma once
// The work of a loading run without the thread around it: every path decoded
// through the picture reader, in order, each picture handed on with its
// thumbnail and the run's progress. Safe on any thread (wxImage work only).

#include "picture/picturestatus.h"
#include "picture/videopart.h"

#include <wx/arrstr.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One thing a run reads: a path as the user or a project names it (a
// picture, every frame of a GIF, a GIF's or a clip's frame reference), or a
// part of a clip the user chose.
struct LoadSource
{
    wxString path;
    bool clipPart = false;       // read `part` of the clip at `path`
    VideoPart part;              // settled: its rate and end are known
    std::int64_t maxFrames = 0;  // frames the part may give; 0: the reader's own limit
};

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
    std::int64_t clipTime = -1; // a clip's frame: when it is shown (microseconds); else -1
    std::string source; // the bytes `image` was decoded from, when it is a whole file's one picture
    int percent = 0;
    std::vector<LeftOutFile> leftOut;
};

// `stop` is asked before each path and each GIF or clip frame; once it says true
// the run ends early, still with its closing delivery. A `deliver` that hands
// the pictures to another thread must take them out of the delivery (leave
// them invalid) first: wxImage shares its data without locking.
// Within a file the percent grows with each frame (for a GIF, with the part
// of the file read), so that one long file shows progress too.
void RunImageLoad(const std::vector<LoadSource>& sources, const wxSize& thumbnailBox,
                  const std::function<bool()>& stop, const std::function<void(LoadedPicture&)>& deliver);
// Each path a source of its own.
void RunImageLoad(const wxArrayString& paths, const wxSize& thumbnailBox, const std::function<bool()>& stop,
                  const std::function<void(LoadedPicture&)>& deliver);
std::vector<LoadSource> LoadSourcesOf(const wxArrayString& paths);
