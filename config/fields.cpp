#include "config/fields.h"

#include "codec/numeric.h"
#include "codec/text.h"
#include "codec/units.h"
#include "config/items.h"
#include "converter/instrument_commands.h"
#include "converter/list_items.h"

#include <QJsonArray>
#include <QString>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>

namespace config {

std::optional<long long> WholeNumber(const QJsonValue& v, long long lo, long long hi)
{
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < static_cast<double>(lo) || d > static_cast<double>(hi))
        return std::nullopt;
    return static_cast<long long>(d);
}


namespace {

using Bytes = std::vector<std::uint8_t>;
using Reason = std::optional<std::string>;

template <typename T>
using R = codec::Result<T>;

// ---- Values to text and JSON, JSON to values ---------------------------------------------------

// Qt writes and reads -0 as 0, so negative zero travels as the text "-0".
constexpr const char* kNegativeZero = "-0";

QJsonValue FloatJson(float v)
{
    if (!std::isfinite(v))
        return QString::fromStdString(ShortestFloatText(v)); // JSON has no such numbers; reading refuses them
    if (v == 0.0f && std::signbit(v))
        return QString::fromLatin1(kNegativeZero);
    const std::string text = ShortestFloatText(v);
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    // Qt writes a double in its shortest form, so the file shows this text.
    return d;
}

R<float> FloatFrom(const QJsonValue& v)
{
    if (v.isString() && v.toString() == QLatin1String(kNegativeZero))
        return R<float>::Ok(-0.0f);
    if (!v.isDouble())
        return R<float>::Fail("not a number");
    const double d = v.toDouble();
    // Through the double's shortest text, so a decimal the file shows is rounded to a single only once.
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, d).ptr;
    float f = 0;
    const auto parsed = std::from_chars(buf, end, f);
    if (parsed.ec != std::errc() || !std::isfinite(f))
        return R<float>::Fail("outside the single-precision range");
    return R<float>::Ok(f);
}

R<long long> IntegerFrom(const QJsonValue& v, long long lo, long long hi)
{
    if (!v.isDouble())
        return R<long long>::Fail("not a number");
    const double d = v.toDouble();
    if (d != std::floor(d))
        return R<long long>::Fail("not a whole number");
    if (d < static_cast<double>(lo) || d > static_cast<double>(hi))
        return R<long long>::Fail(std::to_string(static_cast<long long>(std::clamp(d, -9e18, 9e18)))
                                  + " is out of range (" + std::to_string(lo) + ".." + std::to_string(hi) + ")");
    return R<long long>::Ok(static_cast<long long>(d));
}

R<std::string> TextFrom(const QJsonValue& v)
{
    if (!v.isString())
        return R<std::string>::Fail("not a text");
    return R<std::string>::Ok(v.toString().toStdString());
}

std::string TextOrNull(const QJsonValue& v) { return v.isString() ? Quoted(v.toString().toStdString()) : "null"; }

