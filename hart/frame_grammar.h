#pragma once

// What a HART frame is on the wire, in one place: everything that finds,
// joins, judges or shows frames asks here. Standard C++ only, so that the
// simulator, which stays free of Qt, shares it.

#include <cstddef>
#include <cstdint>
#include <span>

namespace hart {

inline constexpr std::uint8_t kPreamble = 0xFF;

enum class FrameType : std::uint8_t { Request, Answer, Burst };

enum class FrameState : std::uint8_t {
    None,     // no frame begins in the bytes
    NeedMore, // a frame begins, but the bytes end before its checksum
    Whole,    // preambles through checksum are all there
};

// Where the first frame in a byte sequence lies, and how far it has come.
struct FrameSpan {
    FrameState state = FrameState::None;
    std::size_t start = 0;     // its first preamble; None: the size of the bytes
    std::size_t preambles = 0; // the run before the delimiter (so far, before it has come)
    std::size_t length = 0;    // Whole: preambles through checksum; NeedMore: through the last byte there
    std::size_t needed = 0;    // NeedMore: bytes still missing, at least
    std::uint8_t delimiter = 0; // 0 until it has come
    FrameType type = FrameType::Request;
    std::size_t addressLength = 0; // 1 or 5
    std::size_t expansion = 0;     // expansion bytes after the address, 0 to 3
    bool countKnown = false;       // the byte count has come
    std::uint8_t byteCount = 0;
    bool checksumOk = false;       // Whole only

    std::size_t end() const { return start + length; }
    std::size_t delimiterAt() const { return start + preambles; }
    std::size_t addressAt() const { return delimiterAt() + 1; }
    std::size_t commandAt() const { return addressAt() + addressLength + expansion; }
    std::size_t countAt() const { return commandAt() + 1; }
    std::size_t dataAt() const { return countAt() + 1; }
    std::size_t checksumAt() const { return dataAt() + byteCount; }
    // NeedMore: the most bytes still missing (before the byte count has come,
    // as if it were 255); 0 while no delimiter has come, since more preambles
    // may precede it.
    std::size_t mostNeeded() const;
};

// Exclusive OR of the bytes; over a whole frame the preambles cancel out.
std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

// A delimiter of an asynchronous (FSK) frame: burst, request or answer. A byte
// that claims another physical layer is far more likely noise than a frame.
bool IsDelimiter(std::uint8_t b);
FrameType TypeOf(std::uint8_t delimiter);
// Bytes between the delimiter and the command: address and expansion bytes.
inline std::size_t AddressLength(std::uint8_t delimiter) { return (delimiter & 0x80) ? 5 : 1; }
inline std::size_t ExpansionBytes(std::uint8_t delimiter) { return (delimiter >> 5) & 0x03; }

// The first frame in `bytes`: skips noise and preamble runs that lead to no
// delimiter, then takes at least `minPreambles` preambles, the delimiter,
// address, expansion bytes, command, byte count, data and checksum. Bytes
// ending in preambles are a frame that needs more. A wrong checksum still
// makes a whole frame; `checksumOk` says so. With `minPreambles` 0 (a frame
// from a network, which carries no preambles) a delimiter without preambles
// also begins a frame.
FrameSpan FindFrame(std::span<const std::uint8_t> bytes, std::size_t minPreambles = 1);

} // namespace hart
