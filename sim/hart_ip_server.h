#pragma once

#include "hart/hart_ip.h"
#include "sim/device.h"
#include "sim/serving.h"

#include <array>
#include <compare>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sim {

struct HartIpServerOptions {
    // Numeric IPv4 or IPv6 address to serve on ("localhost" is 127.0.0.1);
    // nothing is served beyond it.
    std::string address = "127.0.0.1";
    std::uint16_t port = 0; // 0: any free port, see HartIpServer::Port()
    // Answers wait as long as the request and the answer take on the wired
    // 1200-baud loop behind a gateway; off, they go as soon as the device has
    // answered (after its turnaround and any fault's delay).
    bool lineTiming = true;
    int pollAddress = 0;
    int turnaroundMs = 20;
    // The inactivity timer a client asks for is kept within these bounds.
    std::uint32_t minInactivityMs = 1000;
    std::uint32_t maxInactivityMs = 600000;
    int maxSessions = 8;
    // Called on the server's thread with every datagram or TCP read
    // (`received`) and every message sent; leave empty for no tracing.
    std::function<void(bool received, std::span<const std::uint8_t> bytes)> trace;
};

// Who a message came from: one UDP address and port, or one TCP connection.
struct HartIpPeer {
    bool tcp = false;
    std::uint64_t connection = 0;           // TCP
    std::array<std::uint8_t, 16> address{}; // UDP: an IPv4 address in the first four bytes
    std::uint16_t port = 0;                 // UDP
    std::uint32_t scope = 0;                // UDP over IPv6: the link of a link-local address
    auto operator<=>(const HartIpPeer&) const = default;
};

// The sessions and messages of a HART-IP server, without sockets or a clock:
// the server's thread hands it what arrives with the time, and sends what it
// returns when it is due. The fuzz harness drives it the same way.
class HartIpEngine {
public:
    struct Send {
        std::vector<std::uint8_t> message;
        std::int64_t dueNs = 0;
    };
    struct Outcome {
        std::vector<Send> sends;
        bool close = false; // TCP: close the connection once what is due now has gone
    };

    explicit HartIpEngine(const HartIpServerOptions& options);

    // One datagram; anything that is not a message is dropped.
    Outcome Datagram(const HartIpPeer& peer, std::span<const std::uint8_t> bytes, Device& device, std::int64_t nowNs);
    // Takes the whole messages off the front of a TCP connection's `buffer`
    // and leaves a message still coming; a stream that cannot be a message
    // closes the connection.
    Outcome Stream(const HartIpPeer& peer, std::vector<std::uint8_t>& buffer, Device& device, std::int64_t nowNs);
    // One accepted message.
    Outcome Handle(const HartIpPeer& peer, const hart::ip::Message& message, Device& device, std::int64_t nowNs);

    // A TCP connection without a session yet: it has 10 s (or the longest
    // inactivity time, when shorter) to ask for one.
    void Connected(const HartIpPeer& peer, std::int64_t nowNs);
    // Ends what has been idle longer than its inactivity time and returns whose.
    std::vector<HartIpPeer> Expire(std::int64_t nowNs);
    std::optional<std::int64_t> NextExpiryNs() const;
    void Forget(const HartIpPeer& peer);

    int SessionCount() const;

private:
    struct Entry {
        bool session = false;
        hart::ip::MasterType master = hart::ip::MasterType::Primary;
        std::uint32_t inactivityMs = 0;
        std::int64_t lastNs = 0;
    };

    Send Now(std::vector<std::uint8_t> message, std::int64_t nowNs) const { return {std::move(message), nowNs}; }
    std::optional<Send> PassThrough(const hart::ip::Message& message, Device& device, std::int64_t nowNs);

    std::uint32_t minInactivityMs_;
    std::uint32_t maxInactivityMs_;
    int maxSessions_;
    bool lineTiming_;
    std::map<HartIpPeer, Entry> entries_;
    std::int64_t busyUntilNs_ = 0; // one loop behind the gateway: one transaction at a time
    std::deque<std::int64_t> backlog_; // when the answers not yet due are due
};

// A simulated converter behind a HART-IP gateway, on UDP and TCP on the same
// port. One Device serves every session.
class HartIpServer {
public:
    using Options = HartIpServerOptions;

    // Nothing and a message in *error when the sockets or the thread cannot be set up.
    static std::unique_ptr<HartIpServer> Start(Options options, std::string* error);
    ~HartIpServer();
    HartIpServer(const HartIpServer&) = delete;
    HartIpServer& operator=(const HartIpServer&) = delete;

    std::uint16_t Port() const { return port_; }
    // The address served on, in numeric form (IPv6 without brackets).
    const std::string& Address() const { return address_; }
    bool IsIpv6() const { return ipv6_; }
    // Runs `fn` on the device while the server's thread keeps off it.
    void WithDevice(const std::function<void(Device&)>& fn);
    int SessionCount();
    // Ends the thread (answers still pending are dropped) and closes the sockets.
    // Safe to call more than once.
    void Stop();

private:
    HartIpServer(Options options, int udpFd, int listenFd, std::uint16_t port, std::string address, bool ipv6);
    void Run();

    Options options_;
    int udpFd_ = -1;
    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    std::string address_;
    bool ipv6_ = false;
    std::mutex mutex_; // the device and the engine
    Device device_;
    HartIpEngine engine_;
    std::mutex stopMutex_;
    ServingThread serving_;
};

} // namespace sim
