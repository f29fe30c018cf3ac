#pragma once
// The per-user data folder under the documents folder and the language file
// kept there.

#include <wx/string.h>

// "<documents>/Tavrinex files/Tavrinex Gloamer", both levels created on every
// call (failures ignored). No trailing slash.
wxString GetUserDataDir();

// Replaces the documents folder (tests point it at a scratch folder so that
// they never write into the real home). An empty string restores the
// system's documents folder.
void SetDocumentsDirOverride(const wxString& dir);

wxString GetLanguageFilePath();

// The saved interface language id. A missing file is first created with 58
// (English). Only the first 8 bytes count; they are read as decimal text with
// the C rules, so unreadable or non-numeric content gives 0.
int ReadLanguageFile();
// Writes the id as decimal digits without a line end. Errors are silent.
void WriteLanguageFile(int id);
