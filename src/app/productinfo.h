#pragma once
// Product constants: names, version and build date shown in the title, the
// About box, the user data folder and the update check.

class wxString;

wxString GetCompanyName();
// "Tavrinex Gloamer": the product string with every '+' turned into a blank.
wxString GetProductDisplayName();
wxString GetVersionString();

extern const char* const g_buildDate; // "Mon DD YYYY"
