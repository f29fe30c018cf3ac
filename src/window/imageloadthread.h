#pragma once
// The loading worker: decodes the given paths off the GUI thread and sends
// each picture to the window as an ImageLoadEvent; the last event of a run
// carries 100 percent. Detached: it deletes itself when it is done.

#include <wx/arrstr.h>
#include <wx/gdicmn.h>
#include <wx/thread.h>

#include <memory>

class WorkerLink;

class ImageLoadThread : public wxThread
{
public:
    // `thumbnailBox` is the strip's image box, so that thumbnails are scaled
    // here rather than on the GUI thread.
    ImageLoadThread(std::shared_ptr<WorkerLink> link, const wxArrayString& paths, const wxSize& thumbnailBox);
    ~ImageLoadThread() override;

protected:
    ExitCode Entry() override;

private:
    std::shared_ptr<WorkerLink> m_link;
    wxArrayString m_paths;
    const wxSize m_thumbnailBox;
};
