#include "sim/device.h"

#include "codec/numeric.h"
#include "codec/packed_ascii.h"
#include "hart/frame_grammar.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace sim {
namespace {

// A master that falls silent this long inside a frame has given up on it;
// without this a cut-off request would swallow the start of the next one.
constexpr std::int64_t kFrameGapResetMs = 100;
// A slave takes a request after two preambles at least.
constexpr std::size_t kMinPreambles = 2;
constexpr std::size_t kMaxCountedPreambles = std::size_t{1} << 20;
constexpr int kDefaultSplitGapMs = 400;
constexpr int kMaxNoiseBytes = 4096;

constexpr std::uint8_t kReadIdentityByTag = 11;

constexpr std::uint8_t kInvalidSelection = 2;
constexpr std::uint8_t kTooLarge = 3;
constexpr std::uint8_t kTooSmall = 4;
constexpr std::uint8_t kTooFewDataBytes = 5;
constexpr std::uint8_t kWriteProtected = 7;
constexpr std::uint8_t kInvalidDate = 9;
constexpr std::uint8_t kInvalidSpan = 29;
constexpr std::uint8_t kNotImplemented = 64;

constexpr std::uint8_t kLoopCurrentFixed = 0x08; // device status bit
constexpr std::uint8_t kBell202Current = 0;       // physical signalling code

constexpr float kCurrentLowLimit = 3.8f;
constexpr float kCurrentHighLimit = 20.5f;
constexpr float kFixedCurrentMin = 3.5f;
constexpr float kFixedCurrentMax = 23.0f;

constexpr std::size_t kInstrumentLimit[4] = {20, 15, 15, 15};

// Instrument command slot of a read or write command, or -1.
int InstrumentRead(std::uint8_t c) { return c == 161 ? 0 : c == 163 ? 1 : c == 157 ? 2 : c == 159 ? 3 : -1; }
int InstrumentWrite(std::uint8_t c) { return c == 160 ? 0 : c == 162 ? 1 : c == 156 ? 2 : c == 158 ? 3 : -1; }
int AnalogRead(std::uint8_t c) { return c == 167 ? 0 : c == 169 ? 1 : c == 177 ? 2 : c == 179 ? 3 : -1; }
int AnalogWrite(std::uint8_t c) { return c == 166 ? 0 : c == 168 ? 1 : c == 176 ? 2 : c == 178 ? 3 : -1; }

void PutFloat(std::vector<std::uint8_t>& out, float v)
{
    // The HART "not a number" pattern; the master shows it as no value.
    static constexpr std::uint8_t kNaN[4] = {0x7F, 0xA0, 0x00, 0x00};
    if (std::isnan(v)) {
        out.insert(out.end(), std::begin(kNaN), std::end(kNaN));
        return;
    }
    const auto b = codec::EncodeFloatBE(v);
    out.insert(out.end(), b.begin(), b.end());
}

float GetFloat(std::span<const std::uint8_t> d, std::size_t at)
{
    return codec::DecodeFloatBE(d[at], d[at + 1], d[at + 2], d[at + 3]);
}

void Append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

bool IsWarningCode(std::uint8_t code)
{
    return code == 8 || code == 14 || (code >= 24 && code <= 27) || code == 30 || code == 31 ||
           (code >= 96 && code <= 111);
}

Device::Device(ConverterState initial) : state_(std::move(initial)) {}

std::array<std::uint8_t, 5> Device::LongAddress() const
{
    return {static_cast<std::uint8_t>(0x80 | (state_.manufacturerId & 0x3F)), state_.deviceType,
            state_.deviceId[0], state_.deviceId[1], state_.deviceId[2]};
}

void Device::SetFault(std::optional<std::uint8_t> command, Fault fault)
{
    if (command)
        commandFaults_[*command] = fault;
    else
        allFault_ = fault;
}

void Device::ClearFault(std::optional<std::uint8_t> command)
{
    if (command)
        commandFaults_.erase(*command);
    else
        allFault_.reset();
}

void Device::ClearFaults()
{
    commandFaults_.clear();
    allFault_.reset();
}

void Device::SilenceAfter(std::uint8_t command, int answered)
{
    silent_ = answered <= 0;
    silenceAfter_.reset();
    if (answered > 0)
        silenceAfter_ = std::make_pair(command, answered);
}

std::optional<Fault> Device::FaultFor(std::uint8_t command) const
{
    if (const auto it = commandFaults_.find(command); it != commandFaults_.end())
        return it->second;
    return allFault_;
}

void Device::SetTurnaroundMs(int ms) { turnaroundMs_ = std::max(ms, 0); }

float Device::InputValue(int channel, std::int64_t nowMs) const
{
    if (channel < 1 || channel > 8)
        return std::numeric_limits<float>::quiet_NaN();
    const double base = state_.inputValues[static_cast<std::size_t>(channel)];
    const double amplitude = state_.driftAmplitude * std::max(std::fabs(base), 1.0);
    if (amplitude == 0.0 || state_.driftPeriodMs <= 0)
        return static_cast<float>(base);
    // Each input on its own phase, so that the variables do not move in step.
    const double angle = 2.0 * std::numbers::pi * static_cast<double>(nowMs % state_.driftPeriodMs) /
                             state_.driftPeriodMs + 0.9 * channel;
    return static_cast<float>(base + amplitude * std::sin(angle));
}

float Device::VariableValue(int index, std::int64_t nowMs) const
{
    return InputValue(state_.mapping[static_cast<std::size_t>(std::clamp(index, 0, 3))].channel, nowMs);
}

float Device::LoopCurrent(std::int64_t nowMs) const
{
    if (state_.fixedCurrent)
        return *state_.fixedCurrent;
    const float pv = VariableValue(0, nowMs);
    const float span = state_.upperRange - state_.lowerRange;
    if (!std::isfinite(pv) || !std::isfinite(span) || span == 0.0f)
        return kCurrentLowLimit; // no usable input: the output sits at its low limit
    return std::clamp(4.0f + 16.0f * (pv - state_.lowerRange) / span, kCurrentLowLimit, kCurrentHighLimit);
}

float Device::PercentOfRange(std::int64_t nowMs) const
{
    if (state_.fixedCurrent)
        return (*state_.fixedCurrent - 4.0f) / 16.0f * 100.0f;
    const float pv = VariableValue(0, nowMs);
    const float span = state_.upperRange - state_.lowerRange;
    if (!std::isfinite(pv) || !std::isfinite(span) || span == 0.0f)
        return std::numeric_limits<float>::quiet_NaN();
    return (pv - state_.lowerRange) / span * 100.0f;
}

void Device::DropPending()
{
    pending_.clear();
    pendingMs_.clear();
    extraPreambles_ = 0;
}

std::vector<Transmission> Device::Feed(std::span<const std::uint8_t> bytes, std::int64_t nowMs)
{
    std::vector<Transmission> out;
    nowMs_ = nowMs;
    if (bytes.empty())
        return out;
    if (nowMs - lastByteMs_ > kFrameGapResetMs && hart::FindFrame(pending_, kMinPreambles).delimiter)
        DropPending();
    lastByteMs_ = nowMs;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    pendingMs_.insert(pendingMs_.end(), bytes.size(), nowMs);

    const auto drop = [this](std::size_t n) {
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
        pendingMs_.erase(pendingMs_.begin(), pendingMs_.begin() + static_cast<std::ptrdiff_t>(n));
    };
    for (;;) {
        const hart::FrameSpan f = hart::FindFrame(pending_, kMinPreambles);
        if (f.state == hart::FrameState::None) {
            DropPending();
            break;
        }
        if (f.start > 0) {
            drop(f.start);
            extraPreambles_ = 0;
            continue;
        }
        if (f.state == hart::FrameState::NeedMore) {
            if (!f.delimiter && pending_.size() > kMinPreambles) {
                // A long run of preambles is counted, not kept.
                if (extraPreambles_ == 0)
                    runStartMs_ = pendingMs_.front();
                extraPreambles_ = std::min<std::size_t>(extraPreambles_ + pending_.size() - kMinPreambles, kMaxCountedPreambles);
                drop(pending_.size() - kMinPreambles);
            }
            break;
        }
        frameStartMs_ = extraPreambles_ ? runStartMs_ : pendingMs_.front();
        framePreambles_ = extraPreambles_ + f.preambles;
        // Only plain master frames (no expansion bytes) with a right checksum are requests to answer.
        if (f.type == hart::FrameType::Request && f.expansion == 0 && f.checksumOk) {
            const auto at = pending_.begin() + static_cast<std::ptrdiff_t>(f.delimiterAt());
            frame_.assign(at, pending_.begin() + static_cast<std::ptrdiff_t>(f.checksumAt()));
            addressLength_ = f.addressLength;
            dataLength_ = f.byteCount;
            if (AddressedToMe())
                if (auto t = Answer())
                    out.push_back(std::move(*t));
        }
        drop(f.end());
        extraPreambles_ = 0;
    }
    return out;
}

bool Device::AddressedToMe() const
{
    if (addressLength_ == 1) // short frames only identify
        return frame_[2] == 0 && (frame_[1] & 0x3F) == state_.pollAddress;
    const auto mine = LongAddress();
    const bool broadcast = (frame_[1] & 0x3F) == 0 && std::all_of(frame_.begin() + 2, frame_.begin() + 6, [](std::uint8_t b) { return b == 0; });
    if (broadcast && frame_[6] == kReadIdentityByTag)
        return true; // the tag in the request decides
    return (frame_[1] & 0x3F) == (mine[0] & 0x3F) && std::equal(mine.begin() + 1, mine.end(), frame_.begin() + 2);
}

std::uint8_t Device::StatusByte() const
{
    // As a real device does: the bit follows the loop, whatever else is set.
    const auto rest = static_cast<std::uint8_t>(state_.deviceStatus & ~kLoopCurrentFixed);
    return state_.fixedCurrent ? static_cast<std::uint8_t>(rest | kLoopCurrentFixed) : rest;
}

bool Device::TagMatches(std::span<const std::uint8_t> data) const
{
    const auto tag = codec::PackAscii(state_.tag, 8);
    return data.size() >= tag.size() && std::equal(tag.begin(), tag.end(), data.begin());
}

std::optional<Transmission> Device::Answer()
{
    const bool isLong = addressLength_ == 5;
    const std::uint8_t command = frame_[1 + addressLength_];
    const std::span<const std::uint8_t> data(frame_.data() + 3 + addressLength_, dataLength_);
    const std::optional<Fault> fault = FaultFor(command);
    const auto is = [&](FaultKind k) { return fault && fault->kind == k; };

    constexpr std::size_t kRequestsKept = 1000; // enough for a test, bounded for a long-running simulator
    requests_.push_back({command, {data.begin(), data.end()}});
    if (requests_.size() > kRequestsKept)
        requests_.pop_front();
    if (silent_ || is(FaultKind::NoAnswer))
        return std::nullopt;
    if (silenceAfter_ && silenceAfter_->first == command && --silenceAfter_->second <= 0) {
        silenceAfter_.reset();
        silent_ = true; // this answer is the last
    }
    if (command == kReadIdentityByTag && !TagMatches(data))
        return std::nullopt; // another device's tag: that one answers

    Reply reply;
    const int forcedCode = is(FaultKind::ResponseCode) ? std::clamp(fault->value, 0, 255) : 0;
    if (forcedCode != 0) {
        // A refused or busy device changes nothing, warnings included.
        const ConverterState saved = state_;
        reply = Execute(command, data, nowMs_, false);
        state_ = saved;
        reply.code = static_cast<std::uint8_t>(forcedCode);
        if (!IsWarningCode(reply.code))
            reply.data.clear();
    } else {
        reply = Execute(command, data, nowMs_, is(FaultKind::LongIdentity));
    }
    if (reply.data.size() > 253)
        reply.data.resize(253);

    std::vector<std::uint8_t> bytes;
    if (is(FaultKind::Noise)) {
        const int n = std::clamp(fault->value, 0, kMaxNoiseBytes);
        for (int k = 0; k < n; ++k)
            bytes.push_back(NextNoiseByte());
    }
    const int preambles = is(FaultKind::Preambles) ? std::clamp(fault->value, 0, 255) : state_.preambles;
    bytes.insert(bytes.end(), static_cast<std::size_t>(preambles), 0xFF);

    const std::size_t frameAt = bytes.size();
    bytes.push_back(isLong ? 0x86 : 0x06);
    bytes.insert(bytes.end(), frame_.begin() + 1, frame_.begin() + 1 + static_cast<std::ptrdiff_t>(addressLength_));
    bytes.push_back(is(FaultKind::WrongCommand) ? static_cast<std::uint8_t>(fault->value) : command);
    bytes.push_back(static_cast<std::uint8_t>(2 + reply.data.size()));
    bytes.push_back(reply.code);
    bytes.push_back(StatusByte());
    Append(bytes, reply.data);
    const std::uint8_t sum = hart::Checksum(std::span(bytes).subspan(frameAt));
    bytes.push_back(is(FaultKind::BadChecksum) ? static_cast<std::uint8_t>(sum ^ 0xFF) : sum);

    if (is(FaultKind::Truncated)) {
        const std::size_t keep = fault->value > 0 ? static_cast<std::size_t>(fault->value) : bytes.size() - 2;
        bytes.resize(std::min(keep, bytes.size()));
    }

    Transmission t;
    t.requestStartMs = frameStartMs_;
    t.requestBytes = framePreambles_ + frame_.size() + 1;
    const int gap = turnaroundMs_ + (is(FaultKind::Delay) ? std::max(fault->value, 0) : 0);
    if (is(FaultKind::Split) && bytes.size() >= 2) {
        const auto cut = static_cast<std::ptrdiff_t>(bytes.size() / 2);
        t.chunks.push_back({gap, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut)});
        t.chunks.push_back({fault->value > 0 ? fault->value : kDefaultSplitGapMs,
                            std::vector<std::uint8_t>(bytes.begin() + cut, bytes.end())});
    } else {
        t.chunks.push_back({gap, std::move(bytes)});
    }
    return t;
}

