#pragma once

#include "hart/frame_grammar.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hart {

// What the bytes of one write or one delivery hold, for people to read: every
// byte belongs to exactly one piece, so nothing on the line goes unshown.
enum class PieceKind {
    Frame, // delimiter through checksum, with its preambles
    Cut,   // a frame that began but ended before its checksum
    Noise, // bytes that belong to no frame
};

struct LinePiece {
    PieceKind kind = PieceKind::Noise;
    std::size_t offset = 0; // first byte of the piece, preambles included
    std::size_t length = 0;

    // Frames and cut frames: as far as their bytes go.
    int preambles = 0;
    std::uint8_t delimiter = 0;
    FrameType type = FrameType::Request;
    std::vector<std::uint8_t> address; // 1 byte short, 5 bytes long; empty when cut before it
    std::optional<std::uint8_t> command;
    std::optional<std::uint8_t> byteCount;
    std::optional<std::uint8_t> responseCode; // answers and bursts
    std::optional<std::uint8_t> deviceStatus;
    std::vector<std::uint8_t> data; // after the status bytes of an answer
    std::size_t expectedLength = 0; // cut frames whose byte count came: the whole frame's length
    std::uint8_t checksum = 0;
    bool checksumOk = false;

    bool longAddress() const { return delimiter & 0x80; }
    bool masterBit() const { return !address.empty() && (address[0] & 0x80); }
    bool burstBit() const { return !address.empty() && (address[0] & 0x40); }
    // Delimiter through checksum (or through the last byte a cut frame had).
    std::size_t frameOffset() const { return offset + static_cast<std::size_t>(preambles); }
};

std::vector<LinePiece> DecodeLine(std::span<const std::uint8_t> bytes);

// "Read Message" for the commands this tool sends, "command 130" for others.
std::string CommandText(std::uint8_t command);
// The response code in words; with bit 7 set, the communication errors it reports.
std::string ResponseCodeText(std::uint8_t responseCode);
// DeviceAnsweredText, the same words as an outcome sentence, is in frames.h.
// The set bits of the device status byte, most serious first; empty when none is set.
std::vector<std::string_view> DeviceStatusWords(std::uint8_t status);
std::string DeviceStatusText(std::uint8_t status); // the words joined, "OK" when none
// Whether the response code reports a communication error rather than a command outcome.
inline bool IsCommunicationError(std::uint8_t responseCode) { return responseCode & 0x80; }

// One line per piece, and every field of one piece on lines of their own.
std::string Summary(const LinePiece& piece);
std::string Summary(std::span<const LinePiece> pieces); // joined with " | "
std::string Details(const LinePiece& piece, std::span<const std::uint8_t> bytes);

std::string HexText(std::span<const std::uint8_t> bytes); // "FF 82 A6"

} // namespace hart
