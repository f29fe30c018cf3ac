#pragma once
// Version comparison through a short key whose bytewise order is version
// order, so that two versions compare with one strncmp.

#include <cstddef>

class wxString;

// Bytes of a key that take part in comparison; a key buffer has one more,
// always zero.
constexpr size_t kVersionKeySize = 9;

// Writes the key of `version` (UTF-8) into `key`: three numeric fields
// ("major.minor.patch") as decimal digits zero-padded to three places each.
// Text before the first digit is skipped ("v3.0.20"); the fields are the
// digit runs joined by single dots, and anything else, or a fourth field,
// ends the version ("3.0.20-beta" and "3.0.20.4" both read as 3.0.20);
// missing fields are 0; a field above 999 counts as 999. Every key byte is a digit, so
// strncmp never stops early.
void MakeVersionKey(const char* version, char (&key)[kVersionKeySize + 1]);

// Negative when `fetched` is newer than `program`, zero when both read as
// the same version, positive when `fetched` is older.
int CompareVersions(const wxString& program, const wxString& fetched);
