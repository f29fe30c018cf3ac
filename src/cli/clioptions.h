#pragma once
// The command line of gloamer-cli.

#include "encoder/encodeoptions.h"
#include "picture/videopart.h"

#include <wx/string.h>

#include <vector>

struct CliOptions
{
    bool help = false;
    int delay = 10;  // hundredths of a second
    bool hasDelay = false;
    bool hasSize = false;
    int width = 0;
    int height = 0;
    wxString output;
    std::vector<wxString> inputs;
    wxString project; // a project file whose frames, delay and size are used
    GifEncodeOptions encode;
    bool verbose = false; // the closing summary even when standard error is no terminal
    int threads = 0;      // 0: as many as the machine has
    // Video clips: the part of each clip taken and how densely.
    VideoPart part;
    int maxFrames = 3000; // frames one clip may give
};

// Parses the arguments (without the program name). On failure returns false
// with a one-line reason in `error`.
bool ParseCliArguments(const std::vector<wxString>& args, CliOptions& options, wxString& error);

// The --help text.
wxString GetCliUsage();
