#pragma once
// Interface language: the program's fixed language ids, the application-wide
// English locale and the locale of the chosen window language.

#include <memory>

class wxLocale;

// The seven languages the Language menu offers. The numbers are the program's
// own ids: they are stored in language.txt and used as menu ids.
enum ProgramLanguage
{
    LANG_ID_CHINESE_SIMPLIFIED = 46,
    LANG_ID_CHINESE_TRADITIONAL = 47,
    LANG_ID_ENGLISH = 58,
    LANG_ID_FRENCH = 80,
    LANG_ID_GERMAN = 89,
    LANG_ID_ITALIAN = 110,
    LANG_ID_JAPANESE = 112
};

// Maps a program language id to the toolkit's wxLanguage value. 0 means the
// system default; ids outside the seven are passed on unchanged.
int ToToolkitLanguage(int programId);

// Replaces the locale in the slot with a new English one whose catalog "ui" is
// looked up under the relative prefix "m_locale_".
void CreateAppLocale(std::unique_ptr<wxLocale>& slot);

// Creates the locale of the window language: the toolkit language for the id
// (a language the system cannot set up is ignored silently), catalog
// "language" under <install root>/Language.
std::unique_ptr<wxLocale> CreateWindowLocale(int programId);
