#pragma once
// "GIF options": how Save and Save As encode the animation (the quality and
// whether each frame stores only what changed).

#include "app/gifchoices.h"
#include "encoder/encodeoptions.h"

#include <wx/dialog.h>

class wxCheckBox;
class wxSlider;

// The encoder settings for the choices: the same as gloamer-cli's
// "--quality N" (and "--optimize" when storing changes), so that both write
// the same bytes. The default choices give the default options.
GifEncodeOptions EncodeOptionsFor(const GifChoices& choices);

class GifOptionsDialog : public wxDialog
{
public:
    GifOptionsDialog(wxWindow* parent, const GifChoices& choices);

    // What the controls show.
    GifChoices GetChoices() const;

    wxSlider* GetQualitySlider() const { return m_slider_quality; }
    wxCheckBox* GetStoreChangesBox() const { return m_check_store_changes; }

private:
    wxSlider* m_slider_quality = nullptr;
    wxCheckBox* m_check_store_changes = nullptr;

    wxDECLARE_CLASS(GifOptionsDialog);
};
