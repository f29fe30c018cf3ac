// A program that starts like the window program and then crashes, so that
// its fatal-exception hook writes the crash report. What the user would be
// shown and which folder would be opened go to files named by
// GLOAMER_CRASH_RECORD instead.

#include "app/crashreport.h"
#include "app/desktop.h"
#include "app/gifapp.h"

#include <wx/ffile.h>
#include <wx/utils.h>

namespace
{
void Record(const wxString& path, const wxString& text)
{
    wxFFile file(path, "w");
    file.Write(text);
}

class CrashingApp : public GifApp
{
public:
    bool OnInit() override
    {
        wxString record;
        if (!wxGetEnv("GLOAMER_CRASH_RECORD", &record))
            return false;
        SetCrashMessageShower([record](const wxString& message) { Record(record + ".message", message); });
        SetFolderOpener([record](const wxString& folder) { Record(record + ".folder", folder); });
        volatile int* const nowhere = nullptr;
        *nowhere = 1;
        return false;
    }
};

wxAppConsole* CreateCrashingApp()
{
    return new CrashingApp;
}
wxAppInitializer g_initializer(CreateCrashingApp);
} // namespace

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
