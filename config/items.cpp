#include "config/items.h"

#include "codec/numeric.h"
#include "config/fields.h"
#include "converter/list_items.h"
#include "device/identify.h"
#include "hart/request_frame.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <charconv>
#include <type_traits>

namespace config {

namespace {

using Bytes = std::vector<std::uint8_t>;
using BytesResult = codec::Result<Bytes>;
using Reason = std::optional<std::string>;

// One field of an item's value V, and where it lives in V (in row `row` of a list item).
template <typename V>
struct Field {
    FieldDescriptor descriptor;
    FieldRef (*at)(V&, std::size_t row);
};

template <auto M, typename V>
FieldRef At(V& v, std::size_t) { return &(v.*M); }
template <auto M, typename V>
FieldRef AtRow(V& rows, std::size_t r) { return &(rows[r].*M); }
template <auto M, typename V>
FieldRef AtElement(V& v, std::size_t r) { return &(v.*M)[r]; }
template <typename V>
FieldRef Whole(V& v, std::size_t) { return &v; }

// ---- Items over their fields -------------------------------------------------------------------

template <typename V>
struct Shape {
    std::optional<V>& (*slot)(Configuration&);
    std::span<const Field<V>> fields;
    std::optional<V> (*decode)(const AnswerData&);
    BytesResult (*encode)(const V&);     // the setting's data bytes, before any check of a write
    std::size_t rows = 0;                // a list of this many rows of the fields
    Reason (*check)(const V&) = nullptr; // what a write refuses beyond the fields' own checks
    std::size_t keysCheckedAfter = 0;    // unknown keys are named after this many fields' reasons
    // Where the setting's data is laid out otherwise than the query's answer;
    // none: alike, so decode reads one and encode makes the other.
    std::optional<V> (*fromWrite)(std::span<const std::uint8_t>) = nullptr;
    std::optional<Bytes> (*answer)(const V&) = nullptr; // none with fromWrite: no answer carries it alone
};

} // namespace

class ItemValue {
public:
    virtual ~ItemValue() = default;
    virtual bool has(const Configuration&) const = 0;
    virtual void take(const Configuration& from, Configuration& to) const = 0;
    virtual bool decode(const AnswerData& answer, Configuration& out) const = 0;
    virtual BytesResult buildWrite(const Configuration&) const = 0;
    virtual bool fromWrite(std::span<const std::uint8_t> data, Configuration& out) const = 0;
    virtual std::optional<Bytes> answerData(const Configuration&) const = 0;
    virtual bool equal(const Configuration&, const Configuration&) const = 0;
    virtual std::string text(const Configuration&) const = 0;
    virtual QJsonValue toJson(const Configuration&) const = 0;
    virtual Reason fromJson(const QJsonValue&, Configuration& out) const = 0;
};

namespace {

template <typename V>
class Fields final : public ItemValue {
public:
    explicit Fields(Shape<V> shape) : s_(shape) {}

