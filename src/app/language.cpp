#include "app/language.h"

#include "app/paths.h"

#include <wx/intl.h>
#include <wx/log.h>

int ToToolkitLanguage(int programId)
{
    switch (programId)
    {
    case 0: return wxLANGUAGE_DEFAULT;
    case LANG_ID_CHINESE_SIMPLIFIED: return wxLANGUAGE_CHINESE_SIMPLIFIED;
    case LANG_ID_CHINESE_TRADITIONAL: return wxLANGUAGE_CHINESE_TRADITIONAL;
    case LANG_ID_ENGLISH: return wxLANGUAGE_ENGLISH;
    case LANG_ID_FRENCH: return wxLANGUAGE_FRENCH;
    case LANG_ID_GERMAN: return wxLANGUAGE_GERMAN;
    case LANG_ID_ITALIAN: return wxLANGUAGE_ITALIAN;
    case LANG_ID_JAPANESE: return wxLANGUAGE_JAPANESE;
    default: return programId;
    }
}

void CreateAppLocale(std::unique_ptr<wxLocale>& slot)
{
    slot.reset();
    auto locale = std::make_unique<wxLocale>();
    {
        // Containers often lack the system locale; that is not worth a word.
        wxLogNull quiet;
        locale->Init(wxLANGUAGE_ENGLISH, wxLOCALE_LOAD_DEFAULT);
    }
    locale->AddCatalogLookupPathPrefix("m_locale_");
    locale->AddCatalog("ui");
    slot = std::move(locale);
}

std::unique_ptr<wxLocale> CreateWindowLocale(int programId)
{
    auto locale = std::make_unique<wxLocale>();
    {
        wxLogNull quiet;
        locale->Init(ToToolkitLanguage(programId), wxLOCALE_LOAD_DEFAULT);
    }
    locale->AddCatalogLookupPathPrefix(GetInstallRoot() + "/Language");
    locale->AddCatalog("language");
    return locale;
}
