#include "project/projectfile.h"

#include "app/textint.h"
#include "encoder/outputfile.h"
#include "picture/framereference.h"
#include "project/workstate.h"
#include "safefile/boundedxml.h"
#include "safefile/regularfile.h"

#include <wx/intl.h>
#include <wx/stream.h>
#include <wx/xml/xml.h>

#include <cstring>

namespace
{
// The project nests three levels; anything far deeper is no project.
const int kMaxDepth = 64;
// Far beyond any name, path or number a project holds. Its percent-encoded
// form may take three times as much, so that whatever is read can be written
// and read again.
const size_t kMaxText = 64 * 1024;
const size_t kMaxEncodedText = 3 * kMaxText;
const char kEncoding[] = "encoding";
const char kPercent[] = "percent";

// A character XML 1.0 cannot carry, not even as a reference.
bool IsUnsafe(wxUniChar c)
{
    const wxUint32 code = c.GetValue();
    return (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0xFFFE || code == 0xFFFF ||
           (code >= 0xD800 && code <= 0xDFFF);
}

bool NeedsEncoding(const wxString& text)
{
    for (const wxUniChar c : text)
    {
        if (IsUnsafe(c))
            return true;
    }
    return false;
}

wxString PercentEncode(const wxString& text)
{
    wxString encoded;
    for (const wxUniChar c : text)
    {
        if (!IsUnsafe(c) && c != '%')
        {
            encoded += c;
            continue;
        }
        static const char kHex[] = "0123456789ABCDEF";
        const wxString character(c);
        const wxScopedCharBuffer bytes = character.utf8_str();
        for (size_t i = 0; i < bytes.length(); ++i)
        {
            const unsigned char byte = static_cast<unsigned char>(bytes.data()[i]);
            encoded << '%' << kHex[byte >> 4] << kHex[byte & 15];
        }
    }
    return encoded;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string PercentDecode(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low < 0)
        {
            bytes += text[i];
            continue;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The text of one element as the toolkit's tree has always given it: the
// first run of its own character data that is not white space alone (runs
// end at child elements and comments).
class TextCapture
{
public:
    void Begin(int depth, bool encoded)
    {
        m_depth = depth;
        m_encoded = encoded;
        m_run.clear();
        m_value.clear();
        m_found = false;
    }
    bool IsOn(int depth) const { return m_depth == depth; }
    // False when the text grows beyond anything a project holds.
    bool Add(const char* text, size_t length)
    {
        if (m_found)
            return true;
        m_run.append(text, length);
        return m_run.size() <= kMaxEncodedText;
    }
    void Break()
    {
        if (!m_found && !IsBlank(m_run))
        {
            m_value.swap(m_run);
            m_found = true;
        }
        m_run.clear();
    }
    // False when the value is longer than any a project holds.
    bool End(std::string& value)
    {
        Break();
        m_depth = -1;
        value = m_encoded ? PercentDecode(m_value) : m_value;
        return value.size() <= kMaxText;
    }

private:
    int m_depth = -1;
    bool m_encoded = false;
    bool m_found = false;
    std::string m_run;
    std::string m_value;
};

bool IsEncoded(const char* const* attributes)
{
    for (; attributes && attributes[0]; attributes += 2)
    {
        if (std::strcmp(attributes[0], kEncoding) == 0 && std::strcmp(attributes[1], kPercent) == 0)
            return true;
    }
    return false;
}

wxString Text(const std::string& utf8)
{
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

// Follows the document's events and fills the content as the positional
// rules allow; once a rule fails it only watches the rest for
// well-formedness.
class ProjectReader : public XmlHandler
{
public:
    explicit ProjectReader(ProjectContent& content) : m_content(content) {}

    bool IsProject() const { return m_isProject; }
    ProjectRead Refusal() const { return m_refusal; }

    bool OnStartElement(const char* name, const char* const* attributes) override
    {
        if (m_text.IsOn(m_depth))
            m_text.Break();
        ++m_depth;
        if (m_depth == 1)
        {
            m_isProject = !m_seenNode && std::strcmp(name, "project") == 0;
            m_seenNode = true;
            m_done = !m_isProject;
        }
        else if (!m_done && m_depth == 2)
            StartSection(name, attributes);
        else if (!m_done && m_depth == 3)
            StartItem(name, attributes);
        return true;
    }

    bool OnEndElement() override
    {
        if (m_text.IsOn(m_depth))
        {
            std::string text;
            if (!m_text.End(text))
                return Refuse(ProjectRead::NotAProject);
            if (!m_done && !EndItem(text))
                return false;
        }
        if (!m_done && m_depth == 2)
            EndSection();
        --m_depth;
        return true;
    }

    bool OnText(const char* text, size_t length) override
    {
        if (m_text.IsOn(m_depth) && !m_text.Add(text, length))
            return Refuse(ProjectRead::NotAProject);
        return true;
    }

    bool OnOtherNode() override
    {
        m_seenNode = true;
        if (m_text.IsOn(m_depth))
            m_text.Break();
        return true;
    }

private:
    enum class Section
    {
        None,
        Name,
        Gif,
        Images,
        Recovery
    };

    bool Refuse(ProjectRead why)
    {
        m_refusal = why;
        return false;
    }

    void StartSection(const char* name, const char* const* attributes)
    {
        static const char* const kOrder[] = {"name", "gif", "images"};
        const int index = m_sections++;
        m_section = Section::None;
        if (index < 3 && std::strcmp(name, kOrder[index]) != 0)
        {
            m_done = true;
            return;
        }
        switch (index)
        {
        case 0:
            m_section = Section::Name;
            m_text.Begin(m_depth, IsEncoded(attributes));
            break;
        case 1:
            m_section = Section::Gif;
            break;
        case 2:
            m_section = Section::Images;
            m_content.images = ProjectContent::Images::Empty;
            break;
        case 3:
            if (std::strcmp(name, "recovery") == 0)
            {
                m_section = Section::Recovery;
                m_content.hasRecovery = true;
            }
            break;
        default:
            break;
        }
    }

    void StartItem(const char* name, const char* const* attributes)
    {
        m_item = name;
        switch (m_section)
        {
        case Section::Gif:
            if (m_gifNames.size() < 3)
            {
                m_gifNames.push_back(name);
                m_text.Begin(m_depth, false);
            }
            break;
        case Section::Images:
            if (m_item != "path")
            {
                m_content.images = ProjectContent::Images::Broken;
                m_content.paths.clear();
                m_done = true;
                return;
            }
            m_content.images = ProjectContent::Images::Listed;
            m_text.Begin(m_depth, IsEncoded(attributes));
            break;
        case Section::Recovery:
            m_text.Begin(m_depth, IsEncoded(attributes));
            break;
        default:
            break;
        }
    }

    // The text of a finished element at depth 2 or 3.
    bool EndItem(const std::string& text)
    {
        if (m_depth == 2)
        {
            m_name = text;
            return true;
        }
        switch (m_section)
        {
        case Section::Gif:
            m_gifTexts.push_back(text);
            break;
        case Section::Images:
            m_content.paths.push_back(Text(text));
            if (!m_content.paths.back().EndsWith(".gif") && ++m_frames > kMaxProjectFrames)
                return Refuse(ProjectRead::TooManyFrames);
            break;
        case Section::Recovery:
            if (m_item == "loop_count")
                m_content.loopCount = TextToInt(text.c_str());
            else if (m_item == "gif_path")
                m_content.gifPath = Text(text);
            else if (m_item == "project_path")
                m_content.projectPath = Text(text);
            break;
        default:
            break;
        }
        return true;
    }

    void EndSection()
    {
        if (m_section != Section::Gif)
            return;
        // Width and height go together with the name; the delay follows them.
        const auto named = [this](size_t i, const char* name) { return m_gifNames.size() > i && m_gifNames[i] == name; };
        if (!named(0, "width") || !named(1, "height"))
        {
            m_done = true;
            return;
        }
        m_content.hasSize = true;
        m_content.gifName = Text(m_name);
        m_content.width = TextToInt(m_gifTexts[0].c_str());
        m_content.height = TextToInt(m_gifTexts[1].c_str());
        if (!named(2, "delay_time"))
        {
            m_done = true;
            return;
        }
        m_content.hasDelay = true;
        m_content.delay = TextToInt(m_gifTexts[2].c_str());
    }

    ProjectContent& m_content;
    ProjectRead m_refusal = ProjectRead::NotAProject;
    TextCapture m_text;
    int m_depth = 0;
    bool m_seenNode = false; // a node before the root makes the file no project
    bool m_isProject = false;
    bool m_done = false;     // a rule failed: nothing more is taken
    int m_sections = 0;      // children of "project" so far
    Section m_section = Section::None;
    std::string m_item;      // the element open at depth 3
    std::string m_name;
    std::vector<std::string> m_gifNames;
    std::vector<std::string> m_gifTexts;
    int m_frames = 0;
};

wxXmlNode* TextElement(wxXmlNode* parent, const wxString& name, const wxString& text)
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, name);
    wxString written = text;
    if (NeedsEncoding(text))
    {
        element->AddAttribute(kEncoding, kPercent);
        written = PercentEncode(text);
    }
    if (!written.empty())
        new wxXmlNode(element, wxXML_TEXT_NODE, wxString(), written);
    return element;
}

// The document's bytes, gathered in a string that grows by doubling (the
// toolkit's memory stream grows by what each small write needs).
class BytesOutputStream : public wxOutputStream
{
public:
    std::string bytes;

protected:
    size_t OnSysWrite(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), size);
        return size;
    }
};

int CountFrames(const std::vector<wxString>& paths)
{
    int frames = 0;
    for (const wxString& path : paths)
        frames += path.EndsWith(".gif") ? 0 : 1;
    return frames;
}
} // namespace

