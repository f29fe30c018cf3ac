#include "safefile/boundedxml.h"

#include <expat.h>

#include <algorithm>
#include <memory>

namespace
{
// Fed in pieces, so that a handler's stop ends the work soon after it.
const size_t kChunk = 64 * 1024;

struct ParserFree
{
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

struct Context
{
    XML_Parser parser;
    XmlHandler& handler;
    const int maxDepth;
    int depth = 0;
    XmlStatus status = XmlStatus::Ok;

    // Expat may still deliver a few events after a stop; they are dropped.
    bool Stopped() const { return status != XmlStatus::Ok; }
    void Stop(XmlStatus why)
    {
        if (Stopped())
            return;
        status = why;
        XML_StopParser(parser, XML_FALSE);
    }
    void Go(bool goOn)
    {
        if (!goOn)
            Stop(XmlStatus::Stopped);
    }
};

Context& Of(void* data)
{
    return *static_cast<Context*>(data);
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    Context& context = Of(data);
    if (context.Stopped())
        return;
    if (++context.depth > context.maxDepth)
        context.Stop(XmlStatus::TooDeep);
    else
        context.Go(context.handler.OnStartElement(name, attributes));
}

void OnEnd(void* data, const XML_Char*)
{
    Context& context = Of(data);
    --context.depth;
    if (!context.Stopped())
        context.Go(context.handler.OnEndElement());
}

void OnCharacters(void* data, const XML_Char* text, int length)
{
    Context& context = Of(data);
    if (!context.Stopped() && length > 0)
        context.Go(context.handler.OnText(text, static_cast<size_t>(length)));
}

void OnComment(void* data, const XML_Char*)
{
    Context& context = Of(data);
    if (!context.Stopped())
        context.Go(context.handler.OnOtherNode());
}

void OnInstruction(void* data, const XML_Char*, const XML_Char*)
{
    OnComment(data, nullptr);
}

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    Of(data).Stop(XmlStatus::Declarations);
}
} // namespace

XmlStatus ParseXml(const std::string& bytes, XmlHandler& handler, int maxDepth)
{
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser)
        return XmlStatus::Malformed;
    Context context{parser.get(), handler, maxDepth};
    XML_SetUserData(parser.get(), &context);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnCharacters);
    XML_SetCommentHandler(parser.get(), OnComment);
    XML_SetProcessingInstructionHandler(parser.get(), OnInstruction);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

    size_t offset = 0;
    do
    {
        const size_t length = std::min(kChunk, bytes.size() - offset);
        const bool last = offset + length == bytes.size();
        if (XML_Parse(parser.get(), bytes.data() + offset, static_cast<int>(length), last) != XML_STATUS_OK)
            return context.Stopped() ? context.status : XmlStatus::Malformed;
        offset += length;
    } while (offset < bytes.size());
    return context.status;
}
