#include "config/loop_test.h"

#include "codec/numeric.h"
#include "config/history.h"
#include "device/identify.h"
#include "hart/frames.h"
#include "hart/request_frame.h"
#include "hart/request_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QStringList>

#include <cmath>

namespace config {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("config::LoopTest", text); }

// What a 4–20 mA loop can carry, alarm levels included; 0 would mean "leave
// fixed mode" and must never be a point.
constexpr double kLowestMa = 3.5;
constexpr double kHighestMa = 23.0;
constexpr std::size_t kMostPoints = 32;

// The answer's words for a failed request, or nothing when the device took it.
QString Failure(const hart::TransactionResult& r)
{
    const auto usable = hart::UsableAnswer(r);
    return usable ? QString() : QString::fromStdString(usable.error());
}

std::optional<double> ReportedLevel(const hart::TransactionResult& r)
{
    const auto frame = r.Frame();
    if (!frame || frame->data().size() < 4)
        return std::nullopt;
    return codec::DecodeFloatBE(frame->data().first<4>());
}

} // namespace

codec::Result<std::vector<double>> ParseLoopPoints(const QString& text)
{
    using R = codec::Result<std::vector<double>>;
    std::vector<double> points;
    const QStringList parts = text.split(',');
    for (const QString& part : parts) {
        bool ok = false;
        const double v = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v))
            return R::Fail(Tr(QT_TRANSLATE_NOOP("config::LoopTest", "\"%1\" is not a current in mA")).arg(part.trimmed()).toStdString());
        if (v < kLowestMa || v > kHighestMa)
            return R::Fail(Tr(QT_TRANSLATE_NOOP("config::LoopTest", "%1 mA is outside %2 to %3 mA")).arg(v).arg(kLowestMa).arg(kHighestMa).toStdString());
        points.push_back(v);
    }
    if (points.size() > kMostPoints)
        return R::Fail(Tr(QT_TRANSLATE_NOOP("config::LoopTest", "at most %1 points")).arg(kMostPoints).toStdString());
    return R::Ok(std::move(points));
}

QString DefaultLoopTestPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QDir::current().filePath(QStringLiteral("loop-tests.jsonl"))
                          : QDir(base).filePath(QStringLiteral("modbus-hart/loop-tests.jsonl"));
}

QByteArray LoopTestLine(std::uint32_t uniqueIdentifier, const QDateTime& time, const LoopTestResult& result)
{
    QJsonArray points;
    for (const auto& p : result.points) {
        QJsonObject o{{"set", p.setMa}};
        if (p.reportedMa)
            o["reported"] = *p.reportedMa;
        if (p.readMa)
            o["read"] = *p.readMa;
        if (p.passed)
            o["passed"] = *p.passed;
        if (!p.error.isEmpty())
            o["error"] = p.error;
        points.append(o);
    }
    const QJsonObject o{{"time", time.toUTC().toString(Qt::ISODateWithMs)},
                        {"uniqueIdentifier", static_cast<double>(uniqueIdentifier)},
                        {"points", points},
                        {"released", result.released},
                        {"release", result.releaseText},
                        {"stoppedEarly", result.stoppedEarly}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<StoredLoopTest> LatestLoopTest(const QString& path, std::uint32_t uniqueIdentifier)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<StoredLoopTest> latest;
    while (!file.atEnd()) {
        const QJsonDocument doc = QJsonDocument::fromJson(file.readLine());
        const QJsonObject o = doc.object();
        if (!doc.isObject() || o.value("uniqueIdentifier").toDouble(-1) != static_cast<double>(uniqueIdentifier))
            continue;
        StoredLoopTest t;
        t.time = QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs);
        if (!t.time.isValid() || !o.value("points").isArray())
            continue;
        bool whole = true;
        for (const auto& v : o.value("points").toArray()) {
            const QJsonObject p = v.toObject();
            if (!p.value("set").isDouble()) {
                whole = false;
                break;
            }
            LoopPointResult point;
            point.setMa = p.value("set").toDouble();
            if (p.value("reported").isDouble())
                point.reportedMa = p.value("reported").toDouble();
            if (p.value("read").isDouble())
                point.readMa = p.value("read").toDouble();
            if (p.value("passed").isBool())
                point.passed = p.value("passed").toBool();
            point.error = p.value("error").toString();
            t.result.points.push_back(point);
        }
        if (!whole)
            continue;
        t.result.released = o.value("released").toBool();
        t.result.releaseText = o.value("release").toString();
        t.result.stoppedEarly = o.value("stoppedEarly").toBool();
        if (!latest || t.time >= latest->time)
            latest = std::move(t);
    }
    return latest;
}

bool LoopTestResult::Passed() const
{
    if (!released || stoppedEarly || points.empty())
        return false;
    for (const auto& p : points)
        if (!p.error.isEmpty() || !p.reportedMa || (p.passed && !*p.passed))
            return false;
    return true;
}

LoopTestRunner::LoopTestRunner(hart::Transport& transport, QObject* parent)
    : QObject(parent), transport_(transport)
{
}

LoopTestRunner::~LoopTestRunner() = default;

void LoopTestRunner::Start(std::uint8_t pollingAddress, std::vector<double> points)
{
    if (Running())
        return;
    points_ = std::move(points);
    next_ = 0;
    stopAsked_ = false;
    result_ = {};
    Identify(pollingAddress);
}

