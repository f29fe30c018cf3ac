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
    // Two groups: files that gave nothing, or less than all of their
    // frames, and files that were added as well as they could be read.
    wxString notAdded, damaged;
    size_t notAddedCount = 0, damagedCount = 0;
    for (const LeftOutFile& file : leftOut)
    {
        const bool added = file.status.IsOk() && file.status.damaged;
        size_t& count = added ? damagedCount : notAddedCount;
        if (count++ >= kShown)
            continue;
        wxString reason;
        if (added)
            reason = wxGetTranslation(file.status.detail);
        else if (file.status.IsOk())
            reason = _("cut short; the frames before the damage were added");
        else
            reason = DescribePictureStatus(file.status);
        (added ? damaged : notAdded) += "\n" + wxFileName(file.path).GetFullName() + ": " + reason;
    }
    wxString text;
    if (notAddedCount > 0)
        text = _("These files could not be added completely:") + "\n" + notAdded + MoreLine(notAddedCount);
    if (damagedCount > 0)
        text += (text.empty() ? wxString() : wxString("\n\n")) + _("Added, but damaged:") + "\n" + damaged +
                MoreLine(damagedCount);
    return text;
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
