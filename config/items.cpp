#include "config/items.h"

#include "codec/numeric.h"
#include "codec/packed_ascii.h"
#include "codec/text.h"
#include "codec/units.h"
#include "converter/list_items.h"
#include "device/identify.h"
#include "hart/request_frame.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace config {

namespace {

using Bytes = std::vector<std::uint8_t>;
using BytesResult = codec::Result<Bytes>;
using Reason = std::optional<std::string>;

template <typename T>
using R = codec::Result<T>;

// ---- Values to text and JSON, JSON to values ---------------------------------------------------

bool SameFloat(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

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

// Built by appending: GCC 12 warns wrongly (-Wrestrict) on "\"" + std::string.
// Texts from files and devices end up on terminals: their control bytes are escaped.
std::string Quoted(const std::string& utf8)
{
    std::string out(1, '"');
    out += codec::EscapeControl(utf8, true);
    out += '"';
    return out;
}

std::string TextOrNull(const QJsonValue& v) { return v.isString() ? Quoted(v.toString().toStdString()) : "null"; }

std::string TrimRight(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Keys of an object item other than `known` are refused like unknown items: a
// misspelt field would otherwise be left at its default without a word.
Reason OnlyKeys(const QJsonObject& o, std::initializer_list<std::string_view> known)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (std::find(known.begin(), known.end(), key) == known.end())
            return "unknown key " + Quoted(key);
    }
    return std::nullopt;
}

int FindText(const QString& t, std::span<const std::string_view> items)
{
    for (std::size_t k = 0; k < items.size(); ++k)
        if (TrimRight(std::string(items[k])) == TrimRight(t.toStdString()))
            return static_cast<int>(k);
    return -1;
}

std::string ChoiceText(int index, std::span<const std::string_view> items)
{
    if (index < 0 || index >= static_cast<int>(items.size()))
        return "(none)";
    return TrimRight(std::string(items[static_cast<std::size_t>(index)]));
}

// What a list pick says in words: the item, or the byte when the list has no such item.
std::string PickText(std::uint8_t code, std::span<const std::string_view> items)
{
    const int index = converter::ListIndex(code, static_cast<int>(items.size()));
    if (index < 0)
        return "code " + std::to_string(code) + " (not in this program's list)";
    return ChoiceText(index, items);
}

// A list pick travels as the device's byte; index and text name its item, for people.
QJsonValue PickJson(std::uint8_t code, std::span<const std::string_view> items)
{
    const int index = converter::ListIndex(code, static_cast<int>(items.size()));
    return QJsonObject{{"code", code},
                       {"index", index},
                       {"text", index >= 0 ? QJsonValue(Q(items[static_cast<std::size_t>(index)])) : QJsonValue()}};
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

// By code when given, else by index or text; a pick of no item needs its code,
// since the device would otherwise be sent 255.
Reason PickField(const QJsonValue& v, std::span<const std::string_view> items, std::uint8_t& out)
{
    if (!v.isObject())
        return "not an object with code, index and text";
    const QJsonObject o = v.toObject();
    if (auto bad = OnlyKeys(o, {"code", "index", "text"}))
        return bad;
    const int count = static_cast<int>(items.size());
    if (o.contains("code")) {
        const auto code = IntegerFrom(o.value("code"), 0, 255);
        if (!code)
            return "code: " + code.error();
        const auto named = NamedItem(o, items, converter::ListIndex(static_cast<std::uint8_t>(*code), count));
        if (!named && named.error() != "neither code, index nor text")
            return named.error();
        out = static_cast<std::uint8_t>(*code);
        return std::nullopt;
    }
    const auto named = NamedItem(o, items, std::nullopt);
    if (!named)
        return named.error();
    if (*named < 0)
        return "no item and no code: give the device's code";
    out = converter::ListByte(*named);
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

const UnitNames& RangeUnits()
{
    static const UnitNames names(codec::UnitListControl::ComboBox5);
    return names;
}

const UnitNames& MappingUnits(std::size_t row)
{
    static const std::array<UnitNames, 4> names{UnitNames(codec::UnitListControl::WEI1),
                                                UnitNames(codec::UnitListControl::WEI2),
                                                UnitNames(codec::UnitListControl::WEI3),
                                                UnitNames(codec::UnitListControl::WEI4)};
    return names[row];
}

// A unit travels as its code; index and text name its item in the list, for people.
QJsonValue UnitJson(std::uint8_t code, const UnitNames& names)
{
    const int item = codec::UnitCodeToItem(code);
    return QJsonObject{{"code", code}, {"index", item}, {"text", Q(ChoiceText(item, names.views))}};
}

std::string UnitText(std::uint8_t code, const UnitNames& names)
{
    return "unit " + std::to_string(code) + " (" + ChoiceText(codec::UnitCodeToItem(code), names.views) + ")";
}

// By code when given (index and text, when given, must name its item), else by the list item.
std::optional<std::string> UnitFrom(const QJsonValue& u, const UnitNames& names, std::uint8_t& code)
{
    if (!u.isObject())
        return "not an object with code, index and text";
    const QJsonObject o = u.toObject();
    if (auto bad = OnlyKeys(o, {"code", "index", "text"}))
        return bad;
    if (o.contains("code")) {
        const auto n = IntegerFrom(o.value("code"), 0, 255);
        if (!n)
            return "code: " + n.error();
        const auto named = NamedItem(o, names.views, codec::UnitCodeToItem(static_cast<std::uint8_t>(*n)));
        if (!named && named.error() != "neither code, index nor text")
            return named.error();
        code = static_cast<std::uint8_t>(*n);
        return std::nullopt;
    }
    const auto item = NamedItem(o, names.views, std::nullopt);
    if (!item)
        return item.error();
    if (*item < 0)
        return "no item and no code: give the unit's code";
    code = codec::ItemToUnitCode(*item);
    return std::nullopt;
}

// Field errors carry the field's name in front of the reason.
template <typename T>
Reason Field(const QJsonObject& o, const char* name, T&& read)
{
    if (!o.contains(name))
        return std::string(name) + ": missing";
    if (auto r = read(o.value(name)))
        return std::string(name) + ": " + *r;
    return std::nullopt;
}

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

Reason TextField(const QJsonValue& v, std::size_t maxChars, std::string& out)
{
    const auto t = TextFrom(v);
    if (!t)
        return t.error();
    if (auto bad = PackableText(*t, maxChars))
        return bad;
    out = *t;
    return std::nullopt;
}

template <typename Int>
Reason IntField(const QJsonValue& v, long long lo, long long hi, Int& out)
{
    const auto n = IntegerFrom(v, lo, hi);
    if (!n)
        return n.error();
    out = static_cast<Int>(*n);
    return std::nullopt;
}

Reason FloatField(const QJsonValue& v, float& out)
{
    const auto f = FloatFrom(v);
    if (!f)
        return f.error();
    out = *f;
    return std::nullopt;
}


BytesResult Refused(std::string reason) { return BytesResult::Fail(std::move(reason)); }

BytesResult FiniteFloats(std::initializer_list<float> values, const Bytes& ok)
{
    for (const float v : values)
        if (!std::isfinite(v))
            return Refused(codec::FloatErrorText(ShortestFloatText(v)));
    return BytesResult::Ok(ok);
}

// ---- The items -------------------------------------------------------------------------------

// Member access per item; everything else is written once in terms of these.
template <auto Member>
struct Plain {
    static bool has(const Configuration& c) { return (c.*Member).has_value(); }
    static void take(const Configuration& from, Configuration& to) { to.*Member = from.*Member; }
};

template <auto Member, std::size_t K>
struct Indexed {
    static bool has(const Configuration& c) { return (c.*Member)[K].has_value(); }
    static void take(const Configuration& from, Configuration& to) { (to.*Member)[K] = (from.*Member)[K]; }
};

// Message.
struct Message : Plain<&Configuration::message> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.message = device::DecodeMessage(a.data);
        return c.message.has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        if (auto bad = PackableText(*c.message, 32))
            return Refused(*bad);
        return BytesResult::Ok(device::BuildMessageWrite(*c.message));
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return device::BuildMessageWrite(*a.message) == device::BuildMessageWrite(*b.message);
    }
    static std::string text(const Configuration& c) { return Quoted(TrimRight(*c.message)); }
    static QJsonValue json(const Configuration& c) { return Q(TrimRight(*c.message)); }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        std::string s;
        if (auto bad = TextField(v, 32, s))
            return bad;
        c.message = s;
        return std::nullopt;
    }
};

