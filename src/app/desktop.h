#pragma once
// Hand-offs to the desktop: web pages to the default browser, folders to the
// file browser. Both go through replaceable openers so that tests can record
// the request instead of starting a program.

#include <wx/string.h>

#include <functional>

using DesktopOpener = std::function<void(const wxString&)>;

// Opens the address in the default browser; the result is ignored, so an
// empty address simply does nothing visible.
void OpenWebPage(const wxString& url);
// Opens the folder in the file browser (paths keep their forward slashes).
void OpenFolderInExplorer(const wxString& path);

// Replace the openers; an empty function restores the real one.
void SetWebPageOpener(DesktopOpener opener);
void SetFolderOpener(DesktopOpener opener);
