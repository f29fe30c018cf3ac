#include "app/crashreport.h"

#include "app/desktop.h"
#include "app/messagebox.h"
#include "app/productinfo.h"

#include <wx/datetime.h>
#include <wx/debugrpt.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

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
        ShowMessage(nullptr, message, wxMessageBoxCaptionStr, wxOK | wxCENTRE);
}
} // namespace

void WriteCrashReport(const wxString& details)
{
    wxLogNull quiet; // the report's own troubles stay unsaid
    wxDebugReportCompress report;
    const wxString directory = report.GetDirectory();
    // The toolkit's own context would describe this process, not the one
    // that crashed: the crashed one's account goes in instead.
    report.AddText("crash.txt",
                   GetProductDisplayName() + " " + GetVersionString() + "\n" + wxGetOsDescription() + "\n\n" + details,
                   "what the program knew when it crashed");

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

void RunCrashReporter()
{
    // Only what the crashed process sends through its pipe; a terminal or a
    // file given by hand is not waited on.
    const size_t kMaxDetails = 1024 * 1024;
    std::string details;
    struct stat input;
    if (fstat(STDIN_FILENO, &input) == 0 && S_ISFIFO(input.st_mode))
    {
        char buffer[65536];
        ssize_t got;
        while (details.size() < kMaxDetails && (got = read(STDIN_FILENO, buffer, sizeof buffer)) != 0)
        {
            if (got > 0)
                details.append(buffer, static_cast<size_t>(got));
            else if (errno != EINTR)
                break;
        }
    }
    wxString text = wxString::FromUTF8(details.data(), details.size());
    if (text.empty())
        text = wxString::From8BitData(details.data(), details.size()); // a name in the map that is no UTF-8
    WriteCrashReport(text);
}

void SetCrashMessageShower(CrashMessageShower shower)
{
    MessageShower() = std::move(shower);
}
