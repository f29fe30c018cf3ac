#pragma once
// One undoable step of editing the animation: the work as it stood before
// and after. Frames that leave the strip stay with the step that took them
// out (the entries themselves, sharing their pictures), so that undoing puts
// back the very same entries; a step that is dropped from the history takes
// them along.

#include "app/gifchoices.h"
#include <wx/cmdproc.h>
#include <wx/string.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class wxThumbnailItem;

// What undo and redo give back. Entries are named by identity: each is
// either in the strip or kept by exactly one step.
struct WorkSnapshot
{
    std::vector<wxThumbnailItem*> frames;   // the strip's entries, in order
    std::vector<wxThumbnailItem*> selected; // in selection order
    int delay = 0;
    int width = 0;
    int height = 0;
    int refWidth = 0; // the ratio the size controls keep
    int refHeight = 0;
    int loopCount = 0;
    GifChoices choices;

    // Equal in everything but the selection.
    bool SameWork(const WorkSnapshot& other) const
    {
        return frames == other.frames && delay == other.delay && width == other.width && height == other.height &&
               refWidth == other.refWidth && refHeight == other.refHeight && loopCount == other.loopCount &&
               choices == other.choices;
    }
};

enum class EditKind
{
    Add,
    Insert,
    Delete,
    ClearAll,
    Move,
    Reverse,
    Yoyo,
    RemoveEveryNth,
    KeepEveryNth,
    Duplicate,
    Delay,
    Size,
    LoopCount,
    GifOptions
};

// The name of a step in the current language ("Delete 3 Frames"); `frames`
// is the number of frames it concerns.
wxString DescribeEdit(EditKind kind, int frames);
// The labels of the Undo and Redo items, naming the step when there is one.
wxString UndoLabel(const wxString& step);
wxString RedoLabel(const wxString& step);

// Entries outside the strip, kept by a step.
using FramePool = std::map<wxThumbnailItem*, std::unique_ptr<wxThumbnailItem>>;

class FrameEditCommand : public wxCommand
{
public:
    // Puts a snapshot into the window: entries it names come from the pool,
    // entries the strip holds beyond it go into the pool.
    using Applier = std::function<void(const WorkSnapshot&, FramePool&)>;

    FrameEditCommand(EditKind kind, int frames, WorkSnapshot before, WorkSnapshot after, Applier apply,
                     FramePool pool);

    bool Do() override;
    bool Undo() override;

    // Named in the language current when asked, not when done.
    wxString Describe() const { return DescribeEdit(m_kind, m_frames); }
    // Consecutive edits of one control are one step until it is closed.
    bool CanMerge(EditKind kind) const { return m_open && kind == m_kind; }
    void Merge(const WorkSnapshot& after) { m_after = after; }
    void Close() { m_open = false; }

private:
    const EditKind m_kind;
    const int m_frames;
    WorkSnapshot m_before;
    WorkSnapshot m_after;
    const Applier m_apply;
    FramePool m_pool;
    bool m_open;
};
