#include "update/updatecheck.h"

#include "update/updatedocument.h"
#include "update/versionkey.h"

#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/url.h>

bool FetchNewestVersion(const wxString& documentUrl, const wxString& product, wxString* version,
                        const HttpLimits& limits)
{
    wxLogNull quiet; // failures end in the check's own message
    const wxURL url(documentUrl);
    if (url.GetError() != wxURL_NOERR || url.GetScheme() != "http")
        return false;
    version->clear();
    std::string body;
    if (HttpGet(url, limits, &body))
    {
        wxMemoryInputStream stream(body.data(), body.size());
        *version = ReadNewestVersion(stream, product);
    }
    return true;
}

UpdateOutcome DecideUpdate(const wxString& program, const wxString& fetched)
{
    if (fetched.empty())
        return UpdateOutcome::Failed;
    return CompareVersions(program, fetched) < 0 ? UpdateOutcome::Newer : UpdateOutcome::Latest;
}
