#include "window/savethread.h"

#include "encoder/animationsave.h"
#include "frames/framestore.h"
#include "window/windowids.h"
#include "window/frameevents.h"
#include "window/workerlink.h"

#include <wx/event.h>

#include <future>

namespace
{
// Not a user-interface event: a progress dialog that yields for input must
// not handle the next step inside its own update.
class SaveProgressEvent : public wxCommandEvent
{
public:
    SaveProgressEvent(int percent, const wxString& error) : wxCommandEvent(EVT_THREAD_UPDATE, ID_SAVE_GIF_UPDATE)
    {
        SetInt(percent);
        SetString(error.Clone()); // a deep copy: the string crosses threads
    }
    wxEvent* Clone() const override { return new SaveProgressEvent(*this); }
    wxEventCategory GetEventCategory() const override { return wxEVT_CATEGORY_THREAD; }
};

void PostProgress(WorkerLink& link, int percent, const wxString& error = wxString())
{
    link.Post(new SaveProgressEvent(percent, error));
}
} // namespace

WorkSaveAsGifThread::WorkSaveAsGifThread(std::shared_ptr<WorkerLink> link, std::vector<FrameHandle> frames,
                                         const wxSize& size, int delay, const wxString& path,
                                         const GifEncodeOptions& options)
    : wxThread(wxTHREAD_DETACHED), m_link(std::move(link)), m_frames(std::move(frames)), m_size(size), m_delay(delay),
      m_path(path.Clone()), m_options(options)
{
}

WorkSaveAsGifThread::~WorkSaveAsGifThread()
{
    m_link->MarkFinished();
}

wxThread::ExitCode WorkSaveAsGifThread::Entry()
{
    wxString error;
    // Once started, the save runs to its end even when the window goes, so
    // that the file the user asked for is complete.
    // Each frame is decoded from the store while the encoder works on the
    // one before, which its own threads do not quite keep the cores busy with.
    FrameStore& store = GetFrameStore();
    std::future<wxImage> next;
    const auto frame = [&](int index) {
        wxImage picture = next.valid() ? next.get() : store.Load(m_frames[index]);
        if (index + 1 < static_cast<int>(m_frames.size()))
            next = std::async(std::launch::async, [&store, ahead = m_frames[index + 1]] { return store.Load(ahead); });
        return picture;
    };
    if (!SaveAnimationFile(m_path, static_cast<int>(m_frames.size()), frame, m_size, m_delay,
                           [this](int percent) { PostProgress(*m_link, percent); }, error, m_options))
        PostProgress(*m_link, 100, error.empty() ? wxString("writing failed") : error);
    else
        PostProgress(*m_link, 100);
    if (next.valid())
        next.wait(); // a save that stopped early leaves one frame in hand
    m_frames.clear();
    return nullptr;
}