std::uint8_t Device::NextNoiseByte()
{
    noiseSeed_ = noiseSeed_ * 1103515245u + 12345u;
    return static_cast<std::uint8_t>((noiseSeed_ >> 16) % 0x7F); // 0x00..0x7E, never a preamble
}

std::vector<std::uint8_t> Device::IdentityData(bool longIdentity) const
{
    const auto& s = state_;
    const std::uint8_t base[] = {
        0xFE, s.manufacturerId, s.deviceType, s.preambles,
        static_cast<std::uint8_t>(longIdentity ? 7 : s.universalRevision),
        s.deviceRevision, s.softwareRevision,
        static_cast<std::uint8_t>((s.hardwareRevision & 0x1F) << 3 | kBell202Current), s.flags,
        s.deviceId[0], s.deviceId[1], s.deviceId[2],
    };
    std::vector<std::uint8_t> d(std::begin(base), std::end(base));
    if (longIdentity) {
        const std::uint8_t more[] = {
            s.preambles, // preambles from slave to master
            4,           // device variables
            static_cast<std::uint8_t>(s.configChangeCounter >> 8), static_cast<std::uint8_t>(s.configChangeCounter),
            0,           // extended device status
            0x00, s.manufacturerId, // manufacturer code, 16 bits
            0x00, s.privateLabel,   // private label distributor, 16 bits
            1,           // device profile: process automation
        };
        d.resize(std::size(base) + std::size(more));
        std::copy(std::begin(more), std::end(more), d.begin() + std::size(base));
    }
    return d;
}