bool ProjectContent::operator==(const ProjectContent& other) const
{
    return hasSize == other.hasSize && gifName == other.gifName && width == other.width && height == other.height &&
           hasDelay == other.hasDelay && delay == other.delay && images == other.images && paths == other.paths &&
           hasRecovery == other.hasRecovery && loopCount == other.loopCount && gifPath == other.gifPath &&
           projectPath == other.projectPath;
}

wxString DescribeProjectRead(ProjectRead status)
{
    switch (status)
    {
    case ProjectRead::Ok:
        return _("read");
    case ProjectRead::Missing:
        return _("no such file");
    case ProjectRead::NotAFile:
        return _("not a file");
    case ProjectRead::CannotOpen:
        return _("cannot be opened");
    case ProjectRead::TooLarge:
        return wxString::Format(_("larger than %d MB"), static_cast<int>(kMaxProjectFileBytes / (1024 * 1024)));
    case ProjectRead::TooManyFrames:
        return wxString::Format(_("more than %d frames"), kMaxProjectFrames);
    case ProjectRead::NotAProject:
        break;
    }
    return _("not a project file");
}

ProjectContent MakeProjectContent(const WorkState& state, const wxString& gifName)
{
    ProjectContent content;
    content.hasSize = true;
    content.gifName = gifName;
    content.width = state.width;
    content.height = state.height;
    content.hasDelay = true;
    content.delay = state.delay;
    content.images = ProjectContent::Images::Listed;
    content.paths = ProjectPathsWithMarkers(state.frames);
    return content;
}

