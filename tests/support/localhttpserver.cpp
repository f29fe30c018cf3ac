#include "support/localhttpserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport
{
namespace
{
int ListenOnLoopback(int* port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

// Waits up to 50 ms for `fd` to become readable.
bool Readable(int fd)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 50) > 0;
}
} // namespace

LocalHttpServer::LocalHttpServer(std::string bytes, Then then) : m_bytes(std::move(bytes)), m_then(then)
{
    m_listener = ListenOnLoopback(&m_port);
    if (m_listener >= 0)
        m_thread = std::thread(&LocalHttpServer::Serve, this);
}

LocalHttpServer::~LocalHttpServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        close(m_listener);
}

std::string LocalHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

int LocalHttpServer::UnusedPort()
{
    int port = 0;
    const int fd = ListenOnLoopback(&port);
    if (fd >= 0)
        close(fd);
    return port;
}

void LocalHttpServer::Serve()
{
    while (!m_stop)
    {
        if (!Readable(m_listener))
            continue;
        const int connection = accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        Answer(connection);
        close(connection);
    }
}

void LocalHttpServer::Answer(int connection)
{
    // The request ends with an empty line.
    std::string request;
    char buffer[1024];
    while (!m_stop && request.find("\r\n\r\n") == std::string::npos)
    {
        if (!Readable(connection))
            continue;
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<size_t>(got));
    }
    do
    {
        if (!m_bytes.empty() && send(connection, m_bytes.data(), m_bytes.size(), MSG_NOSIGNAL) < 0)
            return; // the client has gone
    } while (m_then == Then::Repeat && !m_stop);
    while (m_then == Then::Hold && !m_stop)
    {
        if (Readable(connection) && recv(connection, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

std::string HttpOk(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
           body;
}
} // namespace testsupport
