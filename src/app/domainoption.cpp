#include "app/domainoption.h"

#include "safefile/boundedxml.h"
#include "safefile/regularfile.h"

#include <string>
#include <vector>

DomainOption* g_domainOption = nullptr;

namespace
{
const int kEntries = 7;
const int kMaxDepth = 64;
const size_t kMaxEntryText = 64 * 1024; // far beyond any web address

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Collects the entries as the toolkit's tree shows them: the container is
// the root's first child node, the entries are the container's child nodes
// (elements, comments, and text that is not white space alone), and an
// entry's value is the first run of its own text that is not white space
// alone (a comment or a text node has none).
class OptionReader : public XmlHandler
{
public:
    std::vector<std::string> entries;

    bool OnStartElement(const char*, const char* const*) override
    {
        EndRun();
        ++m_depth;
        if (m_depth == 2 && !m_seenContainerNode)
        {
            m_seenContainerNode = true;
            m_inContainer = true;
        }
        else if (m_depth == 3 && m_inContainer)
            entries.emplace_back();
        return true;
    }

    bool OnEndElement() override
    {
        EndRun();
        if (m_depth == 2)
            m_inContainer = false;
        --m_depth;
        return true;
    }

    bool OnText(const char* text, size_t length) override
    {
        if (m_depth == 1 || (m_inContainer && (m_depth == 2 || m_depth == 3)))
        {
            m_run.append(text, length);
            return m_run.size() <= kMaxEntryText;
        }
        return true;
    }

    bool OnOtherNode() override
    {
        EndRun();
        NodeHere();
        return true;
    }

private:
    // A node directly inside the root or the container.
    void NodeHere()
    {
        if (m_depth == 1)
            m_seenContainerNode = true;
        else if (m_depth == 2 && m_inContainer)
            entries.emplace_back();
    }

    void EndRun()
    {
        if (m_run.empty())
            return;
        if (!IsBlank(m_run))
        {
            if (m_depth == 3 && m_inContainer && !entries.empty() && entries.back().empty())
                entries.back() = m_run;
            else if (m_depth != 3)
                NodeHere(); // text is a node of its own
        }
        m_run.clear();
    }

    int m_depth = 0;
    bool m_seenContainerNode = false;
    bool m_inContainer = false;
    std::string m_run;
};
} // namespace

DomainOption::DomainOption(const wxString& path)
    : m_path(path)
{
}

wxString DomainOption::GetEntry(int number) const
{
    if (number < 1 || number > kEntries)
        return wxString();
    return m_entries[number - 1];
}

bool DomainOption::Load()
{
    std::string bytes;
    if (ReadRegularFile(m_path, kMaxOptionFileBytes, bytes) != FileStatus::Ok)
        return false;
    OptionReader reader;
    if (ParseXml(bytes, reader, kMaxDepth) != XmlStatus::Ok)
        return false;
    for (int i = 0; i < kEntries; ++i)
    {
        if (static_cast<size_t>(i) >= reader.entries.size())
            return false;
        m_entries[i] = wxString::FromUTF8(reader.entries[i].data(), reader.entries[i].size());
        // An empty entry stays empty: there is no document to ask for.
        if (i == 4 && !m_entries[i].empty())
            m_entries[i] += "-update.xml";
    }
    return true;
}
