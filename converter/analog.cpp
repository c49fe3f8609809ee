#include "converter/analog.h"

#include "codec/numeric.h"

namespace converter {

namespace {

constexpr int kLimitWidth = 12;

std::string LimitText(std::span<const std::uint8_t> b, std::string_view sep)
{
    return codec::FloatText(codec::DecodeFloatBE(b[0], b[1], b[2], b[3]), kLimitWidth, sep);
}

} // namespace

codec::Result<std::vector<std::uint8_t>> BuildAnalogWrite(std::string_view upper, std::string_view lower,
                                                          std::string_view start, std::string_view coefficient,
                                                          std::string_view decimalSeparator)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    std::vector<std::uint8_t> data;
    data.reserve(14);
    for (const auto text : {upper, lower, start}) {
        const auto bytes = codec::EncodeFloatBE(text, decimalSeparator);
        if (!bytes)
            return bytes.failAs<std::vector<std::uint8_t>>();
        data.insert(data.end(), bytes->begin(), bytes->end());
    }
    const auto coeff = codec::EncodeUIntBEChecked(coefficient, 2);
    if (!coeff)
        return coeff;
    data.insert(data.end(), coeff->begin(), coeff->end());
    return R::Ok(std::move(data));
}

std::optional<AnalogChannel> DecodeAnalog(std::span<const std::uint8_t> data, std::string_view decimalSeparator)
{
    if (data.size() < 14)
        return std::nullopt;
    AnalogChannel ch;
    ch.upper = LimitText(data.subspan(0, 4), decimalSeparator);
    ch.lower = LimitText(data.subspan(4, 4), decimalSeparator);
    ch.start = LimitText(data.subspan(8, 4), decimalSeparator);
    ch.coefficient = std::to_string(codec::DecodeUIntBE(data.subspan(12, 2)));
    return ch;
}

} // namespace converter
