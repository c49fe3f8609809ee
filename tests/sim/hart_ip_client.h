#pragma once

// A HART-IP client's end on loopback, for tests: one socket, UDP or TCP.

#include "hart/hart_ip.h"
#include "pty_io.h"

#include <optional>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace simtest {

namespace ip = hart::ip;

inline Bytes Tail(const Bytes& b, std::size_t from)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.end());
}

// A client's end on loopback: one socket, UDP or TCP, connected to the server.
class Client {
public:
    Client(bool tcp, std::uint16_t port)
        : tcp_(tcp), fd_(::socket(AF_INET, (tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0))
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ok_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~Client() { ::close(fd_); }
    bool Ok() const { return ok_; }
    bool Send(const Bytes& b) { return ok_ && ::send(fd_, b.data(), b.size(), MSG_NOSIGNAL) == ssize_t(b.size()); }

    // The next whole message, or nothing within the deadline (or at the end of a TCP stream).
    std::optional<Bytes> Next(int timeoutMs = 3000)
    {
        const std::int64_t end = NowMs() + timeoutMs;
        for (;;) {
            if (const ip::Parsed p = ip::Parse(in_); p.message) {
                Bytes m(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(p.length));
                in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(p.length));
                return m;
            }
            if (!tcp_)
                in_.clear();
            pollfd p{fd_, POLLIN, 0};
            std::uint8_t buf[1024];
            if (::poll(&p, 1, int(std::max<std::int64_t>(0, end - NowMs()))) <= 0)
                return std::nullopt;
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            closed_ = n <= 0;
            if (closed_)
                return std::nullopt;
            in_.insert(in_.end(), buf, buf + n);
        }
    }
    // TCP: true once the server has closed the connection, within the deadline.
    bool Closed(int timeoutMs)
    {
        while (Next(timeoutMs)) {
        }
        return closed_;
    }

private:
    bool tcp_;
    int fd_;
    bool ok_ = false;
    bool closed_ = false;
    Bytes in_;
};

struct Reply {
    ip::Header header;
    Bytes body;
};
inline std::optional<Reply> Read(Client& c, int timeoutMs = 3000)
{
    const auto m = c.Next(timeoutMs);
    if (!m)
        return std::nullopt;
    const ip::Parsed p = ip::Parse(*m);
    return Reply{p.message->header, Bytes(p.message->body.begin(), p.message->body.end())};
}

} // namespace simtest
