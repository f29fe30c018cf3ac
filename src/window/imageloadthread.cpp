#include "window/imageloadthread.h"

#include "frames/framestore.h"
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
    // Each picture goes into the store here, so that only its handle and
    // thumbnail wait in the window's queue, however far ahead this runs.
    FrameStoreRefusal refusal;
    RunImageLoad(
        m_sources, m_thumbnailBox,
        [&] { return refusal.kind != FrameStoreRefusal::None || TestDestroy() || m_link->IsStopRequested(); },
        [&](LoadedPicture& picture) {
            FrameHandle frame;
            if (picture.image.IsOk() && refusal.kind == FrameStoreRefusal::None)
                frame = GetFrameStore().Add(picture.image, std::move(picture.source), refusal);
            picture.image = wxImage();
            m_link->Post(new ImageLoadEvent(picture, std::move(frame), refusal));
        });
    return nullptr;
}
