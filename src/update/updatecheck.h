#pragma once
// The update check without its window: fetch the update document, find the
// product's newest version, decide what to tell the user.

#include "update/httpget.h"

class wxString;

// Asks the server at `documentUrl` for the newest version of `product` and
// returns the version found; empty when the check failed: an address the
// request cannot fetch (malformed, no server, a scheme other than http:// or
// https://), a failed request or document, or `stop` answering true.
wxString FetchNewestVersion(const wxString& documentUrl, const wxString& product,
                            const HttpLimits& limits = HttpLimits(), const HttpStop& stop = HttpStop());

// A version as the program accepts it from a server: digits and dots only,
// at least one digit, at most 32 characters. Anything else goes into no
// message: a server could send pages of text or line breaks.
bool IsWellFormedVersion(const wxString& version);

enum class UpdateOutcome
{
    Failed,   // nothing fetched, or nothing that reads as a version
    Newer,    // the fetched version is newer than the program
    Latest    // the program is as new as the fetched version or newer
};

UpdateOutcome DecideUpdate(const wxString& program, const wxString& fetched);
