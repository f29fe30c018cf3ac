#pragma once
// OK and Cancel labelled in the program's language. GTK draws a button whose
// id is wxID_OK or wxID_CANCEL and whose label is the catalogs' text for it
// as its own stock button, labelled in the system's language; these buttons
// have ids of their own and end the dialog with the usual results.

#include <wx/gdicmn.h>

#include <functional>

class wxButton;
class wxDialog;

// The dialog's affirmative button and default. Without `onOk` a press ends
// the dialog with wxID_OK; with it, `onOk` decides.
wxButton* NewOkButton(wxDialog* dialog, std::function<void()> onOk = {}, const wxPoint& position = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize);
// The dialog's escape button: a press, Escape and the close box end it with
// wxID_CANCEL.
wxButton* NewCancelButton(wxDialog* dialog, const wxPoint& position = wxDefaultPosition,
                          const wxSize& size = wxDefaultSize);
