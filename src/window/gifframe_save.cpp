// Saving the animation: Save, Save As, the save worker's progress, and the
// Loop Count command.

#include "window/gifframe.h"

#include "encoder/animationsave.h"
#include "window/savethread.h"
#include "strip/imagethumbnailitem.h"
#include "window/loopcountdialog.h"
#include "strip/thumbnailctrl.h"
#include "window/windowtexts.h"
#include "window/workerlink.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include <climits>

void GifFrame::OnSave(wxCommandEvent&)
{
    StopPreview();
    if (GetFrameCount() == 0)
    {
        // Nothing to write yet; the path chosen is kept for later.
        if (m_gif_path.empty())
        {
            m_gif_path = m_choose_save_path(this, _("Save GIF Files"));
            if (!m_gif_path.empty())
                m_gif_name = wxFileName(WithGifExtension(m_gif_path)).GetFullName();
        }
        return;
    }
    if (m_gif_path.empty())
    {
        m_gif_path = m_choose_save_path(this, _("Save GIF Files"));
        if (m_gif_path.empty())
            return;
    }
    else if (wxFileExists(m_gif_path) && GetFrameCount() == m_saved_count &&
             m_spinctrl_delay->GetValue() == m_saved_delay && m_spinctrl_width->GetValue() == m_saved_width &&
             m_spinctrl_height->GetValue() == m_saved_height)
    {
        return; // the file is there and nothing changed since it was written
    }
    m_gif_path = WithGifExtension(m_gif_path);
    m_gif_name = wxFileName(m_gif_path).GetFullName();
    StartSave(_("Save GIF Progress Dialog"));
}

void GifFrame::OnSaveAs(wxCommandEvent&)
{
    StopPreview();
    if (GetFrameCount() == 0)
        return;
    // Cancelling forgets the path, so that the next Save asks again.
    m_gif_path = m_choose_save_path(this, _("Save As GIF Files"));
    if (m_gif_path.empty())
        return;
    m_gif_path = WithGifExtension(m_gif_path);
    m_gif_name = wxFileName(m_gif_path).GetFullName();
    StartSave(_("Save As GIF Progress Dialog"));
}

bool GifFrame::StartSave(const wxString& title)
{
    if (IsSaving())
        return false;
    m_saved_count = GetFrameCount();
    m_saved_delay = m_spinctrl_delay->GetValue();
    m_saved_width = m_spinctrl_width->GetValue();
    m_saved_height = m_spinctrl_height->GetValue();

    // The worker reads the pixels through views of its own; the frame list
    // cannot change while the progress dialog holds the window.
    std::vector<wxImage> frames;
    for (int i = 0; i < GetFrameCount(); ++i)
    {
        const auto* item = wxDynamicCast(m_thumbnail_ctrl->GetItem(i), wxImageThumbnailItem);
        frames.push_back(item ? MakeSaveView(item->GetFullImage()) : wxImage());
    }
    auto link = std::make_shared<WorkerLink>(GetEventHandler());
    auto* worker = new WorkSaveAsGifThread(link, std::move(frames), wxSize(m_saved_width, m_saved_height),
                                           m_saved_delay, m_gif_path);
    m_save_progress = new wxProgressDialog(title, _(" Saving images...."), 100, this,
                                           wxPD_ELAPSED_TIME | wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME);
    if (!m_start_worker(*worker))
    {
        delete worker;
        CloseSaveProgress();
        m_saved_count = 0; // nothing was written
        wxMessageDialog(this, _("The animation cannot be saved: the program could not start its saving thread."),
                        _("Save"), wxOK | wxICON_ERROR)
            .ShowModal();
        return false;
    }
    m_save_link = link;
    return true;
}

void GifFrame::OnSaveGifUpdate(wxCommandEvent& event)
{
    if (!IsSaving())
        return;
    if (event.GetInt() < 100)
    {
        if (m_save_progress)
            m_save_progress->Update(event.GetInt(), wxString());
        return;
    }
    m_save_link.reset();
    CloseSaveProgress();
    wxWakeUpIdle();
    const wxString error = event.GetString();
    if (!error.empty())
    {
        // Not saved: a later Save writes again, and the status bar keeps
        // what it said.
        m_saved_count = 0;
        wxMessageDialog(this, wxString::Format(_("The animation could not be saved as \"%s\":"), m_gif_path) + "\n" + error,
                        _("Save"), wxOK | wxICON_ERROR)
            .ShowModal();
        return;
    }
    m_statusBar1->SetStatusText(SizeEditedStatusText(m_gif_name, m_saved_width, m_saved_height), 0);
}

void GifFrame::AwaitSave()
{
    if (!m_save_link)
        return;
    std::shared_ptr<WorkerLink> link = std::move(m_save_link);
    link->Detach();
    while (!link->WaitUntilFinished(INT_MAX))
    {
    }
    CloseSaveProgress();
}

void GifFrame::CloseSaveProgress()
{
    delete m_save_progress;
    m_save_progress = nullptr;
}

void GifFrame::OnLoopCount(wxCommandEvent&)
{
    if (GetFrameCount() == 0)
        return;
    LoopCountDialog dialog(this);
    if (dialog.ShowModal() == wxID_OK)
    {
        dialog.ConfirmChoice();
        SetLoopCount(dialog.GetResultCount());
    }
    StopPreview();
}
