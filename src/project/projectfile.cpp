#include "project/projectfile.h"

#include "app/textint.h"
#include "picture/framereference.h"
#include "encoder/outputfile.h"

#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

namespace
{
wxXmlNode* TextElement(wxXmlNode* parent, const wxString& name, const wxString& text)
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, name);
    if (!text.empty())
        new wxXmlNode(element, wxXML_TEXT_NODE, wxString(), text);
    return element;
}

// The element after `node` (or its first child), skipping nothing but
// white-space text; null at the end.
wxXmlNode* Element(wxXmlNode* node)
{
    while (node && node->GetType() != wxXML_ELEMENT_NODE)
        node = node->GetNext();
    return node;
}

bool Is(const wxXmlNode* node, const char* name)
{
    return node && node->GetName() == name;
}
} // namespace

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

std::vector<wxString> UsableProjectPaths(const std::vector<wxString>& paths)
{
    std::vector<wxString> usable;
    for (const wxString& path : paths)
    {
        FrameSource source;
        if (!path.EndsWith(".gif") && ResolveFrameSource(path, source))
            usable.push_back(path);
    }
    return usable;
}

bool ReadProjectFile(const wxString& path, ProjectContent& content)
{
    content = ProjectContent();
    wxLogNull quiet;
    wxXmlDocument document;
    if (!document.Load(path, "UTF-8") || !document.GetRoot())
        return false;
    // The document's first node must be the project itself (a comment
    // before it means the file is not read).
    const wxXmlNode* first = document.GetDocumentNode() ? document.GetDocumentNode()->GetChildren() : nullptr;
    wxXmlNode* project = document.GetRoot();
    if (first != project || !Is(project, "project"))
        return false;

    wxXmlNode* name = Element(project->GetChildren());
    wxXmlNode* gif = name ? Element(name->GetNext()) : nullptr;
    if (!Is(name, "name") || !Is(gif, "gif"))
        return true;
    wxXmlNode* width = Element(gif->GetChildren());
    wxXmlNode* height = width ? Element(width->GetNext()) : nullptr;
    if (!Is(width, "width") || !Is(height, "height"))
        return true;
    content.hasSize = true;
    content.gifName = name->GetNodeContent();
    content.width = TextToInt(width->GetNodeContent());
    content.height = TextToInt(height->GetNodeContent());

    wxXmlNode* delay = Element(height->GetNext());
    if (!Is(delay, "delay_time"))
        return true;
    content.hasDelay = true;
    content.delay = TextToInt(delay->GetNodeContent());

    wxXmlNode* images = Element(gif->GetNext());
    if (!Is(images, "images"))
        return true;
    wxXmlNode* child = Element(images->GetChildren());
    if (!child)
    {
        content.images = ProjectContent::Images::Empty;
        return true;
    }
    for (; child; child = Element(child->GetNext()))
    {
        if (!Is(child, "path"))
        {
            content.images = ProjectContent::Images::Broken;
            content.paths.clear();
            return true;
        }
        content.paths.push_back(child->GetNodeContent());
    }
    content.images = ProjectContent::Images::Listed;
    return true;
}

bool WriteProjectFile(const wxString& path, const ProjectContent& content, wxString& error)
{
    wxXmlDocument document;
    auto* project = new wxXmlNode(wxXML_ELEMENT_NODE, "project");
    document.SetRoot(project);
    // Children are made in reverse, as wxXmlNode's parent constructor puts
    // each new child first.
    auto* images = new wxXmlNode(project, wxXML_ELEMENT_NODE, "images");
    auto* gif = new wxXmlNode(project, wxXML_ELEMENT_NODE, "gif");
    TextElement(project, "name", content.gifName);
    TextElement(gif, "delay_time", wxString::Format("%d", content.delay));
    TextElement(gif, "height", wxString::Format("%d", content.height));
    TextElement(gif, "width", wxString::Format("%d", content.width));
    for (auto it = content.paths.rbegin(); it != content.paths.rend(); ++it)
        TextElement(images, "path", *it);

    wxMemoryOutputStream bytes;
    if (!document.Save(bytes, 2))
    {
        error = wxString::Format("cannot write \"%s\"", path);
        return false;
    }
    OutputFile output;
    if (!output.Open(path, error))
        return false;
    const size_t size = bytes.GetSize();
    std::vector<char> buffer(size);
    bytes.CopyTo(buffer.data(), size);
    if (output.File().Write(buffer.data(), size) != size)
    {
        error = wxString::Format("cannot write \"%s\": writing failed (disk full?)", path);
        return false;
    }
    return output.Commit(error);
}
