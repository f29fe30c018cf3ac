// Started by its bare name through PATH, as a shell does, the program must find its own installation.

#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

TEST(Installation, StartedByBareNameThroughPathFindsItsInstallation)
{
    testsupport::TempDir prefix, home;
    const wxString install = wxString::Format("'%s' --install '%s' --prefix '%s' > /dev/null", GLOAMER_CMAKE_COMMAND,
                                              GLOAMER_STAGE_DIR, prefix.Path());
    ASSERT_EQ(std::system(install.utf8_str()), 0);
    const std::string root = std::filesystem::canonical(prefix.Path().ToStdString()).string();
    // The shell's pid stays the program's; it prints its settings path, then its icon path.
    FILE* out = popen(("echo $$; exec timeout 30 env -u XDG_CONFIG_HOME PATH='" + root + "/bin' HOME='" +
                       home.Path().ToStdString() + "' gloamer").c_str(), "r");
    ASSERT_TRUE(out);
    char line[4096] = "";
    std::string lines[3];
    for (std::string& text : lines)
        if (fgets(line, sizeof line, out))
            text = line;
    kill(std::atoi(lines[0].c_str()), SIGTERM);
    pclose(out);
    EXPECT_EQ(lines[1], root + "/option.cfg\n");
    EXPECT_EQ(lines[2], root + "/Themes/application.ico\n");
    EXPECT_TRUE(wxFileExists(root + "/share/tavrinex-gloamer/manual.html")); // what Help opens
}
