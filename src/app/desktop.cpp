#include "app/desktop.h"

#include <wx/log.h>
#include <wx/utils.h>

namespace
{
DesktopOpener& WebPageOpener()
{
    static DesktopOpener s_opener;
    return s_opener;
}

DesktopOpener& FolderOpener()
{
    static DesktopOpener s_opener;
    return s_opener;
}
} // namespace

void OpenWebPage(const wxString& url)
{
    if (WebPageOpener())
    {
        WebPageOpener()(url);
        return;
    }
    if (url.empty())
        return; // nothing to show; the browser would only report an error
    wxLogNull quiet; // a failed launch is ignored, not reported
    wxLaunchDefaultBrowser(url);
}

void OpenFolderInExplorer(const wxString& path)
{
    if (FolderOpener())
    {
        FolderOpener()(path);
        return;
    }
    wxLogNull quiet;
    wxLaunchDefaultApplication(path);
}

void SetWebPageOpener(DesktopOpener opener)
{
    WebPageOpener() = std::move(opener);
}

void SetFolderOpener(DesktopOpener opener)
{
    FolderOpener() = std::move(opener);
}
