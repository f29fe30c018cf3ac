// Installs the build into a scratch prefix and starts the program there by
// its bare name through PATH, as a user's shell would.

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace
{
// What the started program writes to standard output up to its second line
// end: the settings path, then (once the main window is set up) its icon path.
std::string StartByBareName(const wxString& binDir, const wxString& home)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "";
    const pid_t pid = fork();
    if (pid == 0)
    {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        setenv("PATH", binDir.utf8_str(), 1);
        setenv("HOME", home.utf8_str(), 1); // the language file goes here
        unsetenv("XDG_CONFIG_HOME");
        execlp("gloamer", "gloamer", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buffer[512];
    pollfd pfd{fds[0], POLLIN, 0};
    // Bounded: a program that hangs before its window is set up fails the test.
    while (std::count(out.begin(), out.end(), '\n') < 2 && poll(&pfd, 1, 30000) > 0)
    {
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        out.append(buffer, got);
    }
    close(fds[0]);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return out;
}
} // namespace

TEST(Installation, StartedByBareNameThroughPathFindsItsInstallation)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "runs under xvfb-run";
    testsupport::TempDir prefix, home;
    const wxString install = wxString::Format("\"%s\" --install \"%s\" --prefix \"%s\" > /dev/null",
                                              GLOAMER_CMAKE_COMMAND, GLOAMER_STAGE_DIR, prefix.Path());
    ASSERT_EQ(std::system(install.utf8_str()), 0);
    char* real = realpath(prefix.Path().utf8_str(), nullptr);
    ASSERT_TRUE(real);
    const std::string root = real;
    free(real);
    EXPECT_EQ(StartByBareName(wxString::FromUTF8(root) + "/bin", home.Path()),
              root + "/option.cfg\n" + root + "/Themes/application.ico\n");
}
