#include "app/paths.h"

#include <gtest/gtest.h>

TEST(InstallPaths, FolderRootAndThemesFromTheExecutablePath)
{
    const struct
    {
        const char *exe, *dir, *root, *themes;
    } cases[] = {
        {"C:\\Apps\\Tool\\bin\\app.exe", "C:/Apps/Tool/bin", "C:/Apps/Tool", "C:/Apps/Tool/Themes"},
        {"app.exe", "", "", "/Themes"}, // a bare name: Themes at the root
        {"/opt/gloamer/bin/gloamer", "/opt/gloamer/bin", "/opt/gloamer", "/opt/gloamer/Themes"},
        {"D:\\x/y\\z", "D:/x/y", "D:/x", "D:/x/Themes"},
        {"/gloamer", "", "", "/Themes"},
    };
    for (const auto& c : cases)
    {
        const wxString dir = ExecutableDirOf(c.exe);
        EXPECT_EQ(dir, c.dir) << c.exe;
        EXPECT_EQ(ParentDirOf(dir), c.root) << c.exe;
        EXPECT_EQ(ThemesDirOf(dir), c.themes) << c.exe;
    }
}
