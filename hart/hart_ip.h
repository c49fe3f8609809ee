#pragma once

// HART-IP version 1 messages: an 8-byte header and a body, over UDP or TCP
// (port 5094). Standard C++ only: the simulator's server shares it.
// Every message that arrives is untrusted; Parse checks the whole header
// against the bytes before anything is read from the body.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hart::ip {

inline constexpr std::uint16_t kPort = 5094;
inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 8;
// The longest message this tool sends or takes: a pass-through body is one
// HART frame without preambles (delimiter, 5 address bytes, 3 expansion
// bytes, command, count, 255 data bytes, checksum).
inline constexpr std::size_t kLongestBody = 1 + 5 + 3 + 1 + 1 + 255 + 1;
inline constexpr std::size_t kLongestMessage = kHeaderSize + kLongestBody;

enum class MessageType : std::uint8_t { Request = 0, Response = 1, Publish = 2, Error = 3, Nak = 15 };
enum class MessageId : std::uint8_t { SessionInitiate = 0, SessionClose = 1, KeepAlive = 2, PassThrough = 3 };

// Session-initiate status codes (the response's status byte).
inline constexpr std::uint8_t kStatusSuccess = 0;
inline constexpr std::uint8_t kStatusInvalidSelection = 2;    // master type not supported
inline constexpr std::uint8_t kStatusTooFewDataBytes = 5;
inline constexpr std::uint8_t kStatusSetToNearest = 8;        // warning: inactivity timer changed
inline constexpr std::uint8_t kStatusVersionNotSupported = 14;
inline constexpr std::uint8_t kStatusSessionsInUse = 15;      // all available sessions in use
inline constexpr std::uint8_t kStatusSessionEstablished = 16; // session already established

// Error-message codes (the one body byte of an Error or NAK message).
inline constexpr std::uint8_t kErrorSessionClosed = 0;
inline constexpr std::uint8_t kErrorPrimaryUnavailable = 1;
inline constexpr std::uint8_t kErrorServiceUnavailable = 2;

enum class MasterType : std::uint8_t { Secondary = 0, Primary = 1 };

struct Header {
    std::uint8_t version = kVersion;
    MessageType type = MessageType::Request;
    MessageId id = MessageId::KeepAlive;
    std::uint8_t status = 0;
    std::uint16_t sequence = 0;
    std::uint16_t byteCount = kHeaderSize; // header and body

    bool operator==(const Header&) const = default;
};

// Why bytes are not a message this tool takes.
enum class Reject : std::uint8_t {
    ShortHeader,    // fewer than 8 bytes
    WrongVersion,   // not version 1
    UnknownType,    // message type not one of the five
    UnknownId,      // message id not one of the four
    CountTooSmall,  // byte count below the header's own 8
    CountPastEnd,   // byte count beyond the bytes there (a datagram) — for a stream: wait
    TooLong,        // byte count beyond the longest message taken
};
const char* RejectName(Reject r);

// One message, checked whole; body is a view into the parsed bytes.
struct Message {
    Header header;
    std::span<const std::uint8_t> body;
};

struct Parsed {
    std::optional<Message> message; // set when accepted
    Reject reject = Reject::ShortHeader;
    std::size_t length = 0;         // accepted: bytes taken (the byte count)
};

// The first message at the start of `bytes`. A datagram must hold exactly
// one message: trailing bytes are ignored by the caller, a byte count past
// the end is CountPastEnd. A stream reader treats ShortHeader and
// CountPastEnd as "wait for more" and every other reject as fatal.
Parsed Parse(std::span<const std::uint8_t> bytes);

// Session-initiate body: master type and the inactivity close timer (ms).
struct SessionBody {
    MasterType master = MasterType::Primary;
    std::uint32_t inactivityMs = 0;
};
std::optional<SessionBody> ParseSessionBody(std::span<const std::uint8_t> body);

std::vector<std::uint8_t> Encode(const Header& header, std::span<const std::uint8_t> body = {});
std::vector<std::uint8_t> SessionInitiate(std::uint16_t sequence, MasterType master, std::uint32_t inactivityMs);
std::vector<std::uint8_t> SessionClose(std::uint16_t sequence);
std::vector<std::uint8_t> KeepAlive(std::uint16_t sequence);
// `frame` is a HART frame; its preambles are dropped, as HART-IP carries none.
std::vector<std::uint8_t> PassThrough(MessageType type, std::uint16_t sequence, std::span<const std::uint8_t> frame,
                                      std::uint8_t status = 0);
// A response to `request` with `body`: the request's id and sequence.
std::vector<std::uint8_t> Response(const Header& request, std::uint8_t status, std::span<const std::uint8_t> body = {});
std::vector<std::uint8_t> ErrorMessage(const Header& request, std::uint8_t errorCode);

// Drops leading preambles (0xFF) from a frame.
std::span<const std::uint8_t> WithoutPreambles(std::span<const std::uint8_t> frame);
// A carried frame as a wired line shows it, with `preambles` put back before
// it: for readers that find frames by their preambles.
std::vector<std::uint8_t> WithPreambles(std::span<const std::uint8_t> frame, std::size_t preambles = 2);

} // namespace hart::ip