std::vector<wxString> ProjectPathsWithMarkers(const std::vector<wxString>& entries)
{
    std::vector<wxString> paths;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        paths.push_back(entries[i]);
        if (!IsFrameReference(entries[i]) || i + 1 == entries.size())
            continue;
        const wxString gif = StripFrameSuffix(entries[i]);
        if (!entries[i + 1].StartsWith(gif) || i + 2 == entries.size())
            paths.push_back(gif);
    }
    return paths;
}

std::vector<wxString> UsableProjectPaths(const std::vector<wxString>& paths, std::vector<wxString>* missing)
{
    std::vector<wxString> usable;
    for (const wxString& path : paths)
    {
        if (path.EndsWith(".gif"))
            continue; // a marker, or a whole GIF the format never lists
        FrameSource source;
        if (ResolveFrameSource(path, source))
            usable.push_back(path);
        else if (missing)
            missing->push_back(path);
    }
    return usable;
}

ProjectRead ReadProjectFile(const wxString& path, ProjectContent& content)
{
    content = ProjectContent();
    std::string bytes;
    switch (ReadRegularFile(path, kMaxProjectFileBytes, bytes))
    {
    case FileStatus::Ok:
        return ReadProjectBytes(bytes, content);
    case FileStatus::Missing:
        return ProjectRead::Missing;
    case FileStatus::NotAFile:
        return ProjectRead::NotAFile;
    case FileStatus::TooLarge:
        return ProjectRead::TooLarge;
    case FileStatus::CannotOpen:
    case FileStatus::ReadFailed:
        break;
    }
    return ProjectRead::CannotOpen;
}

