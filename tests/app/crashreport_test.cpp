// Real crashes in a child process, one for each fatal signal: the report is
// written by a fresh process, its folder keeps the archive, the time stamp
// and the crashed process's account, the user is told where it is, and the
// child still ends with the signal it got.

#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/regex.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <set>

TEST(CrashReport, EveryFatalSignalLeavesAReportAndTellsWhereItLies)
{
    const struct { const char* kind; int signal; const char* name; } crashes[] = {
        {"segv", SIGSEGV, "SIGSEGV"}, {"overflow", SIGSEGV, "SIGSEGV"}, {"abort", SIGABRT, "SIGABRT"},
        {"fpe", SIGFPE, "SIGFPE"},    {"ill", SIGILL, "SIGILL"},        {"bus", SIGBUS, "SIGBUS"},
    };
    for (const auto& crash : crashes)
    {
        SCOPED_TRACE(crash.kind);
        testsupport::TempDir temp;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            const rlimit noCore = {0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            setenv("TMPDIR", temp.Path().utf8_str(), 1); // the report's folder goes under it
            setenv("HOME", temp.Path().utf8_str(), 1);   // nor a language chosen in the user's own folder
            setenv("GLOAMER_CRASH_RECORD", temp.File("record").utf8_str(), 1);
            setenv("GLOAMER_CRASH_KIND", crash.kind, 1);
            execl(GLOAMER_STAGE_DIR "/bin/crash_report_child", "crash_report_child", static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == crash.signal) << status;

        const wxString folder = wxString::FromUTF8(testsupport::ReadBytes(temp.File("record.folder")).c_str());
        ASSERT_TRUE(folder.StartsWith(temp.Path())) << folder;
        EXPECT_EQ(wxString::FromUTF8(testsupport::ReadBytes(temp.File("record.message")).c_str()),
                  "Application have crashed due to some unknown reasons,\nPlease email the zip crashing report file that "
                  "is generated in \n" + folder + "\n to us.");
        const wxString stamp = wxString::FromUTF8(testsupport::ReadBytes(folder + "/timestamp.my").c_str());
        EXPECT_TRUE(wxRegEx("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$").Matches(stamp)) << stamp;
        const std::string account = testsupport::ReadBytes(folder + "/crash.txt");
        EXPECT_NE(account.find(std::string("signal ") + crash.name), std::string::npos) << account.substr(0, 300);
        EXPECT_NE(account.find("crash_report_child"), std::string::npos); // the memory map came along

        // The archive holds what the folder holds.
        wxArrayString archives;
        ASSERT_EQ(wxDir::GetAllFiles(folder, &archives, "*.zip", wxDIR_FILES), 1u);
        wxFFileInputStream file(archives[0]);
        wxZipInputStream zip(file);
        std::set<wxString> names;
        for (std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry()); entry; entry.reset(zip.GetNextEntry()))
            names.insert(entry->GetName());
        EXPECT_EQ(names, (std::set<wxString>{"crash.txt", "timestamp.my"}));
    }
}
