// Starts like the window program and dies of the signal GLOAMER_CRASH_KIND names; what the
// user would be shown and the folder opened go to files named by GLOAMER_CRASH_RECORD.

#include "app/crashreport.h"
#include "app/desktop.h"
#include "app/fatalsignal.h"
#include "app/gifapp.h"

#include <wx/ffile.h>
#include <wx/utils.h>

#include <signal.h>

#include <cstdlib>

namespace
{
int Recurse(int depth);
int (*volatile g_recurse)(int) = Recurse; // called through memory: no tail call, no warning

int Recurse(int depth)
{
    volatile char frame[512];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    return g_recurse(depth + 1) + frame[0];
}

// The overflow must be reported from the alternate stack; raised signals meet the handler as faults do.
void Crash(const wxString& kind)
{
    if (kind == "segv")
        *static_cast<volatile int*>(nullptr) = 1;
    else if (kind == "overflow")
        Recurse(0);
    else if (kind == "abort")
        std::abort();
    else
        raise(kind == "fpe" ? SIGFPE : kind == "ill" ? SIGILL : SIGBUS);
}

class CrashingApp : public GifApp
{
public:
    bool OnInit() override
    {
        wxString record, kind;
        wxGetEnv("GLOAMER_CRASH_RECORD", &record);
        SetCrashMessageShower([record](const wxString& message) { wxFFile(record + ".message", "w").Write(message); });
        SetFolderOpener([record](const wxString& folder) { wxFFile(record + ".folder", "w").Write(folder); });
        // Started again by the crash: the program's own start writes the report.
        if (argc > 1 && argv[1] == kCrashReportOption)
            return GifApp::OnInit();
        InstallFatalSignalHandler();
        wxGetEnv("GLOAMER_CRASH_KIND", &kind);
        Crash(kind);
        return false;
    }
};

wxAppInitializer g_initializer([]() -> wxAppConsole* { return new CrashingApp; });
} // namespace

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
