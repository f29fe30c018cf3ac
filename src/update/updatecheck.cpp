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

wxString FetchNewestVersion(const wxString& documentUrl, const wxString& product, const HttpLimits& limits,
                            const HttpStop& stop)
{
    std::string body;
    if (!IsUsableAddress(wxURI(documentUrl)) || !HttpGet(std::string(documentUrl.utf8_str()), limits, &body, stop))
        return wxString();
    wxMemoryInputStream stream(body.data(), body.size());
    return ReadNewestVersion(stream, product);
}

bool IsWellFormedVersion(const wxString& version)
{
    const size_t kMaxLength = 32;
    if (version.length() > kMaxLength)
        return false;
    bool digit = false;
    for (const wxUniChar c : version)
    {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.')
            return false;
    }
    return digit;
}

UpdateOutcome DecideUpdate(const wxString& program, const wxString& fetched)
{
    if (!IsWellFormedVersion(fetched))
        return UpdateOutcome::Failed;
    return CompareVersions(program, fetched) < 0 ? UpdateOutcome::Newer : UpdateOutcome::Latest;
}
