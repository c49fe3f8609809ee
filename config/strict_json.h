#pragma once

#include <QByteArray>

#include <optional>
#include <string>

namespace config {

// The first key that stands twice in one object of a JSON text, with its path
// ("items.rs485.parity"); nothing when every object's keys are distinct.
// Qt's reader keeps the last of two equal keys without a word, so a file that
// says a thing twice is refused before it is read. Expects valid JSON.
std::optional<std::string> DuplicateKey(const QByteArray& json);

} // namespace config
