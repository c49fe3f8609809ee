#include "hart/frames.h"

#include <algorithm>

namespace hart {

std::uint8_t LongAddressByte0(std::uint8_t manufacturer) { return static_cast<std::uint8_t>(0x80 | (manufacturer & 0x3F)); }

std::size_t BuildShortFrame(std::span<std::uint8_t> out, std::uint8_t pollingAddress)
{
    constexpr std::size_t kLength = 11;
    if (out.size() < kLength)
        return 0;
    std::fill_n(out.begin(), 6, kPreamble);
    out[6] = kMasterShort;
    out[7] = pollingAddress;
    out[8] = 0; // command 0
    out[9] = 0; // no data
    out[10] = Checksum(out.first(10));
    return kLength;
}

std::size_t BuildLongFrame(std::span<std::uint8_t> out, int preambles, const DeviceIdentity& id,
                           std::uint8_t command, std::span<const std::uint8_t> data)
{
    const auto p = static_cast<std::size_t>(std::max(preambles, 0));
    const std::size_t length = p + 9 + data.size(); // delimiter, 5 address, command, count, data, checksum
    if (data.size() > 255 || out.size() < length)
        return 0;
    std::fill_n(out.begin(), p, kPreamble);
    std::size_t k = p;
    out[k++] = kMasterLong;
    out[k++] = LongAddressByte0(id.manufacturer);
    out[k++] = id.deviceType;
    out[k++] = id.identifier[0];
    out[k++] = id.identifier[1];
    out[k++] = id.identifier[2];
    out[k++] = command;
    out[k++] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), out.begin() + static_cast<std::ptrdiff_t>(k));
    k += data.size();
    out[k] = Checksum(out.subspan(p, k - p));
    return length;
}

std::vector<std::uint8_t> ShortFrame(std::uint8_t pollingAddress)
{
    std::vector<std::uint8_t> f(11);
    f.resize(BuildShortFrame(f, pollingAddress));
    return f;
}

std::vector<std::uint8_t> LongFrame(int preambles, const DeviceIdentity& id, std::uint8_t command,
                                    std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> f(static_cast<std::size_t>(std::max(preambles, 0)) + 9 + data.size());
    f.resize(BuildLongFrame(f, preambles, id, command, data));
    return f;
}

std::vector<std::uint8_t> LongAnswer(const DeviceIdentity& id, std::uint8_t command, std::uint8_t responseCode,
                                     std::span<const std::uint8_t> data)
{
    if (data.size() > 253)
        return {};
    std::vector<std::uint8_t> f{kPreamble,      kSlaveLong,       LongAddressByte0(id.manufacturer), id.deviceType,
                                id.identifier[0], id.identifier[1], id.identifier[2],                 command,
                                static_cast<std::uint8_t>(data.size() + 2), responseCode, 0};
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(Checksum(std::span(f).subspan(1)));
    return f;
}

std::optional<AnswerFrame> AnswerFrame::Parse(std::span<const std::uint8_t> bytes, std::size_t header)
{
    if (header >= bytes.size() || bytes[header] != kPreamble)
        return std::nullopt;
    const auto from = bytes.subspan(header);
    const FrameSpan s = FindFrame(from);
    // The frame must begin right behind that preamble; two status bytes at least.
    if (s.state != FrameState::Whole || s.start != 0 || s.preambles != 1 || s.type != FrameType::Answer
        || !s.checksumOk || s.byteCount < 2)
        return std::nullopt;

    AnswerFrame f;
    f.header_ = header;
    f.delimiter_ = s.delimiter;
    f.address_ = from.subspan(s.addressAt(), s.addressLength);
    f.command_ = from[s.commandAt()];
    f.byteCount_ = s.byteCount;
    f.responseCode_ = from[s.dataAt()];
    f.deviceStatus_ = from[s.dataAt() + 1];
    f.data_ = from.subspan(s.dataAt() + 2, s.byteCount - 2u);
    f.size_ = s.length - s.preambles;
    return f;
}

bool AnswersRequest(const AnswerFrame& answer, std::span<const std::uint8_t> request, std::uint8_t command)
{
    if (answer.command() != command)
        return false;
    std::size_t k = 0;
    while (k < request.size() && request[k] == kPreamble)
        ++k;
    if (k == request.size() || (request[k] != kMasterShort && request[k] != kMasterLong))
        return true;
    const bool isLong = request[k] == kMasterLong;
    const std::size_t length = isLong ? 5 : 1;
    if (k + 1 + length > request.size())
        return true;
    const auto asked = request.subspan(k + 1, length);
    const auto echoed = answer.address();
    if (answer.longAddress() != isLong || echoed.size() != length)
        return false;
    constexpr std::uint8_t kMasterBit = 0x80;
    constexpr std::uint8_t kAddressBits = 0x3F;
    if (!isLong)
        return (echoed[0] & kAddressBits) == (asked[0] & kAddressBits);
    if ((echoed[0] & kMasterBit) != (asked[0] & kMasterBit))
        return false;
    const bool broadcast = (asked[0] & kAddressBits) == 0
                           && std::all_of(asked.begin() + 1, asked.end(), [](std::uint8_t b) { return b == 0; });
    return broadcast
           || ((echoed[0] & kAddressBits) == (asked[0] & kAddressBits) && std::equal(asked.begin() + 1, asked.end(), echoed.begin() + 1));
}

bool IsErrorResponse(std::uint8_t rc)
{
    if (rc & 0x80)
        return true; // communication error summary
    switch (rc) {
    case 0:
    case 8:
    case 14:
    case 24: case 25: case 26: case 27:
    case 30: case 31:
        return false;
    default:
        return rc < 96; // 96..127 are warnings
    }
}

} // namespace hart