// Tag, descriptor and date.
struct TagDescriptorDate : Plain<&Configuration::tagDescriptorDate> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.tagDescriptorDate = device::DecodeTagDescriptorDateValue(a.data);
        return c.tagDescriptorDate.has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        const auto& v = *c.tagDescriptorDate;
        if (auto bad = PackableText(v.tag, 8))
            return Refused("tag: " + *bad);
        if (auto bad = PackableText(v.descriptor, 16))
            return Refused("descriptor: " + *bad);
        if (v.day < 1 || v.day > 31 || v.month < 1 || v.month > 12)
            return Refused("date " + std::to_string(v.day) + "." + std::to_string(v.month)
                           + ": the device takes only a day 1..31 and a month 1..12");
        return device::EncodeTagDescriptorDate(v);
    }
    // By field, not by the write's bytes: a date never set (0.0) cannot be
    // built, yet a device's own backup must compare equal to it.
    static bool equal(const Configuration& a, const Configuration& b)
    {
        const auto& x = *a.tagDescriptorDate;
        const auto& y = *b.tagDescriptorDate;
        return TrimRight(x.tag) == TrimRight(y.tag) && TrimRight(x.descriptor) == TrimRight(y.descriptor)
               && x.day == y.day && x.month == y.month && x.year == y.year;
    }
    static std::string text(const Configuration& c)
    {
        const auto& v = *c.tagDescriptorDate;
        return "tag \"" + TrimRight(v.tag) + "\", descriptor \"" + TrimRight(v.descriptor) + "\", date "
               + std::to_string(v.day) + "." + std::to_string(v.month) + "." + std::to_string(v.year);
    }
    static QJsonValue json(const Configuration& c)
    {
        const auto& v = *c.tagDescriptorDate;
        return QJsonObject{{"tag", Q(TrimRight(v.tag))}, {"descriptor", Q(TrimRight(v.descriptor))},
                           {"day", v.day}, {"month", v.month}, {"year", v.year}};
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isObject())
            return "not an object";
        const QJsonObject o = v.toObject();
        device::TagDescriptorDateValue t;
        if (auto bad = Field(o, "tag", [&](const QJsonValue& x) { return TextField(x, 8, t.tag); }))
            return bad;
        if (auto bad = Field(o, "descriptor", [&](const QJsonValue& x) { return TextField(x, 16, t.descriptor); }))
            return bad;
        if (auto bad = OnlyKeys(o, {"tag", "descriptor", "day", "month", "year"}))
            return bad;
        // No calendar has a day 32 or a month 13; 0 is a date never set, which
        // devices hold and their backups must keep (writing it is refused).
        if (auto bad = Field(o, "day", [&](const QJsonValue& x) { return IntField(x, 0, 31, t.day); }))
            return bad;
        if (auto bad = Field(o, "month", [&](const QJsonValue& x) { return IntField(x, 0, 12, t.month); }))
            return bad;
        if (auto bad = Field(o, "year", [&](const QJsonValue& x) { return IntField(x, 1900, 2155, t.year); }))
            return bad;
        c.tagDescriptorDate = t;
        return std::nullopt;
    }
};

