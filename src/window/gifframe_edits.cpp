// Undo and redo of every edit of the animation, the frame operations of the
// Frame menu, and the keyboard's ways to the strip.

#include "window/gifframe.h"

#include "strip/frameoperations.h"
#include "strip/imagethumbnailitem.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailevent.h"
#include "strip/thumbnailorder.h"
#include "window/everynthdialog.h"
#include "window/framecommands.h"
#include "window/windowids.h"
#include "window/windowtexts.h"

#include <wx/cmdproc.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include <set>
#include <unordered_map>

namespace
{
std::vector<int> Indices(const wxArrayInt& array)
{
    return std::vector<int>(array.begin(), array.end());
}
} // namespace

WorkSnapshot GifFrame::CaptureWork() const
{
    WorkSnapshot work;
    for (int i = 0; i < GetFrameCount(); ++i)
        work.frames.push_back(m_thumbnail_ctrl->GetItem(i));
    for (const int index : m_thumbnail_ctrl->GetSelections())
        if (index >= 0 && index < GetFrameCount())
            work.selected.push_back(m_thumbnail_ctrl->GetItem(index));
    work.delay = m_spinctrl_delay->GetValue();
    work.width = m_spinctrl_width->GetValue();
    work.height = m_spinctrl_height->GetValue();
    work.refWidth = m_ref_width;
    work.refHeight = m_ref_height;
    work.loopCount = m_loop_count;
    work.choices = m_gif_choices;
    return work;
}

void GifFrame::RecordEdit(EditKind kind, int frames, const WorkSnapshot& before, FramePool pool)
{
    if (!m_history)
        return;
    const WorkSnapshot after = CaptureWork();
    if (before.SameWork(after))
        return; // the pool's entries were never shown; they go with it
    auto* current = dynamic_cast<FrameEditCommand*>(m_history->GetCurrentCommand());
    if (current && current->CanMerge(kind) && !m_history->CanRedo())
        current->Merge(after);
    else
    {
        if (current)
            current->Close();
        const auto apply = [this](const WorkSnapshot& work, FramePool& entries) { ApplyWork(work, entries); };
        m_history->Store(new FrameEditCommand(kind, frames, before, after, apply, std::move(pool)));
    }
    UpdateHistoryItems();
}

void GifFrame::ArrangeFrames(const std::vector<wxThumbnailItem*>& frames,
                             const std::vector<wxThumbnailItem*>& selected, FramePool& pool)
{
    for (auto& entry : m_thumbnail_ctrl->ExchangeItems({}, {}))
    {
        wxThumbnailItem* const key = entry.get();
        pool[key] = std::move(entry);
    }
    std::vector<std::unique_ptr<wxThumbnailItem>> next;
    for (wxThumbnailItem* const frame : frames)
    {
        const auto found = pool.find(frame);
        if (found == pool.end())
            continue; // never happens while each entry has one keeper
        next.push_back(std::move(found->second));
        pool.erase(found);
    }
    std::unordered_map<const wxThumbnailItem*, int> position;
    for (size_t i = 0; i < frames.size(); ++i)
        position.emplace(frames[i], static_cast<int>(i));
    std::vector<int> indices;
    for (wxThumbnailItem* const frame : selected)
    {
        const auto at = position.find(frame);
        if (at != position.end())
            indices.push_back(at->second);
    }
    m_thumbnail_ctrl->ExchangeItems(std::move(next), indices);
}

