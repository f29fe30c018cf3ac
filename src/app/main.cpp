// Program entry of the window program (filled in by the application shell).
#include <wx/app.h>
#include <wx/frame.h>

class PlaceholderApp : public wxApp
{
public:
    bool OnInit() override { return false; }
};
wxIMPLEMENT_APP(PlaceholderApp);
