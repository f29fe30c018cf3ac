#pragma once
// The loading worker: decodes the given paths off the GUI thread and sends
// each picture to the window as an ImageLoadEvent; the last event of a run
// carries 100 percent. Detached: it deletes itself when it is done.

#include "window/imageloadrun.h"

#include <wx/arrstr.h>
#include <wx/gdicmn.h>
#include <wx/thread.h>

#include <memory>
#include <vector>

class WorkerLink;

class ImageLoadThread : public wxThread
{
public:
    // `thumbnailBox` is the strip's image box, so that thumbnails are scaled
    // here rather than on the GUI thread.
    ImageLoadThread(std::shared_ptr<WorkerLink> link, const wxArrayString& paths, const wxSize& thumbnailBox);
    ImageLoadThread(std::shared_ptr<WorkerLink> link, const std::vector<LoadSource>& sources,
                    const wxSize& thumbnailBox);
    ~ImageLoadThread() override;

protected:
    ExitCode Entry() override;

private:
    std::shared_ptr<WorkerLink> m_link;
    std::vector<LoadSource> m_sources;
    const wxSize m_thumbnailBox;
};
