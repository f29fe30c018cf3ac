#pragma once
// The update check without its window: fetch the update document, find the
// product's newest version, decide what to tell the user.

#include "update/httpget.h"

class wxString;

// Asks the server at `documentUrl` for the newest version of `product`.
// False, with nothing asked, when the address is not one the check can use
// (malformed, no server, or neither http:// nor https://). Otherwise true,
// with `version` set to the version found or left empty when the request or
// the document failed.
bool FetchNewestVersion(const wxString& documentUrl, const wxString& product, wxString* version,
                        const HttpLimits& limits = HttpLimits());

enum class UpdateOutcome
{
    Failed,   // nothing fetched
    Newer,    // the fetched version is newer than the program
    Latest    // the program is as new as the fetched version or newer
};

UpdateOutcome DecideUpdate(const wxString& program, const wxString& fetched);
