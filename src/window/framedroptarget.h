#pragma once
// Files dropped from the file manager onto the strip or the preview panel.

#include <wx/dnd.h>

class GifFrame;

class FrameDropTarget : public wxFileDropTarget
{
public:
    explicit FrameDropTarget(GifFrame& frame) : m_frame(frame) {}

    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    GifFrame& m_frame; // owns the windows this target is set on
};
