#include "update/httpget.h"

#include <wx/socket.h>
#include <wx/url.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdlib>
#include <strings.h>

namespace
{
using Clock = std::chrono::steady_clock;

const char kHeaderEnd[] = "\r\n\r\n";

long RemainingMilliseconds(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<long>(left) : 0;
}

// The value of the Content-Length header, or -1 when there is none.
long long ContentLength(const std::string& headers)
{
    static const char name[] = "content-length:";
    const size_t nameLength = sizeof name - 1;
    // Header lines follow the status line.
    for (size_t start = headers.find("\r\n"); start != std::string::npos; start = headers.find("\r\n", start))
    {
        start += 2;
        if (headers.size() - start < nameLength || strncasecmp(headers.c_str() + start, name, nameLength) != 0)
            continue;
        const char* value = headers.c_str() + start + nameLength;
        while (*value == ' ' || *value == '\t')
            ++value;
        if (!std::isdigit(static_cast<unsigned char>(*value)))
            return -1;
        return std::strtoll(value, nullptr, 10); // saturates on overflow
    }
    return -1;
}

// True once `response` holds the headers and all the body they announce.
bool IsComplete(const std::string& response)
{
    const size_t end = response.find(kHeaderEnd);
    if (end == std::string::npos)
        return false;
    const long long length = ContentLength(response.substr(0, end));
    return length >= 0 && response.size() - end - 4 >= static_cast<unsigned long long>(length);
}

std::string RequestFor(const wxURL& url)
{
    wxString path = url.GetPath();
    if (path.empty())
        path = "/";
    if (url.HasQuery())
        path += "?" + url.GetQuery();
    wxString host = url.GetServer();
    if (url.HasPort() && url.GetPort() != "80")
        host += ":" + url.GetPort();
    const wxString request = "GET " + path + " HTTP/1.0\r\nHost: " + host +
                             "\r\nAccept: */*\r\nConnection: close\r\n\r\n";
    return std::string(request.utf8_str());
}

// The body of a complete raw HTTP answer; false when it is not a 2xx answer,
// its headers are unfinished, or it is shorter than its Content-Length.
bool ExtractHttpBody(const std::string& response, std::string* body)
{
    const size_t end = response.find(kHeaderEnd);
    if (end == std::string::npos)
        return false;
    // "HTTP/1.x 2xx ..."
    if (response.compare(0, 5, "HTTP/") != 0)
        return false;
    const size_t space = response.find(' ');
    if (space == std::string::npos || space > end || space + 4 > end || response[space + 1] != '2' ||
        !std::isdigit(static_cast<unsigned char>(response[space + 2])) ||
        !std::isdigit(static_cast<unsigned char>(response[space + 3])))
        return false;
    std::string content = response.substr(end + 4);
    const long long length = ContentLength(response.substr(0, end));
    if (length >= 0)
    {
        if (content.size() < static_cast<unsigned long long>(length))
            return false;
        content.resize(static_cast<size_t>(length));
    }
    *body = std::move(content);
    return true;
}
} // namespace

bool HttpGet(const wxURL& url, const HttpLimits& limits, std::string* body)
{
    if (url.GetScheme() != "http" || url.GetServer().empty())
        return false;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limits.timeoutMilliseconds);

    unsigned long port = 80;
    if (url.HasPort() && (!url.GetPort().ToULong(&port) || port == 0 || port > 65535))
        return false;
    wxIPV4address address;
    if (!address.Hostname(url.GetServer()) || !address.Service(static_cast<unsigned short>(port)))
        return false;

    // Blocking without dispatching events: the window must not run other
    // commands in the middle of this one.
    wxSocketClient socket(wxSOCKET_BLOCK);
    if (!socket.Connect(address, false))
    {
        // A refusal may come at once; otherwise the connection is on its way.
        if (socket.LastError() != wxSOCKET_WOULDBLOCK ||
            !socket.WaitOnConnect(0, RemainingMilliseconds(deadline)) || !socket.IsConnected())
            return false;
    }

    const std::string request = RequestFor(url);
    socket.SetFlags(wxSOCKET_BLOCK | wxSOCKET_WAITALL_WRITE);
    socket.SetTimeout(std::max(1L, RemainingMilliseconds(deadline) / 1000));
    socket.Write(request.data(), request.size());
    if (socket.Error() || socket.LastWriteCount() != request.size())
        return false;

    std::string response;
    char buffer[4096];
    socket.SetFlags(wxSOCKET_BLOCK);
    while (!IsComplete(response))
    {
        const long left = RemainingMilliseconds(deadline);
        if (left == 0 || !socket.WaitForRead(0, left))
            return false; // silent or too slow
        socket.SetTimeout(left / 1000 + 1); // data or an end is waiting: this never runs out
        socket.Read(buffer, sizeof buffer);
        const size_t got = socket.LastReadCount();
        if (got == 0)
            break; // the server closed the connection
        if (response.size() + got > limits.maxResponseBytes)
            return false;
        response.append(buffer, got);
    }
    return ExtractHttpBody(response, body);
}
