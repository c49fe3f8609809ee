#include "device/process_values.h"

#include "codec/numeric.h"
#include "codec/units.h"

namespace device {

namespace {

VariableReading ReadingAt(std::span<const std::uint8_t> data, std::size_t unitPos, std::string_view sep)
{
    const std::uint8_t unit = data[unitPos];
    const auto bytes = data.subspan(unitPos + 1).first<4>();
    std::optional<float> value;
    if (bytes[0] != 0x7F)
        value = codec::DecodeFloatBE(bytes);
    return {codec::VariableText(bytes, sep), unit, codec::UnitCodeToItem(unit), value};
}

} // namespace

std::optional<LoopCurrentText> DecodeLoopCurrent(std::span<const std::uint8_t> data, std::string_view sep)
{
    if (data.size() < 8)
        return std::nullopt;
    return LoopCurrentText{codec::FloatText(codec::DecodeFloatBE(data.first<4>()), 5, sep),
                           codec::FloatText(codec::DecodeFloatBE(data.subspan(4).first<4>()), 5, sep)};
}

std::optional<DynamicVariables> DecodeDynamicVariables(std::span<const std::uint8_t> data, std::string_view sep)
{
    if (data.size() < 9)
        return std::nullopt;
    DynamicVariables out;
    out.loopCurrent = codec::DecodeFloatBE(data.first<4>());
    out.variables.push_back(ReadingAt(data, 4, sep));

    // A further variable is shown only when all five of its bytes came: a byte count
    // that merely begins one (12..15 for the second) would show an earlier answer's bytes.
    for (std::size_t unitPos = 9; unitPos <= 19 && data.size() >= unitPos + 5; unitPos += 5)
        out.variables.push_back(ReadingAt(data, unitPos, sep));
    return out;
}

} // namespace device
