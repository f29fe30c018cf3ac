// GifFrame commands whose work arrives with project files. Each is already
// connected to its menu item, and does what can be done without those pieces.
// Each function moves to the file of its feature when that feature is written.

#include "window/gifframe.h"

void GifFrame::OnOpenProject(wxCommandEvent&)
{
}

void GifFrame::OnSaveProject(wxCommandEvent&)
{
    SaveProject();
}

bool GifFrame::SaveProject()
{
    return false;
}

