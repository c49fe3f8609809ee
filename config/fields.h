#pragma once

// The kinds of field a configuration item is made of: how each is shown, filed,
// read back from a file and checked before a write. The items list their fields
// in items.cpp.

#include <QJsonObject>
#include <QJsonValue>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace config {

// A whole number from lo to hi in a JSON value; nothing for anything else.
std::optional<long long> WholeNumber(const QJsonValue& v, long long lo, long long hi);

enum class FieldKind {
    Number,  // whole number, lo..hi in a file; a write refuses one above writeMax when given
    Float,   // single, bit-exact in a file; a write refuses one that is not finite
    Packed,  // packed text of at most hi characters
    Pick,    // a byte of a list; the file names its item by index and text too
    Command, // instrument command bytes in hexadecimal, at most hi of them
    HexByte, // one byte as two hexadecimal digits
    Latin1,  // bytes, shown one character each
};

// Where a field's value lives.
using FieldRef = std::variant<std::uint8_t*, std::uint16_t*, std::uint32_t*, int*, float*, std::string*,
                              std::vector<std::uint8_t>*>;

// A list whose items name a byte: in the converter's lists the byte is the item's
// position, in the unit lists the unit's code (each list control has its texts).
struct CodeList {
    std::span<const std::string_view> names;
    bool units = false;

    int index(std::uint8_t code) const;
    std::uint8_t code(int index) const;
    std::string name(int index) const;
};

// The lists of a field, per row of a list item.
CodeList RangeUnits(std::size_t row);
CodeList MappingUnits(std::size_t row);
template <auto Names>
CodeList Positions(std::size_t) { return {Names()}; }

struct FieldDescriptor {
    const char* key = nullptr; // in the file; none: the item's value itself
    FieldKind kind = FieldKind::Number;
    const char* before = ""; // text around the value
    const char* after = "";
    long long lo = 0;
    long long hi = 255;
    long long writeMax = -1;
    bool escaped = false; // Packed: shown with control bytes and backslashes escaped
    CodeList (*list)(std::size_t row) = nullptr;
};

// Each is empty when the value passes, else the reason.
std::optional<std::string> WriteCheck(const FieldDescriptor& f, const FieldRef& r);
std::string FieldText(const FieldDescriptor& f, const FieldRef& r, std::size_t row);
QJsonValue FieldJson(const FieldDescriptor& f, const FieldRef& r, std::size_t row);
std::optional<std::string> FieldFrom(const FieldDescriptor& f, const QJsonValue& v, const FieldRef& r, std::size_t row);
// The field under its key in `o`: missing, or its reason, named by the key.
std::optional<std::string> FieldIn(const QJsonObject& o, const FieldDescriptor& f, const FieldRef& r, std::size_t row);

// Keys other than `known` are refused like unknown items: a misspelt field would
// otherwise be left at its default without a word.
std::optional<std::string> OnlyKeys(const QJsonObject& o, std::span<const std::string_view> known);
// In double quotes, control bytes escaped: texts from files and devices end up on terminals.
std::string Quoted(const std::string& utf8);

} // namespace config
