#include "window/everynthdialog.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

EveryNthDialog::EveryNthDialog(wxWindow* parent, const wxString& title, const wxString& explanation, int largest)
    : wxDialog(parent, wxID_ANY, title)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* text = new wxStaticText(this, wxID_ANY, explanation);
    text->Wrap(FromDIP(360));
    column->Add(text, 0, wxALL, FromDIP(10));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "N:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    m_spin_n = new wxSpinCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxSP_ARROW_KEYS | wxTE_PROCESS_ENTER, 2, std::max(2, largest), 2);
    // Enter in the number confirms, as in any small dialog.
    m_spin_n->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { EndModal(wxID_OK); });
    row->Add(m_spin_n, 0, wxALIGN_CENTER_VERTICAL);
    column->Add(row, 0, wxLEFT | wxRIGHT, FromDIP(10));

    // Labelled in the program's language, not with the system's stock texts.
    auto* buttons = new wxStdDialogButtonSizer;
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->AddButton(ok);
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("Cancel")));
    buttons->Realize();
    column->Add(buttons, 0, wxALL | wxALIGN_RIGHT, FromDIP(10));
    SetSizerAndFit(column);
    m_spin_n->SetFocus();
}

int EveryNthDialog::GetValue() const
{
    return m_spin_n->GetValue();
}
