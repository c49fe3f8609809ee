#include "device/output_current.h"

#include "codec/numeric.h"

namespace device {

using Bytes = std::vector<std::uint8_t>;

std::optional<RangeSetting> DecodeRangeSetting(std::span<const std::uint8_t> data)
{
    if (data.size() < 11)
        return std::nullopt;
    return RangeSetting{data[2], codec::DecodeFloatBE(data.subspan(3).first<4>()),
                        codec::DecodeFloatBE(data.subspan(7).first<4>())};
}

Bytes EncodeRangeWrite(const RangeSetting& range)
{
    Bytes out{range.unitCode};
    for (const float v : {range.upper, range.lower}) {
        const auto b = codec::EncodeFloatBE(v);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

std::optional<RangeValues> DecodeRange(std::span<const std::uint8_t> data, std::string_view sep)
{
    const auto r = DecodeRangeSetting(data);
    if (!r)
        return std::nullopt;
    return RangeValues{r->unitCode, codec::FloatText(r->upper, -1, sep), codec::FloatText(r->lower, -1, sep)};
}

codec::Result<Bytes> BuildRangeWrite(std::uint8_t unitCode, std::string_view upper, std::string_view lower,
                                     std::string_view sep)
{
    const auto up = codec::EncodeFloatBE(upper, sep);
    if (!up)
        return up.failAs<Bytes>();
    const auto low = codec::EncodeFloatBE(lower, sep);
    if (!low)
        return low.failAs<Bytes>();
    return codec::Result<Bytes>::Ok(
        EncodeRangeWrite({unitCode, codec::DecodeFloatBE(*up), codec::DecodeFloatBE(*low)}));
}

codec::Result<Bytes> BuildFixedCurrent(FixedCurrent level, std::string_view otherText, std::string_view sep)
{
    switch (level) {
    case FixedCurrent::Output4mA: return codec::Result<Bytes>::Ok({0x40, 0x80, 0x00, 0x00});
    case FixedCurrent::Output8mA: return codec::Result<Bytes>::Ok({0x41, 0x00, 0x00, 0x00});
    case FixedCurrent::Output12mA: return codec::Result<Bytes>::Ok({0x41, 0x40, 0x00, 0x00});
    case FixedCurrent::Output16mA: return codec::Result<Bytes>::Ok({0x41, 0x80, 0x00, 0x00});
    case FixedCurrent::Output20mA: return codec::Result<Bytes>::Ok({0x41, 0xA0, 0x00, 0x00});
    case FixedCurrent::Other: {
        const auto v = codec::EncodeFloatBE(otherText, sep);
        if (!v)
            return v.failAs<Bytes>();
        return codec::Result<Bytes>::Ok(Bytes(v->begin(), v->end()));
    }
    case FixedCurrent::Exit: break;
    }
    // 0.0 asks the device to leave fixed-current mode.
    return codec::Result<Bytes>::Ok({0x00, 0x00, 0x00, 0x00});
}

FixedCurrent FixedCurrentFromChecked(std::array<bool, 7> radioChecked)
{
    for (std::size_t k = 0; k < radioChecked.size(); ++k)
        if (radioChecked[k])
            return static_cast<FixedCurrent>(k);
    return FixedCurrent::Exit;
}

} // namespace device
