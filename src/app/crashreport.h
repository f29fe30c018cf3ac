#pragma once
// The crash report: a compressed debug report with a time stamp and what
// the crashed process told about its crash, in a folder of its own under the
// temporary directory; the user is told where it lies and the folder is
// opened. Written by a fresh process (see fatalsignal.h), never inside the
// crashed one.

#include <wx/string.h>

#include <functional>

// Writes the report with `details` (the signal, addresses, memory map) and
// tells the user.
void WriteCrashReport(const wxString& details);

// The reporting process's work: the details come on standard input from the
// crashed process (read only from a pipe, and only so much).
void RunCrashReporter();

// Replaces the message box that names the report's folder; an empty function
// restores the message box. Tests record the message instead.
using CrashMessageShower = std::function<void(const wxString& message)>;
void SetCrashMessageShower(CrashMessageShower shower);
