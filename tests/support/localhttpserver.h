#pragma once
// A one-thread HTTP server on 127.0.0.1 with an ephemeral port, answering
// every request the same way, for the update check's tests.

#include <atomic>
#include <string>
#include <thread>

namespace testsupport
{
class LocalHttpServer
{
public:
    enum class Then
    {
        Close,   // close the connection after the bytes
        Hold,    // keep it open and silent until the server stops
        Repeat   // send the bytes again and again until the client goes
    };

    // Answers each request with `bytes`, then does `then`.
    explicit LocalHttpServer(std::string bytes, Then then = Then::Close);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path = "/gloamer-update.xml") const;
    // A port on which nothing listens (bound a moment ago and released).
    static int UnusedPort();

private:
    void Serve();
    void Answer(int connection);

    const std::string m_bytes;
    const Then m_then;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// A complete 200 answer carrying `body`.
std::string HttpOk(const std::string& body);
} // namespace testsupport
