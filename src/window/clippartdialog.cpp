#include "window/clippartdialog.h"

#include "app/messagebox.h"
#include "picture/videotime.h"

#include <wx/button.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

ClipPartDialog::ClipPartDialog(wxWindow* parent, const wxString& clipPath, const VideoInfo& info)
    : wxDialog(parent, wxID_ANY, _("Part of a Video Clip")), m_info(info)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    const wxString length = info.duration >= 0 ? FormatVideoClock(info.duration) : _("unknown");
    column->Add(new wxStaticText(this, wxID_ANY, wxFileName(clipPath).GetFullName()), 0, wxALL, 10);
    column->Add(new wxStaticText(this, wxID_ANY, wxString::Format(_("Length: %s"), length)), 0,
                wxLEFT | wxRIGHT | wxBOTTOM, 10);

    auto* grid = new wxFlexGridSizer(2, 8, 8);
    grid->AddGrowableCol(1);
    m_start = new wxTextCtrl(this, wxID_ANY, FormatVideoClock(0));
    // Without a known length the part runs to the clip's end.
    m_end = new wxTextCtrl(this, wxID_ANY, info.duration >= 0 ? FormatVideoClock(info.duration) : wxString());
    m_rate = new wxSpinCtrlDouble(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0.1,
                                  100, OfferedClipRate(info), 1);
    m_rate->SetDigits(2);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Start:")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_start, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("End:")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_end, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Frames per second:")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_rate, 1, wxEXPAND);
    column->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(new wxStaticText(this, wxID_ANY, _("Times in seconds or minutes:seconds (1:15.5).")), 0, wxALL, 10);
    // Wide enough for the longest reasons in the current language, so that
    // none is cut and the dialog does not jump.
    int width = 360;
    for (const wxString& reason : {CheckClipPart(info, "x", "", 1).problem, CheckClipPart(info, "0", "x", 1).problem,
                                   CheckClipPart(info, "0", "", 0).problem})
        width = std::max(width, GetTextExtent(reason).x + 10);
    m_frames = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(width, -1), wxST_NO_AUTORESIZE);
    column->Add(m_frames, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);

    // Ids of their own: GTK draws a wxID_OK or wxID_CANCEL button whose
    // label is the catalog's text for it as its stock button, labelled in
    // the system's language instead of the program's.
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_ok = new wxButton(this, wxID_ANY, _("OK"));
    auto* cancel = new wxButton(this, wxID_ANY, _("Cancel"));
    SetAffirmativeId(m_ok->GetId());
    SetEscapeId(cancel->GetId());
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
    buttons->Add(m_ok, 0, wxRIGHT, 10);
    buttons->Add(cancel);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 10);
    SetSizerAndFit(column);
    m_ok->SetDefault();

    m_start->Bind(wxEVT_TEXT, &ClipPartDialog::OnText, this);
    m_end->Bind(wxEVT_TEXT, &ClipPartDialog::OnText, this);
    m_rate->Bind(wxEVT_SPINCTRLDOUBLE, &ClipPartDialog::OnRate, this);
    m_ok->Bind(wxEVT_BUTTON, &ClipPartDialog::OnOk, this);
    UpdateChoice();
}

void ClipPartDialog::UpdateChoice()
{
    m_choice = CheckClipPart(m_info, m_start->GetValue(), m_end->GetValue(), m_rate->GetValue());
    wxString text = m_choice.problem;
    if (text.empty())
        text = m_choice.frames < 0 ? _("Frames: up to the clip's end")
                                   : wxString::Format(_("Frames: %lld"), static_cast<long long>(m_choice.frames));
    m_frames->SetLabel(text);
    m_ok->Enable(m_choice.problem.empty());
}

void ClipPartDialog::OnText(wxCommandEvent&)
{
    UpdateChoice();
}

void ClipPartDialog::OnRate(wxSpinDoubleEvent&)
{
    UpdateChoice();
}

void ClipPartDialog::OnOk(wxCommandEvent&)
{
    UpdateChoice();
    if (!m_choice.problem.empty())
        return;
    if (m_choice.frames > kClipFramesWithoutAsking &&
        ShowMessage(this,
                    wxString::Format(_("This part gives %lld frames, more than %lld. Add them all?"),
                                     static_cast<long long>(m_choice.frames),
                                     static_cast<long long>(kClipFramesWithoutAsking)),
                    _("Part of a Video Clip"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) != wxID_YES)
        return;
    EndModal(wxID_OK);
}
