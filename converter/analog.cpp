#include "converter/analog.h"

#include "codec/numeric.h"

#include <array>

namespace converter {

namespace {

constexpr int kLimitWidth = 12;

std::string LimitText(float v, std::string_view sep) { return codec::FloatText(v, kLimitWidth, sep); }

} // namespace

codec::Result<std::vector<std::uint8_t>> BuildAnalogWrite(std::string_view upper, std::string_view lower,
                                                          std::string_view start, std::string_view coefficient,
                                                          std::string_view decimalSeparator)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    std::array<float, 3> limits{};
    std::size_t k = 0;
    for (const auto text : {upper, lower, start}) {
        const auto bytes = codec::EncodeFloatBE(text, decimalSeparator);
        if (!bytes)
            return bytes.failAs<std::vector<std::uint8_t>>();
        limits[k++] = codec::DecodeFloatBE(*bytes);
    }
    const auto coeff = codec::EncodeUIntBEChecked(coefficient, 2);
    if (!coeff)
        return coeff;
    return R::Ok(EncodeAnalogWrite(
        {limits[0], limits[1], limits[2], static_cast<std::uint16_t>(codec::DecodeUIntBE(*coeff))}));
}

std::optional<AnalogValue> DecodeAnalogValue(std::span<const std::uint8_t> data)
{
    if (data.size() < 14)
        return std::nullopt;
    return AnalogValue{codec::DecodeFloatBE(data[0], data[1], data[2], data[3]),
                       codec::DecodeFloatBE(data[4], data[5], data[6], data[7]),
                       codec::DecodeFloatBE(data[8], data[9], data[10], data[11]),
                       static_cast<std::uint16_t>(codec::DecodeUIntBE(data.subspan(12, 2)))};
}

std::vector<std::uint8_t> EncodeAnalogWrite(const AnalogValue& value)
{
    std::vector<std::uint8_t> data;
    data.reserve(14);
    for (const float v : {value.upper, value.lower, value.start}) {
        const auto b = codec::EncodeFloatBE(v);
        data.insert(data.end(), b.begin(), b.end());
    }
    data.push_back(static_cast<std::uint8_t>(value.coefficient >> 8));
    data.push_back(static_cast<std::uint8_t>(value.coefficient & 0xFF));
    return data;
}

std::optional<AnalogChannel> DecodeAnalog(std::span<const std::uint8_t> data, std::string_view decimalSeparator)
{
    const auto v = DecodeAnalogValue(data);
    if (!v)
        return std::nullopt;
    AnalogChannel ch;
    ch.upper = LimitText(v->upper, decimalSeparator);
    ch.lower = LimitText(v->lower, decimalSeparator);
    ch.start = LimitText(v->start, decimalSeparator);
    ch.coefficient = std::to_string(v->coefficient);
    return ch;
}

} // namespace converter
