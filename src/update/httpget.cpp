#include "update/httpget.h"

#include <curl/curl.h>

#include <memory>

namespace
{
// libcurl's process-wide state: set up once, on first use, and released at
// exit.
struct CurlGlobal
{
    CurlGlobal() : ok(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}
    ~CurlGlobal()
    {
        if (ok)
            curl_global_cleanup();
    }
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;

    const bool ok;
};

bool CurlReady()
{
    static const CurlGlobal s_curl; // initialised once, even with threads
    return s_curl.ok;
}

struct Body
{
    std::string bytes;
    size_t limit = 0;
};

size_t AppendBody(char* data, size_t size, size_t count, void* user)
{
    Body* const body = static_cast<Body*>(user);
    const size_t bytes = size * count; // size is always 1
    if (bytes > body->limit - body->bytes.size())
        return 0; // anything but `bytes` ends the transfer
    body->bytes.append(data, bytes);
    return bytes;
}

int AskStop(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const HttpStop& stop = *static_cast<const HttpStop*>(user);
    return stop && stop() ? 1 : 0; // non-zero aborts the transfer
}
} // namespace

bool HttpGet(const std::string& url, const HttpLimits& limits, std::string* body, const HttpStop& stop)
{
    if (!CurlReady())
        return false;
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return false;
    CURL* const handle = curl.get();
    Body received;
    received.limit = limits.maxBodyBytes;
    // The total timeout covers the name lookup too: libcurl resolves in a
    // thread of its own, so no alarm signal is needed (NOSIGNAL keeps the
    // process's signals alone), and QUICK_EXIT leaves a lookup that outlives
    // the timeout to finish on its own instead of waiting for it.
    const bool configured =
        curl_easy_setopt(handle, CURLOPT_URL, url.c_str()) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_MAXREDIRS, limits.maxRedirects) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, limits.timeoutMilliseconds) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, AppendBody) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &received) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, AskStop) == CURLE_OK &&
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &stop) == CURLE_OK;
    if (!configured || curl_easy_perform(handle) != CURLE_OK)
        return false;
    // A 3xx without a usable Location ends here too: only a 2xx is the
    // document.
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status < 200 || status > 299)
        return false;
    *body = std::move(received.bytes);
    return true;
}
