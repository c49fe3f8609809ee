#include "capture/pcapng.h"

#include "hart/frame_decoder.h"

#include <QFile>
#include <QSaveFile>

#include <chrono>

namespace capture {

namespace {

constexpr std::uint32_t kSectionHeader = 0x0A0D0D0A;
constexpr std::uint32_t kInterfaceDescription = 1;
constexpr std::uint32_t kEnhancedPacket = 6;
constexpr std::uint16_t kLinkTypeUpperPdu = 252;

constexpr std::uint16_t kOptEnd = 0;
constexpr std::uint16_t kOptComment = 1;
constexpr std::uint16_t kOptFlags = 2;     // enhanced packet: direction in bits 0-1
constexpr std::uint16_t kOptTsResol = 9;   // interface: time unit
constexpr std::uint32_t kInbound = 1;
constexpr std::uint32_t kOutbound = 2;

// Exported-PDU tags (big-endian, unlike the pcapng blocks around them).
constexpr std::uint16_t kTagEnd = 0;
constexpr std::uint16_t kTagTableName = 14;
constexpr std::uint16_t kTagTableValue = 32;
constexpr std::uint16_t kTagIpv4Source = 20;
constexpr std::uint16_t kTagIpv4Destination = 21;
constexpr std::uint16_t kTagIpv6Source = 22;
constexpr std::uint16_t kTagIpv6Destination = 23;
constexpr std::uint16_t kTagPortType = 24;
constexpr std::uint16_t kTagSourcePort = 25;
constexpr std::uint16_t kTagDestinationPort = 26;
constexpr std::uint32_t kPortTypeTcp = 2;
constexpr std::uint32_t kPortTypeUdp = 3;
constexpr std::uint32_t kHartIpPort = 5094;

// HART-IP header.
constexpr std::uint8_t kHartIpVersion = 1;
constexpr std::uint8_t kMessageRequest = 0;
constexpr std::uint8_t kMessageResponse = 1;
// A failed answer (cut, or with a wrong checksum) goes as an error message:
// readers then show its bytes but count it as no response.
constexpr std::uint8_t kMessageError = 3;
constexpr std::uint8_t kPassThrough = 3;
constexpr std::size_t kHartIpHeader = 8;

using Bytes = std::vector<std::uint8_t>;

// pcapng blocks are written in the writer's byte order, declared by the
// section header's magic; this one writes little-endian everywhere.
void Le16(Bytes& b, std::uint16_t v)
{
    for (int shift = 0; shift < 16; shift += 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}
void Le32(Bytes& b, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}
void Be16(Bytes& b, std::uint16_t v)
{
    for (int shift = 8; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}
void Be32(Bytes& b, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}
void Pad4(Bytes& b)
{
    while (b.size() % 4)
        b.push_back(0);
}

void Option(Bytes& b, std::uint16_t code, std::span<const std::uint8_t> value)
{
    Le16(b, code);
    Le16(b, static_cast<std::uint16_t>(value.size()));
    b.insert(b.end(), value.begin(), value.end());
    Pad4(b);
}

// Wraps a block body in its type and the two copies of its total length.
Bytes Block(std::uint32_t type, const Bytes& body)
{
    Bytes b;
    const auto total = static_cast<std::uint32_t>(12 + body.size());
    Le32(b, type);
    Le32(b, total);
    b.insert(b.end(), body.begin(), body.end());
    Le32(b, total);
    return b;
}

void Tag(Bytes& b, std::uint16_t tag, std::span<const std::uint8_t> value)
{
    Be16(b, tag);
    Be16(b, static_cast<std::uint16_t>(value.size()));
    b.insert(b.end(), value.begin(), value.end());
}

void Tag32(Bytes& b, std::uint16_t tag, std::uint32_t value)
{
    Be16(b, tag);
    Be16(b, 4);
    Be32(b, value);
}

// The network a HART-IP message crossed, so that a reader shows its real
// addresses and ports; the hand-over tags follow.
Bytes EndpointTags(const hart::NetworkEndpoints& n)
{
    Bytes b;
    const std::size_t size = n.ipv6 ? 16 : 4;
    Tag(b, n.ipv6 ? kTagIpv6Source : kTagIpv4Source, std::span(n.source).first(size));
    Tag(b, n.ipv6 ? kTagIpv6Destination : kTagIpv4Destination, std::span(n.destination).first(size));
    Tag32(b, kTagPortType, n.tcp ? kPortTypeTcp : kPortTypeUdp);
    Tag32(b, kTagSourcePort, n.sourcePort);
    Tag32(b, kTagDestinationPort, n.destinationPort);
    return b;
}

// Whole HART-IP messages go to the UDP port's dissector over TCP too: the
// message is the same, and the TCP one would wait for a stream it never sees.
Bytes ExportedPduTags(const hart::NetworkEndpoints* network = nullptr)
{
    Bytes b = network ? EndpointTags(*network) : Bytes{};
    static constexpr std::string_view kTable = "udp.port";
    Be16(b, kTagTableName);
    Bytes name(kTable.begin(), kTable.end());
    Pad4(name); // the padding nulls count in the length; readers drop them
    Be16(b, static_cast<std::uint16_t>(name.size()));
    b.insert(b.end(), name.begin(), name.end());
    Be16(b, kTagTableValue);
    Be16(b, 4);
    Be32(b, kHartIpPort);
    Be16(b, kTagEnd);
    Be16(b, 0);
    return b;
}

Bytes HartIpMessage(std::uint8_t type, std::uint16_t sequence, std::span<const std::uint8_t> frame)
{
    Bytes b{kHartIpVersion, type, kPassThrough, 0};
    Be16(b, sequence);
    Be16(b, static_cast<std::uint16_t>(kHartIpHeader + frame.size()));
    b.insert(b.end(), frame.begin(), frame.end());
    return b;
}

Bytes EnhancedPacket(std::int64_t wallNs, std::uint32_t direction, const Bytes& packet, const std::string& comment)
{
    Bytes body;
    const auto ts = static_cast<std::uint64_t>(std::max<std::int64_t>(wallNs, 0));
    Le32(body, 0); // interface
    Le32(body, static_cast<std::uint32_t>(ts >> 32));
    Le32(body, static_cast<std::uint32_t>(ts));
    Le32(body, static_cast<std::uint32_t>(packet.size()));
    Le32(body, static_cast<std::uint32_t>(packet.size()));
    body.insert(body.end(), packet.begin(), packet.end());
    Pad4(body);
    Bytes flags;
    Le32(flags, direction);
    Option(body, kOptFlags, flags);
    if (!comment.empty())
        Option(body, kOptComment, std::span(reinterpret_cast<const std::uint8_t*>(comment.data()), comment.size()));
    Option(body, kOptEnd, {});
    return Block(kEnhancedPacket, body);
}

// Bytes that belong to no frame, for a packet's comment.
std::string Comment(std::span<const hart::LinePiece> others, std::span<const std::uint8_t> bytes)
{
    std::string c;
    for (const auto& p : others) {
        c += c.empty() ? "" : "; ";
        c += p.kind == hart::PieceKind::Noise ? "bytes outside frames: " : "cut frame: ";
        c += hart::HexText(bytes.subspan(p.offset, p.length));
    }
    return c;
}

} // namespace

std::int64_t WallMinusSteadyNs()
{
    using namespace std::chrono;
    const auto wall = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    const auto steady = duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
    return wall - steady;
}

PcapngEncoder::PcapngEncoder(std::int64_t wallMinusSteadyNs) : wallMinusSteadyNs_(wallMinusSteadyNs) {}

Bytes PcapngEncoder::Header() const
{
    Bytes shb;
    Le32(shb, 0x1A2B3C4D); // byte-order magic
    Le16(shb, 1);
    Le16(shb, 0);
    Le32(shb, 0xFFFFFFFF); // section length not given
    Le32(shb, 0xFFFFFFFF);
    Bytes out = Block(kSectionHeader, shb);

    Bytes idb;
    Le16(idb, kLinkTypeUpperPdu);
    Le16(idb, 0);
    Le32(idb, 0); // no snapshot limit
    const std::uint8_t nanoseconds = 9;
    Option(idb, kOptTsResol, std::span(&nanoseconds, 1));
    Option(idb, kOptEnd, {});
    const Bytes idbBlock = Block(kInterfaceDescription, idb);
    out.insert(out.end(), idbBlock.begin(), idbBlock.end());
    return out;
}

Bytes PcapngEncoder::Packet(std::int64_t timeNs, bool sent, std::uint8_t type, std::span<const std::uint8_t> frame,
                            const std::string& comment) const
{
    Bytes packet = ExportedPduTags();
    const Bytes message = HartIpMessage(type, sequence_, frame);
    packet.insert(packet.end(), message.begin(), message.end());
    return EnhancedPacket(timeNs + wallMinusSteadyNs_, sent ? kOutbound : kInbound, packet, comment);
}

Bytes PcapngEncoder::Flush()
{
    Bytes out;
    for (const auto& run : joiner_.Flush())
        Emit(out, run);
    return out;
}

Bytes PcapngEncoder::Packets(const hart::TrafficRecord& record)
{
    const bool sent = record.direction == hart::Direction::Sent;
    if (record.network) {
        // A message off the network is whole and numbered already: as it was.
        Bytes out = Flush();
        Bytes packet = ExportedPduTags(&*record.network);
        packet.insert(packet.end(), record.bytes.begin(), record.bytes.end());
        const Bytes block = EnhancedPacket(record.timeNs + wallMinusSteadyNs_, sent ? kOutbound : kInbound, packet, {});
        out.insert(out.end(), block.begin(), block.end());
        return out;
    }
    // A cut answer that no delivery finished is shown before what follows it.
    Bytes out = joiner_.Joins(record) ? Bytes{} : Flush();
    // A request opens a new number; the deliveries after it answer it.
    if (sent || !requestOpen_)
        ++sequence_;
    requestOpen_ = requestOpen_ || sent;
    for (const auto& run : joiner_.Add(record))
        Emit(out, run);
    return out;
}

void PcapngEncoder::Emit(Bytes& out, const hart::LineRun& run) const
{
    const bool sent = run.direction == hart::Direction::Sent;
    const std::span<const std::uint8_t> bytes = run.bytes;
    std::vector<hart::LinePiece> frames;
    std::vector<hart::LinePiece> others;
    for (const auto& p : hart::DecodeLine(bytes))
        (p.kind == hart::PieceKind::Frame ? frames : others).push_back(p);

    auto add = [&](std::uint8_t type, std::span<const std::uint8_t> frame, const std::string& comment) {
        const Bytes block = Packet(run.timeNs, sent, type, frame, comment);
        out.insert(out.end(), block.begin(), block.end());
    };
    if (frames.empty()) {
        add(sent ? kMessageRequest : kMessageError, {},
            "no whole frame; " + std::string(others.empty() ? "no bytes" : Comment(others, bytes)));
        return;
    }
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const auto& f = frames[k];
        const auto frame = bytes.subspan(f.frameOffset(), f.length - static_cast<std::size_t>(f.preambles));
        const std::uint8_t type = f.type == hart::FrameType::Request ? kMessageRequest
                                  : f.checksumOk                    ? kMessageResponse
                                                                    : kMessageError;
        std::string comment = "preambles: " + std::to_string(f.preambles);
        if (!f.checksumOk)
            comment += "; bad checksum";
        // The bytes outside frames go with the run's first packet, once.
        if (k == 0 && !others.empty())
            comment += "; " + Comment(others, bytes);
        if (k == 0 && run.deliveries > 1)
            comment += "; joined from " + std::to_string(run.deliveries) + " deliveries";
        add(type, frame, comment);
    }
}

codec::Result<void> WriteCaptureFile(const std::string& path, std::span<const hart::TrafficRecord> records)
{
    PcapngEncoder encoder(WallMinusSteadyNs());
    QSaveFile file(QString::fromStdString(path));
    auto put = [&](const Bytes& b) {
        return file.write(reinterpret_cast<const char*>(b.data()), static_cast<qint64>(b.size()))
               == static_cast<qint64>(b.size());
    };
    bool ok = file.open(QIODevice::WriteOnly) && put(encoder.Header());
    for (std::size_t i = 0; ok && i < records.size(); ++i)
        ok = put(encoder.Packets(records[i]));
    ok = ok && put(encoder.Flush());
    if (ok && file.commit())
        return codec::Result<void>::Ok();
    const std::string why = "Cannot write " + path + ": " + file.errorString().toStdString();
    file.cancelWriting();
    return codec::Result<void>::Fail(why);
}

CaptureFile::CaptureFile() : encoder_(WallMinusSteadyNs()) {}

CaptureFile::~CaptureFile() { (void)Close(); }

codec::Result<void> CaptureFile::Open(const std::string& path)
{
    file_ = std::make_unique<QFile>(QString::fromStdString(path));
    failed_ = false;
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const std::string why = "Cannot write " + path + ": " + file_->errorString().toStdString();
        file_.reset();
        return codec::Result<void>::Fail(why);
    }
    const Bytes header = encoder_.Header();
    failed_ = file_->write(reinterpret_cast<const char*>(header.data()), static_cast<qint64>(header.size()))
              != static_cast<qint64>(header.size());
    return codec::Result<void>::Ok();
}

void CaptureFile::Append(const hart::TrafficRecord& record)
{
    if (!file_ || failed_)
        return;
    const Bytes b = encoder_.Packets(record);
    failed_ = file_->write(reinterpret_cast<const char*>(b.data()), static_cast<qint64>(b.size()))
              != static_cast<qint64>(b.size());
}

codec::Result<void> CaptureFile::Close()
{
    if (!file_)
        return codec::Result<void>::Ok();
    const Bytes rest = encoder_.Flush();
    failed_ = failed_ || file_->write(reinterpret_cast<const char*>(rest.data()), static_cast<qint64>(rest.size()))
                             != static_cast<qint64>(rest.size());
    const bool ok = !failed_ && file_->flush();
    const std::string why = "Cannot write " + file_->fileName().toStdString() + ": " + file_->errorString().toStdString();
    file_->close();
    file_.reset();
    return ok ? codec::Result<void>::Ok() : codec::Result<void>::Fail(why);
}

} // namespace capture
