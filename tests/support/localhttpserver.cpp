#include "support/localhttpserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace testsupport
{
LocalHttpServer::LocalHttpServer(std::vector<std::string> answers, Then then)
    : m_listener(socket(AF_INET, SOCK_STREAM, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener >= 0 && bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        listen(m_listener, 1) == 0 && getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
    // A proxy from the developer's environment must not see these requests.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    m_thread = std::thread([this, answers = std::move(answers), then] { Serve(answers, then); });
}

LocalHttpServer::~LocalHttpServer()
{
    shutdown(m_listener, SHUT_RDWR); // ends a wait for a client that never came
    m_thread.join();
    close(m_listener);
}

void LocalHttpServer::Serve(const std::vector<std::string>& answers, Then then) const
{
    for (size_t served = 0;; ++served)
    {
        const int connection = accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            return;
        const std::string& bytes = answers.empty() ? std::string() : answers[std::min(served, answers.size() - 1)];
        // A client that speaks no HTTP (a TLS greeting) is answered at once.
        std::string request;
        char buffer[1024];
        ssize_t got = 1;
        while ((request.empty() || (std::isupper(static_cast<unsigned char>(request[0])) &&
                                    request.find("\r\n\r\n") == std::string::npos)) &&
               (got = recv(connection, buffer, sizeof buffer, 0)) > 0)
            request.append(buffer, static_cast<size_t>(got));
        if (got > 0)
            send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        while (got > 0 && then == Then::Hold && recv(connection, buffer, sizeof buffer, 0) > 0)
            continue;
        close(connection);
    }
}
} // namespace testsupport
