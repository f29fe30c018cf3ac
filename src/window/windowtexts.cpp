#include "window/windowtexts.h"

#include "frames/framestore.h"

#include "window/imageloadrun.h"

#include <wx/filename.h>
#include <wx/intl.h>

wxString FrameStatusText(const wxString& fileName, int width, int height)
{
    return wxString::Format("%s ", fileName) + _("Width") + ":" + wxString::Format("%d", width) + _("px") + "," +
           _("Height") + wxString::Format(":%d ", height) + _("px");
}

wxString SizeEditedStatusText(const wxString& gifName, int width, int height)
{
    if (gifName.empty())
        return wxString::Format("Untitled.gif (%d * %d)px", width, height);
    return wxString::Format("%s (%d * %d)px", gifName, width, height);
}

wxString SizeResetStatusText(const wxString& gifName, int width, int height)
{
    if (gifName.empty())
        return wxString::Format("Untitled.gif (%d * %d)", width, height) + _("px");
    return wxString::Format("%s (%d * %d)", gifName, width, height) + _("px");
}

wxString ProjectSizeStatusText(const wxString& gifName, int width, int height)
{
    // The project's own spelling, without a blank before the parenthesis.
    if (gifName.empty())
        return wxString::Format("Unititle.gif(%d * %d)", width, height) + _("px");
    return wxString::Format("%s(%d * %d)", gifName, width, height) + _("px");
}

wxString ProjectWindowTitle(const wxString& projectFileName, const wxString& productName)
{
    // A name without ".xml" shows no name at all, only the product.
    wxString name;
    if (projectFileName.EndsWith(".xml", &name))
        return name + " - " + productName;
    return " - " + productName;
}

namespace
{
// A long list would make a message box taller than the screen.
const size_t kShown = 15;

// The line that stands for the items of a list beyond kShown.
wxString MoreLine(size_t count)
{
    if (count <= kShown)
        return wxString();
    return "\n" + wxString::Format(_("... and %d more"), static_cast<int>(count - kShown));
}
} // namespace

wxString MissingFilesText(const std::vector<wxString>& paths)
{
    wxString text = _("These files of the project are missing:") + "\n";
    for (size_t i = 0; i < paths.size() && i < kShown; ++i)
        text += "\n" + paths[i];
    return text + MoreLine(paths.size());
}

wxString LeftOutFilesMessage(const std::vector<LeftOutFile>& leftOut)
{
    if (leftOut.empty())
        return wxString();
    wxString text = _("These files could not be added completely:") + "\n";
    for (size_t i = 0; i < leftOut.size() && i < kShown; ++i)
    {
        const LeftOutFile& file = leftOut[i];
        const wxString reason = file.status.IsOk()
                                    ? _("cut short; the frames before the damage were added")
                                    : DescribePictureStatus(file.status);
        text += "\n" + wxFileName(file.path).GetFullName() + ": " + reason;
    }
    return text + MoreLine(leftOut.size());
}

wxString StoreFullMessage(int added, const FrameStoreRefusal& refusal, unsigned long long diskBudget,
                          std::size_t frameLimit)
{
    wxString reason;
    if (refusal.kind == FrameStoreRefusal::DiskBudget)
        reason = wxString::Format(_("the frames would take more than %s of temporary disk space"),
                                  wxFileName::GetHumanReadableSize(wxULongLong(diskBudget)));
    else if (refusal.kind == FrameStoreRefusal::FrameCount)
        reason = wxString::Format(_("the program holds at most %d frames"), static_cast<int>(frameLimit));
    else
        reason = wxString::Format(_("the frames could not be kept in a temporary file (%s)"), refusal.detail);
    return wxString::Format(_("%d frame(s) were added. The rest were not: %s."), added, reason);
}
