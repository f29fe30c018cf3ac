// A program that starts like the window program and then dies of the fatal
// signal GLOAMER_CRASH_KIND names, so that the crash report is written as
// the program writes it: by the program started again with its private
// option. What the user would be shown and which folder would be opened go
// to files named by GLOAMER_CRASH_RECORD instead.

#include "app/crashreport.h"
#include "app/desktop.h"
#include "app/fatalsignal.h"
#include "app/gifapp.h"

#include <wx/ffile.h>
#include <wx/utils.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

namespace
{
void Record(const wxString& path, const wxString& text)
{
    wxFFile file(path, "w");
    file.Write(text);
}

int Recurse(int depth);
int (*volatile g_recurse)(int) = Recurse; // called through memory: no tail call, no warning

int Recurse(int depth)
{
    volatile char frame[512];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    return g_recurse(depth + 1) + frame[0];
}

void Crash(const wxString& kind)
{
    volatile int zero = 0, one = 1;
    if (kind == "segv")
        *static_cast<volatile int*>(nullptr) = 1;
    else if (kind == "overflow")
        Recurse(0);
    else if (kind == "abort")
        std::abort();
    else if (kind == "fpe")
        zero = one / zero;
    else if (kind == "ill")
        __builtin_trap();
    else if (kind == "bus")
    {
        // A mapped page beyond the end of an empty file.
        char name[] = "/tmp/gloamer-bus-XXXXXX";
        const int fd = mkstemp(name);
        unlink(name);
        auto* page = static_cast<volatile char*>(mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0));
        zero = page[0];
    }
}

class CrashingApp : public GifApp
{
public:
    bool OnInit() override
    {
        wxString record, kind;
        if (!wxGetEnv("GLOAMER_CRASH_RECORD", &record))
            return false;
        SetCrashMessageShower([record](const wxString& message) { Record(record + ".message", message); });
        SetFolderOpener([record](const wxString& folder) { Record(record + ".folder", folder); });
        // Started again by the crash: the program's own start writes the report.
        for (int i = 1; i < argc; ++i)
        {
            if (argv[i] == kCrashReportOption)
                return GifApp::OnInit();
        }
        InstallFatalSignalHandler();
        wxGetEnv("GLOAMER_CRASH_KIND", &kind);
        Crash(kind);
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
