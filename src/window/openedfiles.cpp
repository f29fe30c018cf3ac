#include "window/openedfiles.h"

OpenedFiles SortOpenedFiles(const wxArrayString& paths)
{
    OpenedFiles sorted;
    wxArrayString others;
    for (const wxString& path : paths)
    {
        if (sorted.project.empty() && path.Lower().EndsWith(".xml"))
            sorted.project = path;
        else
            others.Add(path);
    }
    (sorted.project.empty() ? sorted.pictures : sorted.ignored) = others;
    return sorted;
}