std::string TrimRight(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr std::array<std::string_view, 3> kPickKeys{"code", "index", "text"};

int FindText(const QString& t, std::span<const std::string_view> items)
{
    for (std::size_t k = 0; k < items.size(); ++k)
        if (TrimRight(std::string(items[k])) == TrimRight(t.toStdString()))
            return static_cast<int>(k);
    return -1;
}

// What a pick says in words: its item, or the byte when the list has no such item.
std::string PickText(std::uint8_t code, const CodeList& list)
{
    const int index = list.index(code);
    if (list.units)
        return "unit " + std::to_string(code) + " (" + list.name(index) + ")";
    if (index < 0)
        return "code " + std::to_string(code) + " (not in this program's list)";
    return list.name(index);
}

// A pick travels as the device's byte; index and text name its item, for people.
QJsonValue PickJson(std::uint8_t code, const CodeList& list)
{
    const int index = list.index(code);
    return QJsonObject{
        {"code", code}, {"index", index}, {"text", index >= 0 ? QJsonValue(Q(list.name(index))) : QJsonValue()}};
}

// The item a pick names by index or text, checked against `expected` when given:
// a file whose code, index and text disagree is refused, not guessed at.
// -1 stands for no item (index -1 or text null).
R<int> NamedItem(const QJsonObject& o, std::span<const std::string_view> items, std::optional<int> expected)
{
    std::optional<int> named;
    if (o.contains("index")) {
        const auto index = IntegerFrom(o.value("index"), -1, static_cast<long long>(items.size()) - 1);
        if (!index)
            return R<int>::Fail("index: " + index.error());
        named = static_cast<int>(*index);
    }
    if (o.contains("text")) {
        const QJsonValue text = o.value("text");
        int byText = -1;
        if (text.isString()) {
            byText = FindText(text.toString(), items);
            if (byText < 0)
                return R<int>::Fail(Quoted(text.toString().toStdString()) + " is not an item of the list");
        } else if (!text.isNull()) {
            return R<int>::Fail("text: not a text");
        }
        if (named && *named != byText)
            return R<int>::Fail("index " + std::to_string(*named) + " and text " + TextOrNull(text)
                                + " name different items");
        named = byText;
    }
    if (expected && named && *named != *expected)
        return R<int>::Fail("code and " + std::string(o.contains("index") ? "index" : "text") + " name different items");
    if (!named)
        return R<int>::Fail("neither code, index nor text");
    return R<int>::Ok(*named);
}

// By code when given (index and text, when given, must name its item), else by index or
// text; a pick of no item needs its code, since the device would otherwise be sent 255.
Reason PickFrom(const QJsonValue& v, const CodeList& list, std::uint8_t& out)
{
    if (!v.isObject())
        return "not an object with code, index and text";
    const QJsonObject o = v.toObject();
    if (auto bad = OnlyKeys(o, kPickKeys))
        return bad;
    if (o.contains("code")) {
        const auto code = IntegerFrom(o.value("code"), 0, 255);
        if (!code)
            return "code: " + code.error();
        const auto named = NamedItem(o, list.names, list.index(static_cast<std::uint8_t>(*code)));
        if (!named && named.error() != "neither code, index nor text")
            return named.error();
        out = static_cast<std::uint8_t>(*code);
        return std::nullopt;
    }
    const auto named = NamedItem(o, list.names, std::nullopt);
    if (!named)
        return named.error();
    if (*named < 0)
        return std::string("no item and no code: give the ") + (list.units ? "unit's" : "device's") + " code";
    out = list.code(*named);
    return std::nullopt;
}

// Unit lists carry their own texts per control; a file names the texts of the one given.
struct UnitNames {
    std::vector<std::string> texts;
    std::vector<std::string_view> views;
    explicit UnitNames(codec::UnitListControl control) : texts(codec::UnitList(control))
    {
        for (const auto& t : texts)
            views.emplace_back(t);
    }
};

// Packed text: 6-bit characters, blank to '_', no lower case.
Reason PackableText(const std::string& text, std::size_t maxChars)
{
    if (text.size() > maxChars)
        return "longer than " + std::to_string(maxChars) + " characters";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x20 && b <= 0x5F)
            continue;
        // The whole UTF-8 character, escaped, so the reason never prints half a character or a control.
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        return "'" + codec::EscapeControl(text.substr(i, n), true) + "' cannot be sent as packed text (blank to '_', no lower case)";
    }
    return std::nullopt;
}

long long NumberOf(const FieldRef& r)
{
    return std::visit([](auto* p) -> long long {
        if constexpr (std::is_integral_v<std::remove_pointer_t<decltype(p)>>)
            return static_cast<long long>(*p);
        else
            return 0;
    }, r);
}

void SetNumber(const FieldRef& r, long long n)
{
    std::visit([n](auto* p) {
        using T = std::remove_pointer_t<decltype(p)>;
        if constexpr (std::is_integral_v<T>)
            *p = static_cast<T>(n);
    }, r);
}

} // namespace

// Built by appending: GCC 12 warns wrongly (-Wrestrict) on "\"" + std::string.
std::string Quoted(const std::string& utf8)
{
    std::string out(1, '"');
    out += codec::EscapeControl(utf8, true);
    out += '"';
    return out;
}

Reason OnlyKeys(const QJsonObject& o, std::span<const std::string_view> known)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (std::find(known.begin(), known.end(), key) == known.end())
            return "unknown key " + Quoted(key);
    }
    return std::nullopt;
}

int CodeList::index(std::uint8_t code) const
{
    return units ? codec::UnitCodeToItem(code) : converter::ListIndex(code, static_cast<int>(names.size()));
}

std::uint8_t CodeList::code(int index) const
{
    return units ? codec::ItemToUnitCode(index) : converter::ListByte(index);
}

std::string CodeList::name(int index) const { return TrimRight(std::string(names[static_cast<std::size_t>(index)])); }

CodeList RangeUnits(std::size_t)
{
    static const UnitNames names(codec::UnitListControl::ComboBox5);
    return {names.views, true};
}

CodeList MappingUnits(std::size_t row)
{
    static const std::array<UnitNames, 4> names{UnitNames(codec::UnitListControl::WEI1),
                                                UnitNames(codec::UnitListControl::WEI2),
                                                UnitNames(codec::UnitListControl::WEI3),
                                                UnitNames(codec::UnitListControl::WEI4)};
    return {names[row].views, true};
}

