#include "app/domainoption.h"

#include <wx/filefn.h>
#include <wx/log.h>

DomainOption* g_domainOption = nullptr;

DomainOption::DomainOption(const wxString& path)
    : m_path(path)
{
}

wxString DomainOption::GetEntry(int number) const
{
    if (number < 1 || number > 7)
        return wxString();
    return m_entries[number - 1];
}

bool DomainOption::Load()
{
    if (!wxFileExists(m_path))
        return false;
    wxLogNull quiet; // a malformed file is not worth a pop-up
    if (!m_document.Load(m_path, "UTF-8") || !m_document.GetRoot())
        return false;

    const wxXmlNode* container = m_document.GetRoot()->GetChildren();
    const wxXmlNode* entry = container ? container->GetChildren() : nullptr;
    for (int i = 0; i < 7; ++i)
    {
        if (!entry)
            return false;
        m_entries[i] = entry->GetNodeContent();
        // An empty entry stays empty: there is no document to ask for.
        if (i == 4 && !m_entries[i].empty())
            m_entries[i] += "-update.xml";
        entry = entry->GetNext();
    }
    return true;
}
