// Installs the build into a scratch prefix and starts the program there by
// its bare name through PATH, as a user's shell would.

#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace
{
wxString RealPath(const wxString& path)
{
    char* resolved = realpath(path.utf8_str(), nullptr);
    if (!resolved)
        return path;
    wxString result = wxString::FromUTF8(resolved);
    free(resolved);
    return result;
}

// The first two lines the started program writes to standard output: the
// settings path it uses, then (once the main window is set up) its icon path.
struct Started
{
    std::string lines[2];
    bool exitedEarly = false;
};

Started StartByBareName(const wxString& binDir, const wxString& home)
{
    Started result;
    int fds[2];
    if (pipe(fds) != 0)
        return result;
    const pid_t pid = fork();
    if (pid == 0)
    {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        setenv("PATH", binDir.utf8_str(), 1);
        setenv("HOME", home.utf8_str(), 1); // the language file goes here
        unsetenv("XDG_CONFIG_HOME");
        execlp("gloamer", "gloamer", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    char c = 0;
    int line = 0;
    while (std::chrono::steady_clock::now() < deadline)
    {
        pollfd pfd{fds[0], POLLIN, 0};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            break;
        if (read(fds[0], &c, 1) != 1)
        {
            result.exitedEarly = true;
            break;
        }
        if (c == '\n')
        {
            if (++line == 2)
                break;
            continue;
        }
        result.lines[line] += c;
    }
    close(fds[0]);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return result;
}
} // namespace

TEST(Installation, StartedByBareNameThroughPathFindsItsInstallation)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "runs under xvfb-run";
    testsupport::TempDir prefix;
    testsupport::TempDir home;
    const wxString install = wxString::Format("\"%s\" --install \"%s\" --prefix \"%s\" > /dev/null",
                                              GLOAMER_CMAKE_COMMAND, GLOAMER_STAGE_DIR, prefix.Path());
    ASSERT_EQ(std::system(install.utf8_str()), 0);
    const wxString root = RealPath(prefix.Path());
    ASSERT_TRUE(wxFileName::FileExists(root + "/bin/gloamer"));
    ASSERT_TRUE(wxFileName::FileExists(root + "/Themes/mainframe.xrc"));
    ASSERT_TRUE(wxFileName::FileExists(root + "/option.cfg"));

    const Started started = StartByBareName(root + "/bin", home.Path());
    EXPECT_FALSE(started.exitedEarly);
    EXPECT_EQ(started.lines[0], (root + "/option.cfg").ToStdString());
    // Written by the window set-up: the layout was found and complete.
    EXPECT_EQ(started.lines[1], (root + "/Themes/application.ico").ToStdString());
}