Reason WriteCheck(const FieldDescriptor& f, const FieldRef& r)
{
    switch (f.kind) {
    case FieldKind::Number:
        if (f.writeMax >= 0 && NumberOf(r) > f.writeMax)
            return codec::RangeErrorText(std::to_string(NumberOf(r)), f.lo, f.writeMax);
        return std::nullopt;
    case FieldKind::Float:
        if (!std::isfinite(*std::get<float*>(r)))
            return codec::FloatErrorText(ShortestFloatText(*std::get<float*>(r)));
        return std::nullopt;
    case FieldKind::Packed:
        if (auto bad = PackableText(*std::get<std::string*>(r), static_cast<std::size_t>(f.hi)))
            return f.key ? std::string(f.key) + ": " + *bad : *bad;
        return std::nullopt;
    case FieldKind::Command:
        if (const auto n = std::get<Bytes*>(r)->size(); n > static_cast<std::size_t>(f.hi))
            return "command code: " + std::to_string(n) + " bytes, at most " + std::to_string(f.hi) + " fit";
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::string FieldText(const FieldDescriptor& f, const FieldRef& r, std::size_t row)
{
    switch (f.kind) {
    case FieldKind::Number: return std::to_string(NumberOf(r));
    case FieldKind::Float: return ShortestFloatText(*std::get<float*>(r));
    case FieldKind::Packed: {
        const std::string text = TrimRight(*std::get<std::string*>(r));
        return f.escaped ? codec::EscapeControl(text, true) : text;
    }
    case FieldKind::Pick: return PickText(*std::get<std::uint8_t*>(r), f.list(row));
    case FieldKind::Command: return codec::HexByteList(*std::get<Bytes*>(r));
    case FieldKind::HexByte: return codec::ByteToHex(*std::get<std::uint8_t*>(r));
    // Escaped as Latin-1 bytes, so a C1 control shows as the byte the device holds.
    case FieldKind::Latin1: return QString::fromLatin1(codec::EscapeControl(*std::get<std::string*>(r))).toStdString();
    }
    return {};
}

QJsonValue FieldJson(const FieldDescriptor& f, const FieldRef& r, std::size_t row)
{
    switch (f.kind) {
    case FieldKind::Number:
        if (std::holds_alternative<std::uint32_t*>(r))
            return static_cast<double>(NumberOf(r));
        return static_cast<int>(NumberOf(r));
    case FieldKind::Float: return FloatJson(*std::get<float*>(r));
    case FieldKind::Packed: return Q(TrimRight(*std::get<std::string*>(r)));
    case FieldKind::Pick: return PickJson(*std::get<std::uint8_t*>(r), f.list(row));
    case FieldKind::Command: return Q(codec::HexByteList(*std::get<Bytes*>(r)));
    case FieldKind::HexByte: return Q(codec::ByteToHex(*std::get<std::uint8_t*>(r)));
    case FieldKind::Latin1: {
        const std::string& s = *std::get<std::string*>(r);
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    }
    }
    return {};
}

Reason FieldFrom(const FieldDescriptor& f, const QJsonValue& x, const FieldRef& r, std::size_t row)
{
    switch (f.kind) {
    case FieldKind::Number: {
        const auto n = IntegerFrom(x, f.lo, f.hi);
        if (!n)
            return n.error();
        SetNumber(r, *n);
        return std::nullopt;
    }
    case FieldKind::Float: {
        const auto v = FloatFrom(x);
        if (!v)
            return v.error();
        *std::get<float*>(r) = *v;
        return std::nullopt;
    }
    case FieldKind::Packed: {
        const auto t = TextFrom(x);
        if (!t)
            return t.error();
        if (auto bad = PackableText(*t, static_cast<std::size_t>(f.hi)))
            return bad;
        *std::get<std::string*>(r) = *t;
        return std::nullopt;
    }
    case FieldKind::Pick: return PickFrom(x, f.list(row), *std::get<std::uint8_t*>(r));
    case FieldKind::Command: {
        const auto t = TextFrom(x);
        if (!t)
            return t.error();
        if (t->find_first_not_of(' ') == std::string::npos)
            return std::nullopt; // no command bytes at all
        // More bytes than the command holds: no device can hold them.
        const auto bytes = converter::ParseCommandCode(*t, static_cast<int>(f.hi));
        if (!bytes)
            return Quoted(*t) + ": " + bytes.error();
        *std::get<Bytes*>(r) = *bytes;
        return std::nullopt;
    }
    case FieldKind::HexByte: {
        const auto t = TextFrom(x);
        if (!t)
            return t.error();
        // Exactly one byte: the window's field reads two characters and ignores the rest,
        // a file must not have its extra characters dropped.
        if (t->size() != 2)
            return Quoted(*t) + ": not two hexadecimal digits";
        const auto b = converter::ReturnByteValue(*t);
        if (!b)
            return Quoted(*t) + ": " + b.error();
        *std::get<std::uint8_t*>(r) = *b;
        return std::nullopt;
    }
    case FieldKind::Latin1: {
        if (!x.isString())
            return "not a text";
        const QString s = x.toString();
        for (const QChar ch : s)
            if (ch.unicode() > 0xFF)
                return "'" + QString(ch).toStdString() + "' is not a one-byte character";
        const QByteArray bytes = s.toLatin1();
        *std::get<std::string*>(r) = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// Field errors carry the field's name in front of the reason.
Reason FieldIn(const QJsonObject& o, const FieldDescriptor& f, const FieldRef& r, std::size_t row)
{
    if (!o.contains(f.key))
        return std::string(f.key) + ": missing";
    if (auto bad = FieldFrom(f, o.value(f.key), r, row))
        return std::string(f.key) + ": " + *bad;
    return std::nullopt;
}

} // namespace config
