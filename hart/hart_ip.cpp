#include "hart/hart_ip.h"

#include "hart/frame_grammar.h"

namespace hart::ip {

namespace {

bool KnownType(std::uint8_t t)
{
    return t <= 3 || t == static_cast<std::uint8_t>(MessageType::Nak);
}

void Be16(std::vector<std::uint8_t>& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}

} // namespace

const char* RejectName(Reject r)
{
    switch (r) {
    case Reject::ShortHeader: return "short header";
    case Reject::WrongVersion: return "wrong version";
    case Reject::UnknownType: return "unknown message type";
    case Reject::UnknownId: return "unknown message id";
    case Reject::CountTooSmall: return "byte count below the header";
    case Reject::CountPastEnd: return "byte count past the end";
    case Reject::TooLong: return "message too long";
    }
    return "rejected";
}

Parsed Parse(std::span<const std::uint8_t> bytes)
{
    Parsed p;
    auto reject = [&p](Reject r) {
        p.reject = r;
        return p;
    };
    if (bytes.size() < kHeaderSize)
        return reject(Reject::ShortHeader);
    if (bytes[0] != kVersion)
        return reject(Reject::WrongVersion);
    if (!KnownType(bytes[1]))
        return reject(Reject::UnknownType);
    if (bytes[2] > static_cast<std::uint8_t>(MessageId::PassThrough))
        return reject(Reject::UnknownId);
    const std::size_t count = static_cast<std::size_t>(bytes[6]) << 8 | bytes[7];
    if (count < kHeaderSize)
        return reject(Reject::CountTooSmall);
    // Checked before the end: a stream must not wait for a message it would refuse.
    if (count > kLongestMessage)
        return reject(Reject::TooLong);
    if (count > bytes.size())
        return reject(Reject::CountPastEnd);

    Message m;
    m.header.version = bytes[0];
    m.header.type = static_cast<MessageType>(bytes[1]);
    m.header.id = static_cast<MessageId>(bytes[2]);
    m.header.status = bytes[3];
    m.header.sequence = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    m.header.byteCount = static_cast<std::uint16_t>(count);
    m.body = bytes.subspan(kHeaderSize, count - kHeaderSize);
    p.message = m;
    p.length = count;
    return p;
}

std::optional<SessionBody> ParseSessionBody(std::span<const std::uint8_t> body)
{
    if (body.size() < 5 || body[0] > 1)
        return std::nullopt;
    SessionBody s;
    s.master = static_cast<MasterType>(body[0]);
    s.inactivityMs = static_cast<std::uint32_t>(body[1]) << 24 | static_cast<std::uint32_t>(body[2]) << 16 |
                     static_cast<std::uint32_t>(body[3]) << 8 | body[4];
    return s;
}

std::vector<std::uint8_t> Encode(const Header& header, std::span<const std::uint8_t> body)
{
    std::vector<std::uint8_t> b;
    b.reserve(kHeaderSize + body.size());
    b.push_back(header.version);
    b.push_back(static_cast<std::uint8_t>(header.type));
    b.push_back(static_cast<std::uint8_t>(header.id));
    b.push_back(header.status);
    Be16(b, header.sequence);
    // The count is always what follows, whatever the header said.
    Be16(b, static_cast<std::uint16_t>(kHeaderSize + body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

std::vector<std::uint8_t> SessionInitiate(std::uint16_t sequence, MasterType master, std::uint32_t inactivityMs)
{
    const std::uint8_t body[5] = {static_cast<std::uint8_t>(master), static_cast<std::uint8_t>(inactivityMs >> 24),
                                  static_cast<std::uint8_t>(inactivityMs >> 16),
                                  static_cast<std::uint8_t>(inactivityMs >> 8), static_cast<std::uint8_t>(inactivityMs)};
    return Encode({kVersion, MessageType::Request, MessageId::SessionInitiate, 0, sequence}, body);
}

std::vector<std::uint8_t> SessionClose(std::uint16_t sequence)
{
    return Encode({kVersion, MessageType::Request, MessageId::SessionClose, 0, sequence});
}

std::vector<std::uint8_t> KeepAlive(std::uint16_t sequence)
{
    return Encode({kVersion, MessageType::Request, MessageId::KeepAlive, 0, sequence});
}

std::span<const std::uint8_t> WithoutPreambles(std::span<const std::uint8_t> frame)
{
    std::size_t i = 0;
    while (i < frame.size() && frame[i] == kPreamble)
        ++i;
    return frame.subspan(i);
}

std::vector<std::uint8_t> WithPreambles(std::span<const std::uint8_t> frame, std::size_t preambles)
{
    std::vector<std::uint8_t> b(preambles, kPreamble);
    b.insert(b.end(), frame.begin(), frame.end());
    return b;
}

std::vector<std::uint8_t> PassThrough(MessageType type, std::uint16_t sequence, std::span<const std::uint8_t> frame,
                                      std::uint8_t status)
{
    return Encode({kVersion, type, MessageId::PassThrough, status, sequence}, WithoutPreambles(frame));
}

std::vector<std::uint8_t> Response(const Header& request, std::uint8_t status, std::span<const std::uint8_t> body)
{
    return Encode({kVersion, MessageType::Response, request.id, status, request.sequence}, body);
}

std::vector<std::uint8_t> ErrorMessage(const Header& request, std::uint8_t errorCode)
{
    const std::uint8_t body[1] = {errorCode};
    return Encode({kVersion, MessageType::Error, request.id, 0, request.sequence}, body);
}

} // namespace hart::ip
