// Editing the frame list: Add Image and Insert Image on the loading worker
// (with the part of each video clip asked for), Delete, Clear All and the
// strip's context menu.

#include "window/gifframe.h"

#include "app/messagebox.h"
#include "app/trace.h"
#include "frames/framestore.h"
#include "picture/framereference.h"
#include "picture/videoinfo.h"
#include "picture/videopart.h"
#include "window/clippartdialog.h"
#include "window/framecommands.h"
#include "window/imageloadevent.h"
#include "window/imageloadrun.h"
#include "window/imageloadthread.h"
#include "strip/imagethumbnailitem.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailorder.h"
#include "strip/thumbnailevent.h"
#include "window/windowtexts.h"
#include "window/windowids.h"
#include "window/workerlink.h"

#include <wx/menu.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace
{

// How long closing waits for a worker to notice that it should stop; a
// worker decoding one huge picture finishes that picture first.
const int kWorkerStopWaitMs = 30000;
} // namespace

void GifFrame::OnAddImage(wxCommandEvent&)
{
    StopPreview();
    const wxArrayString paths = m_choose_files(this, _("Add Image Files"));
    if (!paths.empty())
        LoadImageFiles(paths);
}

bool GifFrame::LoadImageFiles(const wxArrayString& paths)
{
    return AddImageFiles(paths, -1);
}

bool GifFrame::AddImageFiles(const wxArrayString& paths, int insertAt)
{
    if (paths.empty() || IsLoading())
        return false;
    const bool wasEmpty = GetFrameCount() == 0;
    std::vector<LoadSource> sources;
    double clipRate = 0;
    if (!ChooseLoadSources(paths, sources, clipRate) || !StartLoadRun(sources, insertAt))
        return false;
    // The first frames of a new animation show at the clip's pace. Set once
    // the run has taken its undo snapshot, so that undoing the run brings the
    // delay back, and before its first frame arrives.
    if (wasEmpty && clipRate > 0)
    {
        m_spinctrl_delay->SetValue(DelayForVideoRate(clipRate));
        m_thumbnail_ctrl->SetFrameDelay(m_spinctrl_delay->GetValue());
    }
    return true;
}

bool GifFrame::ChooseLoadSources(const wxArrayString& paths, std::vector<LoadSource>& sources, double& clipRate)
{
    clipRate = 0;
    for (const wxString& path : paths)
    {
        VideoInfo info;
        LoadSource source;
        source.path = path;
        bool clip = false;
        {
            // A clip's headers may take a moment to read.
            wxBusyCursor busy;
            clip = ProbeClipFile(path, info);
        }
        if (!clip)
        {
            sources.push_back(source);
            continue;
        }
        ClipPartDialog dialog(this, path, info);
        if (dialog.ShowModal() != wxID_OK)
            continue; // this clip is left aside; the other files still come
        source.clipPart = true;
        source.part = dialog.GetChoice().part;
        source.maxFrames = std::max(dialog.GetChoice().frames, kClipFramesWithoutAsking);
        if (clipRate == 0)
            clipRate = source.part.fps;
        sources.push_back(source);
    }
    return !sources.empty();
}

bool GifFrame::StartLoadRun(const std::vector<LoadSource>& sources, int insertAt)
{
    if (sources.empty() || IsLoading())
        return false;
    GetFrameStore(); // made here: it asks the toolkit for the cache folder
    auto link = std::make_shared<WorkerLink>(GetEventHandler());
    auto* worker = new ImageLoadThread(link, sources, m_thumbnail_ctrl->GetThumbnailImageSize());
    // The dialog exists before the worker's first event can be handled.
    m_load_progress = new wxProgressDialog(_("Load Images Progress Dialog"), _(" Loading images...."), 100, this,
                                           wxPD_ELAPSED_TIME | wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME |
                                               wxPD_CAN_ABORT);
    // Cancel stops the worker at once, not only at its next picture; the
    // frames in the strip stay.
    m_load_progress->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
        if (event.GetId() == wxID_CANCEL)
            CancelLoadRun();
        event.Skip();
    });
    if (!m_start_worker(*worker))
    {
        // Never started: the object is still ours, and no event will come.
        delete worker;
        CloseLoadProgress();
        ShowMessage(this, _("The images cannot be loaded: the program could not start its loading thread."),
                    _("Add Image"), wxOK | wxICON_ERROR);
        return false;
    }
    m_load_link = link;
    m_load_insert_at = insertAt;
    m_load_cancelled = false;
    m_load_added = 0;
    // The run is one step, from the work before it to the work after it.
    m_load_before = std::make_unique<WorkSnapshot>(CaptureWork());
    EnableFrameCommands(true);
    return true;
}

