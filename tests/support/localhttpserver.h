#pragma once
// An HTTP server on 127.0.0.1 that answers each request with fixed bytes.

#include <string>
#include <thread>
#include <vector>

namespace testsupport
{
class LocalHttpServer
{
public:
    // After the bytes: close the connection, or hold it open and silent until the client goes.
    enum class Then { Close, Hold };

    // The n-th connection gets the n-th answer, later ones the last.
    explicit LocalHttpServer(std::vector<std::string> answers, Then then = Then::Close);
    ~LocalHttpServer();

    std::string Url(const std::string& scheme = "http") const
    {
        return scheme + "://127.0.0.1:" + std::to_string(m_port) + "/gloamer";
    }

private:
    void Serve(const std::vector<std::string>& answers, Then then) const;

    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

inline std::string HttpOk(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}
} // namespace testsupport
