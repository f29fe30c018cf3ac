#include "window/imageloadthread.h"

#include "window/imageloadevent.h"
#include "window/imageloadrun.h"
#include "window/workerlink.h"

ImageLoadThread::ImageLoadThread(std::shared_ptr<WorkerLink> link, const wxArrayString& paths,
                                 const wxSize& thumbnailBox)
    : wxThread(wxTHREAD_DETACHED), m_link(std::move(link)), m_thumbnailBox(thumbnailBox)
{
    // Copies of their own: the strings are read on the worker thread.
    for (const wxString& path : paths)
        m_paths.Add(path.Clone());
}

ImageLoadThread::~ImageLoadThread()
{
    m_link->MarkFinished();
}

wxThread::ExitCode ImageLoadThread::Entry()
{
    RunImageLoad(
        m_paths, m_thumbnailBox, [this] { return TestDestroy() || m_link->IsStopRequested(); },
        [this](LoadedPicture& picture) { m_link->Post(new ImageLoadEvent(picture)); });
    return nullptr;
}
