#include "converter/parsing_format.h"

#include "converter/list_items.h"

#include "codec/numeric.h"

namespace converter {

namespace {

constexpr std::size_t kRowBytes = 8;

} // namespace

std::optional<std::string> FormatLengthText(int formatIndex)
{
    if (formatIndex >= 0 && formatIndex <= 3)
        return "2";
    if (formatIndex >= 4 && formatIndex <= 7)
        return "4";
    if (formatIndex == 8)
        return "3";
    if (formatIndex == 9)
        return "6";
    if (formatIndex >= 17 && formatIndex <= 20)
        return "8";
    return std::nullopt;
}

codec::Result<std::vector<std::uint8_t>> BuildParsingFormatWrite(std::span<const ParsingRowInput, kParsingRowCount> rows,
                                                                 std::string_view decimalSeparator)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    ParsingFormatValue values;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const auto addr = codec::ByteFromTextInRange(row.dataAddr, 0, 255);
        if (!addr)
            return addr.failAs<std::vector<std::uint8_t>>();
        const auto length = codec::ByteFromTextInRange(row.length, 0, 255);
        if (!length)
            return length.failAs<std::vector<std::uint8_t>>();
        const auto coefficient = codec::EncodeFloatBE(row.coefficient, decimalSeparator);
        if (!coefficient)
            return coefficient.failAs<std::vector<std::uint8_t>>();
        values[r] = {ListByte(row.commandIndex), *addr, *length, ListByte(row.formatIndex), codec::DecodeFloatBE(*coefficient)};
    }
    return R::Ok(EncodeParsingFormatWrite(values));
}

std::vector<std::uint8_t> EncodeParsingFormatWrite(const ParsingFormatValue& rows)
{
    std::vector<std::uint8_t> data;
    data.reserve(kParsingRowCount * kRowBytes);
    for (const auto& row : rows) {
        data.push_back(row.command);
        data.push_back(row.dataAddr);
        data.push_back(row.length);
        data.push_back(row.format);
        const auto coefficient = codec::EncodeFloatBE(row.coefficient);
        data.insert(data.end(), coefficient.begin(), coefficient.end());
    }
    return data;
}

std::optional<ParsingFormatValue> DecodeParsingFormatValue(std::span<const std::uint8_t> data)
{
    if (data.size() < kParsingRowCount * kRowBytes)
        return std::nullopt;
    ParsingFormatValue rows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto b = data.subspan(r * kRowBytes, kRowBytes);
        rows[r] = {b[0], b[1], b[2], b[3],
                   codec::DecodeFloatBE(b[4], b[5], b[6], b[7])};
    }
    return rows;
}

std::optional<std::array<ParsingRow, kParsingRowCount>> DecodeParsingFormat(std::span<const std::uint8_t> data,
                                                                            std::string_view decimalSeparator)
{
    const auto values = DecodeParsingFormatValue(data);
    if (!values)
        return std::nullopt;
    std::array<ParsingRow, kParsingRowCount> rows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& v = (*values)[r];
        rows[r] = {ListIndex(v.command, kCommandNumberItems), std::to_string(v.dataAddr), std::to_string(v.length),
                   ListIndex(v.format, kParsingFormatItems),
                   codec::CoefficientText(v.coefficient, decimalSeparator)};
    }
    return rows;
}

} // namespace converter