// A 24-bit number: final assembly number and the serial number.
template <auto Member>
struct Number24 : Plain<Member> {
    static BytesResult build(const Configuration& c) { return device::EncodeUInt24(*(c.*Member)); }
    static bool equal(const Configuration& a, const Configuration& b) { return *(a.*Member) == *(b.*Member); }
    static std::string text(const Configuration& c) { return std::to_string(*(c.*Member)); }
    static QJsonValue json(const Configuration& c) { return static_cast<double>(*(c.*Member)); }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        std::uint32_t n = 0;
        if (auto bad = IntField(v, 0, device::kMaxUInt24, n))
            return bad;
        c.*Member = n;
        return std::nullopt;
    }
};

struct FinalAssembly : Number24<&Configuration::finalAssembly> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.finalAssembly = device::DecodeUInt24(a.data);
        return c.finalAssembly.has_value();
    }
};

struct SerialNumber : Number24<&Configuration::serialNumber> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        const auto id = device::DecodeIdentify(a.data, a.polledAddress);
        if (!id)
            return false;
        c.serialNumber = id->identity.serialNumber();
        return true;
    }
};

// Long tag: plain bytes, shown one character per byte.
struct LongTag : Plain<&Configuration::longTag> {
    static constexpr std::size_t kBytes = 32;
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.longTag = device::DecodeLongTag(a.data);
        return c.longTag.has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        return device::CheckedLongTagWrite(*c.longTag);
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return device::BuildLongTagWrite(*a.longTag) == device::BuildLongTagWrite(*b.longTag);
    }
    static std::string text(const Configuration& c)
    {
        // Escaped as Latin-1 bytes, so a C1 control shows as the byte the device holds.
        return "\"" + QString::fromLatin1(codec::EscapeControl(*c.longTag)).toStdString() + "\"";
    }
    static QJsonValue json(const Configuration& c)
    {
        return QString::fromLatin1(c.longTag->data(), static_cast<qsizetype>(c.longTag->size()));
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isString())
            return "not a text";
        const QString s = v.toString();
        for (const QChar ch : s)
            if (ch.unicode() > 0xFF)
                return "'" + QString(ch).toStdString() + "' is not a one-byte character";
        const QByteArray bytes = s.toLatin1();
        c.longTag = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return std::nullopt;
    }
};

