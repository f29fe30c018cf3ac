// Real crashes in a child process: the report is written by a fresh process after the crash.

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>

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
        // HOME keeps the user's own language choice away.
        const std::string dir = "'" + temp.Path().ToStdString() + "'";
        const int status = std::system(("ulimit -c 0; TMPDIR=" + dir + " HOME=" + dir + " GLOAMER_CRASH_RECORD=" + dir +
                                        "/record GLOAMER_CRASH_KIND=" + crash.kind +
                                        " exec " GLOAMER_STAGE_DIR "/bin/crash_report_child").c_str());
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == crash.signal) << status;

        const wxString folder = wxString::FromUTF8(testsupport::ReadBytes(temp.File("record.folder")).c_str());
        ASSERT_TRUE(folder.StartsWith(temp.Path())) << folder;
        EXPECT_EQ(wxString::FromUTF8(testsupport::ReadBytes(temp.File("record.message")).c_str()),
                  "Application have crashed due to some unknown reasons,\nPlease email the zip crashing report file that "
                  "is generated in \n" + folder + "\n to us.");
        const std::string account = testsupport::ReadBytes(folder + "/crash.txt");
        EXPECT_NE(account.find(std::string("signal ") + crash.name), std::string::npos) << account.substr(0, 300);
        EXPECT_NE(account.find("crash_report_child"), std::string::npos); // the memory map came along
        EXPECT_EQ(testsupport::CommandOutput("cd '" + folder.ToStdString() + "' && unzip -Z1 *.zip | sort"),
                  "crash.txt\ntimestamp.my\n");
    }
}
