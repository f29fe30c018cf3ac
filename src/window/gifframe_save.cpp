// Saving the animation: Save, Save As, the save worker's progress, and the
// Loop Count command.

#include "window/gifframe.h"

#include "app/messagebox.h"
#include "encoder/animationsave.h"
#include "project/workstate.h"
#include "window/savethread.h"
#include "strip/imagethumbnailitem.h"
#include "window/framecommands.h"
#include "window/gifoptionsdialog.h"
#include "window/loopcountdialog.h"
#include "strip/thumbnailctrl.h"
#include "window/windowtexts.h"
#include "window/workerlink.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include <climits>

void GifFrame::OnSave(wxCommandEvent&)
{
    StopPreview();
    if (m_gif_path.empty())
    {
        // The first save of this work asks where, offering the name it has.
        m_gif_path = ChooseTargetPath([this] { return m_choose_save_path(this, _("Save GIF Files"), m_gif_name); },
                                      ".gif");
        if (m_gif_path.empty())
            return;
        m_gif_name = wxFileNameFromPath(m_gif_path);
        if (GetFrameCount() == 0)
            return; // nothing to write yet; the path is kept for later
    }
    else if (GetFrameCount() == 0 || (wxFileExists(m_gif_path) && CurrentWorkState() == m_gif_state))
        return; // the file is there and holds this very work
    StartSave(_("Save GIF Progress Dialog"));
}

void GifFrame::OnSaveAs(wxCommandEvent&)
{
    StopPreview();
    if (GetFrameCount() == 0)
        return;
    // Cancelling forgets the path, so that the next Save asks again.
    m_gif_path =
        ChooseTargetPath([this] { return m_choose_save_path(this, _("Save As GIF Files"), m_gif_name); }, ".gif");
    if (m_gif_path.empty())
        return;
    m_gif_name = wxFileNameFromPath(m_gif_path);
    StartSave(_("Save As GIF Progress Dialog"));
}

wxString GifFrame::ChooseTargetPath(const std::function<wxString()>& ask, const wxString& extension)
{
    for (;;)
    {
        const wxString chosen = ask();
        if (chosen.empty())
            return chosen;
        // "*.gif" taken as it stands would be a file of that name.
        if (wxFileNameFromPath(chosen).find_first_of("*?") != wxString::npos)
            continue;
        const wxString target = chosen.EndsWith(extension) ? chosen : chosen + extension;
        // The file dialog asked only about the name as typed.
        if (target != chosen && wxFileName::Exists(target, wxFILE_EXISTS_ANY | wxFILE_EXISTS_NO_FOLLOW))
        {
            if (ShowMessage(this, wxString::Format(_("\"%s\" already exists.\nDo you want to replace it?"), target),
                            _("Confirm"), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING) != wxID_YES)
                continue;
        }
        return target;
    }
}

void GifFrame::ForgetGifFile()
{
    // The name stays, to be offered when the next Save asks.
    m_gif_path.clear();
    m_gif_state = WorkState();
}

bool GifFrame::StartSave(const wxString& title)
{
    if (IsSaving())
        return false;
    m_gif_state = CurrentWorkState();

    // The worker holds the frames it writes, and reads them from the store.
    std::vector<FrameHandle> frames;
    for (int i = 0; i < GetFrameCount(); ++i)
    {
        const auto* item = wxDynamicCast(m_thumbnail_ctrl->GetItem(i), wxImageThumbnailItem);
        frames.push_back(item ? item->GetFrame() : FrameHandle());
    }
    auto link = std::make_shared<WorkerLink>(GetEventHandler());
    auto* worker = new WorkSaveAsGifThread(link, std::move(frames), wxSize(m_gif_state.width, m_gif_state.height),
                                           m_gif_state.delay, m_gif_path, EncodeOptionsFor(m_gif_state.gif));
    m_save_progress = new wxProgressDialog(title, _(" Saving images...."), 100, this,
                                           wxPD_ELAPSED_TIME | wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME);
    if (!m_start_worker(*worker))
    {
        delete worker;
        CloseSaveProgress();
        m_gif_state = WorkState(); // nothing was written
        ShowMessage(this, _("The animation cannot be saved: the program could not start its saving thread."), _("Save"),
                    wxOK | wxICON_ERROR);
        return false;
    }
    m_save_link = link;
    UpdateHistoryItems(); // no undo while the frames are being written
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
        m_gif_state = WorkState();
        ShowMessage(this, wxString::Format(_("The animation could not be saved as \"%s\":"), m_gif_path) + "\n" + error,
                    _("Save"), wxOK | wxICON_ERROR);
        return;
    }
    m_statusBar1->SetStatusText(SizeEditedStatusText(m_gif_name, m_gif_state.width, m_gif_state.height), 0);
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
    UpdateHistoryItems();
}

void GifFrame::OnLoopCount(wxCommandEvent&)
{
    if (GetFrameCount() == 0)
        return;
    LoopCountDialog dialog(this);
    if (dialog.ShowModal() == wxID_OK)
    {
        dialog.ConfirmChoice();
        const WorkSnapshot before = CaptureWork();
        SetLoopCount(dialog.GetResultCount());
        RecordEdit(EditKind::LoopCount, 0, before);
    }
    StopPreview();
}

void GifFrame::OnGifOptions(wxCommandEvent&)
{
    GifOptionsDialog dialog(this, m_gif_choices);
    if (dialog.ShowModal() != wxID_OK || dialog.GetChoices() == m_gif_choices)
        return;
    // Other choices make other bytes: the next Save writes again.
    const WorkSnapshot before = CaptureWork();
    m_gif_choices = dialog.GetChoices();
    WriteGifChoicesFile(m_gif_choices);
    RecordEdit(EditKind::GifOptions, 0, before);
}