void GifFrame::ApplyWork(const WorkSnapshot& work, FramePool& pool)
{
    StopPreview();
    const WorkSnapshot now = CaptureWork();
    const bool framesChange = now.frames != work.frames;
    if (framesChange)
        ArrangeFrames(work.frames, work.selected, pool);
    // Values set here raise no edit events of their own.
    m_spinctrl_delay->SetValue(work.delay);
    m_thumbnail_ctrl->SetFrameDelay(work.delay);
    // The ranges of the work before must not clip the sizes brought back.
    m_ref_width = m_ref_height = 0;
    LimitSizeControls();
    m_spinctrl_width->SetValue(work.width);
    m_spinctrl_height->SetValue(work.height);
    m_out_width = work.width;
    m_out_height = work.height;
    m_ref_width = work.refWidth;
    m_ref_height = work.refHeight;
    LimitSizeControls();
    SetLoopCount(work.loopCount);
    if (work.choices != m_gif_choices)
    {
        m_gif_choices = work.choices;
        WriteGifChoicesFile(m_gif_choices); // the choice remembered is the one in force
    }

    const bool frames = GetFrameCount() > 0;
    EnableFrameCommands(frames);
    m_statusBar1->SetStatusText(frames ? SizeResetStatusText(m_gif_name, work.width, work.height) : wxString(), 0);
    if (!frames)
    {
        ClearPreview();
        m_statusBar1->SetStatusText(wxString(), 1);
    }
    else if (framesChange)
    {
        const wxArrayInt& selections = m_thumbnail_ctrl->GetSelections();
        ShowFrame(selections.empty() ? 0 : selections[0]);
    }
    m_thumbnail_ctrl->Refresh();
}

void GifFrame::ClearHistory()
{
    if (m_history)
        m_history->ClearCommands();
    m_load_before.reset();
    UpdateHistoryItems();
}

void GifFrame::CloseOpenEdit()
{
    if (auto* current = m_history ? dynamic_cast<FrameEditCommand*>(m_history->GetCurrentCommand()) : nullptr)
        current->Close();
}

void GifFrame::UpdateHistoryItems()
{
    if (!m_history || !m_item_undo || !m_item_redo)
        return;
    const bool idle = !IsLoading() && !IsSaving();
    // The step undo would take back, and the one after it that redo would do.
    wxList& steps = m_history->GetCommands();
    wxCommand* const current = m_history->GetCurrentCommand();
    wxList::compatibility_iterator following = steps.GetFirst();
    if (current)
    {
        following = steps.Find(current);
        if (following)
            following = following->GetNext();
    }
    const auto* undo = dynamic_cast<const FrameEditCommand*>(current);
    const auto* redo =
        following ? dynamic_cast<const FrameEditCommand*>(static_cast<wxCommand*>(following->GetData())) : nullptr;
    m_item_undo->SetItemLabel(UndoLabel(undo ? undo->Describe() : wxString()) + "\tCtrl+Z");
    m_item_redo->SetItemLabel(RedoLabel(redo ? redo->Describe() : wxString()) + "\tCtrl+Shift+Z");
    m_item_undo->Enable(idle && undo);
    m_item_redo->Enable(idle && redo);
}

void GifFrame::OnUndo(wxCommandEvent&)
{
    if (IsLoading() || IsSaving() || !m_history)
        return;
    m_history->Undo();
    UpdateHistoryItems();
}

void GifFrame::OnRedo(wxCommandEvent&)
{
    if (IsLoading() || IsSaving() || !m_history)
        return;
    CloseOpenEdit();
    m_history->Redo();
    UpdateHistoryItems();
}

void GifFrame::OnSpinFocusLost(wxFocusEvent& event)
{
    // Typing on after the focus came back is a step of its own.
    CloseOpenEdit();
    event.Skip();
}

void GifFrame::OnSelectAll(wxCommandEvent&)
{
    m_thumbnail_ctrl->SelectAll();
}

