#include "window/loopcountdialog.h"

#include "window/dialogbuttons.h"

#include "window/loopcountplacement.h"

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
wxEND_EVENT_TABLE()

LoopCountDialog::LoopCountDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Loop Counter"), wxDefaultPosition, wxSize(300, 150))
{
    m_box = new wxStaticBox(this, wxID_STATIC, _("Animation Loop Count"), wxPoint(10, 10), wxSize(275, 70));
    m_radio_count = new wxRadioButton(this, ID_COUNT_CHOICE, _("Play animation"), wxPoint(20, 30), wxDefaultSize,
                                      wxRB_GROUP);
    // Created at the size the toolkit needs: squeezed, GTK leaves out its
    // up and down buttons and complains on every opening.
    m_spin_count = new wxSpinCtrl(this, ID_COUNT_SPIN, wxString(), wxPoint(195, 30), wxDefaultSize,
                                  wxSP_ARROW_KEYS, 0, 100, 1, "wxSpinCtrl");
    m_text_times = new wxStaticText(this, wxID_ANY, _("time(s)"), wxPoint(240, 30));
    m_radio_infinite = new wxRadioButton(this, ID_INFINITE_CHOICE, _("Play animation infinitely"), wxPoint(20, 55));
    // The caller confirms the choice after OK (ConfirmChoice), so that a
    // dialog answered without its buttons gives the same result.
    m_button_ok = NewOkButton(this, {}, wxPoint(60, 85), wxSize(70, 25));
    m_button_cancel = NewCancelButton(this, wxPoint(170, 85), wxSize(70, 25));
    PlaceCountRow();

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

void LoopCountDialog::PlaceCountRow()
{
    int captionHeight = 0, otherBorders = 0;
    m_box->GetBordersForSizer(&captionHeight, &otherBorders);
    const LoopCountPlacement placement =
        PlaceLoopCount(m_radio_count->GetRect(), m_radio_infinite->GetRect(), m_spin_count->GetBestSize(),
                       m_text_times->GetBestSize(), m_box->GetRect(), captionHeight, GetClientSize());
    m_spin_count->SetSize(placement.spin);
    m_text_times->SetSize(placement.unit);
    m_box->SetSize(placement.box);
    for (wxButton* button : {m_button_ok, m_button_cancel})
        button->Move(button->GetPosition() + wxPoint(0, placement.below));
    SetClientSize(placement.client);
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
