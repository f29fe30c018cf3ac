// GifFrame commands whose work arrives with project files and the update
// check. Each is already connected to its menu item or event, and does what
// can be done without those pieces: commands that stop the preview do so. Each function moves to
// the file of its feature when that feature is written.

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

void GifFrame::OnCheckUpdate(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnUpdateCheckDone(wxCommandEvent&)
{
}

