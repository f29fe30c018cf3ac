#include "window/gifoptionsdialog.h"

#include "window/dialogbuttons.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include <algorithm>

GifEncodeOptions EncodeOptionsFor(const GifChoices& choices)
{
    GifEncodeOptions options;
    options.quality = std::clamp(choices.quality, GifChoices::kMinQuality, GifChoices::kMaxQuality);
    options.optimize = choices.storeChanges;
    return options;
}

wxIMPLEMENT_CLASS(GifOptionsDialog, wxDialog);

GifOptionsDialog::GifOptionsDialog(wxWindow* parent, const GifChoices& choices)
    : wxDialog(parent, wxID_ANY, _("GIF options"))
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, _("Quality")), wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 12));
    m_slider_quality = new wxSlider(this, wxID_ANY, GifChoices::kMaxQuality, GifChoices::kMinQuality,
                                    GifChoices::kMaxQuality, wxDefaultPosition, wxSize(320, -1),
                                    wxSL_HORIZONTAL | wxSL_VALUE_LABEL | wxSL_MIN_MAX_LABELS);
    m_slider_quality->SetValue(std::clamp(choices.quality, GifChoices::kMinQuality, GifChoices::kMaxQuality));
    column->Add(m_slider_quality, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 12));
    column->Add(new wxStaticText(this, wxID_ANY, _("Lower quality gives a smaller file.")),
                wxSizerFlags().Border(wxLEFT | wxRIGHT, 12));
    m_check_store_changes = new wxCheckBox(this, wxID_ANY, _("Smaller file (store only what changes)"));
    m_check_store_changes->SetValue(choices.storeChanges);
    column->Add(m_check_store_changes, wxSizerFlags().Border(wxALL, 12));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(NewOkButton(this), wxSizerFlags().Border(wxRIGHT, 8));
    buttons->Add(NewCancelButton(this));
    column->Add(buttons, wxSizerFlags().Right().Border(wxLEFT | wxRIGHT | wxBOTTOM, 12));
    SetSizerAndFit(column);
}

GifChoices GifOptionsDialog::GetChoices() const
{
    GifChoices choices;
    choices.quality = m_slider_quality->GetValue();
    choices.storeChanges = m_check_store_changes->GetValue();
    return choices;
}
