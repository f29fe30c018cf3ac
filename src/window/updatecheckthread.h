#pragma once
// The update check's worker: asks the server for the newest version off the
// GUI thread and queues EVT_UPDATE_CHECK_DONE (id 0) with it, empty when the
// check failed. Detached: it deletes itself when it is done.

#include <wx/string.h>
#include <wx/thread.h>

#include <memory>

class WorkerLink;

class UpdateCheckThread : public wxThread
{
public:
    UpdateCheckThread(std::shared_ptr<WorkerLink> link, const wxString& documentUrl, const wxString& product);
    ~UpdateCheckThread() override;

protected:
    ExitCode Entry() override;

private:
    std::shared_ptr<WorkerLink> m_link;
    const wxString m_documentUrl;
    const wxString m_product;
};
