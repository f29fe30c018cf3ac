#pragma once
// The project file: the work in progress as XML, read and written without a
// window. Elements, in this order and without attributes:
//   project / name            the output GIF's file name (may be empty)
//           / gif / width, height, delay_time   decimal numbers
//           / images / path*  frames in order: picture paths and frame
//                             references, each run of GIF frames followed
//                             by the GIF's own path as a marker
// Reading is strictly positional and stops at the first element that is not
// where it belongs, keeping what was read before it.

#include <wx/string.h>

#include <vector>

struct ProjectContent
{
    // Name, width and height were read (the first three values, together).
    bool hasSize = false;
    wxString gifName;
    int width = 0;
    int height = 0;
    bool hasDelay = false;
    int delay = 0;

    enum class Images
    {
        Missing, // reading stopped before "images"
        Empty,   // "images" without children
        Broken,  // a child of "images" that is not "path": nothing is used
        Listed
    };
    Images images = Images::Missing;
    // Every "path" text in order, markers included (as written).
    std::vector<wxString> paths;
};

// The "path" texts for frame entries with these paths: each entry's path, and
// after a run of frame references the GIF's own path as a marker (placed as
// the format has always placed it).
std::vector<wxString> ProjectPathsWithMarkers(const std::vector<wxString>& entries);

// The paths worth loading: markers and whole-GIF paths left out, and paths
// whose file is gone.
std::vector<wxString> UsableProjectPaths(const std::vector<wxString>& paths);

// False when the file is not an XML document whose first node is "project";
// otherwise `content` holds what was read.
bool ReadProjectFile(const wxString& path, ProjectContent& content);

// Writes through a temporary file beside `path`, which replaces it only when
// complete. False with a one-line reason in `error`.
bool WriteProjectFile(const wxString& path, const ProjectContent& content, wxString& error);
