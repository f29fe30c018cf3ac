#include "window/workerlink.h"

#include <wx/event.h>

#include <chrono>

WorkerLink::WorkerLink(wxEvtHandler* owner) : m_owner(owner)
{
}

void WorkerLink::Post(wxEvent* event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_owner)
        wxQueueEvent(m_owner, event);
    else
        delete event;
}

bool WorkerLink::IsStopRequested() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_owner == nullptr || m_stopRequested;
}

void WorkerLink::RequestStop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopRequested = true;
}

void WorkerLink::MarkFinished()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_finished = true;
    m_finishedCondition.notify_all();
}

void WorkerLink::Detach()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_owner = nullptr;
}

bool WorkerLink::WaitUntilFinished(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_finishedCondition.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_finished; });
}
