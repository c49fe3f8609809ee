#include "device/instrument_info.h"

#include "codec/numeric.h"
#include "codec/packed_ascii.h"
#include "codec/text.h"

#include <QCoreApplication>

#include <algorithm>

namespace device {

using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr int kMessageChars = 32;
constexpr int kTagChars = 8;
constexpr int kDescriptorChars = 16;
constexpr std::size_t kLongTagBytes = 32;
// The year travels as one byte above 1900, so only 1900..2155 survive the trip.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = kFirstYear + 255;

constexpr std::size_t PackedSize(int chars) { return static_cast<std::size_t>(chars) / 4 * 3; }

} // namespace

Bytes BuildMessageWrite(std::string_view text) { return codec::PackAscii(text, kMessageChars); }

std::optional<std::string> DecodeMessage(std::span<const std::uint8_t> data)
{
    if (data.size() < PackedSize(kMessageChars))
        return std::nullopt;
    return codec::UnpackAscii(data.first(PackedSize(kMessageChars)), kMessageChars);
}

codec::Result<Bytes> BuildTagDescriptorDateWrite(std::string_view tag, std::string_view descriptor,
                                                 std::string_view day, std::string_view month,
                                                 std::string_view year)
{
    const auto d = codec::ByteFromTextInRange(day, 0, 255);
    if (!d)
        return d.failAs<Bytes>();
    const auto m = codec::ByteFromTextInRange(month, 0, 255);
    if (!m)
        return m.failAs<Bytes>();
    const auto y = codec::ParseIntegerInRange(year, kFirstYear, kLastYear);
    if (!y)
        return y.failAs<Bytes>();
    return EncodeTagDescriptorDate(
        {std::string(tag), std::string(descriptor), *d, *m, static_cast<int>(*y)});
}

codec::Result<Bytes> EncodeTagDescriptorDate(const TagDescriptorDateValue& value)
{
    if (value.year < kFirstYear || value.year > kLastYear)
        return codec::Result<Bytes>::Fail(codec::RangeErrorText(std::to_string(value.year), kFirstYear, kLastYear));
    Bytes out = codec::PackAscii(value.tag, kTagChars);
    const Bytes packedDescriptor = codec::PackAscii(value.descriptor, kDescriptorChars);
    out.insert(out.end(), packedDescriptor.begin(), packedDescriptor.end());
    out.push_back(value.day);
    out.push_back(value.month);
    out.push_back(static_cast<std::uint8_t>(value.year - kFirstYear));
    return codec::Result<Bytes>::Ok(std::move(out));
}

std::optional<TagDescriptorDateValue> DecodeTagDescriptorDateValue(std::span<const std::uint8_t> data)
{
    constexpr std::size_t tagBytes = PackedSize(kTagChars);
    constexpr std::size_t dateAt = tagBytes + PackedSize(kDescriptorChars);
    if (data.size() < dateAt + 3)
        return std::nullopt;
    return TagDescriptorDateValue{
        codec::UnpackAscii(data.first(tagBytes), kTagChars),
        codec::UnpackAscii(data.subspan(tagBytes, PackedSize(kDescriptorChars)), kDescriptorChars), data[dateAt],
        data[dateAt + 1], kFirstYear + data[dateAt + 2]};
}

std::optional<TagDescriptorDate> DecodeTagDescriptorDate(std::span<const std::uint8_t> data)
{
    const auto v = DecodeTagDescriptorDateValue(data);
    if (!v)
        return std::nullopt;
    return TagDescriptorDate{v->tag, v->descriptor, std::to_string(v->day), std::to_string(v->month),
                             std::to_string(v->year)};
}

std::optional<std::uint32_t> DecodeUInt24(std::span<const std::uint8_t> data)
{
    if (data.size() < 3)
        return std::nullopt;
    return codec::DecodeUIntBE(data.first(3));
}

codec::Result<Bytes> EncodeUInt24(std::uint32_t value)
{
    if (value > kMaxUInt24)
        return codec::Result<Bytes>::Fail(codec::RangeErrorText(std::to_string(value), 0, kMaxUInt24));
    return codec::Result<Bytes>::Ok(codec::EncodeUIntBE(static_cast<long long>(value), 3));
}

codec::Result<Bytes> BuildFinalAssemblyWrite(std::string_view text) { return codec::EncodeUIntBEChecked(text, 3); }

codec::Result<Bytes> BuildSerialNumberWrite(std::string_view text) { return codec::EncodeUIntBEChecked(text, 3); }

std::optional<std::string> DecodeFinalAssembly(std::span<const std::uint8_t> data)
{
    const auto v = DecodeUInt24(data);
    if (!v)
        return std::nullopt;
    return std::to_string(*v);
}

Bytes BuildPollingAddressWrite(int itemIndex)
{
    if (itemIndex < 0 || itemIndex > 15)
        return {0xFF};
    return {static_cast<std::uint8_t>(itemIndex)};
}

Bytes BuildLongTagWrite(std::string_view bytes)
{
    Bytes out(kLongTagBytes, 0);
    const auto kept = bytes.substr(0, kLongTagBytes);
    std::transform(kept.begin(), kept.end(), out.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
    return out;
}

codec::Result<Bytes> CheckedLongTagWrite(std::string_view bytes)
{
    using R = codec::Result<Bytes>;
    if (bytes.size() > kLongTagBytes)
        return R::Fail(QCoreApplication::translate("device", "longer than 32 bytes").toStdString());
    if (bytes.find('\0') != std::string_view::npos)
        return R::Fail(QCoreApplication::translate("device", "a zero byte would end it early").toStdString());
    if (codec::HasControl(bytes))
        return R::Fail(QCoreApplication::translate("device", "holds a control character (%1)")
                           .arg(QString::fromStdString(codec::EscapeControl(bytes)))
                           .toStdString());
    return R::Ok(BuildLongTagWrite(bytes));
}

std::optional<std::string> DecodeLongTag(std::span<const std::uint8_t> data)
{
    if (data.size() < kLongTagBytes)
        return std::nullopt;
    const auto field = data.first(kLongTagBytes);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

} // namespace device
