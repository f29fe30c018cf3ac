#include "app/paths.h"

#include <wx/stdpaths.h>

namespace
{
wxString CutBeforeLastSlash(const wxString& path)
{
    const size_t slash = path.rfind('/');
    if (slash == wxString::npos)
        return wxString();
    return path.substr(0, slash);
}
} // namespace

wxString ExecutableDirOf(const wxString& executablePath)
{
    wxString path(executablePath);
    path.Replace("\\", "/");
    return CutBeforeLastSlash(path);
}

wxString ParentDirOf(const wxString& dir)
{
    return CutBeforeLastSlash(dir);
}

wxString ThemesDirOf(const wxString& executableDir)
{
    const wxString dir = executableDir.empty() ? wxString(".") : executableDir;
    return ParentDirOf(dir) + "/Themes";
}

wxString GetExecutableDir()
{
    return ExecutableDirOf(wxStandardPaths::Get().GetExecutablePath());
}

wxString GetInstallRoot()
{
    return ParentDirOf(GetExecutableDir());
}

wxString GetThemesDir()
{
    return ThemesDirOf(GetExecutableDir());
}

wxString GetManualPath()
{
    return GetInstallRoot() + "/share/tavrinex-gloamer/manual.html";
}
