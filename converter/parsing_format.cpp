#include "converter/parsing_format.h"

#include "codec/numeric.h"

namespace converter {

namespace {

constexpr std::size_t kRowBytes = 8;

std::uint8_t IndexByte(int index) { return static_cast<std::uint8_t>(index & 0xFF); }

int ListIndex(std::uint8_t byte, int items) { return byte < items ? byte : -1; }

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
    std::vector<std::uint8_t> data;
    data.reserve(kParsingRowCount * kRowBytes);
    for (const auto& row : rows) {
        data.push_back(IndexByte(row.commandIndex));
        const auto addr = codec::ByteFromTextInRange(row.dataAddr, 0, 255);
        if (!addr)
            return addr.failAs<std::vector<std::uint8_t>>();
        data.push_back(*addr);
        const auto length = codec::ByteFromTextInRange(row.length, 0, 255);
        if (!length)
            return length.failAs<std::vector<std::uint8_t>>();
        data.push_back(*length);
        data.push_back(IndexByte(row.formatIndex));
        const auto coefficient = codec::EncodeFloatBE(row.coefficient, decimalSeparator);
        if (!coefficient)
            return coefficient.failAs<std::vector<std::uint8_t>>();
        data.insert(data.end(), coefficient->begin(), coefficient->end());
    }
    return R::Ok(std::move(data));
}

std::optional<std::array<ParsingRow, kParsingRowCount>> DecodeParsingFormat(std::span<const std::uint8_t> data,
                                                                            std::string_view decimalSeparator)
{
    if (data.size() < kParsingRowCount * kRowBytes)
        return std::nullopt;
    std::array<ParsingRow, kParsingRowCount> rows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto b = data.subspan(r * kRowBytes, kRowBytes);
        rows[r].commandIndex = ListIndex(b[0], kCommandNumberItems);
        rows[r].dataAddr = std::to_string(b[1]);
        rows[r].length = std::to_string(b[2]);
        rows[r].formatIndex = ListIndex(b[3], kParsingFormatItems);
        rows[r].coefficient = codec::CoefficientText(codec::DecodeFloatBE(b[4], b[5], b[6], b[7]), decimalSeparator);
    }
    return rows;
}

} // namespace converter
