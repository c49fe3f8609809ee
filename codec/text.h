#pragma once

#include <string>
#include <string_view>

namespace codec {

// A device's or a file's bytes made safe for a terminal or a label: control
// bytes (C0, DEL and the C1 range a Latin-1 reading would show) become \xHH
// and the backslash doubles, so an escaped text cannot be mistaken for one
// that was sent that way. Bytes that are part of valid UTF-8 pass unchanged
// only when `utf8` is set; otherwise every byte is taken as Latin-1.
std::string EscapeControl(std::string_view bytes, bool utf8 = false);

// Whether the text holds a byte EscapeControl would escape (backslash aside).
bool HasControl(std::string_view bytes, bool utf8 = false);

} // namespace codec
