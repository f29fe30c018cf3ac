#pragma once
// Where the installation lies. The executable sits in <root>/bin; the install
// root holds Themes/, Language/ and option.cfg. All paths use forward slashes.

#include <wx/string.h>

// Pure path arithmetic, kept apart so that it can be checked on any input.
// Backslashes become slashes, then the text is cut before its last slash;
// without any slash the result is empty.
wxString ExecutableDirOf(const wxString& executablePath);
// The parent folder: cut before the last slash (empty without a slash).
wxString ParentDirOf(const wxString& dir);
// The XRC folder for an executable directory: "." stands in for an empty
// directory before the parent is taken, then "/Themes" is appended.
wxString ThemesDirOf(const wxString& executableDir);

// The same applied to the real path of the running executable, which does not
// depend on how the program was started (full path, relative path, PATH).
wxString GetExecutableDir();
wxString GetInstallRoot();
wxString GetThemesDir();
// The program's manual, one HTML page under the installation's share folder.
wxString GetManualPath();
