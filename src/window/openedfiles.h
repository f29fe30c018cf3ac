#pragma once
// Files handed to the window from outside (the command line, a drop from the
// file manager): pictures to add, or one project to open.

#include <wx/arrstr.h>
#include <wx/string.h>

struct OpenedFiles
{
    wxString project;       // the project to open (empty: none)
    wxArrayString pictures; // pictures to add, in the order given
    wxArrayString ignored;  // files left aside because a project was given
};

// A name ending in ".xml" (any case) is a project; everything else is
// offered to the picture reader, which decides by the content. With a
// project, only the first is opened and nothing else is added: a project
// replaces the frame list.
OpenedFiles SortOpenedFiles(const wxArrayString& paths);