// Range: the unit travels as its code, which may lack an item of its own.
struct RangeItem : Plain<&Configuration::range> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.range = device::DecodeRangeSetting(a.data);
        return c.range.has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        return FiniteFloats({c.range->upper, c.range->lower}, device::EncodeRangeWrite(*c.range));
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return a.range->unitCode == b.range->unitCode && SameFloat(a.range->upper, b.range->upper)
               && SameFloat(a.range->lower, b.range->lower);
    }
    static std::string text(const Configuration& c)
    {
        const auto& r = *c.range;
        return UnitText(r.unitCode, RangeUnits()) + ", upper "
               + ShortestFloatText(r.upper) + ", lower " + ShortestFloatText(r.lower);
    }
    static QJsonValue json(const Configuration& c)
    {
        return QJsonObject{{"unit", UnitJson(c.range->unitCode, RangeUnits())},
                           {"upper", FloatJson(c.range->upper)},
                           {"lower", FloatJson(c.range->lower)}};
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isObject())
            return "not an object";
        const QJsonObject o = v.toObject();
        device::RangeSetting r;
        if (auto bad = OnlyKeys(o, {"unit", "upper", "lower"}))
            return bad;
        if (auto bad = Field(o, "unit", [&](const QJsonValue& u) { return UnitFrom(u, RangeUnits(), r.unitCode); }))
            return bad;
        if (auto bad = Field(o, "upper", [&](const QJsonValue& x) { return FloatField(x, r.upper); }))
            return bad;
        if (auto bad = Field(o, "lower", [&](const QJsonValue& x) { return FloatField(x, r.lower); }))
            return bad;
        c.range = r;
        return std::nullopt;
    }
};

// Instrument commands 1..4.
template <std::size_t K>
struct Instrument : Indexed<&Configuration::instruments, K> {
    static const converter::InstrumentCommandValue& v(const Configuration& c) { return *c.instruments[K]; }
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.instruments[K] = converter::DecodeInstrumentCommandValue(a.data);
        return c.instruments[K].has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        const std::size_t limit = static_cast<std::size_t>(converter::CommandByteLimit(static_cast<int>(K) + 1));
        if (v(c).commandBytes.size() > limit)
            return Refused("command code: " + std::to_string(v(c).commandBytes.size()) + " bytes, at most "
                           + std::to_string(limit) + " fit");
        return converter::EncodeInstrumentCommandWrite(v(c));
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return v(a).enable == v(b).enable && v(a).returnByte1 == v(b).returnByte1
               && v(a).returnByte2 == v(b).returnByte2 && v(a).commandBytes == v(b).commandBytes;
    }
    static std::string text(const Configuration& c)
    {
        return PickText(v(c).enable, converter::EnableItems()) + ", command code \""
               + codec::HexByteList(v(c).commandBytes) + "\", return bytes " + codec::ByteToHex(v(c).returnByte1)
               + " " + codec::ByteToHex(v(c).returnByte2);
    }
    static QJsonValue json(const Configuration& c)
    {
        return QJsonObject{{"enable", PickJson(v(c).enable, converter::EnableItems())},
                           {"commandCode", Q(codec::HexByteList(v(c).commandBytes))},
                           {"returnByte1", Q(codec::ByteToHex(v(c).returnByte1))},
                           {"returnByte2", Q(codec::ByteToHex(v(c).returnByte2))}};
    }
    static Reason fromJson(const QJsonValue& j, Configuration& c)
    {
        if (!j.isObject())
            return "not an object";
        const QJsonObject o = j.toObject();
        converter::InstrumentCommandValue r;
        if (auto bad = OnlyKeys(o, {"enable", "commandCode", "returnByte1", "returnByte2"}))
            return bad;
        if (auto bad = Field(o, "enable", [&](const QJsonValue& x) {
                return PickField(x, converter::EnableItems(), r.enable);
            }))
            return bad;
        if (auto bad = Field(o, "commandCode", [&](const QJsonValue& x) -> Reason {
                const auto t = TextFrom(x);
                if (!t)
                    return t.error();
                if (t->find_first_not_of(' ') == std::string::npos)
                    return std::nullopt; // no command bytes at all
                // More bytes than the command holds: no device can hold them.
                const auto bytes = converter::ParseCommandCode(*t, converter::CommandByteLimit(static_cast<int>(K) + 1));
                if (!bytes)
                    return Quoted(*t) + ": " + bytes.error();
                r.commandBytes = *bytes;
                return std::nullopt;
            }))
            return bad;
        const auto returnByte = [](std::uint8_t& out) {
            return [&out](const QJsonValue& x) -> Reason {
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
                out = *b;
                return std::nullopt;
            };
        };
        if (auto bad = Field(o, "returnByte1", returnByte(r.returnByte1)))
            return bad;
        if (auto bad = Field(o, "returnByte2", returnByte(r.returnByte2)))
            return bad;
        c.instruments[K] = r;
        return std::nullopt;
    }
};

