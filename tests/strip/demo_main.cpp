// Shows the harness frame with a strip of a few dozen coloured frames, some
// selected, for looking at the strip by eye (or taking a screenshot).
#include "stripharness.h"
#include "support/testsupport.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/timer.h>

#include "window/imagethumbnailitem.h"

namespace
{
class DemoApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        auto* frame = new StripHarnessFrame(wxSize(640, 420));
        wxThumbnailCtrl* strip = frame->Strip();
        const wxString names[] = {"clip.gif", "holiday_photo_with_a_long_name.png", "frame01",
                                  "b.jpg"};
        for (int i = 0; i < 36; ++i)
        {
            const wxColour colour((i * 53) % 256, (i * 97) % 256, (i * 151) % 256);
            const int w = 40 + (i * 37) % 160, h = 30 + (i * 23) % 140;
            strip->Append(MakeEntry(m_dir.Path(), names[i % 4], w, h, colour, i), 7);
        }
        strip->DoSelection(2, 0);
        strip->DoSelection(5, wxTHUMBNAIL_SHIFT_DOWN);
        strip->DoSelection(9, wxTHUMBNAIL_CTRL_DOWN);
        frame->Show();
        strip->SetFocus();
        return true;
    }

private:
    testsupport::TempDir m_dir;
};
} // namespace

wxIMPLEMENT_APP(DemoApp);