    bool has(const Configuration& c) const override { return Slot(c).has_value(); }
    void take(const Configuration& from, Configuration& to) const override { s_.slot(to) = Slot(from); }
    bool decode(const AnswerData& a, Configuration& out) const override
    {
        return (s_.slot(out) = s_.decode(a)).has_value();
    }
    BytesResult buildWrite(const Configuration& c) const override
    {
        V& v = Value(c);
        for (std::size_t r = 0; r < Rows(); ++r)
            for (const auto& f : s_.fields)
                if (auto bad = WriteCheck(f.descriptor, f.at(v, r)))
                    return BytesResult::Fail(*bad);
        if (s_.check)
            if (auto bad = s_.check(v))
                return BytesResult::Fail(*bad);
        return s_.encode(v);
    }
    bool fromWrite(std::span<const std::uint8_t> data, Configuration& out) const override
    {
        return (s_.slot(out) = s_.fromWrite ? s_.fromWrite(data) : s_.decode(AnswerData{data, 0})).has_value();
    }
    std::optional<Bytes> answerData(const Configuration& c) const override
    {
        if (s_.fromWrite)
            return s_.answer ? s_.answer(*Slot(c)) : std::nullopt;
        const auto data = s_.encode(*Slot(c));
        return data ? std::optional<Bytes>(*data) : std::nullopt;
    }
    // The bytes the device would be sent; a value that cannot be encoded equals nothing.
    bool equal(const Configuration& a, const Configuration& b) const override
    {
        const auto x = s_.encode(*Slot(a));
        const auto y = s_.encode(*Slot(b));
        return x && y && *x == *y;
    }
    std::string text(const Configuration& c) const override
    {
        V& v = Value(c);
        std::string out;
        for (std::size_t r = 0; r < Rows(); ++r) {
            if (s_.rows)
                out += (r ? "; " : "") + std::to_string(r + 1) + ": ";
            for (const auto& f : s_.fields)
                out += f.descriptor.before + FieldText(f.descriptor, f.at(v, r), r) + f.descriptor.after;
        }
        return out;
    }
    QJsonValue toJson(const Configuration& c) const override
    {
        V& v = Value(c);
        if (Bare())
            return FieldJson(s_.fields[0].descriptor, s_.fields[0].at(v, 0), 0);
        QJsonArray rows;
        for (std::size_t r = 0; r < Rows(); ++r) {
            QJsonObject o;
            for (const auto& f : s_.fields)
                o.insert(QString::fromLatin1(f.descriptor.key), FieldJson(f.descriptor, f.at(v, r), r));
            if (!s_.rows)
                return o;
            rows.append(o);
        }
        return rows;
    }
    Reason fromJson(const QJsonValue& j, Configuration& c) const override
    {
        V v{};
        if (Bare()) {
            if (auto bad = FieldFrom(s_.fields[0].descriptor, j, s_.fields[0].at(v, 0), 0))
                return bad;
        } else if (!s_.rows) {
            if (!j.isObject())
                return "not an object";
            if (auto bad = ObjectFrom(j.toObject(), v, 0))
                return bad;
        } else {
            if (!j.isArray() || j.toArray().size() != static_cast<qsizetype>(s_.rows))
                return "not a list of " + std::to_string(s_.rows) + " rows";
            for (std::size_t r = 0; r < s_.rows; ++r) {
                const QJsonValue rv = j.toArray().at(static_cast<qsizetype>(r));
                const std::string where = "row " + std::to_string(r + 1) + ": ";
                if (!rv.isObject())
                    return where + "not an object";
                if (auto bad = ObjectFrom(rv.toObject(), v, r))
                    return where + *bad;
            }
        }
        s_.slot(c) = std::move(v);
        return std::nullopt;
    }

private:
    const std::optional<V>& Slot(const Configuration& c) const { return s_.slot(const_cast<Configuration&>(c)); }
    // The field accessors serve filling and reading alike; reading never writes through them.
    V& Value(const Configuration& c) const { return const_cast<V&>(*Slot(c)); }
    std::size_t Rows() const { return s_.rows ? s_.rows : 1; }
    bool Bare() const { return s_.fields.size() == 1 && !s_.fields[0].descriptor.key; }

    Reason ObjectFrom(const QJsonObject& o, V& v, std::size_t r) const
    {
        std::vector<std::string_view> keys;
        for (const auto& f : s_.fields)
            keys.emplace_back(f.descriptor.key);
        for (std::size_t i = 0; i <= s_.fields.size(); ++i) {
            if (i == s_.keysCheckedAfter)
                if (auto bad = OnlyKeys(o, keys))
                    return bad;
            if (i == s_.fields.size())
                break;
            const auto& f = s_.fields[i];
            if (auto bad = FieldIn(o, f.descriptor, f.at(v, r), r))
                return bad;
        }
        return std::nullopt;
    }

