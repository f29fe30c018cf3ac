#pragma once
// The window program's command line: files to open, and the two options a
// terminal user expects.

#include <wx/arrstr.h>
#include <wx/string.h>

#include <vector>

struct StartArguments
{
    wxArrayString files; // pictures and projects, as given
    bool help = false;
    bool version = false;
    bool crashReport = false; // private: this process writes a crash report
    wxString error; // one line naming what was not understood
};

// GTK's own options are gone by the time the program sees the arguments.
// "--" ends the options, so a file may begin with '-'.
StartArguments ParseStartArguments(const std::vector<wxString>& args);

// The text --help prints.
wxString StartUsageText();
