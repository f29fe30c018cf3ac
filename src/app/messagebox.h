#pragma once
// The program's messages and questions. GTK labels a message box's stock
// buttons in the system's language, which need not be the one the user chose
// in the program; every message box goes through here, so that its buttons
// speak the program's language.

#include <wx/string.h>

class wxWindow;

// Shows `message` under `caption` with the buttons and icon of `style`
// (wxOK, wxYES_NO, wxCANCEL and the other wxMessageDialog flags), the buttons
// labelled in the current language. Returns the button chosen: wxID_OK,
// wxID_YES, wxID_NO or wxID_CANCEL.
int ShowMessage(wxWindow* parent, const wxString& message, const wxString& caption, long style);
