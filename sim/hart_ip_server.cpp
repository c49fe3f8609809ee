#include "sim/hart_ip_server.h"

#include "hart/frame_grammar.h"
#include "sim/serving.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {
namespace {

namespace ip = hart::ip;

// What a gateway puts before a request on the loop, and reckons before an answer.
constexpr std::size_t kLoopPreambles = 5;
// A client that sends but never reads loses its connection rather than our memory.
constexpr std::size_t kMaxUnsent = 64 * 1024;
// Requests waiting for the loop beyond these go unanswered, as at a busy
// gateway, so that a flood cannot queue answers without end.
constexpr std::size_t kMaxBacklog = 64;
// A TCP connection that asks for no session soon gives its place back.
constexpr std::uint32_t kFirstMessageMs = 10000;

std::vector<std::uint8_t> SessionBodyBytes(ip::MasterType master, std::uint32_t ms)
{
    return {static_cast<std::uint8_t>(master), static_cast<std::uint8_t>(ms >> 24), static_cast<std::uint8_t>(ms >> 16),
            static_cast<std::uint8_t>(ms >> 8), static_cast<std::uint8_t>(ms)};
}

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
    bool ipv6 = false;
};

std::optional<SocketAddress> MakeAddress(const std::string& text, std::uint16_t port)
{
    SocketAddress a;
    const std::string host = text == "localhost" ? "127.0.0.1" : text;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&a.storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&a.storage);
    if (::inet_pton(AF_INET, host.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        a.length = sizeof(sockaddr_in);
        return a;
    }
    if (::inet_pton(AF_INET6, host.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        a.length = sizeof(sockaddr_in6);
        a.ipv6 = true;
        return a;
    }
    return std::nullopt;
}

HartIpPeer UdpPeer(const sockaddr_storage& from)
{
    HartIpPeer p;
    if (from.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&from);
        std::memcpy(p.address.data(), &v6->sin6_addr, 16);
        p.port = ntohs(v6->sin6_port);
        p.scope = v6->sin6_scope_id;
    } else {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&from);
        std::memcpy(p.address.data(), &v4->sin_addr, 4);
        p.port = ntohs(v4->sin_port);
    }
    return p;
}

SocketAddress PeerAddress(const HartIpPeer& peer, bool ipv6)
{
    SocketAddress a;
    a.ipv6 = ipv6;
    if (ipv6) {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&a.storage);
        v6->sin6_family = AF_INET6;
        std::memcpy(&v6->sin6_addr, peer.address.data(), 16);
        v6->sin6_port = htons(peer.port);
        v6->sin6_scope_id = peer.scope;
        a.length = sizeof(sockaddr_in6);
    } else {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&a.storage);
        v4->sin_family = AF_INET;
        std::memcpy(&v4->sin_addr, peer.address.data(), 4);
        v4->sin_port = htons(peer.port);
        a.length = sizeof(sockaddr_in);
    }
    return a;
}

} // namespace

// ---------------------------------------------------------------- engine

HartIpEngine::HartIpEngine(const HartIpServerOptions& options)
    : minInactivityMs_(options.minInactivityMs),
      maxInactivityMs_(std::max(options.minInactivityMs, options.maxInactivityMs)),
      maxSessions_(options.maxSessions), lineTiming_(options.lineTiming)
{
}

HartIpEngine::Outcome HartIpEngine::Datagram(const HartIpPeer& peer, std::span<const std::uint8_t> bytes,
                                             Device& device, std::int64_t nowNs)
{
    const ip::Parsed p = ip::Parse(bytes);
    if (!p.message)
        return {};
    return Handle(peer, *p.message, device, nowNs);
}

HartIpEngine::Outcome HartIpEngine::Stream(const HartIpPeer& peer, std::vector<std::uint8_t>& buffer, Device& device,
                                           std::int64_t nowNs)
{
    Outcome out;
    std::size_t taken = 0;
    while (!out.close) {
        const ip::Parsed p = ip::Parse(std::span<const std::uint8_t>(buffer).subspan(taken));
        if (!p.message) {
            // A header still coming, or a body still coming within the longest message.
            out.close = p.reject != ip::Reject::ShortHeader && p.reject != ip::Reject::CountPastEnd;
            break;
        }
        Outcome one = Handle(peer, *p.message, device, nowNs);
        taken += p.length;
        for (Send& s : one.sends)
            out.sends.push_back(std::move(s));
        out.close = one.close;
    }
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(taken));
    return out;
}