    Shape<V> s_;
};

// ---- The items -------------------------------------------------------------------------------

template <auto M>
auto& Plain(Configuration& c) { return c.*M; }
template <auto M, std::size_t K>
auto& Indexed(Configuration& c) { return (c.*M)[K]; }

template <auto Decode>
auto FromData(const AnswerData& a) { return Decode(a.data); }

template <auto Encode, typename V>
BytesResult Encoded(const V& v)
{
    if constexpr (std::is_same_v<decltype(Encode(v)), Bytes>)
        return BytesResult::Ok(Encode(v));
    else
        return Encode(v);
}

using device::TagDescriptorDateValue;
using TDD = TagDescriptorDateValue;
using device::RangeSetting;
using converter::InstrumentCommandValue;
using converter::ParsingRowValue;
using converter::AnalogValue;
using converter::MappingValue;
using device::InternalParamsValue;
using enum FieldKind;

const Field<std::string> kMessage[] = {
    {{.kind = Packed, .before = "\"", .after = "\"", .hi = 32, .escaped = true}, Whole}};

// No calendar has a day 32 or a month 13; 0 is a date never set, which
// devices hold and their backups must keep (writing it is refused).
const Field<TDD> kTagDescriptorDate[] = {
    {{.key = "tag", .kind = Packed, .before = "tag \"", .after = "\"", .hi = 8}, At<&TDD::tag>},
    {{.key = "descriptor", .kind = Packed, .before = ", descriptor \"", .after = "\"", .hi = 16}, At<&TDD::descriptor>},
    {{.key = "day", .kind = Number, .before = ", date ", .hi = 31}, At<&TDD::day>},
    {{.key = "month", .kind = Number, .before = ".", .hi = 12}, At<&TDD::month>},
    {{.key = "year", .kind = Number, .before = ".", .lo = 1900, .hi = 2155}, At<&TDD::year>}};

Reason SettableDate(const TDD& v)
{
    if (v.day < 1 || v.day > 31 || v.month < 1 || v.month > 12)
        return "date " + std::to_string(v.day) + "." + std::to_string(v.month)
               + ": the device takes only a day 1..31 and a month 1..12";
    return std::nullopt;
}

// The final assembly and serial numbers: 24 bits.
const Field<std::uint32_t> kNumber24[] = {{{.kind = Number, .hi = device::kMaxUInt24}, Whole}};

// Long tag: plain bytes, shown one character per byte.
const Field<std::string> kLongTag[] = {{{.kind = Latin1, .before = "\"", .after = "\""}, Whole}};

Reason SettableLongTag(const std::string& tag)
{
    const auto data = device::CheckedLongTagWrite(tag);
    return data ? Reason() : data.error();
}

// Range: the unit travels as its code, which may lack an item of its own.
const Field<RangeSetting> kRange[] = {
    {{.key = "unit", .kind = Pick, .list = RangeUnits}, At<&RangeSetting::unitCode>},
    {{.key = "upper", .kind = Float, .before = ", upper "}, At<&RangeSetting::upper>},
    {{.key = "lower", .kind = Float, .before = ", lower "}, At<&RangeSetting::lower>}};

std::array<Field<InstrumentCommandValue>, 4> InstrumentFields(int instrument)
{
    using I = InstrumentCommandValue;
    return {{{{.key = "enable", .kind = Pick, .list = Positions<converter::EnableItems>}, At<&I::enable>},
             {{.key = "commandCode", .kind = Command, .before = ", command code \"",
              .after = "\"", .hi = converter::CommandByteLimit(instrument)}, At<&I::commandBytes>},
             {{.key = "returnByte1", .kind = HexByte, .before = ", return bytes "}, At<&I::returnByte1>},
             {{.key = "returnByte2", .kind = HexByte, .before = " "}, At<&I::returnByte2>}}};
}
const std::array<std::array<Field<InstrumentCommandValue>, 4>, kInstrumentCount> kInstrument{
    InstrumentFields(1), InstrumentFields(2), InstrumentFields(3), InstrumentFields(4)};

// Parsing format, five rows.
const Field<converter::ParsingFormatValue> kParsing[] = {
    {{.key = "command", .kind = Pick, .list = Positions<converter::CommandNumberItems>},
     AtRow<&ParsingRowValue::command>},
    {{.key = "dataAddress", .kind = Number, .before = ", address "}, AtRow<&ParsingRowValue::dataAddr>},
    {{.key = "length", .kind = Number, .before = ", length "}, AtRow<&ParsingRowValue::length>},
    {{.key = "format", .kind = Pick, .before = ", ",
     .list = Positions<converter::ParsingFormatItems>}, AtRow<&ParsingRowValue::format>},
    {{.key = "coefficient", .kind = Float, .before = ", coefficient "}, AtRow<&ParsingRowValue::coefficient>}};

const Field<converter::LineSettingsValue> kLine[] = {
    {{.key = "baudRate", .kind = Pick, .after = " baud",
     .list = Positions<converter::BaudItems>}, At<&converter::LineSettingsValue::baud>},
    {{.key = "parity", .kind = Pick, .before = ", parity ",
     .list = Positions<converter::ParityItems>}, At<&converter::LineSettingsValue::parity>},
    {{.key = "interval", .kind = Number, .before = ", interval "}, At<&converter::LineSettingsValue::interval>}};

const Field<AnalogValue> kAnalog[] = {
    {{.key = "upper", .kind = Float, .before = "upper "}, At<&AnalogValue::upper>},
    {{.key = "lower", .kind = Float, .before = ", lower "}, At<&AnalogValue::lower>},
    {{.key = "start", .kind = Float, .before = ", start "}, At<&AnalogValue::start>},
    {{.key = "coefficient", .kind = Number, .before = ", coefficient ", .hi = 65535}, At<&AnalogValue::coefficient>}};

// Variable mapping: per variable the input and the unit, kept as its code so that a
// code without an item of its own survives a clone.
const Field<MappingValue> kMapping[] = {
    {{.key = "channel", .kind = Pick, .list = Positions<converter::InputChannelItems>},
     AtElement<&MappingValue::channel>},
    {{.key = "unit", .kind = Pick, .before = " in ", .list = MappingUnits}, AtElement<&MappingValue::unitCode>}};

// HART 6 and later devices answer at 0..63; a device's own address is kept, a write takes 0..15.
// Command 35 sends unit, upper and lower; command 15 answers alarm selection and
// transfer function before them.
std::optional<RangeSetting> RangeFromWrite(std::span<const std::uint8_t> d)
{
    if (d.size() < 9)
        return std::nullopt;
    return RangeSetting{d[0], codec::DecodeFloatBE(d[1], d[2], d[3], d[4]), codec::DecodeFloatBE(d[5], d[6], d[7], d[8])};
}
std::optional<Bytes> RangeAnswer(const RangeSetting& r)
{
    Bytes out{0, 0};
    const auto w = device::EncodeRangeWrite(r);
    out.insert(out.end(), w.begin(), w.end());
    return out;
}

// Command 172 sends three bytes; command 173 answers a fourth, the marker.
std::optional<converter::LineSettingsValue> LineFromWrite(std::span<const std::uint8_t> d)
{
    if (d.size() < 3)
        return std::nullopt;
    return converter::LineSettingsValue{d[0], d[1], d[2], false};
}
std::optional<Bytes> LineAnswer(const converter::LineSettingsValue& v)
{
    Bytes out = converter::EncodeLineSettingsWrite(v);
    out.push_back(v.marker ? 1 : 0);
    return out;
}

std::optional<std::uint32_t> Number24FromWrite(std::span<const std::uint8_t> d) { return device::DecodeUInt24(d); }
std::optional<std::uint8_t> AddressFromWrite(std::span<const std::uint8_t> d)
{
    return d.empty() ? std::nullopt : std::optional<std::uint8_t>(d[0]);
}

const Field<std::uint8_t> kPollingAddress[] = {
    {{.kind = Number, .hi = 63, .writeMax = 15}, Whole}};

// The address the identify was answered at.
std::optional<std::uint8_t> AnsweredAddress(const AnswerData& a)
{
    if (!device::DecodeIdentify(a.data, a.polledAddress))
        return std::nullopt;
    return a.polledAddress;
}

std::optional<std::uint32_t> IdentifiedSerialNumber(const AnswerData& a)
{
    const auto id = device::DecodeIdentify(a.data, a.polledAddress);
    if (!id)
        return std::nullopt;
    return id->identity.serialNumber();
}

// The address byte itself, as command 6 sends every address a write takes; so
// two addresses beyond 15 do not compare equal.
BytesResult AddressByte(const std::uint8_t& address) { return BytesResult::Ok(Bytes{address}); }

// Sensor type and manufacturer, part of the long address.
const Field<InternalParamsValue> kInternal[] = {
    {{.key = "sensorType", .kind = Number, .before = "sensor type "}, At<&InternalParamsValue::sensorType>},
    {{.key = "manufacturerId", .kind = Number, .before = ", manufacturer "}, At<&InternalParamsValue::manufacturerId>}};

template <std::size_t K>
const Fields<InstrumentCommandValue> kInstrumentItem({Indexed<&Configuration::instruments, K>, kInstrument[K],
                                                     FromData<converter::DecodeInstrumentCommandValue>,
                                                     Encoded<converter::EncodeInstrumentCommandWrite>});
template <std::size_t K>
const Fields<AnalogValue> kAnalogItem({Indexed<&Configuration::analog, K>, kAnalog,
                                      FromData<converter::DecodeAnalogValue>, Encoded<converter::EncodeAnalogWrite>});

const Fields<std::string> kMessageItem({Plain<&Configuration::message>, kMessage, FromData<device::DecodeMessage>,
                                        Encoded<device::BuildMessageWrite>});
const Fields<TDD> kTagDescriptorDateItem({.slot = Plain<&Configuration::tagDescriptorDate>,
                                          .fields = kTagDescriptorDate,
                                          .decode = FromData<device::DecodeTagDescriptorDateValue>,
                                          .encode = Encoded<device::EncodeTagDescriptorDate>,
                                          .check = SettableDate,
                                          .keysCheckedAfter = 2});
const Fields<std::uint32_t> kFinalAssemblyItem({Plain<&Configuration::finalAssembly>, kNumber24,
                                                FromData<device::DecodeUInt24>, Encoded<device::EncodeUInt24>});
const Fields<std::string> kLongTagItem({.slot = Plain<&Configuration::longTag>, .fields = kLongTag,
                                        .decode = FromData<device::DecodeLongTag>,
                                        .encode = Encoded<device::BuildLongTagWrite>, .check = SettableLongTag});
const Fields<RangeSetting> kRangeItem({.slot = Plain<&Configuration::range>, .fields = kRange,
                                       .decode = FromData<device::DecodeRangeSetting>,
                                       .encode = Encoded<device::EncodeRangeWrite>, .fromWrite = RangeFromWrite,
                                       .answer = RangeAnswer});
const Fields<converter::ParsingFormatValue> kParsingItem({Plain<&Configuration::parsing>, kParsing,
                                                          FromData<converter::DecodeParsingFormatValue>,
                                                          Encoded<converter::EncodeParsingFormatWrite>,
                                                          converter::kParsingRowCount});
const Fields<converter::LineSettingsValue> kLineItem({.slot = Plain<&Configuration::line>, .fields = kLine,
                                                      .decode = FromData<converter::DecodeLineSettingsValue>,
                                                      .encode = Encoded<converter::EncodeLineSettingsWrite>,
                                                      .fromWrite = LineFromWrite, .answer = LineAnswer});
const Fields<MappingValue> kMappingItem({Plain<&Configuration::mapping>, kMapping,
                                         FromData<converter::DecodeMappingValue>,
                                         Encoded<converter::EncodeMappingWrite>, converter::kMappingRows});
const Fields<std::uint32_t> kSerialNumberItem({.slot = Plain<&Configuration::serialNumber>, .fields = kNumber24,
                                               .decode = IdentifiedSerialNumber, .encode = Encoded<device::EncodeUInt24>,
                                               .fromWrite = Number24FromWrite});
const Fields<InternalParamsValue> kInternalItem({Plain<&Configuration::internal>, kInternal,
                                                 FromData<device::DecodeInternalParamsValue>,
                                                 Encoded<device::EncodeInternalParamsWrite>});
const Fields<std::uint8_t> kPollingAddressItem({.slot = Plain<&Configuration::pollingAddress>,
                                                .fields = kPollingAddress, .decode = AnsweredAddress,
                                                .encode = AddressByte, .fromWrite = AddressFromWrite});

constexpr Item Row(std::string_view name, hart::RequestId query, hart::RequestId setting, int order, WriteGroup group,
                   const ItemValue& value)
{
    return Item{name, query, setting, order, group, group == WriteGroup::Identity, &value};
}

using enum WriteGroup;
using enum hart::RequestId;

// name, query, setting, write order, group. Converter settings first, then the range, then
// the texts, the identity last (serial number and internal bytes before the polling address,
// so the device is re-identified where it already answers).
const std::array<Item, 19> kItems{{
    Row("message", Button28, Button29, 30, Text, kMessageItem),
    Row("tagDescriptorDate", Button32, Button33, 31, Text, kTagDescriptorDateItem),
    Row("finalAssemblyNumber", Button38, Button39, 32, Text, kFinalAssemblyItem),
    Row("longTag", Button2, Button18, 33, Text, kLongTagItem),
    Row("range", Button9, Button10, 20, WriteGroup::Range, kRangeItem),
    Row("instrumentCommand1", Button11, Button12, 1, Converter, kInstrumentItem<0>),
    Row("instrumentCommand2", Button15, Button5, 2, Converter, kInstrumentItem<1>),
    Row("instrumentCommand3", Button25, Button26, 3, Converter, kInstrumentItem<2>),
    Row("instrumentCommand4", Button35, Button41, 4, Converter, kInstrumentItem<3>),
    Row("parsingFormat", Button30, Button19, 5, Converter, kParsingItem),
    Row("rs485", Button14, Button17, 6, Converter, kLineItem),
    Row("analogInput1", Button8, Button13, 7, Converter, kAnalogItem<0>),
    Row("analogInput2", Button31, Button40, 8, Converter, kAnalogItem<1>),
    Row("analogInput3", Button21, Button20, 9, Converter, kAnalogItem<2>),
    Row("analogInput4", Button24, Button22, 10, Converter, kAnalogItem<3>),
    Row("variableMapping", Button36, Button23, 11, Converter, kMappingItem),
    Row("sensorSerialNumber", Button3, Button37, 40, Identity, kSerialNumberItem),
    Row("internalParameters", Button16, Button7, 41, Identity, kInternalItem),
    Row("pollingAddress", Button3, Button27, 42, Identity, kPollingAddressItem),
}};

} // namespace

bool Item::has(const Configuration& c) const { return value->has(c); }
void Item::take(const Configuration& from, Configuration& to) const { value->take(from, to); }
bool Item::decode(const AnswerData& a, Configuration& out) const { return value->decode(a, out); }
BytesResult Item::buildWrite(const Configuration& c) const { return value->buildWrite(c); }
bool Item::fromWrite(std::span<const std::uint8_t> data, Configuration& out) const { return value->fromWrite(data, out); }
std::optional<Bytes> Item::answerData(const Configuration& c) const { return value->answerData(c); }
bool Item::equal(const Configuration& a, const Configuration& b) const { return value->equal(a, b); }
std::string Item::text(const Configuration& c) const { return value->text(c); }
QJsonValue Item::toJson(const Configuration& c) const { return value->toJson(c); }
Reason Item::fromJson(const QJsonValue& v, Configuration& out) const { return value->fromJson(v, out); }

std::span<const Item> Items() { return kItems; }

const Item* FindItem(std::string_view name)
{
    for (const auto& item : Items())
        if (item.name == name)
            return &item;
    return nullptr;
}

const Item* ItemSetBy(hart::RequestId setting)
{
    for (const auto& item : Items())
        if (item.settingId == setting)
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
