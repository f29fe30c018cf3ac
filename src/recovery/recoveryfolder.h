#pragma once
// Where recovery copies lie: "Recovery" in the user data folder. Each
// running window keeps "<name>.xml" (its work, in the project format with
// the recovery element) and holds a lock on "<name>.lock" for as long as it
// runs; a copy whose lock nobody holds was left by a run that did not end
// cleanly.

#include <wx/string.h>

wxString GetRecoveryFolder();

#include <string>

// The suffixes of a copy's files after its stem (folder and name).
extern const char* const kCopySuffix;  // ".xml"
extern const char* const kLockSuffix;  // ".lock"
extern const char* const kTempSuffix;  // ".tmp", the copy being written

// Removes a copy's files, the lock file last (while the caller holds it).
void RemoveRecoveryFiles(const std::string& stem);
