#include "window/imageloadthread.h"

#include "window/imageloadevent.h"
#include "window/imageloadrun.h"
#include "window/workerlink.h"

ImageLoadThread::ImageLoadThread(std::shared_ptr<WorkerLink> link, const wxArrayString& paths,
                                 const wxSize& thumbnailBox)
    : ImageLoadThread(std::move(link), LoadSourcesOf(paths), thumbnailBox)
{
}

ImageLoadThread::ImageLoadThread(std::shared_ptr<WorkerLink> link, const std::vector<LoadSource>& sources,
                                 const wxSize& thumbnailBox)
    : wxThread(wxTHREAD_DETACHED), m_link(std::move(link)), m_sources(sources), m_thumbnailBox(thumbnailBox)
{
    // Copies of their own: the strings are read on the worker thread.
    for (LoadSource& source : m_sources)
        source.path = source.path.Clone();
}

ImageLoadThread::~ImageLoadThread()
{
    m_link->MarkFinished();
}

wxThread::ExitCode ImageLoadThread::Entry()
{
    RunImageLoad(
        m_sources, m_thumbnailBox, [this] { return TestDestroy() || m_link->IsStopRequested(); },
        [this](LoadedPicture& picture) { m_link->Post(new ImageLoadEvent(picture)); });
    return nullptr;
}