void GifFrame::ApplyFrameOperation(EditKind kind, const std::vector<int>& sources, const std::vector<int>& selected)
{
    StopPreview();
    const WorkSnapshot before = CaptureWork();
    // The first place a frame takes is the frame itself; every further one
    // is a copy sharing its pictures.
    FramePool pool;
    std::set<wxThumbnailItem*> placed;
    std::vector<wxThumbnailItem*> frames;
    for (const int source : sources)
    {
        wxThumbnailItem* item = m_thumbnail_ctrl->GetItem(source);
        if (!item)
            continue;
        if (!placed.insert(item).second)
        {
            std::unique_ptr<wxThumbnailItem> copy(item->Clone());
            item = copy.get();
            pool[item] = std::move(copy);
        }
        frames.push_back(item);
    }
    if (frames == before.frames)
        return;
    std::vector<wxThumbnailItem*> chosen;
    for (const int index : selected)
        if (index >= 0 && index < static_cast<int>(frames.size()))
            chosen.push_back(frames[index]);
    const wxArrayInt& selections = m_thumbnail_ctrl->GetSelections();
    const int concerned = selections.empty() ? GetFrameCount() : static_cast<int>(selections.size());
    ArrangeFrames(frames, chosen, pool);
    ResetOutputSize();
    if (GetFrameCount() == 0)
    {
        EnableFrameCommands(false);
        ClearPreview();
        m_statusBar1->SetStatusText(wxString(), 1);
    }
    else
        ShowFrame(chosen.empty() ? 0 : m_thumbnail_ctrl->GetSelections()[0]);
    RecordEdit(kind, concerned, before, std::move(pool));
}

void GifFrame::OnFrameOperation(wxCommandEvent& event)
{
    const int count = GetFrameCount();
    const std::vector<int> selected = Indices(m_thumbnail_ctrl->GetSelections());
    FrameArrangement arrangement;
    EditKind kind = EditKind::Reverse;
    switch (event.GetId())
    {
    case ID_REVERSE_MENU:
        arrangement = ReverseFrames(count, selected);
        break;
    case ID_YOYO_MENU:
        kind = EditKind::Yoyo;
        arrangement = YoyoFrames(count, selected);
        break;
    case ID_DUPLICATE_MENU:
        kind = EditKind::Duplicate;
        arrangement = DuplicateFrames(count, selected);
        break;
    default:
        return;
    }
    ApplyFrameOperation(kind, arrangement.sources, arrangement.selected);
}

void GifFrame::OnEveryNth(wxCommandEvent& event)
{
    const bool keep = event.GetId() == ID_KEEP_EVERY_NTH_MENU;
    const std::vector<int> selected = Indices(m_thumbnail_ctrl->GetSelections());
    const int concerned = selected.empty() ? GetFrameCount() : static_cast<int>(selected.size());
    if (concerned < 2)
        return; // the item is disabled then; a key or a stale menu may still come
    StopPreview();
    EveryNthDialog dialog(this, keep ? _("Keep Every Nth Frame") : _("Remove Every Nth Frame"),
                          keep ? _("Keeps the 1st, (N+1)th, (2N+1)th, ... of the selected frames (of all frames when "
                                   "none is selected) and removes the others.")
                               : _("Removes the Nth, 2Nth, 3Nth, ... of the selected frames (of all frames when none "
                                   "is selected)."),
                          concerned);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const int n = dialog.GetValue();
    const FrameArrangement arrangement = keep ? KeepEveryNthFrame(GetFrameCount(), selected, n)
                                              : RemoveEveryNthFrame(GetFrameCount(), selected, n);
    ApplyFrameOperation(keep ? EditKind::KeepEveryNth : EditKind::RemoveEveryNth, arrangement.sources,
                        arrangement.selected);
}

void GifFrame::EnableFrameOperations(wxMenu& menu) const
{
    // Each operation needs enough frames to change anything: those selected,
    // else all.
    const int count = GetFrameCount();
    const int selected = static_cast<int>(m_thumbnail_ctrl->GetSelections().size());
    const int concerned = selected > 0 ? selected : count;
    const std::pair<int, bool> rules[] = {{ID_SELECT_ALL_MENU, count > 0},
                                          {ID_REVERSE_MENU, concerned > 1},
                                          {ID_YOYO_MENU, concerned > 2},
                                          {ID_REMOVE_EVERY_NTH_MENU, concerned > 1},
                                          {ID_KEEP_EVERY_NTH_MENU, concerned > 1},
                                          {ID_DUPLICATE_MENU, count > 0}};
    for (const auto& [id, enable] : rules)
        if (menu.FindItem(id))
            menu.Enable(id, enable);
}

