// Editing the frame list: Add Image on the loading worker, Insert Image,
// Delete, Clear All and the strip's context menu.

#include "window/gifframe.h"

#include "app/messagebox.h"
#include "app/trace.h"
#include "frames/framestore.h"
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
    if (paths.empty() || IsLoading())
        return false;
    GetFrameStore(); // made here: it asks the toolkit for the cache folder
    auto link = std::make_shared<WorkerLink>(GetEventHandler());
    auto* worker = new ImageLoadThread(link, paths, m_thumbnail_ctrl->GetThumbnailImageSize());
    // The dialog exists before the worker's first event can be handled.
    m_load_progress = new wxProgressDialog(_("Load Images Progress Dialog"), _(" Loading images...."), 100, this,
                                           wxPD_ELAPSED_TIME | wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME);
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
    m_load_added = 0;
    // The run is one step, from the work before it to the work after it.
    m_load_before = std::make_unique<WorkSnapshot>(CaptureWork());
    EnableFrameCommands(true);
    return true;
}

void GifFrame::OnImageLoadUpdate(wxCommandEvent& event)
{
    WriteTraceLine("ThreadUpdate");
    auto& load = static_cast<ImageLoadEvent&>(event);
    FrameHandle frame = load.TakeFrame();
    // Frames still queued from a run that was abandoned are dropped.
    if (!IsLoading())
        return;
    if (frame)
    {
        auto* item = new wxImageThumbnailItem(std::move(frame), load.GetThumbnail(),
                                              static_cast<int>(event.GetExtraLong()), event.GetString());
        if (m_thumbnail_ctrl->Append(item, m_spinctrl_delay->GetValue()) < 0)
            delete item; // its file went away meanwhile
        else
            ++m_load_added;
    }
    if (event.GetInt() >= 100)
        FinishLoadRun(load.GetLeftOut(), load.GetRefusal());
    else if (m_load_progress)
        m_load_progress->Update(event.GetInt(), wxString());
}

void GifFrame::FinishLoadRun(const std::vector<LeftOutFile>& leftOut, const FrameStoreRefusal& refusal)
{
    m_load_link.reset();
    const std::unique_ptr<WorkSnapshot> before = std::move(m_load_before);
    const bool project = m_loading_project;
    ResetOutputSize();
    if (m_loading_project)
        FinishProjectLoad();
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
        RecordEdit(EditKind::Add, GetFrameCount() - static_cast<int>(before->frames.size()), *before);
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
    InsertImageFiles(paths, base);
}

void GifFrame::InsertImageFiles(const wxArrayString& paths, int base)
{
    wxBusyCursor busy;
    const WorkSnapshot before = CaptureWork();
    int inserted = 0;
    std::vector<LeftOutFile> leftOut;
    FrameStoreRefusal refusal;
    RunImageLoad(
        paths, m_thumbnail_ctrl->GetThumbnailImageSize(), [&] { return refusal.kind != FrameStoreRefusal::None; },
        [&](LoadedPicture& picture) {
            FrameHandle frame;
            if (picture.image.IsOk() && refusal.kind == FrameStoreRefusal::None)
                frame = GetFrameStore().Add(picture.image, std::move(picture.source), refusal);
            if (frame)
            {
                auto* item = new wxImageThumbnailItem(std::move(frame), picture.thumbnail, picture.frameIndex,
                                                      picture.path);
                m_thumbnail_ctrl->Freeze();
                m_thumbnail_ctrl->Insert(item, base + inserted);
                m_thumbnail_ctrl->Thaw();
                ++inserted;
            }
            leftOut.insert(leftOut.end(), picture.leftOut.begin(), picture.leftOut.end());
        });
    ResetOutputSize();
    if (inserted > 0)
    {
        EnableFrameCommands(true);
        RecordEdit(EditKind::Insert, inserted, before);
        m_thumbnail_ctrl->SetFocus();
    }
    ReportLeftOutFiles(leftOut);
    ReportStoreRefusal(inserted, refusal);
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
