#pragma once

// Marks the texts for the translation tools; this layer keeps the English and the window translates at display.
// Spelt as Qt spells it, so that a Qt header included later redefines it without a warning.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

#include "codec/result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

// Refusals of the Command Code and Return Byte fields, shown in a message box.
inline constexpr std::string_view kNoSpaceText = QT_TRANSLATE_NOOP("converter", "NO SPACK");
inline constexpr std::string_view kDataErrorText = QT_TRANSLATE_NOOP("converter", "Data eeore!");

// Most command bytes the converter stores: 20 for instrument command 1, 15 for 2..4.
int CommandByteLimit(int instrument);

// Refusal of a Command Code with more bytes than the command holds.
std::string TooManyBytesText(int limit);
// Whether a refusal is one of the Command Code's own (shown in a plain message box).
bool IsCommandCodeRefusal(std::string_view text);

// Command Code text ("01 03 00 ...", final blank optional) to at most `limit` bytes.
// Refused with "NO SPACK" (empty, one character, or a separator that is not a blank),
// "Data eeore!" (a digit other than '0'-'9', 'A'-'F', or half a byte at the end)
// or TooManyBytesText (more than `limit` bytes): nothing is ever dropped.
codec::Result<std::vector<std::uint8_t>> ParseCommandCode(std::string_view text, int limit);

// Return byte text: its first two characters as upper-case hexadecimal digits.
// Fewer than two characters: the integer conversion message; a bad digit: "Data eeore!".
codec::Result<std::uint8_t> ReturnByteValue(std::string_view text);

// One instrument command as numbers.
struct InstrumentCommandValue {
    std::uint8_t enable = 0xFF; // as received: 0 "0-Close", 1 "1-Open"
    std::uint8_t returnByte1 = 0;
    std::uint8_t returnByte2 = 0;
    std::vector<std::uint8_t> commandBytes;
};

std::optional<InstrumentCommandValue> DecodeInstrumentCommandValue(std::span<const std::uint8_t> data);
// Refused when the command bytes do not fit their count byte.
codec::Result<std::vector<std::uint8_t>> EncodeInstrumentCommandWrite(const InstrumentCommandValue& value);

// Data of the instrument-command write: enable, return byte 1, return byte 2, n, n bytes.
// `enableIndex` is the enable list's selected index (-1 is sent as 255); `commandBytes`
// comes from ParseCommandCode, so it holds at most 20 bytes.
codec::Result<std::vector<std::uint8_t>> BuildInstrumentCommandWrite(int enableIndex,
                                                                     std::string_view returnByte1,
                                                                     std::string_view returnByte2,
                                                                     std::span<const std::uint8_t> commandBytes);

struct InstrumentCommand {
    int enableIndex;          // 0 or 1; -1 = no selection
    std::string returnByte1;  // two hex digits
    std::string returnByte2;
    std::string commandCode;  // hex byte list, each byte followed by a blank
};

// Read answer of an instrument command; nothing when the answer is shorter than its
// four fixed bytes or than the command bytes its count announces.
std::optional<InstrumentCommand> DecodeInstrumentCommand(std::span<const std::uint8_t> data);

} // namespace converter
