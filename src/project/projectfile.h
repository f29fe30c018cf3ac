#pragma once
// The project file: the work in progress as XML, read and written without a
// window. Elements, in this order and without attributes:
//   project / name            the output GIF's file name (may be empty)
//           / gif / width, height, delay_time   decimal numbers
//           / images / path*  frames in order: picture paths and frame
//                             references, each run of GIF frames followed
//                             by the GIF's own path as a marker
//           / recovery        only in a recovery copy (see below)
// Reading is strictly positional and stops at the first element that is not
// where it belongs, keeping what was read before it.
//
// A name or path holding a character that XML cannot carry (a control
// character) is written with the attribute encoding="percent": such a
// character and every "%" appear as "%" and two hex digits per UTF-8 byte.
// Every other text is written as it is, as it always was.

#include <wx/string.h>

#include <string>
#include <vector>

struct WorkState;

// What a project file may be at most; real projects stay far below.
const size_t kMaxProjectFileBytes = 32 * 1024 * 1024;
const int kMaxProjectFrames = 100000;

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

    // Only a recovery copy holds these: the rest of what the window had.
    bool hasRecovery = false;
    int loopCount = 0;
    wxString gifPath;
    wxString projectPath;

    bool operator==(const ProjectContent& other) const;
    bool operator!=(const ProjectContent& other) const { return !(*this == other); }
};

enum class ProjectRead
{
    Ok,
    Missing,
    NotAFile,      // a folder, FIFO or device
    CannotOpen,
    TooLarge,      // more than kMaxProjectFileBytes
    TooManyFrames, // more than kMaxProjectFrames
    NotAProject    // not well-formed, another root, a comment first, too deep, a DTD, an absurd text
};

// One phrase for the reason (translated where a catalog is active).
wxString DescribeProjectRead(ProjectRead status);

// The content for the work in `state`, with the GIF's file name.
ProjectContent MakeProjectContent(const WorkState& state, const wxString& gifName);

// The "path" texts for frame entries with these paths: each entry's path, and
// after a run of frame references the GIF's own path as a marker (placed as
// the format has always placed it).
std::vector<wxString> ProjectPathsWithMarkers(const std::vector<wxString>& entries);

// The paths worth loading: markers and whole-GIF paths left out, and paths
// whose file is gone (those go to `missing`, when given).
std::vector<wxString> UsableProjectPaths(const std::vector<wxString>& paths, std::vector<wxString>* missing = nullptr);

// Reads a project file only when it is a regular file within the limits;
// anything but Ok leaves `content` empty.
ProjectRead ReadProjectFile(const wxString& path, ProjectContent& content);
// The same for bytes already read.
ProjectRead ReadProjectBytes(const std::string& bytes, ProjectContent& content);

// The file's bytes for `content`.
std::string FormatProjectFile(const ProjectContent& content);

// Writes through a temporary file beside `path`, which replaces it only when
// complete. False with a one-line reason in `error`, also for more frames
// than a project may hold.
bool WriteProjectFile(const wxString& path, const ProjectContent& content, wxString& error);