ProjectRead ReadProjectBytes(const std::string& bytes, ProjectContent& content)
{
    content = ProjectContent();
    ProjectReader reader(content);
    ProjectRead result = ProjectRead::NotAProject;
    switch (ParseXml(bytes, reader, kMaxDepth))
    {
    case XmlStatus::Ok:
        result = reader.IsProject() ? ProjectRead::Ok : ProjectRead::NotAProject;
        break;
    case XmlStatus::Stopped:
        result = reader.Refusal();
        break;
    default:
        break;
    }
    if (result != ProjectRead::Ok)
        content = ProjectContent();
    return result;
}

std::string FormatProjectFile(const ProjectContent& content)
{
    wxXmlDocument document;
    auto* project = new wxXmlNode(wxXML_ELEMENT_NODE, "project");
    document.SetRoot(project);
    // Children are made in reverse, as wxXmlNode's parent constructor puts
    // each new child first.
    if (content.hasRecovery)
    {
        auto* recovery = new wxXmlNode(project, wxXML_ELEMENT_NODE, "recovery");
        TextElement(recovery, "project_path", content.projectPath);
        TextElement(recovery, "gif_path", content.gifPath);
        TextElement(recovery, "loop_count", wxString::Format("%d", content.loopCount));
    }
    auto* images = new wxXmlNode(project, wxXML_ELEMENT_NODE, "images");
    auto* gif = new wxXmlNode(project, wxXML_ELEMENT_NODE, "gif");
    TextElement(project, "name", content.gifName);
    TextElement(gif, "delay_time", wxString::Format("%d", content.delay));
    TextElement(gif, "height", wxString::Format("%d", content.height));
    TextElement(gif, "width", wxString::Format("%d", content.width));
    for (auto it = content.paths.rbegin(); it != content.paths.rend(); ++it)
        TextElement(images, "path", *it);

    BytesOutputStream stream;
    if (!document.Save(stream, 2))
        return std::string();
    return std::move(stream.bytes);
}

bool WriteProjectFile(const wxString& path, const ProjectContent& content, wxString& error)
{
    if (CountFrames(content.paths) > kMaxProjectFrames)
    {
        error = wxString::Format("cannot write \"%s\": a project holds at most %d frames", path, kMaxProjectFrames);
        return false;
    }
    const std::string bytes = FormatProjectFile(content);
    if (bytes.empty())
    {
        error = wxString::Format("cannot write \"%s\"", path);
        return false;
    }
    OutputFile output;
    if (!output.Open(path, error))
        return false;
    if (output.File().Write(bytes.data(), bytes.size()) != bytes.size())
    {
        error = wxString::Format("cannot write \"%s\": writing failed (disk full?)", path);
        return false;
    }
    return output.Commit(error);
}
