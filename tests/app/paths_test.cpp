#include "app/paths.h"

#include <gtest/gtest.h>
#include <wx/filename.h>

TEST(InstallPaths, WindowsStylePathGivesFolderRootThemesAndSettings)
{
    const wxString dir = ExecutableDirOf("C:\\Apps\\Tool\\bin\\app.exe");
    EXPECT_EQ(dir, "C:/Apps/Tool/bin");
    EXPECT_EQ(ParentDirOf(dir), "C:/Apps/Tool");
    EXPECT_EQ(ThemesDirOf(dir), "C:/Apps/Tool/Themes");
    EXPECT_EQ(ParentDirOf(dir) + "/option.cfg", "C:/Apps/Tool/option.cfg");
}

TEST(InstallPaths, BareNameGivesEmptyFolderAndRootThemesAtSlash)
{
    const wxString dir = ExecutableDirOf("app.exe");
    EXPECT_EQ(dir, "");
    EXPECT_EQ(ParentDirOf(dir), "");
    EXPECT_EQ(ThemesDirOf(dir), "/Themes");
    EXPECT_EQ(ParentDirOf(dir) + "/option.cfg", "/option.cfg");
}

TEST(InstallPaths, UnixPathsAndMixedSeparators)
{
    EXPECT_EQ(ExecutableDirOf("/opt/gloamer/bin/gloamer"), "/opt/gloamer/bin");
    EXPECT_EQ(ParentDirOf("/opt/gloamer/bin"), "/opt/gloamer");
    EXPECT_EQ(ExecutableDirOf("D:\\x/y\\z"), "D:/x/y");
    // An executable in the file-system root has an empty folder and root.
    EXPECT_EQ(ExecutableDirOf("/gloamer"), "");
    EXPECT_EQ(ThemesDirOf(""), "/Themes");
}

TEST(InstallPaths, RunningExecutableFindsTheStagedInstallation)
{
    // Test programs live in build/bin beside gloamer, so their install root
    // is the staged build tree.
    wxFileName expected = wxFileName::DirName(GLOAMER_STAGE_DIR);
    expected.Normalize(wxPATH_NORM_ABSOLUTE | wxPATH_NORM_DOTS | wxPATH_NORM_SHORTCUT);
    wxFileName actual = wxFileName::DirName(GetInstallRoot());
    actual.Normalize(wxPATH_NORM_ABSOLUTE | wxPATH_NORM_DOTS | wxPATH_NORM_SHORTCUT);
    EXPECT_EQ(actual.GetFullPath(), expected.GetFullPath());
    EXPECT_TRUE(wxFileName::DirExists(GetThemesDir()));
    EXPECT_TRUE(wxFileName::FileExists(GetInstallRoot() + "/option.cfg"));
}