void GifFrame::CancelLoadRun()
{
    if (!m_load_link)
        return;
    m_load_cancelled = true;
    m_load_link->RequestStop();
}

void GifFrame::OnImageLoadUpdate(wxCommandEvent& event)
{
    WriteTraceLine("ThreadUpdate");
    auto& load = static_cast<ImageLoadEvent&>(event);
    FrameHandle frame = load.TakeFrame();
    // Frames still queued from a run that was abandoned are dropped, and so
    // are those of a cancelled run: it stops where the user saw it.
    if (!IsLoading())
        return;
    if (frame && !m_load_cancelled)
    {
        auto* item = new wxImageThumbnailItem(std::move(frame), load.GetThumbnail(),
                                              static_cast<int>(event.GetExtraLong()), event.GetString());
        bool added = true;
        if (m_load_insert_at >= 0)
            m_thumbnail_ctrl->Insert(item, m_load_insert_at++);
        else if (m_thumbnail_ctrl->Append(item, m_spinctrl_delay->GetValue()) < 0)
        {
            delete item; // its file went away meanwhile
            added = false;
        }
        if (added)
            ++m_load_added;
        // A clip's frame is named by the clip and its time, once the entry
        // has found the clip.
        if (added && load.GetClipTime() >= 0)
            item->SetFilename(MakeClipFrameReference(event.GetString(), load.GetClipTime()));
    }
    if (event.GetInt() >= 100)
        FinishLoadRun(load.GetLeftOut(), load.GetRefusal());
    else if (m_load_progress && !m_load_progress->Update(event.GetInt(), wxString()))
        CancelLoadRun();
}

void GifFrame::FinishLoadRun(const std::vector<LeftOutFile>& leftOut, const FrameStoreRefusal& refusal)
{
    m_load_link.reset();
    const EditKind kind = m_load_insert_at >= 0 ? EditKind::Insert : EditKind::Add;
    m_load_insert_at = -1;
    const std::unique_ptr<WorkSnapshot> before = std::move(m_load_before);
    const bool project = m_loading_project;
    ResetOutputSize();
    if (m_loading_project)
    {
        FinishProjectLoad();
        // A project only partly loaded is not the project: leaving or saving
        // over it asks first.
        if (m_load_cancelled)
            m_project_state = WorkState();
    }
    m_load_cancelled = false;
    if (GetFrameCount() > 0)
        ShowFrame(0);
    else
        ClearPreview();
    // A run whose every file failed leaves nothing to edit.
    EnableFrameCommands(GetFrameCount() > 0);
    // An opened or restored project starts a history of its own.
    if (project)
        ClearHistory();
    else if (before && GetFrameCount() > static_cast<int>(before->frames.size()))
        RecordEdit(kind, GetFrameCount() - static_cast<int>(before->frames.size()), *before);
    CloseLoadProgress();
    // Keys go on to the frames that came (once the dialog has given the
    // window back its input).
    if (GetFrameCount() > 0)
        m_thumbnail_ctrl->SetFocus();
    ReportLeftOutFiles(leftOut);
    ReportStoreRefusal(m_load_added, refusal);
}

void GifFrame::ReportStoreRefusal(int added, const FrameStoreRefusal& refusal)
{
    if (refusal.kind != FrameStoreRefusal::None)
    {
        const FrameStoreLimits limits = GetFrameStore().GetLimits();
        ShowMessage(this, StoreFullMessage(added, refusal, limits.diskBytes, limits.frames), _("Add Image"),
                    wxOK | wxICON_WARNING);
    }
}

void GifFrame::AbandonLoadRun()
{
    if (!m_load_link)
        return;
    std::shared_ptr<WorkerLink> link = std::move(m_load_link);
    m_load_insert_at = -1;
    m_load_before.reset();
    m_loading_project = false;
    m_restoring = false;
    link->Detach();
    link->WaitUntilFinished(kWorkerStopWaitMs);
    CloseLoadProgress();
    if (m_thumbnail_ctrl && m_spinctrl_width)
        EnableFrameCommands(GetFrameCount() > 0);
}

