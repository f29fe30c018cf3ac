#include "app/productinfo.h"

#include <wx/string.h>

namespace
{
const char* const kCompanyName = "Tavrinex";
const char* const kProductString = "Tavrinex+Gloamer";
const char* const kVersion = "3.0.19";
} // namespace

const char* const g_buildDate = __DATE__;

wxString GetCompanyName()
{
    return wxString(kCompanyName, wxConvLocal);
}

wxString GetProductDisplayName()
{
    wxString name(kProductString, wxConvLocal);
    name.Replace("+", " ");
    return name;
}

wxString GetVersionString()
{
    return wxString(kVersion, wxConvLocal);
}
