#include "window/updatecheckthread.h"

#include "update/updatecheck.h"
#include "window/frameevents.h"
#include "window/workerlink.h"

UpdateCheckThread::UpdateCheckThread(std::shared_ptr<WorkerLink> link, const wxString& documentUrl,
                                     const wxString& product)
    // Copies of their own: the strings are read on the worker thread.
    : wxThread(wxTHREAD_DETACHED), m_link(std::move(link)), m_documentUrl(documentUrl.Clone()),
      m_product(product.Clone())
{
}

UpdateCheckThread::~UpdateCheckThread()
{
    m_link->MarkFinished();
}

wxThread::ExitCode UpdateCheckThread::Entry()
{
    // A window that went, or a program that ends, stops the request.
    const wxString version = FetchNewestVersion(m_documentUrl, m_product, HttpLimits(),
                                                [this] { return TestDestroy() || m_link->IsStopRequested(); });
    auto* done = new wxCommandEvent(EVT_UPDATE_CHECK_DONE, 0);
    done->SetString(version.Clone());
    m_link->Post(done);
    return nullptr;
}