void GifFrame::CloseLoadProgress()
{
    // Deleted now rather than at idle time: the dialog gives the window back
    // its input as it goes, and the next command may come before idle.
    delete m_load_progress;
    m_load_progress = nullptr;
    UpdateHistoryItems();
}

void GifFrame::ReportLeftOutFiles(const std::vector<LeftOutFile>& leftOut)
{
    const wxString message = LeftOutFilesMessage(leftOut);
    if (!message.empty())
        ShowMessage(this, message, _("Add Image"), wxOK | wxICON_WARNING);
}

void GifFrame::OnInsertImage(wxCommandEvent&)
{
    StopPreview();
    const wxArrayString paths = m_choose_files(this, _("Insert Image Files"));
    if (paths.empty())
        return;
    // Before the first selected frame; with none selected, before the one
    // right-clicked; else at the end.
    const wxArrayInt& selections = m_thumbnail_ctrl->GetSelections();
    int base = !selections.empty() && selections[0] >= 0 ? selections[0] : m_thumbnail_ctrl->GetFocusItem();
    if (base < 0 || base > GetFrameCount())
        base = GetFrameCount();
    AddImageFiles(paths, base);
}

void GifFrame::OnDelete(wxCommandEvent&)
{
    StopPreview();
    if (GetFrameCount() == 0)
        return;
    const wxArrayInt& selections = m_thumbnail_ctrl->GetSelections();
    if (selections.empty() || selections[0] < 0)
        return;
    std::vector<int> doomed(selections.begin(), selections.end());
    std::sort(doomed.begin(), doomed.end(), std::greater<int>());

    const bool confirmed = ShowMessage(this, _("Are you sure you want to delete selected image(s)?"), _("Confirm"),
                                       wxYES_NO | wxNO_DEFAULT | wxICON_INFORMATION) == wxID_YES;
    const WorkSnapshot before = CaptureWork();
    FramePool deleted; // kept for undo
    if (confirmed)
    {
        std::vector<wxThumbnailItem*> remaining = before.frames;
        // Highest first, so that every remaining index stays valid.
        for (const int index : doomed)
            if (index < static_cast<int>(remaining.size()))
                remaining.erase(remaining.begin() + index);
        ArrangeFrames(remaining, {}, deleted);
        ClearPreview();
    }
    m_statusBar1->SetStatusText(wxString(), 1);
    ResetOutputSize();
    if (GetFrameCount() == 0)
    {
        EnableFrameCommands(false);
        ForgetGifFile(); // as Clear All: new frames make another animation
    }
    if (confirmed)
        RecordEdit(EditKind::Delete, static_cast<int>(doomed.size()), before, std::move(deleted));
}

void GifFrame::OnClearAll(wxCommandEvent&)
{
    StopPreview();
    const WorkSnapshot before = CaptureWork();
    FramePool cleared; // kept for undo
    EnableFrameCommands(false);
    ArrangeFrames({}, {}, cleared);
    ForgetGifFile();
    ResetOutputSize();
    m_statusBar1->SetStatusText(wxString(), 1);
    ClearPreview();
    RecordEdit(EditKind::ClearAll, static_cast<int>(before.frames.size()), before, std::move(cleared));
}

void GifFrame::OnMoveFrames(wxCommandEvent& event)
{
    m_thumbnail_ctrl->ShiftSelection(event.GetId() == ID_MOVE_LEFT_MENU ? -1 : 1);
}

void GifFrame::OnThumbnailItemsMoved(wxThumbnailEvent& event)
{
    StopPreview();
    ShowFrame(event.GetIndex() >= 0 ? event.GetIndex() : 0);
    // The strip has moved its entries already: the order tells where each was.
    WorkSnapshot before = CaptureWork();
    const std::vector<int>& order = event.GetOrder();
    if (order.size() != before.frames.size())
        return;
    const std::vector<wxThumbnailItem*> after = before.frames;
    for (size_t i = 0; i < order.size(); ++i)
        before.frames[order[i]] = after[i];
    RecordEdit(EditKind::Move, static_cast<int>(before.selected.size()), before);
}
