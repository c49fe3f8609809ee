#include "device/instrument_info.h"

#include "codec/numeric.h"
#include "codec/packed_ascii.h"

#include <algorithm>

namespace device {

using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr int kMessageChars = 32;
constexpr int kTagChars = 8;
constexpr int kDescriptorChars = 16;
constexpr std::size_t kLongTagBytes = 32;

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
    // The year travels as one byte above 1900, so only 1900..2155 survive the trip.
    const auto y = codec::ParseIntegerInRange(year, 1900, 1900 + 255);
    if (!y)
        return y.failAs<Bytes>();

    Bytes out = codec::PackAscii(tag, kTagChars);
    const Bytes packedDescriptor = codec::PackAscii(descriptor, kDescriptorChars);
    out.insert(out.end(), packedDescriptor.begin(), packedDescriptor.end());
    out.push_back(*d);
    out.push_back(*m);
    out.push_back(static_cast<std::uint8_t>(*y - 1900));
    return codec::Result<Bytes>::Ok(std::move(out));
}

std::optional<TagDescriptorDate> DecodeTagDescriptorDate(std::span<const std::uint8_t> data)
{
    constexpr std::size_t tagBytes = PackedSize(kTagChars);
    constexpr std::size_t dateAt = tagBytes + PackedSize(kDescriptorChars);
    if (data.size() < dateAt + 3)
        return std::nullopt;
    return TagDescriptorDate{codec::UnpackAscii(data.first(tagBytes), kTagChars),
                             codec::UnpackAscii(data.subspan(tagBytes, PackedSize(kDescriptorChars)),
                                                kDescriptorChars),
                             std::to_string(data[dateAt]), std::to_string(data[dateAt + 1]),
                             std::to_string(1900 + data[dateAt + 2])};
}

codec::Result<Bytes> BuildFinalAssemblyWrite(std::string_view text) { return codec::EncodeUIntBEChecked(text, 3); }

codec::Result<Bytes> BuildSerialNumberWrite(std::string_view text) { return codec::EncodeUIntBEChecked(text, 3); }

std::optional<std::string> DecodeFinalAssembly(std::span<const std::uint8_t> data)
{
    if (data.size() < 3)
        return std::nullopt;
    return std::to_string(codec::DecodeUIntBE(data.first(3)));
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

std::optional<std::string> DecodeLongTag(std::span<const std::uint8_t> data)
{
    if (data.size() < kLongTagBytes)
        return std::nullopt;
    const auto field = data.first(kLongTagBytes);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

} // namespace device
