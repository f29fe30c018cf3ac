#pragma once
// The one connection between a worker thread and the window it reports to.
// The worker posts its events through the link; the window detaches from it
// when it goes, after which nothing reaches it and the worker is asked to
// stop. Both sides hold the link, so it outlives whichever ends first.

#include <condition_variable>
#include <mutex>

class wxEvent;
class wxEvtHandler;

class WorkerLink
{
public:
    explicit WorkerLink(wxEvtHandler* owner);
    WorkerLink(const WorkerLink&) = delete;
    WorkerLink& operator=(const WorkerLink&) = delete;

    // Worker side. Post takes the event: it is queued to the owner, or
    // deleted once the owner has detached.
    void Post(wxEvent* event);
    bool IsStopRequested() const;
    // The worker's last call, from its destructor.
    void MarkFinished();

    // Owner side. The worker is asked to stop, and still reports the end
    // of its run.
    void RequestStop();
    // Owner side. No event reaches the owner after Detach returns.
    void Detach();
    // True when the worker finished within `milliseconds`.
    bool WaitUntilFinished(int milliseconds);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_finishedCondition;
    wxEvtHandler* m_owner;
    bool m_finished = false;
    bool m_stopRequested = false;
};
