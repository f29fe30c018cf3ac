#include "app/crashreport.h"

#include "app/desktop.h"

#include <wx/datetime.h>
#include <wx/debugrpt.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

namespace
{
CrashMessageShower& MessageShower()
{
    static CrashMessageShower s_shower;
    return s_shower;
}

void ShowCrashMessage(const wxString& message)
{
    if (MessageShower())
        MessageShower()(message);
    else
        wxMessageBox(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE);
}
} // namespace

void WriteCrashReport()
{
    wxLogNull quiet; // the process is failing: the report's own troubles stay unsaid
    wxDebugReportCompress report;
    report.AddAll(wxDebugReport::Context_Exception);
    const wxString directory = report.GetDirectory();

    const wxString stampName = "timestamp.my";
    {
        // Without the stamp the report is still worth having.
        wxFFile stamp(wxFileName(directory, stampName).GetFullPath(), "w");
        if (stamp.IsOpened())
        {
            const wxDateTime now = wxDateTime::Now();
            stamp.Write(now.FormatISODate() + " " + now.FormatISOTime());
        }
    }
    report.SetCompressedFileDirectory(directory);
    report.AddFile(stampName, "timestamp of this report");

    wxString message = _("Application have crashed due to some unknown reasons,\nPlease email the zip crashing report "
                         "file that is generated in \n%s\n to us.");
    message.Replace("%s", directory); // the folder is text, not a format

    if (!report.Process())
        return; // the report removes its files as it goes
    ShowCrashMessage(message);
    OpenFolderInExplorer(directory);
    report.Reset(); // keep the files and the archive on disk
}

void SetCrashMessageShower(CrashMessageShower shower)
{
    MessageShower() = std::move(shower);
}
