#include "hart/frame_grammar.h"

namespace hart {

namespace {

constexpr std::uint8_t kTypeMask = 0x07;
constexpr std::uint8_t kPhysicalLayerMask = 0x18;
constexpr std::uint8_t kBurst = 0x01;
constexpr std::uint8_t kRequest = 0x02;
constexpr std::uint8_t kAnswer = 0x06;

// The frame whose delimiter is at `at`, preambles from `start`.
FrameSpan Measure(std::span<const std::uint8_t> bytes, std::size_t start, std::size_t at)
{
    FrameSpan f;
    f.start = start;
    f.preambles = at - start;
    f.delimiter = bytes[at];
    f.type = TypeOf(f.delimiter);
    f.addressLength = AddressLength(f.delimiter);
    f.expansion = ExpansionBytes(f.delimiter);
    const std::size_t header = 1 + f.addressLength + f.expansion + 2; // delimiter through byte count
    const std::size_t have = bytes.size() - at;
    if (have < header) {
        f.state = FrameState::NeedMore;
        f.length = bytes.size() - start;
        f.needed = header + 1 - have; // as if the count were 0: then only the checksum
        return f;
    }
    f.countKnown = true;
    f.byteCount = bytes[at + header - 1];
    const std::size_t total = header + f.byteCount + 1;
    if (have < total) {
        f.state = FrameState::NeedMore;
        f.length = bytes.size() - start;
        f.needed = total - have;
        return f;
    }
    f.state = FrameState::Whole;
    f.length = f.preambles + total;
    f.checksumOk = Checksum(bytes.subspan(at, total - 1)) == bytes[at + total - 1];
    return f;
}

} // namespace

std::size_t FrameSpan::mostNeeded() const
{
    if (state != FrameState::NeedMore || delimiter == 0)
        return 0;
    return countKnown ? needed : needed + 255;
}

std::uint8_t Checksum(std::span<const std::uint8_t> bytes)
{
    std::uint8_t sum = 0;
    for (auto b : bytes)
        sum ^= b;
    return sum;
}

bool IsDelimiter(std::uint8_t d)
{
    const std::uint8_t type = d & kTypeMask;
    return (d & kPhysicalLayerMask) == 0 && (type == kBurst || type == kRequest || type == kAnswer);
}

FrameType TypeOf(std::uint8_t d)
{
    switch (d & kTypeMask) {
    case kBurst: return FrameType::Burst;
    case kAnswer: return FrameType::Answer;
    default: return FrameType::Request;
    }
}

FrameSpan FindFrame(std::span<const std::uint8_t> bytes, std::size_t minPreambles)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != kPreamble) {
            if (minPreambles == 0 && IsDelimiter(bytes[i]))
                return Measure(bytes, i, i);
            ++i;
            continue;
        }
        std::size_t run = i;
        while (run < bytes.size() && bytes[run] == kPreamble)
            ++run;
        const std::size_t preambles = run - i;
        if (run == bytes.size()) {
            // Preambles, then nothing yet: the delimiter may still come.
            FrameSpan f;
            f.state = FrameState::NeedMore;
            f.start = i;
            f.preambles = preambles;
            f.length = preambles;
            f.needed = (preambles < minPreambles ? minPreambles - preambles : 0) + 5; // delimiter, address, command, count, checksum
            return f;
        }
        if (preambles >= minPreambles && IsDelimiter(bytes[run]))
            return Measure(bytes, i, run);
        i = run;
    }
    FrameSpan none;
    none.start = bytes.size();
    return none;
}

} // namespace hart