// Parsing format, five rows.
struct Parsing : Plain<&Configuration::parsing> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.parsing = converter::DecodeParsingFormatValue(a.data);
        return c.parsing.has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        for (const auto& row : *c.parsing)
            if (!std::isfinite(row.coefficient))
                return Refused(codec::FloatErrorText(ShortestFloatText(row.coefficient)));
        return BytesResult::Ok(converter::EncodeParsingFormatWrite(*c.parsing));
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        for (std::size_t r = 0; r < converter::kParsingRowCount; ++r) {
            const auto& x = (*a.parsing)[r];
            const auto& y = (*b.parsing)[r];
            if (x.command != y.command || x.dataAddr != y.dataAddr || x.length != y.length
                || x.format != y.format || !SameFloat(x.coefficient, y.coefficient))
                return false;
        }
        return true;
    }
    static std::string text(const Configuration& c)
    {
        std::string out;
        for (std::size_t r = 0; r < converter::kParsingRowCount; ++r) {
            const auto& x = (*c.parsing)[r];
            out += (r ? "; " : "") + std::to_string(r + 1) + ": " + PickText(x.command, converter::CommandNumberItems())
                   + ", address " + std::to_string(x.dataAddr) + ", length " + std::to_string(x.length) + ", "
                   + PickText(x.format, converter::ParsingFormatItems()) + ", coefficient "
                   + ShortestFloatText(x.coefficient);
        }
        return out;
    }
    static QJsonValue json(const Configuration& c)
    {
        QJsonArray rows;
        for (const auto& x : *c.parsing)
            rows.append(QJsonObject{{"command", PickJson(x.command, converter::CommandNumberItems())},
                                    {"dataAddress", x.dataAddr},
                                    {"length", x.length},
                                    {"format", PickJson(x.format, converter::ParsingFormatItems())},
                                    {"coefficient", FloatJson(x.coefficient)}});
        return rows;
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isArray() || v.toArray().size() != converter::kParsingRowCount)
            return "not a list of " + std::to_string(converter::kParsingRowCount) + " rows";
        converter::ParsingFormatValue rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const QJsonValue rv = v.toArray().at(static_cast<qsizetype>(r));
            const std::string where = "row " + std::to_string(r + 1) + ": ";
            if (!rv.isObject())
                return where + "not an object";
            const QJsonObject o = rv.toObject();
            auto& x = rows[r];
            Reason bad = OnlyKeys(o, {"command", "dataAddress", "length", "format", "coefficient"});
            if (!bad)
                bad = Field(o, "command", [&](const QJsonValue& y) {
                    return PickField(y, converter::CommandNumberItems(), x.command);
                });
            if (!bad)
                bad = Field(o, "dataAddress", [&](const QJsonValue& y) { return IntField(y, 0, 255, x.dataAddr); });
            if (!bad)
                bad = Field(o, "length", [&](const QJsonValue& y) { return IntField(y, 0, 255, x.length); });
            if (!bad)
                bad = Field(o, "format", [&](const QJsonValue& y) {
                    return PickField(y, converter::ParsingFormatItems(), x.format);
                });
            if (!bad)
                bad = Field(o, "coefficient", [&](const QJsonValue& y) { return FloatField(y, x.coefficient); });
            if (bad)
                return where + *bad;
        }
        c.parsing = rows;
        return std::nullopt;
    }
};

