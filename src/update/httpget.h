#pragma once
// A bounded HTTP/1.0 GET for the update check. The toolkit's own HTTP client
// waits without end for a server that closes the connection inside the
// response headers, and reads headers of any length; this one gives up at a
// deadline and a size limit, whatever the server sends.

#include <cstddef>
#include <string>

class wxURL;

struct HttpLimits
{
    // Whole request: connecting, sending and reading the answer.
    int timeoutMilliseconds = 5000;
    // Status line, headers and body together.
    size_t maxResponseBytes = 64 * 1024;
};

// Fetches an http:// address. True with the body in `body` for a 2xx answer
// that arrived complete within the limits; false for anything else (other
// schemes, unknown host, refused or silent connection, HTTP errors,
// truncated or oversized answers).
bool HttpGet(const wxURL& url, const HttpLimits& limits, std::string* body);
