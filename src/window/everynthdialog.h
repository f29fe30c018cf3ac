#pragma once
// Asks for the N of Remove Every Nth Frame and Keep Every Nth Frame.

#include <wx/dialog.h>

class wxSpinCtrl;

class EveryNthDialog : public wxDialog
{
public:
    // `title` names the operation, `explanation` says what N does; N runs
    // from 2 to `largest`.
    EveryNthDialog(wxWindow* parent, const wxString& title, const wxString& explanation, int largest);

    int GetValue() const;
    wxSpinCtrl* GetNumberControl() const { return m_spin_n; }

private:
    wxSpinCtrl* m_spin_n = nullptr;
};
