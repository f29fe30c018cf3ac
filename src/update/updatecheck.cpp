#include "update/updatecheck.h"

#include "update/updatedocument.h"
#include "update/versionkey.h"

#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/url.h>

namespace
{
// The toolkit only checks the address; libcurl fetches it. wxURL has no
// https client and says so with wxURL_NOPROTO after parsing the address in
// full, which is no fault here.
bool IsUsableAddress(const wxURL& url)
{
    const wxURLError error = url.GetError();
    const wxString scheme = url.GetScheme();
    return (error == wxURL_NOERR || error == wxURL_NOPROTO) && (scheme == "http" || scheme == "https") &&
           !url.GetServer().empty();
}
} // namespace

bool FetchNewestVersion(const wxString& documentUrl, const wxString& product, wxString* version,
                        const HttpLimits& limits)
{
    wxLogNull quiet; // failures end in the check's own message
    const wxURL url(documentUrl);
    if (!IsUsableAddress(url))
        return false;
    version->clear();
    std::string body;
    if (HttpGet(std::string(documentUrl.utf8_str()), limits, &body))
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
