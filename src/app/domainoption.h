#pragma once
// The product settings file option.cfg beside the installation: an XML
// document whose meaning lies only in its structure. The root's first child
// holds the entries in order; element names are not looked at. The file is
// read like any file from outside: only a regular file of at most
// kMaxOptionFileBytes, with a bounded depth.

#include <wx/string.h>

const size_t kMaxOptionFileBytes = 1024 * 1024;

class DomainOption
{
public:
    explicit DomainOption(const wxString& path);
    virtual ~DomainOption() = default;

    // Reads the entries in document order. Returns false when the file is
    // missing or malformed or has fewer than seven entries; whatever was read
    // before the first missing entry is kept, the rest stays empty.
    bool Load();

    wxString GetHelpUrl() const { return m_entries[0]; }
    wxString GetSupportUrl() const { return m_entries[2]; }
    // Entry 5 with "-update.xml" appended; empty when entry 5 is.
    wxString GetUpdateUrl() const { return m_entries[4]; }
    wxString GetProductUrl() const { return m_entries[5]; }
    // Entry 1..7 as stored (for the reserved entries and for checks).
    wxString GetEntry(int number) const;

private:
    wxString m_path;
    wxString m_entries[7];
};

// The one settings object of the running program (null outside its lifetime).
extern DomainOption* g_domainOption;
