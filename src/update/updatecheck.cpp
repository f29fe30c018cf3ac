#include "update/updatecheck.h"

#include "update/updatedocument.h"
#include "update/versionkey.h"

#include <wx/mstream.h>
#include <wx/uri.h>

namespace
{
// The toolkit only parses the address; libcurl fetches it.
bool IsUsableAddress(const wxURI& uri)
{
    const wxString& scheme = uri.GetScheme();
    return (scheme == "http" || scheme == "https") && !uri.GetServer().empty();
}
} // namespace

bool FetchNewestVersion(const wxString& documentUrl, const wxString& product, wxString* version,
                        const HttpLimits& limits)
{
    if (!IsUsableAddress(wxURI(documentUrl)))
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
