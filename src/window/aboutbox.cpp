// The About box: product name and version, rights notice, product page link.

#include "window/gifframe.h"

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/productinfo.h"
#include "window/dialogbuttons.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/hyperlink.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include <utility>

void GifFrame::OnAbout(wxCommandEvent&)
{
    wxLogNull quiet;
    wxDialog dialog;
    if (!wxXmlResource::Get()->LoadDialog(&dialog, this, "AboutDialog"))
        return; // no layout, no box

    const wxString buildDate(g_buildDate);
    const wxString year = buildDate.AfterLast(' ');
    if (wxStaticText* name = XRCCTRL(dialog, "m_static_version_name", wxStaticText))
        name->SetLabel(wxString::Format("%s %s", GetProductDisplayName(), GetVersionString()));
    if (wxStaticText* notice = XRCCTRL(dialog, "m_static_information", wxStaticText))
        notice->SetLabel(_("Copyright") + " " + year + " " + GetCompanyName() + _(". All rights reserved."));
    if (wxHyperlinkCtrl* link = XRCCTRL(dialog, "m_hyperlink", wxHyperlinkCtrl))
    {
        const wxString url = g_domainOption ? g_domainOption->GetProductUrl() : wxString();
        link->SetLabel(url);
        link->SetURL(url);
        link->Show(!url.empty()); // no product page: no empty link to tab to
        // Through the program's own opener, like every other web page.
        link->Bind(wxEVT_HYPERLINK, [](wxHyperlinkEvent& event) { OpenWebPage(event.GetURL()); });
    }
    // The layout's OK has the stock id, which GTK labels in the system's
    // language; it gives way to one in the program's.
    wxButton* ok = nullptr;
    if (wxWindow* stock = dialog.FindWindow(wxID_OK); stock && dialog.GetSizer())
    {
        ok = NewOkButton(&dialog);
        if (dialog.GetSizer()->Replace(stock, ok, true))
            stock->Destroy();
        else
            std::exchange(ok, nullptr)->Destroy();
    }
    dialog.Fit();
    // The link would take the focus as the first control, and Enter would
    // then open the page; Enter closes the box instead.
    if (ok)
        ok->SetFocus();
    dialog.ShowModal();
}
