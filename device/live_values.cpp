#include "device/live_values.h"

#include "codec/units.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace device {

namespace {

std::string Number(float v)
{
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc{} ? std::string(buf, end) : std::string();
}

// A unit text may hold a comma or a quote in a later list: quote it then.
std::string CsvField(const std::string& s)
{
    if (s.find_first_of(",\"\n") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

LiveSample SampleOf(const DynamicVariables& v, std::int64_t timeMs, std::int64_t intervalMs)
{
    LiveSample s;
    s.timeMs = timeMs;
    s.intervalMs = intervalMs;
    s.loopCurrent = v.loopCurrent;
    s.count = static_cast<int>(std::min<std::size_t>(v.variables.size(), 4));
    for (int k = 0; k < s.count; ++k) {
        s.values[k] = v.variables[k].value;
        s.units[k] = v.variables[k].unitCode;
    }
    return s;
}

std::string UnitName(std::uint8_t code)
{
    const int item = codec::UnitCodeToItem(code);
    if (item == codec::kOtherUnitItem)
        return "unit " + std::to_string(code);
    static const std::vector<std::string> items = codec::UnitList(codec::UnitListControl::ComboBox5);
    std::string text = items[static_cast<std::size_t>(item)];
    if (const auto bar = text.find('_'); bar != std::string::npos)
        text.erase(0, bar + 1);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

void SampleStore::Add(const LiveSample& s)
{
    // A clock set back: samples stamped after this one would keep the store
    // (and the trend's span) in a time that is not now, without bound.
    while (!samples_.empty() && samples_.back().timeMs > s.timeMs)
        samples_.pop_back();
    samples_.push_back(s);
    while (!samples_.empty() && samples_.front().timeMs < s.timeMs - windowMs_)
        samples_.pop_front();
}

void LiveRun::Start(std::int64_t nowMs)
{
    *this = LiveRun{};
    startMs_ = nowMs;
}

void LiveRun::Answer(std::int64_t nowMs)
{
    ++samples_;
    failuresInRow_ = 0;
    lastAnswerMs_ = nowMs;
    recent_.push_back(nowMs);
    if (recent_.size() > kRateSamples)
        recent_.pop_front();
}

void LiveRun::Failure(std::string reason)
{
    ++failuresInRow_;
    lastFailure_ = std::move(reason);
}

std::optional<double> LiveRun::Rate() const
{
    if (recent_.size() < 2)
        return std::nullopt;
    const double span = static_cast<double>(recent_.back() - recent_.front()) / 1000.0;
    if (span <= 0)
        return std::nullopt;
    return static_cast<double>(recent_.size() - 1) / span;
}

std::string LiveRun::StatusText() const
{
    QString text = QCoreApplication::translate("device", "%1 samples").arg(samples_);
    if (const auto rate = Rate())
        text += QCoreApplication::translate("device", ", %1/s").arg(QString::number(*rate, 'f', 1));
    if (Stale()) {
        const std::int64_t since = samples_ > 0 ? lastAnswerMs_ : startMs_;
        text += QCoreApplication::translate("device", "; no answer since %1 (%2, %3 in a row)")
                    .arg(QDateTime::fromMSecsSinceEpoch(since).toString(QStringLiteral("HH:mm:ss")),
                        QString::fromStdString(lastFailure_), QString::number(failuresInRow_));
    }
    return text.toStdString();
}

TrendSpan TrendSpanOf(const std::deque<LiveSample>& samples, std::int64_t windowMs, std::int64_t nowMs)
{
    if (samples.empty())
        return {nowMs, nowMs + TrendSpan::kMinSpanMs};
    // Extremes rather than ends: a wall clock set back leaves the store out of order.
    const auto [first, newest] = std::minmax_element(
        samples.begin(), samples.end(), [](const LiveSample& a, const LiveSample& b) { return a.timeMs < b.timeMs; });
    TrendSpan span{std::max(first->timeMs, newest->timeMs - windowMs), newest->timeMs};
    if (span.toMs - span.fromMs < TrendSpan::kMinSpanMs)
        span.toMs = span.fromMs + TrendSpan::kMinSpanMs;
    return span;
}

std::optional<std::int64_t> MeasuredPeriodMs(const std::deque<LiveSample>& samples)
{
    std::vector<std::int64_t> spacings;
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (samples[i - 1].intervalMs == 0 && samples[i].intervalMs == 0 && samples[i].timeMs > samples[i - 1].timeMs)
            spacings.push_back(samples[i].timeMs - samples[i - 1].timeMs);
    if (spacings.empty())
        return std::nullopt;
    const auto middle = spacings.begin() + static_cast<std::ptrdiff_t>(spacings.size() / 2);
    std::nth_element(spacings.begin(), middle, spacings.end());
    return *middle;
}

std::optional<float> LineValue(const LiveSample& s, int line)
{
    std::optional<float> v;
    if (line == kTrendLines - 1)
        v = s.loopCurrent;
    else if (line >= 0 && line < s.count)
        v = s.values[static_cast<std::size_t>(line)];
    if (v && !std::isfinite(*v))
        return std::nullopt; // a NaN or infinity from the device is no measurement
    return v;
}

std::vector<TrendRun> TrendRuns(const std::deque<LiveSample>& samples, int line)
{
    const std::optional<std::int64_t> measured = MeasuredPeriodMs(samples);
    auto period = [&](const LiveSample& s) { return s.intervalMs > 0 ? std::optional(s.intervalMs) : measured; };
    auto gap = [&](const LiveSample& a, const LiveSample& b) {
        if (b.timeMs < a.timeMs)
            return true;
        const auto pa = period(a);
        const auto pb = period(b);
        if (!pa && !pb)
            return false; // no interval known yet: nothing to call a gap
        return b.timeMs - a.timeMs > std::max(3 * std::max(pa.value_or(0), pb.value_or(0)), kMinGapMs);
    };
    std::vector<TrendRun> runs;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (!LineValue(samples[i], line))
            continue;
        if (runs.empty() || runs.back().end != i || gap(samples[i - 1], samples[i]))
            runs.push_back({i, i + 1});
        else
            runs.back().end = i + 1;
    }
    return runs;
}

std::string SamplesCsv(const std::deque<LiveSample>& samples)
{
    std::string out = "time,loop current (mA)";
    for (int k = 1; k <= 4; ++k)
        out += ",variable " + std::to_string(k) + ",unit " + std::to_string(k);
    out += '\n';
    for (const auto& s : samples) {
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(s.timeMs, QTimeZone::utc());
        out += t.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'")).toStdString();
        out += ',' + Number(s.loopCurrent);
        for (int k = 0; k < 4; ++k) {
            out += ',';
            if (k < s.count && s.values[k])
                out += Number(*s.values[k]);
            out += ',';
            if (k < s.count)
                out += CsvField(UnitName(s.units[k]));
        }
        out += '\n';
    }
    return out;
}

} // namespace device
