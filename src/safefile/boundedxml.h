#pragma once
// XML read as a stream of events with the limits an untrusted file needs:
// time linear in its size, a bounded nesting depth, and no document type
// declaration at all (so no entity can expand or reach outside the file).
// The program's own files never declare one.

#include <string>

// What a document holds, in document order. Every handler returns false to
// end the reading there.
class XmlHandler
{
public:
    virtual ~XmlHandler() = default;
    // `attributes` holds name and value pairs and ends with a null pointer.
    virtual bool OnStartElement(const char* name, const char* const* attributes) = 0;
    virtual bool OnEndElement() = 0;
    // Character data in UTF-8, possibly in several pieces; references and
    // CDATA sections are already resolved.
    virtual bool OnText(const char* text, size_t length) = 0;
    // A comment or a processing instruction: a node without text of its own.
    virtual bool OnOtherNode() = 0;
};

enum class XmlStatus
{
    Ok,
    Malformed,    // not well-formed XML (including an empty document)
    TooDeep,      // elements nested deeper than allowed
    Declarations, // a document type declaration
    Stopped       // a handler asked to stop
};

XmlStatus ParseXml(const std::string& bytes, XmlHandler& handler, int maxDepth);
