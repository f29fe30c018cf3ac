// Files that reach the window from outside it: the command line ("Open with"
// in a file manager) and drops onto the strip or the preview panel.

#include "window/gifframe.h"

#include "app/messagebox.h"
#include "window/openedfiles.h"

#include <wx/filename.h>

bool GifFrame::OpenFiles(const wxArrayString& paths)
{
    if (IsLoading() || IsSaving())
        return false;
    // Projects keep paths as they are; a relative one would only mean
    // something in the folder the program was started from.
    wxArrayString absolute;
    for (const wxString& path : paths)
    {
        wxFileName name(path);
        name.MakeAbsolute();
        absolute.Add(name.GetFullPath());
    }
    const OpenedFiles files = SortOpenedFiles(absolute);
    if (!files.ignored.empty())
    {
        ShowMessage(this,
                    _("A project replaces the frame list, so only the project was opened. These files were not added:") +
                        "\n" + wxJoin(files.ignored, '\n', '\0'),
                    _("Open Project"), wxOK | wxICON_INFORMATION);
    }
    if (!files.project.empty())
    {
        OpenProject(files.project);
        return true;
    }
    StopPreview();
    return LoadImageFiles(files.pictures);
}
