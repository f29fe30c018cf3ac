#pragma once
// A bounded GET for the update check, through libcurl. The toolkit's own HTTP
// client waits without end for a server that closes the connection inside the
// response headers, and speaks no https; this one gives up at a deadline and
// a size limit, whatever the server sends.

#include <cstddef>
#include <functional>
#include <string>

struct HttpLimits
{
    // Whole request: name lookup, connecting, TLS, redirects and reading.
    long timeoutMilliseconds = 5000;
    // The body of the final answer.
    size_t maxBodyBytes = 64 * 1024;
    // Redirects followed, to http:// and https:// addresses only.
    long maxRedirects = 3;
};

// Asked while the request runs (at least about once a second, also while it
// waits for the server); true ends the request as a failure.
using HttpStop = std::function<bool()>;

// Fetches an http:// or https:// address, with the server's certificate
// checked and the proxy settings of the environment honoured. Blocks the
// calling thread without dispatching events. True with the body in `body`
// for a 2xx answer that arrived complete within the limits; false for
// anything else (other schemes, unknown host, refused or silent connection,
// TLS failures, HTTP errors, truncated or oversized answers, a stop).
bool HttpGet(const std::string& url, const HttpLimits& limits, std::string* body, const HttpStop& stop = HttpStop());