// RS485 line.
struct Line : Plain<&Configuration::line> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.line = converter::DecodeLineSettingsValue(a.data);
        return c.line.has_value();
    }
    static BytesResult build(const Configuration& c) { return BytesResult::Ok(converter::EncodeLineSettingsWrite(*c.line)); }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return a.line->baud == b.line->baud && a.line->parity == b.line->parity
               && a.line->interval == b.line->interval;
    }
    static std::string text(const Configuration& c)
    {
        return PickText(c.line->baud, converter::BaudItems()) + " baud, parity "
               + PickText(c.line->parity, converter::ParityItems()) + ", interval "
               + std::to_string(c.line->interval);
    }
    static QJsonValue json(const Configuration& c)
    {
        return QJsonObject{{"baudRate", PickJson(c.line->baud, converter::BaudItems())},
                           {"parity", PickJson(c.line->parity, converter::ParityItems())},
                           {"interval", c.line->interval}};
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isObject())
            return "not an object";
        const QJsonObject o = v.toObject();
        converter::LineSettingsValue l;
        Reason bad = OnlyKeys(o, {"baudRate", "parity", "interval"});
        if (!bad)
            bad = Field(o, "baudRate", [&](const QJsonValue& x) { return PickField(x, converter::BaudItems(), l.baud); });
        if (!bad)
            bad = Field(o, "parity", [&](const QJsonValue& x) { return PickField(x, converter::ParityItems(), l.parity); });
        if (!bad)
            bad = Field(o, "interval", [&](const QJsonValue& x) { return IntField(x, 0, 255, l.interval); });
        if (bad)
            return bad;
        c.line = l;
        return std::nullopt;
    }
};

// Analog inputs AD1..AD4.
template <std::size_t K>
struct Analog : Indexed<&Configuration::analog, K> {
    static const converter::AnalogValue& v(const Configuration& c) { return *c.analog[K]; }
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.analog[K] = converter::DecodeAnalogValue(a.data);
        return c.analog[K].has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        return FiniteFloats({v(c).upper, v(c).lower, v(c).start}, converter::EncodeAnalogWrite(v(c)));
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return SameFloat(v(a).upper, v(b).upper) && SameFloat(v(a).lower, v(b).lower)
               && SameFloat(v(a).start, v(b).start) && v(a).coefficient == v(b).coefficient;
    }
    static std::string text(const Configuration& c)
    {
        return "upper " + ShortestFloatText(v(c).upper) + ", lower " + ShortestFloatText(v(c).lower) + ", start "
               + ShortestFloatText(v(c).start) + ", coefficient " + std::to_string(v(c).coefficient);
    }
    static QJsonValue json(const Configuration& c)
    {
        return QJsonObject{{"upper", FloatJson(v(c).upper)},
                           {"lower", FloatJson(v(c).lower)},
                           {"start", FloatJson(v(c).start)},
                           {"coefficient", v(c).coefficient}};
    }
    static Reason fromJson(const QJsonValue& j, Configuration& c)
    {
        if (!j.isObject())
            return "not an object";
        const QJsonObject o = j.toObject();
        converter::AnalogValue a;
        Reason bad = OnlyKeys(o, {"upper", "lower", "start", "coefficient"});
        if (!bad)
            bad = Field(o, "upper", [&](const QJsonValue& x) { return FloatField(x, a.upper); });
        if (!bad)
            bad = Field(o, "lower", [&](const QJsonValue& x) { return FloatField(x, a.lower); });
        if (!bad)
            bad = Field(o, "start", [&](const QJsonValue& x) { return FloatField(x, a.start); });
        if (!bad)
            bad = Field(o, "coefficient", [&](const QJsonValue& x) { return IntField(x, 0, 65535, a.coefficient); });
        if (bad)
            return bad;
        c.analog[K] = a;
        return std::nullopt;
    }
};

