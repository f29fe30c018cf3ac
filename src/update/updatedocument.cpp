#include "update/updatedocument.h"

#include <wx/log.h>
#include <wx/stream.h>
#include <wx/string.h>
#include <wx/xml/xml.h>

wxString ReadNewestVersion(wxInputStream& stream, const wxString& product)
{
    if (!stream.IsOk())
        return wxString();
    wxLogNull quiet; // a broken document is a failed check, not a log pop-up
    wxXmlDocument document;
    if (!document.Load(stream, "UTF-8", 0) || !document.GetRoot())
        return wxString();

    wxString version;
    for (const wxXmlNode* child = document.GetRoot()->GetChildren(); child; child = child->GetNext())
    {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        for (const wxXmlAttribute* attribute = child->GetAttributes(); attribute; attribute = attribute->GetNext())
        {
            if (attribute->GetValue() == product && attribute->GetNext())
                version = attribute->GetNext()->GetValue();
        }
    }
    return version;
}
