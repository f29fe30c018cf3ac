// Check for Update: asks the product's server for the newest version and
// tells the user whether this one is current.

#include "window/gifframe.h"

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/productinfo.h"
#include "update/updatecheck.h"
#include "window/frameevents.h"

#include <wx/intl.h>
#include <wx/msgdlg.h>

void GifFrame::OnCheckUpdate(wxCommandEvent&)
{
    StopPreview();
    if (!g_domainOption)
        return;
    // The request blocks the window, for a few seconds at most.
    wxString version;
    if (!FetchNewestVersion(g_domainOption->GetUpdateUrl(), GetProductDisplayName(), &version))
        return; // no usable address: nothing to say
    // The answer comes after this command has returned.
    wxCommandEvent* done = new wxCommandEvent(EVT_UPDATE_CHECK_DONE, 0);
    done->SetString(version);
    QueueEvent(done);
}

void GifFrame::OnUpdateCheckDone(wxCommandEvent& event)
{
    const wxString product = GetProductDisplayName();
    const wxString fetched = event.GetString();
    switch (DecideUpdate(GetVersionString(), fetched))
    {
    case UpdateOutcome::Failed:
        wxMessageBox(_("Update failed!Please check if the network is available."), product, wxOK | wxCENTRE);
        break;
    case UpdateOutcome::Newer:
    {
        wxMessageDialog ask(this,
                            wxString::Format(_("A new version of Tavrinex Gloamer(%s) is available. Click Yes to "
                                               "open download page."),
                                             fetched),
                            product, wxYES_NO | wxCENTRE);
        ask.SetTitle(product);
        if (ask.ShowModal() == wxID_YES && g_domainOption)
            OpenWebPage(g_domainOption->GetProductUrl());
        break;
    }
    case UpdateOutcome::Latest:
        wxMessageBox(wxString::Format(_("This version of Tavrinex Gloamer(%s) is the latest version."), GetVersionString()),
                     product, wxOK | wxCENTRE);
        break;
    }
}
