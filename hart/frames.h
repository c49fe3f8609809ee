#pragma once

#include "hart/frame_grammar.h"
#include "hart/link_buffer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hart {

inline constexpr std::uint8_t kMasterShort = 0x02;
inline constexpr std::uint8_t kMasterLong = 0x82;
inline constexpr std::uint8_t kSlaveShort = 0x06;
inline constexpr std::uint8_t kSlaveLong = 0x86;

// Address byte 0 of a long frame: the master bit and the manufacturer code's
// six address bits (bits 6 and 7 of that byte are flags, not address).
std::uint8_t LongAddressByte0(std::uint8_t manufacturer);

// Frame builders write into `out` and return the frame length, 0 when it does not fit.
std::size_t BuildShortFrame(std::span<std::uint8_t> out, std::uint8_t pollingAddress);
std::size_t BuildLongFrame(std::span<std::uint8_t> out, int preambles, const DeviceIdentity& id,
                           std::uint8_t command, std::span<const std::uint8_t> data);

std::vector<std::uint8_t> ShortFrame(std::uint8_t pollingAddress);
std::vector<std::uint8_t> LongFrame(int preambles, const DeviceIdentity& id, std::uint8_t command,
                                    std::span<const std::uint8_t> data);

// A slave's long-frame answer with one preamble, as AnswerFrame::Parse takes
// it: for showing values that came another way through the answers' decoders.
std::vector<std::uint8_t> LongAnswer(const DeviceIdentity& id, std::uint8_t command, std::uint8_t responseCode,
                                     std::span<const std::uint8_t> data);

// A slave answer, checked whole by the frame grammar before anyone reads it:
// delimiter, address, command, byte count, status bytes, data and a right
// checksum, all inside the bytes it was parsed from.
class AnswerFrame {
public:
    // `header` is the index of the last preamble; the delimiter follows it.
    static std::optional<AnswerFrame> Parse(std::span<const std::uint8_t> bytes, std::size_t header);

    std::size_t header() const { return header_; }
    std::uint8_t delimiter() const { return delimiter_; }
    bool longAddress() const { return delimiter_ & 0x80; }
    std::span<const std::uint8_t> address() const { return address_; }
    std::uint8_t command() const { return command_; }
    std::uint8_t byteCount() const { return byteCount_; }
    std::uint8_t responseCode() const { return responseCode_; }
    std::uint8_t deviceStatus() const { return deviceStatus_; }
    std::span<const std::uint8_t> data() const { return data_; }
    std::size_t size() const { return size_; } // delimiter through checksum

private:
    AnswerFrame() = default;
    std::size_t header_ = 0;
    std::uint8_t delimiter_ = 0;
    std::span<const std::uint8_t> address_;
    std::uint8_t command_ = 0;
    std::uint8_t byteCount_ = 0;
    std::uint8_t responseCode_ = 0;
    std::uint8_t deviceStatus_ = 0;
    std::span<const std::uint8_t> data_;
    std::size_t size_ = 0;
};

// Whether `answer` is the answer to `request` (a master frame as sent,
// preambles first): the command it asked, the frame shape and the address it
// went to. A long answer also carries the request's master bit; a short one
// only its polling address, since devices differ in the master bit they echo
// to a short frame. The burst-mode bit is never part of the address. A long
// request to the all-zero address takes an answer from any device. A request
// whose bytes are no master frame is matched by its command alone.
bool AnswersRequest(const AnswerFrame& answer, std::span<const std::uint8_t> request, std::uint8_t command);

// Response codes that are errors rather than warnings: such an answer carries no data to show.
bool IsErrorResponse(std::uint8_t responseCode);

// An answer's response code as the outcome of a request, for a sentence:
// "the device answered: in write protect mode (response code 7)". Worded
// with ResponseCodeText (frame_decoder.cpp).
std::string DeviceAnsweredText(std::uint8_t responseCode);

} // namespace hart
