// Check for Update: asks the product's server for the newest version on a
// worker and tells the user whether this one is current.

#include "window/gifframe.h"

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/messagebox.h"
#include "app/productinfo.h"
#include "update/updatecheck.h"
#include "window/frameevents.h"
#include "window/updatecheckthread.h"
#include "window/workerlink.h"

#include <wx/intl.h>
#include <wx/utils.h>

void GifFrame::OnCheckUpdate(wxCommandEvent&)
{
    StopPreview();
    // One check at a time; without an address there is nothing to ask.
    if (IsCheckingForUpdate() || !g_domainOption || g_domainOption->GetUpdateUrl().empty())
        return;
    auto link = std::make_shared<WorkerLink>(GetEventHandler());
    auto* worker = new UpdateCheckThread(link, g_domainOption->GetUpdateUrl(), GetProductDisplayName());
    if (!m_start_worker(*worker))
    {
        // Never started: the object is still ours; the check failed.
        delete worker;
        QueueEvent(new wxCommandEvent(EVT_UPDATE_CHECK_DONE, 0));
        return;
    }
    // The window stays usable while the request runs, for a few seconds at most.
    m_update_link = link;
    wxBeginBusyCursor();
}

void GifFrame::AbandonUpdateCheck()
{
    if (!m_update_link)
        return;
    // The worker's request stops when it sees the link detached; nothing it
    // sends reaches the window.
    m_update_link->Detach();
    m_update_link.reset();
    wxEndBusyCursor();
}

void GifFrame::OnUpdateCheckDone(wxCommandEvent& event)
{
    AbandonUpdateCheck();
    const wxString product = GetProductDisplayName();
    const wxString fetched = event.GetString();
    switch (DecideUpdate(GetVersionString(), fetched))
    {
    case UpdateOutcome::Failed:
        ShowMessage(this, _("Update failed!Please check if the network is available."), product, wxOK | wxCENTRE);
        break;
    case UpdateOutcome::Newer:
    {
        const int answer = ShowMessage(this,
                                       wxString::Format(_("A new version of Tavrinex Gloamer(%s) is available. Click "
                                                          "Yes to open download page."),
                                                        fetched),
                                       product, wxYES_NO | wxCENTRE);
        if (answer == wxID_YES && g_domainOption)
            OpenWebPage(g_domainOption->GetProductUrl());
        break;
    }
    case UpdateOutcome::Latest:
        ShowMessage(this, wxString::Format(_("This version of Tavrinex Gloamer(%s) is the latest version."), GetVersionString()),
                    product, wxOK | wxCENTRE);
        break;
    }
}
