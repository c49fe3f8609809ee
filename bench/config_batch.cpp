#include "bench/config_batch.h"

#include "app/tform1.h"
#include "config/batch.h"
#include "config/items.h"
#include "line/line.h"
#include "sim/sample_states.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <set>
#include <string>

namespace bench {

namespace {

constexpr double kByteMs = 11.0 * 1000.0 / 1200.0;
constexpr int kBatchLimitMs = 120000;

std::unique_ptr<line::Line> OpenSimulated(const sim::ConverterState& state, bool lineTiming, QString* error)
{
    line::Line::Options o;
    o.simulate = true;
    o.simulator.lineTiming = lineTiming;
    auto opened = line::Line::Open(o);
    if (!opened) {
        *error = QString::fromStdString(opened.error());
        return nullptr;
    }
    auto l = opened.take();
    l->Simulator()->WithDevice([&](sim::Device& d) { d.State() = state; });
    return l;
}

// Runs one batch to its end on this thread's event loop, counting the line's traffic.
bool Measure(line::Line& l, const std::function<void(config::BatchRunner&)>& start, BatchFigure* figure,
             config::BatchReport* report, int turnaroundMs, QString* error)
{
    BatchFigure f;
    l.Transactor().SetTrafficSink([&f](const hart::TrafficRecord& r) {
        if (r.direction == hart::Direction::Sent) {
            f.sentBytes += static_cast<long long>(r.bytes.size());
            ++f.requests;
        } else {
            f.receivedBytes += static_cast<long long>(r.bytes.size());
        }
    });
    config::BatchRunner runner(l.Transactor());
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&runner, &config::BatchRunner::Finished, &loop, [&](const config::BatchReport& r) {
        *report = r;
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kBatchLimitMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    start(runner);
    if (!finished)
        loop.exec();
    f.measuredMs = double(clock.nsecsElapsed()) / 1e6;
    l.Transactor().SetTrafficSink({});
    if (!finished) {
        *error = "a configuration batch did not finish";
        return false;
    }
    if (report->status != config::BatchStatus::Done) {
        *error = "a configuration batch failed: " + QString::fromStdString(report->message);
        return false;
    }
    f.repeats = report->repeats;
    f.floorMs = double(f.sentBytes + f.receivedBytes) * kByteMs + double(turnaroundMs) * f.requests;
    *figure = f;
    return true;
}

// The same read, one Query button after the other in the real window.
bool MeasureButtons(ConfigBenchResult* out, bool lineTiming, QString* error)
{
    app::TForm1::Options o;
    o.simulatorLineTiming = lineTiming;
    o.showError = [error](const QString& t) { *error = t; };
    o.showMessage = [error](const QString& t) { *error = t; };
    app::TForm1 form(o);
    form.findChild<QComboBox*>("SPREALCOM")->setEditText(app::kSimulatedPortName);
    form.findChild<QPushButton*>("Button1")->click();
    if (!form.Simulator() || !form.Comm1().IsOpen()) {
        *error = "the window could not open the simulated converter: " + *error;
        return false;
    }
    form.Simulator()->WithDevice([](sim::Device& d) { d.State() = sim::OtherConverterState(); });

    std::vector<std::string> buttons{"Button3"};
    for (const auto& item : config::Items())
        if (!item.readByIdentify() && std::find(buttons.begin(), buttons.end(), item.query().button) == buttons.end())
            buttons.emplace_back(item.query().button);

    const auto sentBefore = form.Link().BytesSent();
    const auto receivedBefore = form.Link().BytesReceived();
    QElapsedTimer clock;
    clock.start();
    for (const auto& name : buttons) {
        auto* b = form.findChild<QPushButton*>(QString::fromStdString(name));
        if (!b || !b->isEnabled()) {
            *error = QString("the window's %1 cannot be pressed").arg(QString::fromStdString(name));
            return false;
        }
        QEventLoop loop;
        bool answered = false;
        bool success = false;
        QObject::connect(&form.Link(), &hart::HartLink::AnswerHandled, &loop, [&](int, bool ok) {
            answered = true;
            success = ok;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        b->click();
        if (!answered)
            loop.exec();
        if (!answered || !success) {
            *error = QString("the window's %1 got no good answer").arg(QString::fromStdString(name));
            return false;
        }
    }
    out->buttonsMs = double(clock.nsecsElapsed()) / 1e6;
    out->buttonPresses = static_cast<int>(buttons.size());
    const double bytes = double(form.Link().BytesSent() - sentBefore) + double(form.Link().BytesReceived() - receivedBefore);
    out->buttonsFloorMs = bytes * kByteMs + double(out->turnaroundMs) * out->buttonPresses;
    form.findChild<QPushButton*>("Button1")->click();
    return true;
}

} // namespace

ConfigBenchResult RunConfigBench(bool lineTiming)
{
    ConfigBenchResult out;
    out.turnaroundMs = sim::PtySimulatorOptions{}.turnaroundMs;
    QTemporaryDir backups;

    // Read: the converter as the tool finds it.
    {
        auto source = OpenSimulated(sim::OtherConverterState(), lineTiming, &out.error);
        if (!source)
            return out;
        config::BatchReport report;
        if (!Measure(*source, [](config::BatchRunner& r) { r.Read(0); }, &out.read, &report, out.turnaroundMs,
                     &out.error))
            return out;

        // Clone: that configuration onto a converter that differs in every item.
        auto target = OpenSimulated(sim::ConverterState{}, lineTiming, &out.error);
        if (!target)
            return out;
        config::WriteOptions w;
        w.backupDirectory = backups.path();
        config::BatchReport written;
        const config::Configuration file = report.device;
        if (!Measure(*target, [&](config::BatchRunner& r) { r.Write(file, w); }, &out.clone, &written,
                     out.turnaroundMs, &out.error))
            return out;
        out.itemsWritten = written.count(config::ItemOutcome::Verified);
    }

    MeasureButtons(&out, lineTiming, &out.error);
    return out;
}

} // namespace bench
