#include "window/framecommands.h"

#include "strip/thumbnailitem.h"

#include <wx/intl.h>
#include <wx/translation.h>

wxString DescribeEdit(EditKind kind, int frames)
{
    switch (kind)
    {
    case EditKind::Add:
        return wxString::Format(wxPLURAL("Add %d Frame", "Add %d Frames", frames), frames);
    case EditKind::Insert:
        return wxString::Format(wxPLURAL("Insert %d Frame", "Insert %d Frames", frames), frames);
    case EditKind::Delete:
        return wxString::Format(wxPLURAL("Delete %d Frame", "Delete %d Frames", frames), frames);
    case EditKind::ClearAll:
        return _("Clear All");
    case EditKind::Move:
        return wxString::Format(wxPLURAL("Move %d Frame", "Move %d Frames", frames), frames);
    case EditKind::Reverse:
        return _("Reverse");
    case EditKind::Yoyo:
        return _("Yo-yo");
    case EditKind::RemoveEveryNth:
        return _("Remove Every Nth Frame");
    case EditKind::KeepEveryNth:
        return _("Keep Every Nth Frame");
    case EditKind::Duplicate:
        return wxString::Format(wxPLURAL("Duplicate %d Frame", "Duplicate %d Frames", frames), frames);
    case EditKind::Delay:
        return _("Change Delay");
    case EditKind::Size:
        return _("Change Size");
    case EditKind::LoopCount:
        return _("Change Loop Count");
    case EditKind::GifOptions:
        return _("Change GIF Options");
    }
    return wxString();
}

wxString UndoLabel(const wxString& step)
{
    return step.empty() ? _("Undo") : wxString::Format(_("Undo %s"), step);
}

wxString RedoLabel(const wxString& step)
{
    return step.empty() ? _("Redo") : wxString::Format(_("Redo %s"), step);
}

FrameEditCommand::FrameEditCommand(EditKind kind, int frames, WorkSnapshot before, WorkSnapshot after,
                                   Applier apply, FramePool pool)
    : wxCommand(true, DescribeEdit(kind, frames)), m_kind(kind), m_frames(frames), m_before(std::move(before)),
      m_after(std::move(after)), m_apply(std::move(apply)), m_pool(std::move(pool)),
      m_open(kind == EditKind::Delay || kind == EditKind::Size)
{
}

bool FrameEditCommand::Do()
{
    m_open = false;
    m_apply(m_after, m_pool);
    return true;
}

bool FrameEditCommand::Undo()
{
    m_open = false;
    m_apply(m_before, m_pool);
    return true;
}