// Variable mapping: per variable the input and the unit, kept as its code so that a
// code without an item of its own survives a clone.
struct MappingItem : Plain<&Configuration::mapping> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.mapping = converter::DecodeMappingValue(a.data);
        return c.mapping.has_value();
    }
    static BytesResult build(const Configuration& c) { return BytesResult::Ok(converter::EncodeMappingWrite(*c.mapping)); }
    static bool equal(const Configuration& a, const Configuration& b) { return *build(a) == *build(b); }
    static std::string text(const Configuration& c)
    {
        std::string out;
        for (std::size_t r = 0; r < converter::kMappingRows; ++r)
            out += (r ? "; " : "") + std::to_string(r + 1) + ": "
                   + PickText(c.mapping->channel[r], converter::InputChannelItems()) + " in "
                   + UnitText(c.mapping->unitCode[r], MappingUnits(r));
        return out;
    }
    static QJsonValue json(const Configuration& c)
    {
        QJsonArray rows;
        for (std::size_t r = 0; r < converter::kMappingRows; ++r)
            rows.append(QJsonObject{{"channel", PickJson(c.mapping->channel[r], converter::InputChannelItems())},
                                    {"unit", UnitJson(c.mapping->unitCode[r], MappingUnits(r))}});
        return rows;
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isArray() || v.toArray().size() != converter::kMappingRows)
            return "not a list of " + std::to_string(converter::kMappingRows) + " rows";
        converter::MappingValue m{};
        for (std::size_t r = 0; r < converter::kMappingRows; ++r) {
            const QJsonValue rv = v.toArray().at(static_cast<qsizetype>(r));
            const std::string where = "row " + std::to_string(r + 1) + ": ";
            if (!rv.isObject())
                return where + "not an object";
            const QJsonObject o = rv.toObject();
            Reason bad = OnlyKeys(o, {"channel", "unit"});
            if (!bad)
                bad = Field(o, "channel", [&](const QJsonValue& x) {
                    return PickField(x, converter::InputChannelItems(), m.channel[r]);
                });
            if (!bad)
                bad = Field(o, "unit", [&](const QJsonValue& x) { return UnitFrom(x, MappingUnits(r), m.unitCode[r]); });
            if (bad)
                return where + *bad;
        }
        c.mapping = m;
        return std::nullopt;
    }
};

// Polling address: the address the identify was answered at.
struct PollingAddress : Plain<&Configuration::pollingAddress> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        if (!device::DecodeIdentify(a.data, a.polledAddress))
            return false;
        c.pollingAddress = a.polledAddress;
        return true;
    }
    static BytesResult build(const Configuration& c)
    {
        if (*c.pollingAddress > 15)
            return Refused(codec::RangeErrorText(std::to_string(*c.pollingAddress), 0, 15));
        return BytesResult::Ok(device::BuildPollingAddressWrite(*c.pollingAddress));
    }
    static bool equal(const Configuration& a, const Configuration& b) { return *a.pollingAddress == *b.pollingAddress; }
    static std::string text(const Configuration& c) { return std::to_string(*c.pollingAddress); }
    static QJsonValue json(const Configuration& c) { return *c.pollingAddress; }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        std::uint8_t a = 0;
        // HART 6 and later devices answer at 0..63; a device's own address is kept.
        if (auto bad = IntField(v, 0, 63, a))
            return bad;
        c.pollingAddress = a;
        return std::nullopt;
    }
};

// Internal parameters: sensor type and manufacturer, part of the long address.
struct Internal : Plain<&Configuration::internal> {
    static bool decode(const AnswerData& a, Configuration& c)
    {
        c.internal = device::DecodeInternalParamsValue(a.data);
        return c.internal.has_value();
    }
    static BytesResult build(const Configuration& c)
    {
        return BytesResult::Ok(device::EncodeInternalParamsWrite(*c.internal));
    }
    static bool equal(const Configuration& a, const Configuration& b)
    {
        return a.internal->sensorType == b.internal->sensorType && a.internal->manufacturerId == b.internal->manufacturerId;
    }
    static std::string text(const Configuration& c)
    {
        return "sensor type " + std::to_string(c.internal->sensorType) + ", manufacturer "
               + std::to_string(c.internal->manufacturerId);
    }
    static QJsonValue json(const Configuration& c)
    {
        return QJsonObject{{"sensorType", c.internal->sensorType}, {"manufacturerId", c.internal->manufacturerId}};
    }
    static Reason fromJson(const QJsonValue& v, Configuration& c)
    {
        if (!v.isObject())
            return "not an object";
        const QJsonObject o = v.toObject();
        device::InternalParamsValue p;
        Reason bad = OnlyKeys(o, {"sensorType", "manufacturerId"});
        if (!bad)
            bad = Field(o, "sensorType", [&](const QJsonValue& x) { return IntField(x, 0, 255, p.sensorType); });
        if (!bad)
            bad = Field(o, "manufacturerId", [&](const QJsonValue& x) { return IntField(x, 0, 255, p.manufacturerId); });
        if (bad)
            return bad;
        c.internal = p;
        return std::nullopt;
    }
};

