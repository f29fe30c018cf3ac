// Entry of the window program.
#include "app/gifapp.h"

#include <wx/log.h>

wxIMPLEMENT_WX_THEME_SUPPORT
wxIMPLEMENT_APP_NO_MAIN(GifApp);

int main(int argc, char** argv)
{
    // A released program does not stop on toolkit assertions.
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(argc, argv);
}
