#include "window/dialogbuttons.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/intl.h>

wxButton* NewOkButton(wxDialog* dialog, std::function<void()> onOk, const wxPoint& position, const wxSize& size)
{
    auto* button = new wxButton(dialog, wxID_ANY, _("OK"), position, size);
    dialog->SetAffirmativeId(button->GetId());
    button->SetDefault();
    // Bound on the dialog, so that its other handlers see the press first.
    dialog->Bind(wxEVT_BUTTON, [dialog, onOk = std::move(onOk)](wxCommandEvent&) {
        if (onOk)
            onOk();
        else
            dialog->EndModal(wxID_OK);
    }, button->GetId());
    return button;
}

wxButton* NewCancelButton(wxDialog* dialog, const wxPoint& position, const wxSize& size)
{
    auto* button = new wxButton(dialog, wxID_ANY, _("Cancel"), position, size);
    dialog->SetEscapeId(button->GetId());
    dialog->Bind(wxEVT_BUTTON, [dialog](wxCommandEvent&) { dialog->EndModal(wxID_CANCEL); }, button->GetId());
    return button;
}
