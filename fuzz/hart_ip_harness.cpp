#include "fuzz/hart_ip_harness.h"

#include "hart/hart_ip.h"
#include "sim/hart_ip_server.h"

#include <algorithm>

namespace fuzzing {

namespace {

namespace ip = hart::ip;
using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t kNowNs = 5'000'000'000;

sim::HartIpServerOptions EngineOptions()
{
    sim::HartIpServerOptions o;
    o.maxSessions = 2;
    return o;
}

// A server's message handling with its own device, and one TCP peer with a session.
struct Server {
    sim::HartIpEngine engine{EngineOptions()};
    sim::Device device;
    sim::HartIpPeer peer;

    explicit Server(bool tcp)
    {
        peer.tcp = tcp;
        peer.connection = 1;
        peer.port = 20004;
        if (tcp)
            engine.Connected(peer, kNowNs);
        const Bytes open = ip::SessionInitiate(1, ip::MasterType::Primary, 60000);
        engine.Datagram(peer, open, device, kNowNs);
    }
};

// A reply must be one whole message from a server, due no earlier than now.
std::string CheckReply(const sim::HartIpEngine::Send& s, HartIpCounts* counts)
{
    const ip::Parsed p = ip::Parse(s.message);
    if (!p.message || p.length != s.message.size())
        return "a reply is not one whole message";
    const ip::MessageType t = p.message->header.type;
    if (t != ip::MessageType::Response && t != ip::MessageType::Error)
        return "a reply is neither a response nor an error";
    if (s.dueNs < kNowNs)
        return "a reply is due before its request came";
    if (counts && t == ip::MessageType::Response && p.message->header.id == ip::MessageId::PassThrough)
        ++counts->answered;
    return {};
}

std::string CheckDatagram(Server& server, const sim::HartIpPeer& peer, std::span<const std::uint8_t> bytes,
                          HartIpCounts* counts)
{
    const ip::Parsed p = ip::Parse(bytes);
    const auto out = server.engine.Datagram(peer, bytes, server.device, kNowNs);
    if (out.sends.size() > 1)
        return "more than one reply to a datagram";
    if (!p.message && !out.sends.empty())
        return "a reply to a datagram that is no message";
    if (out.close)
        return "a datagram closes a connection";
    for (const auto& s : out.sends) {
        if (std::string broken = CheckReply(s, counts); !broken.empty())
            return broken;
        const ip::Header h = ip::Parse(s.message).message->header;
        if (h.sequence != p.message->header.sequence || h.id != p.message->header.id)
            return "a reply does not echo its request's sequence number and id";
    }
    return {};
}

// Replies to a stream fed in the given pieces; stops at a close.
std::vector<Bytes> Stream(Server& server, std::span<const std::uint8_t> bytes, std::size_t piece, std::string* broken)
{
    std::vector<Bytes> replies;
    Bytes buffer;
    for (std::size_t at = 0; at < bytes.size() && broken->empty();) {
        const std::size_t n = std::min(piece, bytes.size() - at);
        buffer.insert(buffer.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
        const auto out = server.engine.Stream(server.peer, buffer, server.device, kNowNs);
        for (const auto& s : out.sends) {
            if (*broken = CheckReply(s, nullptr); !broken->empty())
                return replies;
            replies.push_back(s.message);
        }
        if (out.close)
            break;
        // What is left must be a message still coming, never more than one.
        const ip::Parsed left = ip::Parse(buffer);
        if (left.message || (!buffer.empty() && left.reject != ip::Reject::ShortHeader &&
                             left.reject != ip::Reject::CountPastEnd))
            *broken = "the stream kept bytes it should have taken or refused";
        else if (buffer.size() >= ip::kLongestMessage)
            *broken = "the stream buffer outgrew the longest message";
    }
    return replies;
}

} // namespace

std::string CheckHartIp(std::span<const std::uint8_t> bytes, HartIpCounts* counts)
{
    // The parser against the bytes.
    const ip::Parsed p = ip::Parse(bytes);
    if (p.message) {
        const ip::Message& m = *p.message;
        if (counts)
            ++counts->accepted;
        if (p.length > bytes.size() || p.length < ip::kHeaderSize || p.length != m.header.byteCount)
            return "accepted length outside the input or unlike the byte count";
        if (m.body.data() != bytes.data() + ip::kHeaderSize || m.body.size() != p.length - ip::kHeaderSize)
            return "body not where the header puts it";
        if (ip::Encode(m.header, m.body) != Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(p.length)))
            return "re-encoding an accepted message gives other bytes";
        // A stream reading it byte by byte waits until the last one.
        for (std::size_t k = 0; k < p.length; ++k) {
            const ip::Reject r = ip::Parse(bytes.first(k)).reject;
            if (ip::Parse(bytes.first(k)).message || (r != ip::Reject::ShortHeader && r != ip::Reject::CountPastEnd))
                return "a prefix of an accepted message is not waited for";
        }
    } else {
        const bool shortHeader = bytes.size() < ip::kHeaderSize;
        if ((p.reject == ip::Reject::ShortHeader) != shortHeader)
            return "short header misjudged";
        if (p.reject == ip::Reject::WrongVersion && bytes[0] == ip::kVersion)
            return "version 1 refused";
        if (p.reject == ip::Reject::CountPastEnd && (std::size_t(bytes[6]) << 8 | bytes[7]) <= bytes.size())
            return "byte count within the input said to be past the end";
    }

    // The server's handling, as datagrams.
    Server udp(false);
    sim::HartIpPeer stranger = udp.peer;
    stranger.port = 20005;
    if (std::string broken = CheckDatagram(udp, stranger, bytes, counts); !broken.empty())
        return "no session: " + broken;
    if (std::string broken = CheckDatagram(udp, udp.peer, bytes, counts); !broken.empty())
        return "in a session: " + broken;
    if (udp.engine.SessionCount() > 2)
        return "more sessions than allowed";

    // As a stream: whole, and in pieces of a few bytes.
    std::string broken;
    Server whole(true), pieces(true);
    const auto a = Stream(whole, bytes, bytes.size() + 1, &broken);
    if (!broken.empty())
        return "stream: " + broken;
    const std::size_t piece = bytes.empty() ? 1 : 1 + bytes[0] % 7;
    const auto b = Stream(pieces, bytes, piece, &broken);
    if (!broken.empty())
        return "stream in pieces: " + broken;
    if (a != b)
        return "a stream in pieces is answered otherwise than whole";
    return {};
}

std::vector<Bytes> HartIpSeeds()
{
    const Bytes command0 = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x02};
    const Bytes command3 = {0x82, 0xA6, 0x05, 0x01, 0x02, 0x03, 0x03, 0x00, 0x22};
    const Bytes command40 = {0x82, 0xA6, 0x05, 0x01, 0x02, 0x03, 0x28, 0x04, 0x41, 0x40, 0x00, 0x00, 0x0C};
    std::vector<Bytes> seeds = {
        ip::SessionInitiate(1, ip::MasterType::Primary, 60000),
        ip::SessionInitiate(2, ip::MasterType::Secondary, 5),
        ip::KeepAlive(3),
        ip::SessionClose(4),
        ip::PassThrough(ip::MessageType::Request, 5, command0),
        ip::PassThrough(ip::MessageType::Request, 6, command3),
        ip::PassThrough(ip::MessageType::Request, 7, command40),
    };
    // Two messages back to back, as a stream carries them.
    Bytes two = seeds[2];
    two.insert(two.end(), seeds[5].begin(), seeds[5].end());
    seeds.push_back(two);
    return seeds;
}

} // namespace fuzzing
