#pragma once
// An HTTP server on 127.0.0.1 (ephemeral port) for the update check's tests:
// it takes one connection, reads the request and answers with fixed bytes.

#include <string>
#include <thread>

namespace testsupport
{
class LocalHttpServer
{
public:
    enum class Then
    {
        Close,  // close the connection after the bytes
        Hold,   // keep it open and silent until the client goes
        Repeat  // send the bytes again and again until the client goes
    };

    explicit LocalHttpServer(std::string bytes, Then then = Then::Close);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/gloamer"; }
    // A port on which nothing listens (bound a moment ago and released).
    static int UnusedPort();

private:
    void Serve(const std::string& bytes, Then then) const;

    int m_port = 0; // before m_listener, which sets it
    int m_listener = -1;
    std::thread m_thread;
};

// A complete 200 answer carrying `body`.
std::string HttpOk(const std::string& body);
} // namespace testsupport
