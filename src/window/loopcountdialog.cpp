#include "window/loopcountdialog.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

int g_lastLoopCount = 0;

namespace
{
enum
{
    ID_COUNT_CHOICE = 0,
    ID_INFINITE_CHOICE = 1,
    ID_COUNT_SPIN = 2
};
} // namespace

wxIMPLEMENT_CLASS(LoopCountDialog, wxDialog);

wxBEGIN_EVENT_TABLE(LoopCountDialog, wxDialog)
    EVT_RADIOBUTTON(ID_COUNT_CHOICE, LoopCountDialog::OnChooseCount)
    EVT_RADIOBUTTON(ID_INFINITE_CHOICE, LoopCountDialog::OnChooseInfinite)
    EVT_BUTTON(wxID_OK, LoopCountDialog::OnOk)
wxEND_EVENT_TABLE()

LoopCountDialog::LoopCountDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Loop Counter"), wxDefaultPosition, wxSize(300, 150))
{
    m_box = new wxStaticBox(this, wxID_STATIC, _("Animation Loop Count"), wxPoint(10, 10), wxSize(275, 70));
    m_radio_count = new wxRadioButton(this, ID_COUNT_CHOICE, _("Play animation"), wxPoint(20, 30), wxDefaultSize,
                                      wxRB_GROUP);
    m_spin_count = new wxSpinCtrl(this, ID_COUNT_SPIN, wxString(), wxPoint(195, 30), wxSize(45, 20),
                                  wxSP_ARROW_KEYS, 0, 100, 1, "wxSpinCtrl");
    m_text_times = new wxStaticText(this, wxID_ANY, _("time(s)"), wxPoint(240, 30));
    m_radio_infinite = new wxRadioButton(this, ID_INFINITE_CHOICE, _("Play animation infinitely"), wxPoint(20, 55));
    m_button_ok = new wxButton(this, wxID_OK, _("OK"), wxPoint(60, 85), wxSize(70, 25));
    m_button_cancel = new wxButton(this, wxID_CANCEL, _("Cancel"), wxPoint(170, 85), wxSize(70, 25));

    if (g_lastLoopCount != 0)
    {
        m_radio_count->SetValue(true);
        m_spin_count->SetValue(g_lastLoopCount);
        m_spin_count->Enable();
    }
    else
    {
        m_spin_count->Disable();
        m_radio_infinite->SetValue(true);
    }
    m_result_count = 0;
}

void LoopCountDialog::ConfirmChoice()
{
    m_result_count = m_radio_count->GetValue() ? m_spin_count->GetValue() : 0;
    g_lastLoopCount = m_result_count;
}

void LoopCountDialog::OnChooseCount(wxCommandEvent&)
{
    if (m_radio_count->GetValue())
        m_spin_count->Enable();
}

void LoopCountDialog::OnChooseInfinite(wxCommandEvent&)
{
    if (m_radio_infinite->GetValue())
        m_spin_count->Disable();
}

void LoopCountDialog::OnOk(wxCommandEvent&)
{
    // The caller confirms the choice after OK (ConfirmChoice), so that a
    // dialog answered without its buttons gives the same result.
    EndModal(wxID_OK);
}