void GifFrame::OnMenuOpen(wxMenuEvent& event)
{
    if (event.GetMenu() == m_menu_frame && GetFrameCount() > 0)
        EnableFrameOperations(*m_menu_frame);
    event.Skip();
}

void GifFrame::ShowStripMenu(const wxPoint& at)
{
    StopPreview();
    // The items send the ids bound in ConnectLayoutHandlers.
    const std::vector<int> selected = Indices(m_thumbnail_ctrl->GetSelections());
    wxMenu menu;
    menu.Append(ID_INSERT_IMAGE_MENU, _("&Insert Image") + "\tCtrl+Ins");
    menu.Append(wxID_DELETE, _("&Delete") + "\tCtrl+Del");
    menu.AppendSeparator();
    menu.Append(ID_MOVE_LEFT_MENU, _("Move Left") + "\tAlt+Left")
        ->Enable(!OrderForShift(GetFrameCount(), selected, -1).empty());
    menu.Append(ID_MOVE_RIGHT_MENU, _("Move Right") + "\tAlt+Right")
        ->Enable(!OrderForShift(GetFrameCount(), selected, 1).empty());
    menu.AppendSeparator();
    menu.Append(ID_SELECT_ALL_MENU, _("Select All") + "\tCtrl+A");
    menu.Append(ID_REVERSE_MENU, _("Reverse"));
    menu.Append(ID_YOYO_MENU, _("Yo-yo"));
    menu.Append(ID_REMOVE_EVERY_NTH_MENU, _("Remove Every Nth Frame..."));
    menu.Append(ID_KEEP_EVERY_NTH_MENU, _("Keep Every Nth Frame..."));
    menu.Append(ID_DUPLICATE_MENU, _("Duplicate"));
    EnableFrameOperations(menu);
    m_show_menu(menu, at);
}

void GifFrame::OnThumbnailRightClick(wxThumbnailEvent&)
{
    ShowStripMenu(wxDefaultPosition);
}

void GifFrame::OnStripContextMenu(wxContextMenuEvent& event)
{
    // From the keyboard: the strip places it at its focus frame.
    const wxPoint at = event.GetPosition();
    ShowStripMenu(at == wxDefaultPosition ? wxDefaultPosition : ScreenToClient(at));
}

void GifFrame::OnCharHook(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == 'Y' && event.GetModifiers() == wxMOD_CONTROL)
    {
        // The second key of Redo, beside the menu's Ctrl+Shift+Z.
        wxCommandEvent redo(wxEVT_MENU, ID_REDO_MENU);
        OnRedo(redo);
        return;
    }
    if (key != WXK_TAB || (event.GetModifiers() & ~wxMOD_SHIFT) != 0)
    {
        event.Skip();
        return;
    }
    // Tab and Shift+Tab go round the spin row and the strip.
    std::vector<wxWindow*> ring;
    for (wxWindow* window : {static_cast<wxWindow*>(m_spinctrl_delay), static_cast<wxWindow*>(m_spinctrl_width),
                             static_cast<wxWindow*>(m_spinctrl_height), static_cast<wxWindow*>(m_thumbnail_ctrl)})
        if (window->IsEnabled() && window->IsShownOnScreen())
            ring.push_back(window);
    wxWindow* focus = FindFocus();
    auto at = ring.end();
    for (auto it = ring.begin(); it != ring.end(); ++it)
        if (focus && (focus == *it || focus->IsDescendant(*it)))
            at = it;
    if (at == ring.end())
    {
        event.Skip();
        return;
    }
    const size_t index = static_cast<size_t>(at - ring.begin());
    const size_t next = event.ShiftDown() ? (index + ring.size() - 1) % ring.size() : (index + 1) % ring.size();
    ring[next]->SetFocus();
}
