#include "fuzz/answer_harness.h"

#include "converter/analog.h"
#include "converter/instrument_commands.h"
#include "converter/parsing_format.h"
#include "converter/rs485.h"
#include "converter/variable_mapping.h"
#include "device/identify.h"
#include "device/instrument_info.h"
#include "device/internal_params.h"
#include "device/output_current.h"
#include "device/process_values.h"
#include "hart/frame_decoder.h"
#include "hart/frame_grammar.h"
#include "hart/transactor.h"

#include <random>

namespace fuzzing {

namespace {

volatile std::size_t g_sink = 0; // keeps decoded texts from being optimised away

template <typename T>
bool Consume(const std::optional<T>& r)
{
    g_sink = g_sink + (r ? sizeof(T) : 1);
    return r.has_value();
}

std::size_t WindowEnd(int code) { return code == 103 ? 30 : code == 115 ? 20 : 10; }

bool ErrorCode(std::uint8_t rc)
{
    if (rc >= 0x80)
        return true;
    for (int warning : {0, 8, 14, 24, 25, 26, 27, 30, 31})
        if (rc == warning)
            return false;
    return rc < 96;
}

bool IsWriteCode(int code)
{
    for (const auto& row : hart::RequestTable())
        if (row.pendingCode == code)
            return row.kind == hart::TimeoutKind::Setting;
    return false;
}

} // namespace

Verdict Judge(int code, std::span<const std::uint8_t> d)
{
    Verdict v;
    const bool identify = code == 100;
    const std::size_t first = identify ? 1 : 0;
    std::size_t at = 0;
    for (std::size_t i = first; i <= WindowEnd(code) && !v.found; ++i) {
        if (identify)
            v.found = i + 4 < d.size() && d[i] == 0xFF && d[i + 1] == 0x06 && d[i + 4] >= 14;
        else
            v.found = i + 1 < d.size() && d[i] == 0xFF && d[i + 1] == 0x86;
        at = i;
    }
    if (!v.found)
        return v;
    const std::size_t addr = d[at + 1] == 0x86 ? 5 : 1;
    const std::size_t countAt = at + 2 + addr + 1;
    if (countAt >= d.size() || d[countAt] < 2)
        return v;
    const std::size_t end = countAt + 1 + d[countAt]; // index of the checksum
    if (end >= d.size())
        return v;
    std::uint8_t x = 0;
    for (std::size_t k = at + 1; k < end; ++k)
        x ^= d[k];
    v.valid = x == d[end];
    v.command = d[countAt - 1];
    v.responseCode = d[countAt + 1];
    return v;
}

AnswerHarness::AnswerHarness()
{
    link_.SetPort(&port_);
    link_.SetSleep([](int) {});
    QObject::connect(&link_, &hart::HartLink::StatusChanged, [this](const QString& s) { lastStatus_ = s.toStdString(); });

    using F = const hart::AnswerFrame&;
    link_.SetDecoder(100, [this](F f) {
        const auto r = device::DecodeIdentify(f.data(), 0);
        if (r)
            link_.Buffer().setIdentity(r->identity);
        return Consume(r);
    });
    link_.SetDecoder(102, [](F f) { return Consume(device::DecodeLoopCurrent(f.data())); });
    link_.SetDecoder(103, [](F f) { return Consume(device::DecodeDynamicVariables(f.data())); });
    link_.SetDecoder(112, [](F f) { return Consume(device::DecodeMessage(f.data())); });
    link_.SetDecoder(113, [](F f) { return Consume(device::DecodeTagDescriptorDate(f.data())); });
    link_.SetDecoder(115, [](F f) { return Consume(device::DecodeRange(f.data())); });
    link_.SetDecoder(116, [](F f) { return Consume(device::DecodeFinalAssembly(f.data())); });
    link_.SetDecoder(120, [](F f) { return Consume(device::DecodeLongTag(f.data())); });
    link_.SetDecoder(241, [](F f) { return Consume(device::DecodeInternalParams(f.data())); });
    for (int code : {1157, 1159, 1161, 1163})
        link_.SetDecoder(code, [](F f) { return Consume(converter::DecodeInstrumentCommand(f.data())); });
    link_.SetDecoder(1165, [](F f) { return Consume(converter::DecodeParsingFormat(f.data())); });
    for (int code : {1167, 1169, 1177, 1179})
        link_.SetDecoder(code, [](F f) { return Consume(converter::DecodeAnalog(f.data())); });
    link_.SetDecoder(1171, [](F f) { return Consume(converter::DecodeMapping(f.data())); });
    link_.SetDecoder(1173, [](F f) { return Consume(converter::DecodeLineSettings(f.data())); });
}

std::string AnswerHarness::Run(const hart::RequestRow& row, std::span<const std::vector<std::uint8_t>> deliveries)
{
    const std::size_t count = row.byteCount >= 0 ? static_cast<std::size_t>(row.byteCount) : 10;
    const std::vector<std::uint8_t> data(count, 0x20);
    link_.Send(row, data, 0);
    for (const auto& d : deliveries) {
        auto broken = Tick(d);
        if (!broken.empty())
            return broken;
    }
    return {};
}

std::string AnswerHarness::Tick(const std::vector<std::uint8_t>& d)
{
    const int code = link_.PendingRequest();
    const std::uint8_t command = link_.PendingCommand();
    const hart::DeviceIdentity before = link_.Buffer().identity();
    lastStatus_.clear();

    link_.Comm1ReceiveData(d.data(), static_cast<std::uint16_t>(std::min<std::size_t>(d.size(), 65535)));
    link_.Timer2Timer();

    const auto kept = std::span(d).first(std::min<std::size_t>(d.size(), hart::LinkBuffer::kReceiveSize));
    const bool identityChanged = !(link_.Buffer().identity() == before);

    if (!hart::FindDispatch(code)) {
        if (!lastStatus_.empty() || identityChanged || link_.PendingRequest() != code)
            return "something happened with nothing pending";
        return {};
    }
    const Verdict v = Judge(code, kept);
    if (v.valid && v.command != command) {
        if (!lastStatus_.empty() || link_.PendingRequest() != code)
            return "an answer to another command was taken";
        return {};
    }
    if (link_.PendingRequest() != 0)
        return "the transaction did not end";
    if (lastStatus_ == "upload successful!") {
        ++successes_;
        if (!v.valid || ErrorCode(v.responseCode) || IsWriteCode(code))
            return "upload successful! for an answer that fails validation";
    } else if (lastStatus_ == "Write successful!") {
        ++successes_;
        if (!v.valid || v.responseCode != 0 || !IsWriteCode(code))
            return "Write successful! for an answer that fails validation";
    } else if (lastStatus_.empty()) {
        return "no outcome was shown";
    }
    if (identityChanged && !(code == 100 && lastStatus_ == "upload successful!"))
        return "the identity cache changed";
    return {};
}

std::string CheckGrammar(std::span<const std::uint8_t> b)
{
    using hart::FrameState;
    const hart::FrameSpan f = hart::FindFrame(b);
    if (f.state == FrameState::None)
        return f.start == b.size() ? "" : "no frame, yet a start before the end";
    if (f.end() > b.size() || f.preambles == 0)
        return "frame outside the bytes";
    for (std::size_t k = f.start; k < f.delimiterAt(); ++k)
        if (b[k] != 0xFF)
            return "a preamble that is not 0xFF";
    if (f.state == FrameState::Whole) {
        const std::uint8_t d = b[f.delimiterAt()];
        const std::size_t type = d & 0x07;
        if ((d & 0x18) || (type != 1 && type != 2 && type != 6))
            return "whole frame without a delimiter";
        const std::size_t countAt = f.delimiterAt() + 1 + ((d & 0x80) ? 5 : 1) + ((d >> 5) & 3) + 1;
        if (countAt >= b.size() || f.end() != countAt + 1 + b[countAt] + 1)
            return "whole frame of the wrong length";
        std::uint8_t x = 0;
        for (std::size_t k = f.delimiterAt(); k < f.end(); ++k)
            x ^= b[k];
        if (f.checksumOk != (x == 0))
            return "checksum judged wrongly";
        // Every shorter cut of it needs more, and never more than the rest.
        for (std::size_t k = f.start + 1; k < f.end(); ++k) {
            const hart::FrameSpan cut = hart::FindFrame(b.first(k));
            if (cut.state != FrameState::NeedMore || cut.start != f.start || cut.needed > f.end() - k || cut.needed == 0)
                return "a cut frame not judged as needing more";
        }
    } else if (f.end() != b.size() || f.needed == 0) {
        return "a frame needing more that does not reach the end";
    }
    // The display decoder shows the same frame where the grammar found it.
    for (const auto& p : hart::DecodeLine(b)) {
        if (p.kind == hart::PieceKind::Noise)
            continue;
        if (p.offset != f.start || (p.kind == hart::PieceKind::Frame) != (f.state == FrameState::Whole))
            return "the display decoder disagrees";
        break;
    }
    // The assembler's answer does not depend on how the bytes are delivered.
    hart::FrameAssembler once;
    hart::FrameAssembler bytewise;
    once.Add(b);
    for (std::size_t k = 0; k < b.size(); ++k)
        bytewise.Add(b.subspan(k, 1));
    if (once.state() != bytewise.state() || once.Frame() != bytewise.Frame() || once.Missing() != bytewise.Missing())
        return "the assembler depends on the deliveries";
    return {};
}

std::vector<std::uint8_t> TemplateAnswer(const hart::RequestRow& row, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    auto byte = [&] { return static_cast<std::uint8_t>(rng()); };
    std::vector<std::uint8_t> data;
    auto fill = [&](std::size_t n) {
        for (std::size_t k = 0; k < n; ++k)
            data.push_back(byte());
    };
    switch (row.command) {
    case 0: fill(rng() % 2 ? 12 : 22); break;
    case 2: fill(8); break;
    case 3: fill(9 + 5 * (rng() % 4)); break;
    case 12: fill(24); break;
    case 13: fill(21); break;
    case 15: fill(17); break;
    case 16: fill(3); break;
    case 20: fill(32); break;
    case 241: fill(2); break;
    case 157: case 159: case 161: case 163: {
        const std::size_t n = rng() % 21;
        fill(3);
        data.push_back(static_cast<std::uint8_t>(rng() % 4 == 0 ? n + rng() % 8 : n));
        fill(n);
        break;
    }
    case 165: fill(40); break;
    case 167: case 169: case 177: case 179: fill(14); break;
    case 171: fill(8); break;
    case 173: fill(4); break;
    default: fill(rng() % 3 == 0 ? 0 : static_cast<std::size_t>(std::max(row.byteCount, 0))); break;
    }
    const std::uint8_t rc = rng() % 4 == 0 ? byte() : 0;
    const int preambles = 2 + static_cast<int>(rng() % 10);
    std::vector<std::uint8_t> f(static_cast<std::size_t>(preambles), 0xFF);
    const std::size_t at = f.size();
    if (row.shape == hart::FrameShape::Short)
        f.insert(f.end(), {0x06, 0x80, 0x00});
    else
        f.insert(f.end(), {0x86, 0xA6, 0x05, 0x01, 0x02, 0x03, row.command});
    f.push_back(static_cast<std::uint8_t>(data.size() + 2));
    f.push_back(rc);
    f.push_back(0);
    f.insert(f.end(), data.begin(), data.end());
    std::uint8_t x = 0;
    for (std::size_t k = at; k < f.size(); ++k)
        x ^= f[k];
    f.push_back(x);
    return f;
}

} // namespace fuzzing