HartIpEngine::Outcome HartIpEngine::Handle(const HartIpPeer& peer, const ip::Message& message, Device& device,
                                           std::int64_t nowNs)
{
    Outcome out;
    const ip::Header& h = message.header;
    // A client has nothing to tell a server but requests.
    if (h.type != ip::MessageType::Request)
        return out;
    const auto it = entries_.find(peer);
    Entry* session = it != entries_.end() && it->second.session ? &it->second : nullptr;
    if (!session && h.id != ip::MessageId::SessionInitiate) {
        out.sends.push_back(Now(ip::ErrorMessage(h, ip::kErrorSessionClosed), nowNs));
        return out;
    }

    switch (h.id) {
    case ip::MessageId::SessionInitiate: {
        if (session) {
            session->lastNs = nowNs;
            out.sends.push_back(Now(ip::Response(h, ip::kStatusSessionEstablished,
                                                 SessionBodyBytes(session->master, session->inactivityMs)),
                                    nowNs));
            break;
        }
        if (message.body.size() < 5) {
            out.sends.push_back(Now(ip::Response(h, ip::kStatusTooFewDataBytes), nowNs));
            break;
        }
        const auto body = ip::ParseSessionBody(message.body);
        if (!body) {
            out.sends.push_back(Now(ip::Response(h, ip::kStatusInvalidSelection), nowNs));
            break;
        }
        if (SessionCount() >= maxSessions_) {
            out.sends.push_back(Now(ip::Response(h, ip::kStatusSessionsInUse), nowNs));
            break;
        }
        const std::uint32_t ms = std::clamp(body->inactivityMs, minInactivityMs_, maxInactivityMs_);
        entries_[peer] = Entry{true, body->master, ms, nowNs};
        out.sends.push_back(Now(ip::Response(h, ms == body->inactivityMs ? ip::kStatusSuccess : ip::kStatusSetToNearest,
                                             SessionBodyBytes(body->master, ms)),
                                nowNs));
        break;
    }
    case ip::MessageId::KeepAlive:
        session->lastNs = nowNs;
        out.sends.push_back(Now(ip::Response(h, ip::kStatusSuccess), nowNs));
        break;
    case ip::MessageId::SessionClose:
        out.sends.push_back(Now(ip::Response(h, ip::kStatusSuccess), nowNs));
        entries_.erase(peer);
        // A TCP connection is its session: it ends with it.
        out.close = peer.tcp;
        break;
    case ip::MessageId::PassThrough:
        session->lastNs = nowNs;
        if (auto s = PassThrough(message, device, nowNs))
            out.sends.push_back(std::move(*s));
        break;
    }
    return out;
}

std::optional<HartIpEngine::Send> HartIpEngine::PassThrough(const ip::Message& message, Device& device,
                                                            std::int64_t nowNs)
{
    // The gateway puts the frame on the loop with its preambles; anything but
    // one whole master frame would not be a request there either.
    std::vector<std::uint8_t> wire(kLoopPreambles, hart::kPreamble);
    wire.insert(wire.end(), message.body.begin(), message.body.end());
    const hart::FrameSpan request = hart::FindFrame(wire, kLoopPreambles);
    if (request.state != hart::FrameState::Whole || request.start != 0 || request.end() != wire.size() ||
        request.type != hart::FrameType::Request)
        return std::nullopt;

    while (!backlog_.empty() && backlog_.front() <= nowNs)
        backlog_.pop_front();
    if (backlog_.size() >= kMaxBacklog)
        return std::nullopt;

    const std::vector<Transmission> answers = device.Feed(wire, nowNs / kNsPerMs);
    if (answers.empty())
        return std::nullopt; // no answer on the loop: none on the network, the client times out
    const Transmission& t = answers.front();
    std::vector<std::uint8_t> heard;
    std::int64_t gapsNs = 0;
    for (const Chunk& chunk : t.chunks) {
        gapsNs += std::int64_t{chunk.gapBeforeMs} * kNsPerMs;
        heard.insert(heard.end(), chunk.bytes.begin(), chunk.bytes.end());
    }
    // The gateway's modem syncs on two preambles; noise before them, and the
    // preambles themselves, never reach the network. A cut answer goes on as it came.
    const hart::FrameSpan answer = hart::FindFrame(heard, 2);
    if (answer.state == hart::FrameState::None || answer.delimiter == 0)
        return std::nullopt;
    const std::span<const std::uint8_t> frame =
        std::span<const std::uint8_t>(heard).subspan(answer.delimiterAt(), answer.end() - answer.delimiterAt());

    std::int64_t dueNs = std::max(nowNs, busyUntilNs_) + gapsNs;
    if (lineTiming_)
        dueNs += static_cast<std::int64_t>(t.requestBytes + kLoopPreambles + frame.size()) * kByteNs;
    busyUntilNs_ = dueNs;
    backlog_.push_back(dueNs);
    return Send{ip::Response(message.header, ip::kStatusSuccess, frame), dueNs};
}

