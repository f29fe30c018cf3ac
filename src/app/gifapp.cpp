#include "app/gifapp.h"

#include "app/crashreport.h"
#include "app/domainoption.h"
#include "app/language.h"
#include "app/paths.h"
#include "app/productinfo.h"
#include "app/startarguments.h"
#include "app/trace.h"
#include "window/gifframe.h"

#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/msgout.h>
#include <wx/xrc/xmlres.h>

GifApp::GifApp()
{
    wxHandleFatalExceptions(true);
}

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
        wxMessageBox(problem + "\n" + wxString::Format(_("Looked in: %s"), GetThemesDir()),
                     _("Tavrinex Gloamer cannot start"), wxOK | wxICON_ERROR);
        delete g_domainOption;
        g_domainOption = nullptr;
        return false; // the toolkit ends the process with a non-zero status
    }
    m_frame->Show(true);
    // Files given on the command line open once the window is up, behind the
    // same progress dialog as Add Image.
    if (!start.files.empty())
    {
        GifFrame* frame = m_frame;
        const wxArrayString files = start.files;
        frame->CallAfter([frame, files] { frame->OpenFiles(files); });
    }
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

void GifApp::OnFatalException()
{
    WriteCrashReport();
}