void LoopTestRunner::Identify(std::uint8_t pollingAddress)
{
    phase_ = Phase::Identifying;
    auto t = hart::MakeTransaction(hart::Request(hart::RequestId::Button3), {}, {}, pollingAddress);
    reply_ = transport_.Submit(std::move(t), [this, pollingAddress](const hart::TransactionResult& r) {
        reply_.release()->deleteLater();
        QString why = Failure(r);
        std::optional<device::IdentifyResult> decoded;
        if (why.isEmpty()) {
            decoded = device::DecodeIdentify(r.Frame()->data(), pollingAddress);
            if (!decoded)
                why = Tr(QT_TRANSLATE_NOOP("config::LoopTest", "the identify answer is too short"));
        }
        if (!why.isEmpty() || stopAsked_) {
            result_.refused = why.isEmpty() ? Tr(QT_TRANSLATE_NOOP("config::LoopTest", "cancelled")) : why;
            phase_ = Phase::Idle;
            emit Finished(result_);
            return;
        }
        device_ = result_.device = decoded->identity;
        if (points_.empty())
            Release();
        else
            SendPoint();
        emit Identified(device_);
    });
}

QString LoopCurrentText(double level)
{
    return level == 0.0 ? QStringLiteral("0 (fixed current mode left)")
                        : QStringLiteral("%1 mA").arg(QString::number(level, 'f', 3));
}

void LoopTestRunner::Send(double level, std::function<void(const hart::TransactionResult&)> done)
{
    const auto bytes = codec::EncodeFloatBE(static_cast<float>(level));
    auto t = hart::MakeTransaction(hart::Request(hart::RequestId::Button6), device_, bytes);
    reply_ = transport_.Submit(std::move(t), [this, done = std::move(done)](const hart::TransactionResult& r) {
        // The handle has spoken; it goes once its signal has returned.
        reply_.release()->deleteLater();
        done(r);
    });
}

// The loop current's steps go into the history like any other write.
void LoopTestRunner::Record(double level, const hart::TransactionResult& r)
{
    if (historyPath_.isEmpty())
        return;
    const auto frame = r.Frame();
    const bool refused = r.error == hart::TransactionError::Busy || (frame && hart::IsErrorResponse(frame->responseCode()));
    HistoryOutcome outcome = HistoryOutcome::PossiblyTaken;
    QString detail = Failure(r);
    if (detail.isEmpty()) {
        const auto reported = ReportedLevel(r);
        if (reported && std::abs(*reported - level) < 0.0005)
            outcome = HistoryOutcome::Verified;
        else
            detail = Tr(QT_TRANSLATE_NOOP("config::LoopTest", "the device reports %1 mA")).arg(reported ? QString::number(*reported, 'f', 3) : QStringLiteral("?"));
    } else if (refused) {
        outcome = HistoryOutcome::Refused;
    } else if (r.error == hart::TransactionError::NoAnswer || r.error == hart::TransactionError::PortFailed) {
        outcome = HistoryOutcome::NoAnswer;
    }
    auto record = MakeHistoryRecord(device_, {}, kLoopCurrentItem, outcome);
    record.after = LoopCurrentText(level);
    record.detail = detail;
    if (const auto kept = AppendHistory(historyPath_, record); !kept)
        emit HistoryNotKept(QString::fromStdString(kept.error()));
}

void LoopTestRunner::SendPoint()
{
    phase_ = Phase::Point;
    const double level = points_[next_];
    Send(level, [this, level](const hart::TransactionResult& r) {
        Record(level, r);
        LoopPointResult point;
        point.setMa = level;
        point.error = Failure(r);
        if (point.error.isEmpty())
            point.reportedMa = ReportedLevel(r);
        result_.points.push_back(point);
        const int index = static_cast<int>(next_++);
        const bool failed = !point.error.isEmpty();
        if (failed) {
            result_.stoppedEarly = true;
            stopAsked_ = true; // no further point after one the device did not take
        }
        phase_ = Phase::Holding;
        emit PointDone(index);
        // A device that did not take a point is released at once; so is one
        // whose test was stopped while the point was on the line.
        if (phase_ == Phase::Holding && stopAsked_)
            Release();
    });
}

void LoopTestRunner::Next()
{
    if (phase_ != Phase::Holding)
        return;
    if (next_ < points_.size() && !stopAsked_)
        SendPoint();
    else
        Release();
}

void LoopTestRunner::Stop()
{
    if (phase_ == Phase::Idle || phase_ == Phase::Releasing)
        return;
    if (phase_ == Phase::Identifying) {
        stopAsked_ = true; // nothing changed yet: the identify's answer ends it
        return;
    }
    if (next_ < points_.size() || phase_ == Phase::Point)
        result_.stoppedEarly = true;
    stopAsked_ = true;
    if (phase_ == Phase::Holding)
        Release();
    // A point on the line: its answer comes first, then the release.
}

void LoopTestRunner::Note(int index, std::optional<double> readMa, std::optional<bool> passed)
{
    if (index < 0 || static_cast<std::size_t>(index) >= result_.points.size())
        return;
    result_.points[static_cast<std::size_t>(index)].readMa = readMa;
    result_.points[static_cast<std::size_t>(index)].passed = passed;
}

void LoopTestRunner::Release()
{
    phase_ = Phase::Releasing;
    Send(0.0, [this](const hart::TransactionResult& r) {
        Record(0.0, r);
        const QString failure = Failure(r);
        result_.released = failure.isEmpty();
        result_.releaseText = result_.released
                                  ? Tr(QT_TRANSLATE_NOOP("config::LoopTest", "The loop current follows the process again."))
                                  : Tr(QT_TRANSLATE_NOOP("config::LoopTest", "The loop current may still be fixed: %1. Take the device out of fixed "
                                       "current mode before the loop is used."))
                                        .arg(failure);
        phase_ = Phase::Idle;
        emit Finished(result_);
    });
}

} // namespace config
