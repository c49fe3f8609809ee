#pragma once

#include "codec/result.h"
#include "hart/link_buffer.h"
#include "hart/transport.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace config {

// The loop test's points unless the engineer gives others.
inline const std::vector<double> kDefaultLoopPoints{4, 8, 12, 16, 20};

// "4, 8,12" → the points; refused with the reason when a point is no number
// or outside what a 4–20 mA loop can carry.
codec::Result<std::vector<double>> ParseLoopPoints(const QString& text);

// The history's item and value for a fixed-current request (command 40), from
// the loop test or the page's Set: "loopCurrent", "12.000 mA" or leaving the mode.
inline const QString kLoopCurrentItem = QStringLiteral("loopCurrent");
QString LoopCurrentText(double level);

struct LoopPointResult {
    double setMa = 0;
    std::optional<double> reportedMa; // the level the device says it sources
    std::optional<double> readMa;     // what the control system read, when entered
    std::optional<bool> passed;       // the engineer's verdict, when given
    QString error;                    // why the device did not take the point

    std::optional<double> Deviation() const
    {
        return readMa ? std::optional<double>(*readMa - setMa) : std::nullopt;
    }
};

struct LoopTestResult {
    // Nothing was changed: the device at the address did not identify itself (why).
    QString refused;
    hart::DeviceIdentity device; // who answered the identify
    std::vector<LoopPointResult> points; // those that were sent, in order
    bool released = false;               // fixed-current mode left, and the device said so
    QString releaseText;                 // that outcome in words
    bool stoppedEarly = false;           // cancelled, or a point failed on the line

    // Every point sent was taken, none marked failed, and the loop was released.
    bool Passed() const;
};

// Loop tests are kept one a line beside the history, so that a report can
// show the latest test of a device.
QString DefaultLoopTestPath();
QByteArray LoopTestLine(std::uint32_t uniqueIdentifier, const QDateTime& time, const LoopTestResult& result);
struct StoredLoopTest {
    QDateTime time;
    LoopTestResult result;
};
// The last whole record for the device; damaged lines are passed over.
std::optional<StoredLoopTest> LatestLoopTest(const QString& path, std::uint32_t uniqueIdentifier);

// Steps the loop current through points with command 40, then takes the
// device out of fixed-current mode again (command 40 with 0) whatever
// happened: the end, a stop, a failed point or a silent device. Nothing here
// waits: the caller says when to go on (a person, or a hold timer).
class LoopTestRunner : public QObject {
    Q_OBJECT
public:
    explicit LoopTestRunner(hart::Transport& transport, QObject* parent = nullptr);
    ~LoopTestRunner() override;

    // Each point and the release are recorded in this history file; empty: not recorded.
    void SetHistoryPath(const QString& path) { historyPath_ = path; }

    // Identifies the device at `pollingAddress`, then sends the first point.
    void Start(std::uint8_t pollingAddress, std::vector<double> points);
    // Sends the next point, or releases the loop after the last one.
    void Next();
    // Ends the test early; the loop is released before Finished.
    void Stop();
    // What the control system showed for a point, and the verdict.
    void Note(int index, std::optional<double> readMa, std::optional<bool> passed);

    bool Running() const { return phase_ != Phase::Idle; }
    const LoopTestResult& Result() const { return result_; }

signals:
    // The device answered the identify; the first point is on its way.
    void Identified(const hart::DeviceIdentity& device);
    // The device has answered point `index` (or failed to); the test waits for Next or Stop.
    void PointDone(int index);
    // A record could not be added to the history (why).
    void HistoryNotKept(const QString& why);
    // The loop is released (or could not be); the result is whole.
    void Finished(const config::LoopTestResult& result);

private:
    enum class Phase { Idle, Identifying, Point, Holding, Releasing };
    void Identify(std::uint8_t pollingAddress);
    void SendPoint();
    void Release();
    void Send(double level, std::function<void(const hart::TransactionResult&)> done);
    void Record(double level, const hart::TransactionResult& r);

    hart::Transport& transport_;
    hart::DeviceIdentity device_;
    std::vector<double> points_;
    std::size_t next_ = 0;
    Phase phase_ = Phase::Idle;
    bool stopAsked_ = false;
    LoopTestResult result_;
    QString historyPath_;
    std::unique_ptr<hart::Reply> reply_; // the request on its way; withdrawn with the runner
};

} // namespace config