Device::Reply Device::Execute(std::uint8_t command, std::span<const std::uint8_t> d, std::int64_t nowMs,
                              bool longIdentity)
{
    auto& s = state_;
    enum class Kind { Config, Action };
    // A write: enough data, not write protected (configuration only), accepted
    // by `apply` (which returns 0 or a warning once it changed the state, or an
    // error code before changing anything); answered with the data written.
    const auto write = [&](std::size_t n, Kind kind, auto&& apply) -> Reply {
        if (d.size() < n)
            return {kTooFewDataBytes, {}};
        if (kind == Kind::Config && s.writeProtect == 1)
            return {kWriteProtected, {}};
        const std::uint8_t code = apply(d.first(n));
        if (code != 0 && !IsWarningCode(code))
            return {code, {}};
        if (kind == Kind::Config)
            ++s.configChangeCounter;
        return {code, std::vector<std::uint8_t>(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(n))};
    };
    using Bytes = std::span<const std::uint8_t>;
    std::vector<std::uint8_t> out;

    if (const int k = InstrumentRead(command); k >= 0) {
        const auto& ic = s.instruments[static_cast<std::size_t>(k)];
        out = {ic.enable, ic.returnByte1, ic.returnByte2, static_cast<std::uint8_t>(ic.bytes.size())};
        Append(out, ic.bytes);
        return {0, out};
    }
    if (const int k = InstrumentWrite(command); k >= 0) {
        if (d.size() < 4)
            return {kTooFewDataBytes, {}};
        return write(4 + std::size_t{d[3]}, Kind::Config, [&](Bytes x) -> std::uint8_t {
            if (x[0] > 1 + s.extraListItems)
                return kInvalidSelection;
            if (x[3] > kInstrumentLimit[k])
                return kTooLarge;
            s.instruments[static_cast<std::size_t>(k)] = {x[0], x[1], x[2], std::vector<std::uint8_t>(x.begin() + 4, x.end())};
            return 0;
        });
    }
    if (const int k = AnalogRead(command); k >= 0) {
        const auto& a = s.analog[static_cast<std::size_t>(k)];
        PutFloat(out, a.upper);
        PutFloat(out, a.lower);
        PutFloat(out, a.start);
        Append(out, codec::EncodeUIntBE(a.coefficient, 2));
        return {0, out};
    }
    if (const int k = AnalogWrite(command); k >= 0) {
        return write(14, Kind::Config, [&](Bytes x) -> std::uint8_t {
            s.analog[static_cast<std::size_t>(k)] = {GetFloat(x, 0), GetFloat(x, 4), GetFloat(x, 8),
                                                     static_cast<std::uint16_t>(codec::DecodeUIntBE(x.subspan(12, 2)))};
            return 0;
        });
    }

    switch (command) {
    case 0:
    case kReadIdentityByTag:
        return {0, IdentityData(longIdentity)};
    case 1:
        out.push_back(s.mapping[0].unit);
        PutFloat(out, VariableValue(0, nowMs));
        return {0, out};
    case 2:
        PutFloat(out, LoopCurrent(nowMs));
        PutFloat(out, PercentOfRange(nowMs));
        return {0, out};
    case 3:
        PutFloat(out, LoopCurrent(nowMs));
        for (int v = 0; v < 4; ++v) {
            out.push_back(s.mapping[static_cast<std::size_t>(v)].unit);
            PutFloat(out, VariableValue(v, nowMs));
        }
        return {0, out};
    case 6:
        return write(1, Kind::Config, [&](Bytes x) -> std::uint8_t {
            if (x[0] > 15)
                return kInvalidSelection;
            s.pollAddress = x[0];
            return 0;
        });
    case 12:
        return {0, codec::PackAscii(s.message, 32)};
    case 13:
        out = codec::PackAscii(s.tag, 8);
        Append(out, codec::PackAscii(s.descriptor, 16));
        Append(out, s.date);
        return {0, out};
    case 14:
        // The instruments behind the converter are its transducers: it knows
        // neither their serial number nor their limits.
        out = {0, 0, 0, s.mapping[0].unit};
        for (int k = 0; k < 3; ++k)
            PutFloat(out, std::numeric_limits<float>::quiet_NaN());
        return {0, out};
    case 15:
        out = {s.alarmCode, s.transferFunction, s.rangeUnit};
        PutFloat(out, s.upperRange);
        PutFloat(out, s.lowerRange);
        PutFloat(out, s.damping);
        out.push_back(s.writeProtect);
        out.push_back(s.privateLabel);
        return {0, out};
    case 16:
        return {0, codec::EncodeUIntBE(s.finalAssembly, 3)};
    case 17:
        return write(24, Kind::Config, [&](Bytes x) -> std::uint8_t {
            s.message = codec::UnpackAscii(x, 32);
            return 0;
        });
    case 18:
        return write(21, Kind::Config, [&](Bytes x) -> std::uint8_t {
            if (x[18] < 1 || x[18] > 31 || x[19] < 1 || x[19] > 12)
                return kInvalidDate;
            s.tag = codec::UnpackAscii(x.first(6), 8);
            s.descriptor = codec::UnpackAscii(x.subspan(6, 12), 16);
            std::copy_n(x.begin() + 18, 3, s.date.begin());
            return 0;
        });
    case 19:
        return write(3, Kind::Config, [&](Bytes x) -> std::uint8_t {
            s.finalAssembly = codec::DecodeUIntBE(x);
            return 0;
        });
    case 20:
        return {0, {s.longTag.begin(), s.longTag.end()}};
    case 22:
        return write(32, Kind::Config, [&](Bytes x) -> std::uint8_t {
            std::copy(x.begin(), x.end(), s.longTag.begin());
            return 0;
        });
    case 35:
        return write(9, Kind::Config, [&](Bytes x) -> std::uint8_t {
            const float upper = GetFloat(x, 1);
            const float lower = GetFloat(x, 5);
            if (!std::isfinite(upper) || !std::isfinite(lower) || upper == lower)
                return kInvalidSpan;
            s.rangeUnit = x[0];
            s.upperRange = upper;
            s.lowerRange = lower;
            return 0;
        });
    case 40:
        return write(4, Kind::Action, [&](Bytes x) -> std::uint8_t {
            const float level = GetFloat(x, 0);
            if (level == 0.0f) {
                s.fixedCurrent.reset();
                return 0;
            }
            if (!(level >= kFixedCurrentMin))
                return kTooSmall;
            if (level > kFixedCurrentMax)
                return kTooLarge;
            s.fixedCurrent = level;
            return 0;
        });
    case 49:
        return write(3, Kind::Config, [&](Bytes x) -> std::uint8_t {
            std::copy_n(x.begin(), 3, s.deviceId.begin());
            return 0;
        });
    case 164:
        return write(40, Kind::Config, [&](Bytes x) -> std::uint8_t {
            for (std::size_t r = 0; r < 5; ++r)
                if (x[8 * r] > 4 + s.extraListItems || x[8 * r + 3] > 26 + s.extraListItems)
                    return kInvalidSelection;
            for (std::size_t r = 0; r < 5; ++r)
                s.parsing[r] = {x[8 * r], x[8 * r + 1], x[8 * r + 2], x[8 * r + 3], GetFloat(x, 8 * r + 4)};
            return 0;
        });
    case 165:
        for (const auto& row : s.parsing) {
            const std::uint8_t head[] = {row.command, row.address, row.length, row.format};
            Append(out, head);
            PutFloat(out, row.coefficient);
        }
        return {0, out};
    case 170:
        return write(8, Kind::Config, [&](Bytes x) -> std::uint8_t {
            for (std::size_t v = 0; v < 4; ++v)
                if (x[2 * v] > 8 + s.extraListItems)
                    return kInvalidSelection;
            for (std::size_t v = 0; v < 4; ++v)
                s.mapping[v] = {x[2 * v], x[2 * v + 1]};
            return 0;
        });
    case 171:
        for (const auto& m : s.mapping) {
            out.push_back(m.channel);
            out.push_back(m.unit);
        }
        return {0, out};
    case 172:
        return write(3, Kind::Config, [&](Bytes x) -> std::uint8_t {
            if (x[0] > 6 + s.extraListItems || x[1] > 2 + s.extraListItems)
                return kInvalidSelection;
            s.baudIndex = x[0];
            s.parityIndex = x[1];
            s.interval = x[2];
            return 0;
        });
    case 173:
        return {0, {s.baudIndex, s.parityIndex, s.interval, s.markerFlag}};
    case 240:
        return write(2, Kind::Config, [&](Bytes x) -> std::uint8_t {
            s.deviceType = x[0];
            s.manufacturerId = x[1];
            return 0;
        });
    case 241:
        return {0, {s.deviceType, s.manufacturerId}};
    default:
        return {kNotImplemented, {}};
    }
}

} // namespace sim
