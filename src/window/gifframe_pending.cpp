// GifFrame commands whose work arrives with the update check. Each is already
// connected to its menu item or event, and does what can be done without it:
// commands that stop the preview do so. Each function moves to the file of its
// feature when that feature is written.

#include "window/gifframe.h"

void GifFrame::OnCheckUpdate(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnUpdateCheckDone(wxCommandEvent&)
{
}
