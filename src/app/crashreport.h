#pragma once
// Crash report written when the program dies from a fatal exception.

#include <wx/string.h>

#include <functional>

// Writes a compressed debug report with a time stamp into a folder of its
// own, tells the user where it lies and opens that folder.
void WriteCrashReport();

// Replaces the message box that names the report's folder; an empty function
// restores the message box. Tests record the message instead.
using CrashMessageShower = std::function<void(const wxString& message)>;
void SetCrashMessageShower(CrashMessageShower shower);