void HartIpEngine::Connected(const HartIpPeer& peer, std::int64_t nowNs)
{
    entries_[peer] = Entry{false, ip::MasterType::Primary, std::min(maxInactivityMs_, kFirstMessageMs), nowNs};
}

std::vector<HartIpPeer> HartIpEngine::Expire(std::int64_t nowNs)
{
    std::vector<HartIpPeer> ended;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (nowNs - it->second.lastNs >= std::int64_t{it->second.inactivityMs} * kNsPerMs) {
            ended.push_back(it->first);
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
    return ended;
}

std::optional<std::int64_t> HartIpEngine::NextExpiryNs() const
{
    std::optional<std::int64_t> next;
    for (const auto& [peer, e] : entries_) {
        const std::int64_t at = e.lastNs + std::int64_t{e.inactivityMs} * kNsPerMs;
        if (!next || at < *next)
            next = at;
    }
    return next;
}

void HartIpEngine::Forget(const HartIpPeer& peer) { entries_.erase(peer); }

int HartIpEngine::SessionCount() const
{
    return static_cast<int>(
        std::count_if(entries_.begin(), entries_.end(), [](const auto& e) { return e.second.session; }));
}


// ---------------------------------------------------------------- server

std::unique_ptr<HartIpServer> HartIpServer::Start(Options options, std::string* error)
{
    const auto fail = [&](std::string message) -> std::unique_ptr<HartIpServer> {
        if (error)
            *error = std::move(message);
        return nullptr;
    };
    if (options.pollAddress < 0 || options.pollAddress > 15)
        return fail("poll address must be 0..15");
    if (options.maxSessions < 1)
        return fail("at least one session must be allowed");
    if (options.minInactivityMs < 1 || options.maxInactivityMs < options.minInactivityMs)
        return fail("inactivity bounds must be 1 ms or more, the lower first");
    const auto address = MakeAddress(options.address, options.port);
    if (!address)
        return fail("not a numeric IPv4 or IPv6 address: " + options.address);

    const auto where = [&](std::uint16_t p) {
        return (address->ipv6 ? "[" + options.address + "]" : options.address) + ":" + std::to_string(p);
    };
    UniqueFd udp, listener;
    std::uint16_t port = options.port;
    // Port 0: the free port TCP got may be taken for UDP; then try another.
    for (int attempt = 0;; ++attempt) {
        SocketAddress a = *address;
        const int family = a.ipv6 ? AF_INET6 : AF_INET;
        listener.reset(::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        if (listener.get() < 0)
            return fail(ErrnoText("socket"));
        const int one = 1;
        ::setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (a.ipv6)
            ::setsockopt(listener.get(), IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
        if (::bind(listener.get(), reinterpret_cast<sockaddr*>(&a.storage), a.length) != 0)
            return fail(ErrnoText("TCP on " + where(options.port)));
        if (::listen(listener.get(), 16) != 0)
            return fail(ErrnoText("listen"));
        sockaddr_storage bound{};
        socklen_t length = sizeof bound;
        if (::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&bound), &length) != 0)
            return fail(ErrnoText("getsockname"));
        port = UdpPeer(bound).port;
        a = *MakeAddress(options.address, port);

        udp.reset(::socket(family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        if (udp.get() < 0)
            return fail(ErrnoText("socket"));
        if (a.ipv6)
            ::setsockopt(udp.get(), IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
        if (::bind(udp.get(), reinterpret_cast<sockaddr*>(&a.storage), a.length) == 0)
            break;
        if (errno != EADDRINUSE || options.port != 0 || attempt >= 20)
            return fail(ErrnoText("UDP on " + where(port)));
    }

    char text[INET6_ADDRSTRLEN] = {};
    const void* raw = address->ipv6
                          ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(&address->storage)->sin6_addr)
                          : static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(&address->storage)->sin_addr);
    ::inet_ntop(address->ipv6 ? AF_INET6 : AF_INET, raw, text, sizeof text);

    std::unique_ptr<HartIpServer> server(
        new HartIpServer(std::move(options), udp.release(), listener.release(), port, text, address->ipv6));
    std::string why;
    if (!server->serving_.Prepare(&why))
        return fail(why);
    try {
        server->serving_.Start([s = server.get()] { s->Run(); });
    } catch (const std::system_error& e) {
        return fail(std::string("thread: ") + e.what());
    }
    return server;
}

HartIpServer::HartIpServer(Options options, int udpFd, int listenFd, std::uint16_t port, std::string address,
                           bool ipv6)
    : options_(std::move(options)), udpFd_(udpFd), listenFd_(listenFd), port_(port),
      address_(std::move(address)), ipv6_(ipv6), engine_(options_)
{
    device_.State().pollAddress = static_cast<std::uint8_t>(options_.pollAddress);
    device_.SetTurnaroundMs(options_.turnaroundMs);
}

HartIpServer::~HartIpServer() { Stop(); }

void HartIpServer::WithDevice(const std::function<void(Device&)>& fn)
{
    const std::lock_guard lock(mutex_);
    fn(device_);
}

int HartIpServer::SessionCount()
{
    const std::lock_guard lock(mutex_);
    return engine_.SessionCount();
}

void HartIpServer::Stop()
{
    const std::lock_guard lock(stopMutex_);
    serving_.Stop();
    for (int* fd : {&udpFd_, &listenFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void HartIpServer::Run()
{
    struct Connection {
        UniqueFd fd;
        HartIpPeer peer;
        std::vector<std::uint8_t> in, out;
        bool closing = false;
        bool dead = false;
    };
    struct Pending {
        HartIpPeer peer;
        std::vector<std::uint8_t> message;
    };
    std::map<std::uint64_t, Connection> connections;
    std::multimap<std::int64_t, Pending> queue; // by when each is due
    std::uint64_t nextConnection = 1;
    // Connections without a session count too, so that they cannot eat the descriptors.
    const std::size_t maxConnections = static_cast<std::size_t>(options_.maxSessions) * 2 + 2;
    const std::int64_t epochNs = MonotonicNs();
    const auto now = [epochNs] { return MonotonicNs() - epochNs; };
    const auto trace = [this](bool received, std::span<const std::uint8_t> bytes) {
        if (options_.trace)
            options_.trace(received, bytes);
    };
    const auto enqueue = [&](const HartIpPeer& peer, HartIpEngine::Outcome& outcome) {
        for (HartIpEngine::Send& s : outcome.sends)
            queue.emplace(s.dueNs, Pending{peer, std::move(s.message)});
    };
    const auto flush = [](Connection& c) {
        while (!c.out.empty() && !c.dead) {
            const ssize_t n = ::send(c.fd.get(), c.out.data(), c.out.size(), MSG_NOSIGNAL);
            if (n > 0)
                c.out.erase(c.out.begin(), c.out.begin() + n);
            else if (n < 0 && errno == EINTR)
                continue;
            else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                break;
            else
                c.dead = true;
        }
        if (c.out.size() > kMaxUnsent)
            c.dead = true;
    };
    std::uint8_t buffer[2048];
    std::vector<pollfd> fds;
    std::vector<std::uint64_t> ids; // of fds[3...]

    for (;;) {
        fds.assign({{serving_.StopFd(), POLLIN, 0}, {udpFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}});
        ids.clear();
        for (auto& [id, c] : connections) {
            fds.push_back({c.fd.get(), static_cast<short>(POLLIN | (c.out.empty() ? 0 : POLLOUT)), 0});
            ids.push_back(id);
        }
        std::optional<std::int64_t> wake;
        {
            const std::lock_guard lock(mutex_);
            wake = engine_.NextExpiryNs();
        }
        if (!queue.empty() && (!wake || queue.begin()->first < *wake))
            wake = queue.begin()->first;
        timespec timeout{};
        if (wake) {
            const std::int64_t wait = std::max<std::int64_t>(0, *wake - now());
            timeout.tv_sec = static_cast<time_t>(wait / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(wait % 1'000'000'000);
        }
        if (::ppoll(fds.data(), fds.size(), wake ? &timeout : nullptr, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0)
            return;

        if (fds[1].revents != 0) {
            // A bounded batch, so that TCP clients are served between floods.
            for (int k = 0; k < 64; ++k) {
                sockaddr_storage from{};
                socklen_t length = sizeof from;
                const ssize_t n =
                    ::recvfrom(udpFd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
                if (n < 0)
                    break;
                const std::span<const std::uint8_t> got(buffer, static_cast<std::size_t>(n));
                trace(true, got);
                const HartIpPeer peer = UdpPeer(from);
                HartIpEngine::Outcome outcome;
                {
                    const std::lock_guard lock(mutex_);
                    outcome = engine_.Datagram(peer, got, device_, now());
                }
                enqueue(peer, outcome);
            }
        }

        if (fds[2].revents != 0) {
            for (;;) {
                UniqueFd fd(::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
                if (fd.get() < 0)
                    break;
                if (connections.size() >= maxConnections)
                    continue; // closed at once
                const int one = 1;
                ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                HartIpPeer peer;
                peer.tcp = true;
                peer.connection = nextConnection++;
                Connection& c = connections[peer.connection];
                c.fd.reset(fd.release());
                c.peer = peer;
                const std::lock_guard lock(mutex_);
                engine_.Connected(peer, now());
            }
        }

        for (std::size_t k = 3; k < fds.size(); ++k) {
            if (fds[k].revents == 0)
                continue;
            Connection& c = connections.at(ids[k - 3]);
            if (fds[k].revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = ::recv(c.fd.get(), buffer, sizeof buffer, 0);
                if (n > 0) {
                    trace(true, {buffer, static_cast<std::size_t>(n)});
                    if (!c.closing) {
                        c.in.insert(c.in.end(), buffer, buffer + n);
                        HartIpEngine::Outcome outcome;
                        {
                            const std::lock_guard lock(mutex_);
                            outcome = engine_.Stream(c.peer, c.in, device_, now());
                        }
                        enqueue(c.peer, outcome);
                        c.closing = outcome.close;
                    }
                } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                    c.dead = true;
                }
            }
            if (fds[k].revents & POLLOUT)
                flush(c);
        }

        const std::int64_t t = now();
        while (!queue.empty() && queue.begin()->first <= t) {
            const Pending& p = queue.begin()->second;
            if (p.peer.tcp) {
                const auto it = connections.find(p.peer.connection);
                if (it != connections.end() && !it->second.dead) {
                    trace(false, p.message);
                    it->second.out.insert(it->second.out.end(), p.message.begin(), p.message.end());
                }
            } else {
                trace(false, p.message);
                const SocketAddress to = PeerAddress(p.peer, ipv6_);
                // A client gone meanwhile is no concern of ours: UDP forgets.
                (void)::sendto(udpFd_, p.message.data(), p.message.size(), MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&to.storage), to.length);
            }
            queue.erase(queue.begin());
        }

        std::vector<HartIpPeer> expired;
        {
            const std::lock_guard lock(mutex_);
            expired = engine_.Expire(t);
        }
        for (const HartIpPeer& peer : expired)
            if (peer.tcp)
                if (const auto it = connections.find(peer.connection); it != connections.end())
                    it->second.dead = true;

        for (auto it = connections.begin(); it != connections.end();) {
            Connection& c = it->second;
            flush(c);
            if (c.dead || c.closing) {
                const std::lock_guard lock(mutex_);
                engine_.Forget(c.peer);
                it = connections.erase(it);
            } else {
                ++it;
            }
        }
    }
}

} // namespace sim
