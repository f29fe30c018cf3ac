// GifFrame commands whose work arrives with the frame list, the preview, GIF
// saving, project files and the update check. Each is already connected to
// its menu item, tool, control or event, and does what can be done without
// those pieces: commands that stop the preview do so. Each function moves to
// the file of its feature when that feature is written.

#include "window/gifframe.h"
#include "window/thumbnailevent.h"

#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>

void GifFrame::OnSave(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnSaveAs(wxCommandEvent&)
{
    StopPreview();
}

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

void GifFrame::OnThumbnailLeftClick(wxThumbnailEvent&)
{
    // Showing the clicked frame arrives with the preview.
    if (GetFrameCount() > 0)
        StopPreview();
}

void GifFrame::OnAddImage(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnDelete(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnInsertImage(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnClearAll(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnRunAnimation(wxCommandEvent&)
{
    if (m_playing)
        StopPreview();
    // Starting needs frames to show.
}

void GifFrame::OnLoopCount(wxCommandEvent&)
{
}

void GifFrame::OnCheckUpdate(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnPreviewTimer(wxTimerEvent&)
{
}

void GifFrame::OnSetDelay(wxCommandEvent&)
{
    StopPreview();
}

void GifFrame::OnSetWidth(wxCommandEvent&)
{
}

void GifFrame::OnSetHeight(wxCommandEvent&)
{
}

void GifFrame::OnChangeSplitterWindow(wxSplitterEvent&)
{
}

void GifFrame::OnUpdateCheckDone(wxCommandEvent&)
{
}

void GifFrame::OnImageLoadUpdate(wxCommandEvent&)
{
}

void GifFrame::OnSaveGifUpdate(wxCommandEvent&)
{
}

void GifFrame::ResetOutputSize()
{
    if (GetFrameCount() == 0)
    {
        m_statusBar1->SetStatusText(wxString(), 0);
        m_spinctrl_width->SetValue(0);
        m_spinctrl_height->SetValue(0);
    }
}
