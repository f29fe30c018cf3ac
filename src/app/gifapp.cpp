#include "app/gifapp.h"

#include "app/crashreport.h"
#include "app/domainoption.h"
#include "app/fatalsignal.h"
#include "app/language.h"
#include "app/messagebox.h"
#include "app/paths.h"
#include "app/productinfo.h"
#include "app/startarguments.h"
#include "app/trace.h"
#include "app/userdata.h"
#include "window/gifframe.h"

#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgout.h>
#include <wx/xrc/xmlres.h>

GifApp::GifApp() = default;

GifApp::~GifApp() = default;

bool GifApp::OnInit()
{
    // The toolkit's own parser would answer an unknown option with its usage
    // text and status 255; the program says what it did not understand.
    std::vector<wxString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    const StartArguments start = ParseStartArguments(args);
    if (!start.error.empty() || start.help || start.version)
    {
        if (!start.error.empty())
        {
            wxMessageOutputStderr(stderr).Output("gloamer: " + start.error + "\n" + StartUsageText());
            m_exitCode = 2;
        }
        else
        {
            wxMessageOutputStderr(stdout).Output(start.help ? StartUsageText()
                                                            : GetProductDisplayName() + " " + GetVersionString() + "\n");
            m_exitCode = 0;
        }
        return true; // OnRun returns the status without a window
    }

    CreateAppLocale(m_locale);
    if (start.crashReport)
    {
        // A crashed run started this process to write its report, in the
        // language the user chose.
        const std::unique_ptr<wxLocale> language = CreateWindowLocale(ReadLanguageFile());
        RunCrashReporter();
        m_exitCode = 0;
        return true;
    }
    InstallFatalSignalHandler();

    // No toolkit log pop-ups (missing file, bad image, bad layout) while
    // starting.
    wxLogNull quiet;

    wxInitAllImageHandlers();
    wxXmlResource::Get()->InitAllHandlers();
    wxXmlResource::Get()->LoadAllFiles(GetThemesDir());

    const wxString optionPath = GetInstallRoot() + "/option.cfg";
    WriteTraceLine(optionPath);
    g_domainOption = new DomainOption(optionPath);
    g_domainOption->Load(); // whatever was read is used, the rest stays empty

    wxString problem;
    m_frame = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
    if (!m_frame)
    {
        ShowMessage(nullptr, problem + "\n" + wxString::Format(_("Looked in: %s"), GetThemesDir()),
                    _("Tavrinex Gloamer cannot start"), wxOK | wxICON_ERROR);
        delete g_domainOption;
        g_domainOption = nullptr;
        return false; // the toolkit ends the process with a non-zero status
    }
    m_frame->Show(true);
    // Once the window is up: the work a crashed or killed run left is
    // offered back, then the files given on the command line open, behind
    // the same progress dialog as Add Image.
    GifFrame* frame = m_frame;
    const wxArrayString files = start.files;
    frame->CallAfter([frame, files] { frame->StartUp(files); });
    return true;
}

int GifApp::OnRun()
{
    if (m_exitCode >= 0)
        return m_exitCode;
    return wxApp::OnRun();
}

int GifApp::OnExit()
{
    delete g_domainOption;
    g_domainOption = nullptr;
    return 0;
}
