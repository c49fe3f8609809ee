#include "converter/instrument_commands.h"

#include "converter/list_items.h"

#include "codec/numeric.h"

#include <algorithm>
#include <string>

namespace converter {

int CommandByteLimit(int instrument) { return instrument == 1 ? 20 : 15; }

std::string TooManyBytesText(int limit)
{
    return "Too many bytes: this command holds at most " + std::to_string(limit) + ".";
}

bool IsCommandCodeRefusal(std::string_view text)
{
    return text == kNoSpaceText || text == kDataErrorText || text == TooManyBytesText(CommandByteLimit(1))
           || text == TooManyBytesText(CommandByteLimit(2));
}

codec::Result<std::vector<std::uint8_t>> ParseCommandCode(std::string_view text, int limit)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    const std::size_t length = text.size();
    const std::size_t n = length / 3 + (length % 3 == 2 ? 1 : 0);
    if (n == 0)
        return R::Fail(std::string(kNoSpaceText));
    // Sending fewer bytes than typed would send a different request.
    if (n > static_cast<std::size_t>(std::max(limit, 0)))
        return R::Fail(TooManyBytesText(limit));
    // The character after the last byte is never looked at: "01," is one byte.
    for (std::size_t k = 0; k + 1 < n; ++k)
        if (text[3 * k + 2] != ' ')
            return R::Fail(std::string(kNoSpaceText));

    std::vector<std::uint8_t> bytes;
    bytes.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const auto high = codec::HexDigitValue(text[3 * k]);
        const auto low = codec::HexDigitValue(text[3 * k + 1]);
        if (!high || !low)
            return R::Fail(std::string(kDataErrorText));
        bytes.push_back(static_cast<std::uint8_t>(*high * 16 + *low));
    }
    // Half a byte after the last separator ("... C4 0").
    if (length % 3 == 1)
        return R::Fail(std::string(kDataErrorText));
    return R::Ok(std::move(bytes));
}

codec::Result<std::uint8_t> ReturnByteValue(std::string_view text)
{
    using R = codec::Result<std::uint8_t>;
    if (text.size() < 2)
        return R::Fail(codec::IntegerErrorText(text));
    const auto high = codec::HexDigitValue(text[0]);
    const auto low = codec::HexDigitValue(text[1]);
    if (!high || !low)
        return R::Fail(std::string(kDataErrorText));
    return R::Ok(static_cast<std::uint8_t>(*high * 16 + *low));
}

codec::Result<std::vector<std::uint8_t>> BuildInstrumentCommandWrite(int enableIndex,
                                                                     std::string_view returnByte1,
                                                                     std::string_view returnByte2,
                                                                     std::span<const std::uint8_t> commandBytes)
{
    const auto first = ReturnByteValue(returnByte1);
    if (!first)
        return first.failAs<std::vector<std::uint8_t>>();
    const auto second = ReturnByteValue(returnByte2);
    if (!second)
        return second.failAs<std::vector<std::uint8_t>>();
    return EncodeInstrumentCommandWrite(
        {ListByte(enableIndex), *first, *second, std::vector<std::uint8_t>(commandBytes.begin(), commandBytes.end())});
}

codec::Result<std::vector<std::uint8_t>> EncodeInstrumentCommandWrite(const InstrumentCommandValue& value)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    if (value.commandBytes.size() > 255)
        return R::Fail(std::string(kNoSpaceText));
    std::vector<std::uint8_t> data;
    data.reserve(4 + value.commandBytes.size());
    data.push_back(value.enable);
    data.push_back(value.returnByte1);
    data.push_back(value.returnByte2);
    data.push_back(static_cast<std::uint8_t>(value.commandBytes.size()));
    data.insert(data.end(), value.commandBytes.begin(), value.commandBytes.end());
    return R::Ok(std::move(data));
}

std::optional<InstrumentCommandValue> DecodeInstrumentCommandValue(std::span<const std::uint8_t> data)
{
    if (data.size() < 4)
        return std::nullopt;
    const std::size_t count = data[3];
    // Bytes the answer did not carry are never shown.
    if (data.size() - 4 < count)
        return std::nullopt;
    const auto bytes = data.subspan(4, count);
    return InstrumentCommandValue{data[0], data[1], data[2],
                                  std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

std::optional<InstrumentCommand> DecodeInstrumentCommand(std::span<const std::uint8_t> data)
{
    const auto v = DecodeInstrumentCommandValue(data);
    if (!v)
        return std::nullopt;
    InstrumentCommand result;
    result.enableIndex = ListIndex(v->enable, static_cast<int>(EnableItems().size()));
    result.returnByte1 = codec::ByteToHex(v->returnByte1);
    result.returnByte2 = codec::ByteToHex(v->returnByte2);
    result.commandCode = codec::HexByteList(v->commandBytes);
    return result;
}

} // namespace converter
