#include "app/gifapp.h"

#include "app/crashreport.h"
#include "app/domainoption.h"
#include "app/language.h"
#include "app/paths.h"
#include "app/trace.h"
#include "window/gifframe.h"

#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/xrc/xmlres.h>

GifApp::GifApp()
{
    wxHandleFatalExceptions(true);
}

GifApp::~GifApp() = default;

bool GifApp::OnInit()
{
    if (!wxApp::OnInit())
        return false;

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
    return true;
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