template <typename T>
constexpr Item Row(std::string_view name, std::string_view query, std::string_view setting, int order, WriteGroup group)
{
    return Item{name,       query,     setting, order,    group,   group == WriteGroup::Identity,
                &T::has,    &T::take,  &T::decode, &T::build, &T::equal, &T::text,
                &T::json,   &T::fromJson};
}

using enum WriteGroup;

// name, query, setting, write order, group. Converter settings first, then the range, then
// the texts, the identity last (serial number and internal bytes before the polling address,
// so the device is re-identified where it already answers).
const std::array<Item, 19> kItems{{
    Row<Message>("message", "Button28", "Button29", 30, Text),
    Row<TagDescriptorDate>("tagDescriptorDate", "Button32", "Button33", 31, Text),
    Row<FinalAssembly>("finalAssemblyNumber", "Button38", "Button39", 32, Text),
    Row<LongTag>("longTag", "Button2", "Button18", 33, Text),
    Row<RangeItem>("range", "Button9", "Button10", 20, WriteGroup::Range),
    Row<Instrument<0>>("instrumentCommand1", "Button11", "Button12", 1, Converter),
    Row<Instrument<1>>("instrumentCommand2", "Button15", "Button5", 2, Converter),
    Row<Instrument<2>>("instrumentCommand3", "Button25", "Button26", 3, Converter),
    Row<Instrument<3>>("instrumentCommand4", "Button35", "Button41", 4, Converter),
    Row<Parsing>("parsingFormat", "Button30", "Button19", 5, Converter),
    Row<Line>("rs485", "Button14", "Button17", 6, Converter),
    Row<Analog<0>>("analogInput1", "Button8", "Button13", 7, Converter),
    Row<Analog<1>>("analogInput2", "Button31", "Button40", 8, Converter),
    Row<Analog<2>>("analogInput3", "Button21", "Button20", 9, Converter),
    Row<Analog<3>>("analogInput4", "Button24", "Button22", 10, Converter),
    Row<MappingItem>("variableMapping", "Button36", "Button23", 11, Converter),
    Row<SerialNumber>("sensorSerialNumber", "Button3", "Button37", 40, Identity),
    Row<Internal>("internalParameters", "Button16", "Button7", 41, Identity),
    Row<PollingAddress>("pollingAddress", "Button3", "Button27", 42, Identity),
}};

} // namespace

std::span<const Item> Items() { return kItems; }

const Item* FindItem(std::string_view name)
{
    for (const auto& item : Items())
        if (item.name == name)
            return &item;
    return nullptr;
}

std::vector<const Item*> ItemsInWriteOrder()
{
    std::vector<const Item*> out;
    for (const auto& item : Items())
        out.push_back(&item);
    std::stable_sort(out.begin(), out.end(), [](const Item* a, const Item* b) { return a->writeOrder < b->writeOrder; });
    return out;
}

hart::Transaction ReadRequest(const Item& item, const hart::DeviceIdentity& id, std::uint8_t pollingAddress)
{
    return hart::MakeTransaction(item.query(), id, {}, pollingAddress);
}

codec::Result<hart::Transaction> WriteRequest(const Item& item, const Configuration& value, const hart::DeviceIdentity& id)
{
    const auto data = item.buildWrite(value);
    if (!data)
        return data.failAs<hart::Transaction>();
    return codec::Result<hart::Transaction>::Ok(hart::MakeTransaction(item.setting(), id, *data));
}

std::optional<std::string> Validate(const Configuration& c)
{
    for (const auto& item : Items()) {
        if (!item.has(c))
            continue;
        if (const auto data = item.buildWrite(c); !data)
            return Quoted(std::string(item.name)) + ": " + data.error();
    }
    return std::nullopt;
}

std::string ShortestFloatText(float v)
{
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

} // namespace config
