#pragma once
// "Loop Counter": how many passes the preview plays, or endlessly (0).

#include <wx/dialog.h>

class wxButton;
class wxCommandEvent;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticBox;
class wxStaticText;

// The loop count last confirmed in the dialog; the next one starts from it.
extern int g_lastLoopCount;

class LoopCountDialog : public wxDialog
{
public:
    explicit LoopCountDialog(wxWindow* parent);

    // Takes the choice the controls show as confirmed: the result, and the
    // starting point of the next dialog. Called after OK.
    void ConfirmChoice();
    int GetResultCount() const { return m_result_count; }

    wxRadioButton* GetCountChoice() const { return m_radio_count; }
    wxRadioButton* GetInfiniteChoice() const { return m_radio_infinite; }
    wxSpinCtrl* GetCountControl() const { return m_spin_count; }

private:
    // Gives the number box the room it needs and moves its unit after it.
    void PlaceCountRow();
    void OnChooseCount(wxCommandEvent& event);
    void OnChooseInfinite(wxCommandEvent& event);

    wxButton* m_button_ok = nullptr;
    wxButton* m_button_cancel = nullptr;
    wxRadioButton* m_radio_count = nullptr;
    wxRadioButton* m_radio_infinite = nullptr;
    wxStaticBox* m_box = nullptr;
    wxStaticText* m_text_times = nullptr;
    wxSpinCtrl* m_spin_count = nullptr;
    int m_result_count = 0;

    wxDECLARE_CLASS(LoopCountDialog);
    wxDECLARE_EVENT_TABLE();
};
