// Work that survives a crash or a kill: the window keeps a recovery copy of
// its work, and the next start offers back a copy whose window is gone.

#include "window/gifframe.h"

#include "app/messagebox.h"
#include "app/productinfo.h"
#include "project/projectfile.h"
#include "recovery/abandonedcopy.h"
#include "recovery/recoverycopy.h"
#include "recovery/recoveryfolder.h"
#include "strip/thumbnailctrl.h"

#include <wx/filename.h>

#include <algorithm>

void GifFrame::StartUp(const wxArrayString& files)
{
    if (OfferRecovery() && IsLoading())
        m_after_restore = files; // opened once the restored frames are in
    else if (!files.empty())
        OpenFiles(files);
}

bool GifFrame::OfferRecovery()
{
    std::unique_ptr<AbandonedCopy> found = AbandonedCopy::FindNewest(GetRecoveryFolder());
    if (!found)
        return false;
    ProjectContent content;
    if (found->Read(content) != ProjectRead::Ok || content.images != ProjectContent::Images::Listed)
    {
        found->Discard(); // nothing in it could be restored
        return false;
    }
    const int frames = static_cast<int>(std::count_if(content.paths.begin(), content.paths.end(),
                                                      [](const wxString& path) { return !path.EndsWith(".gif"); }));
    const int answer = ShowMessage(this,
                                   wxString::Format(_("%s did not end properly last time.\nDo you want to restore the "
                                                      "work it had open (%d frames)?"),
                                                    GetProductDisplayName(), frames),
                                   _("Restore Work"), wxYES_NO | wxYES_DEFAULT | wxICON_QUESTION);
    if (answer != wxID_YES)
    {
        found->Discard();
        return false;
    }
    // The old copy stays until this window's own copy holds the work.
    m_abandoned = std::move(found);

    StopPreview();
    ClearHistory(); // the restored work starts a history of its own
    m_thumbnail_ctrl->Clear();
    m_restoring = true;
    ApplyProject(content);
    m_restoring = IsLoading();
    // The rest of what the window had; the work counts as unsaved.
    m_gif_path = content.gifPath;
    if (!m_gif_path.empty())
        m_gif_name = wxFileNameFromPath(m_gif_path);
    m_project_path = content.projectPath;
    m_project_file_name = wxFileNameFromPath(m_project_path);
    UpdateTitle();
    SetLoopCount(content.loopCount);
    return true;
}

void GifFrame::OnRecoveryTimer(wxTimerEvent&)
{
    UpdateRecoveryCopy();
}

void GifFrame::UpdateRecoveryCopy()
{
    // Half-loaded work is not a state worth keeping, and a restore keeps the
    // old copy until its frames are in; the next tick comes.
    if (IsLoading() || m_restoring || !m_recovery)
        return;
    if (GetFrameCount() == 0)
        m_recovery->Remove();
    else
    {
        ProjectContent content = MakeProjectContent(CurrentWorkState(), m_gif_name);
        content.hasRecovery = true;
        content.loopCount = m_loop_count;
        content.gifPath = m_gif_path;
        content.projectPath = m_project_path;
        if (!m_recovery->Keep(content))
            return; // tried again at the next tick
    }
    if (m_abandoned)
    {
        m_abandoned->Discard();
        m_abandoned.reset();
    }
}

wxString GifFrame::GetRecoveryPath() const
{
    return m_recovery ? m_recovery->GetPath() : wxString();
}
