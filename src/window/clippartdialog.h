#pragma once
// "Part of a Video Clip": which part of a clip becomes frames, and how
// densely. Shows the clip's length and how many frames the choice gives; a
// part of more than kClipFramesWithoutAsking frames is confirmed first.

#include "picture/videoinfo.h"
#include "window/clippartchoice.h"

#include <wx/dialog.h>

class wxButton;
class wxCommandEvent;
class wxSpinCtrlDouble;
class wxSpinDoubleEvent;
class wxStaticText;
class wxTextCtrl;

class ClipPartDialog : public wxDialog
{
public:
    ClipPartDialog(wxWindow* parent, const wxString& clipPath, const VideoInfo& info);

    // The part as the controls describe it now.
    const ClipPartChoice& GetChoice() const { return m_choice; }

    wxTextCtrl* GetStartControl() const { return m_start; }
    wxTextCtrl* GetEndControl() const { return m_end; }
    wxSpinCtrlDouble* GetRateControl() const { return m_rate; }
    wxStaticText* GetFramesText() const { return m_frames; }

private:
    // Reads the controls again: the frame count or what is wrong, and OK
    // only for a part that can be used.
    void UpdateChoice();
    void OnText(wxCommandEvent& event);
    void OnRate(wxSpinDoubleEvent& event);
    void OnOk(wxCommandEvent& event);

    const VideoInfo m_info;
    ClipPartChoice m_choice;
    wxTextCtrl* m_start = nullptr;
    wxTextCtrl* m_end = nullptr;
    wxSpinCtrlDouble* m_rate = nullptr;
    wxStaticText* m_frames = nullptr;
    wxButton* m_ok = nullptr;
};
