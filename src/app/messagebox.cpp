#include "app/messagebox.h"

#include <wx/intl.h>
#include <wx/msgdlg.h>

int ShowMessage(wxWindow* parent, const wxString& message, const wxString& caption, long style)
{
    wxMessageDialog dialog(parent, message, caption, style);
    // Each call sets the buttons the style asks for and leaves the others.
    if (style & wxYES_NO)
    {
        if (style & wxCANCEL)
            dialog.SetYesNoCancelLabels(_("&Yes"), _("&No"), _("&Cancel"));
        else
            dialog.SetYesNoLabels(_("&Yes"), _("&No"));
    }
    else if (style & wxCANCEL)
        dialog.SetOKCancelLabels(_("&OK"), _("&Cancel"));
    else
        dialog.SetOKLabel(_("&OK"));
    return dialog.ShowModal();
}
