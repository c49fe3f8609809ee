#pragma once

#include "codec/result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// Command 17: the message packed to 32 characters (24 bytes).
std::vector<std::uint8_t> BuildMessageWrite(std::string_view text);
// Answer to command 12: 32 characters, trailing blanks kept. Needs 24 data bytes.
std::optional<std::string> DecodeMessage(std::span<const std::uint8_t> data);

// Tag, descriptor and date as numbers and characters, for commands 13 and 18.
struct TagDescriptorDateValue {
    std::string tag;        // up to 8 characters
    std::string descriptor; // up to 16 characters
    std::uint8_t day = 1;
    std::uint8_t month = 1;
    int year = 1900;        // travels as year - 1900 in one byte
};

std::optional<TagDescriptorDateValue> DecodeTagDescriptorDateValue(std::span<const std::uint8_t> data);
// Refused when the year lies outside 1900..2155.
codec::Result<std::vector<std::uint8_t>> EncodeTagDescriptorDate(const TagDescriptorDateValue& value);

// The 24-bit numbers of commands 16, 19 and 49.
inline constexpr std::uint32_t kMaxUInt24 = 0xFFFFFF;
std::optional<std::uint32_t> DecodeUInt24(std::span<const std::uint8_t> data);
// Refused above kMaxUInt24.
codec::Result<std::vector<std::uint8_t>> EncodeUInt24(std::uint32_t value);

// Command 18: tag (8 characters, 6 bytes), descriptor (16, 12 bytes), day, month,
// year - 1900 (21 bytes). Day and month 0..255, year 1900..2155; converted in
// that order, the first failure is the result.
codec::Result<std::vector<std::uint8_t>> BuildTagDescriptorDateWrite(std::string_view tag,
                                                                     std::string_view descriptor,
                                                                     std::string_view day, std::string_view month,
                                                                     std::string_view year);

struct TagDescriptorDate {
    std::string tag;         // 8 characters
    std::string descriptor;  // 16 characters
    std::string day;         // decimal, no leading zeros
    std::string month;
    std::string year;        // byte + 1900
};

// Answer to command 13. Needs 21 data bytes.
std::optional<TagDescriptorDate> DecodeTagDescriptorDate(std::span<const std::uint8_t> data);

// Commands 19 and 49: a decimal 0..16777215 as 3 big-endian bytes.
codec::Result<std::vector<std::uint8_t>> BuildFinalAssemblyWrite(std::string_view text);
codec::Result<std::vector<std::uint8_t>> BuildSerialNumberWrite(std::string_view text);
// Answer to command 16: the number in decimal. Needs 3 data bytes.
std::optional<std::string> DecodeFinalAssembly(std::span<const std::uint8_t> data);

// Command 6: the polling-address list's item index; 0xFF for no selection
// (or any index outside 0..15).
std::vector<std::uint8_t> BuildPollingAddressWrite(int itemIndex);

// Command 22: the first 32 bytes of the text, unpacked, zero padded to 32.
std::vector<std::uint8_t> BuildLongTagWrite(std::string_view bytes);
// The same, refused rather than cut or sent with bytes a terminal or the device
// would act on: more than 32 bytes, a zero byte (it would end the tag early) or a
// control character.
codec::Result<std::vector<std::uint8_t>> CheckedLongTagWrite(std::string_view bytes);
// Answer to command 20: the bytes up to the first zero, at most 32. Needs 32 data bytes.
std::optional<std::string> DecodeLongTag(std::span<const std::uint8_t> data);

} // namespace device
