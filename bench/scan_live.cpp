// mh-bench-scan-live: how long the address scan of 0-15 takes and how many
// live samples a second the window gets, in the real window against the
// simulated converter at 1200-baud timing. Figures: docs/performance.md.

#include "app/scan_dialog.h"
#include "app/scan_live.h"
#include "app/tform1.h"
#include "hart/transactor.h"
#include "sim/pty_simulator.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kByteMs = 11.0 * 1000.0 / 1200.0; // start, 8 data, parity, stop
constexpr int kTurnaroundMs = 20;                   // the simulator's default

struct ScanFigure {
    double ms = 0;
    int found = 0;
};

ScanFigure Scan(app::TForm1& form, int deviceAt)
{
    form.Simulator()->WithDevice([&](sim::Device& d) { d.State().pollAddress = static_cast<std::uint8_t>(deviceAt); });
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(form.findChild<QPushButton*>("FindDevices"), Qt::LeftButton);
    auto* dialog = form.FindAndWatch().Dialog();
    ScanFigure f;
    QMetaObject::Connection c = QObject::connect(&dialog->Scanner(), &device::AddressScanner::Finished,
                                                 [&](device::ScanEnd, int found, const QString&) {
                                                     f.ms = double(t.nsecsElapsed()) / 1e6;
                                                     f.found = found;
                                                 });
    if (!QTest::qWaitFor([&] { return f.ms > 0; }, 60000))
        f.ms = -1;
    QObject::disconnect(c);
    dialog->reject();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int liveSeconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;

    app::TForm1 form; // the simulated converter keeps 1200-baud timing
    form.show();
    form.findChild<QComboBox*>("SPREALCOM")->setEditText(app::kSimulatedPortName);
    QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    if (!form.Simulator()) {
        std::fprintf(stderr, "mh-bench-scan-live: the simulated converter did not open\n");
        return 1;
    }

    const double silentFloor = 11 * kByteMs + hart::kAnswerStartMs;
    const double answerFloor = (11 + 24) * kByteMs + kTurnaroundMs;
    const ScanFigure none = Scan(form, 20);
    const ScanFigure one = Scan(form, 0);

    // Live values as fast as the line allows, after the Communication Test.
    QTest::mouseClick(form.findChild<QPushButton*>("Button3"), Qt::LeftButton);
    QTest::qWait(1500);
    std::vector<qint64> times;
    const auto& store = form.FindAndWatch().Samples();
    form.findChild<QPushButton*>("LiveSwitch")->setChecked(true);
    if (!QTest::qWaitFor([&] { return !store.Samples().empty(); }, 5000)) {
        std::fprintf(stderr, "mh-bench-scan-live: no live sample\n");
        return 1;
    }
    const std::size_t first = store.Samples().size();
    QTest::qWait(liveSeconds * 1000);
    const std::size_t samples = store.Samples().size() - first;
    for (std::size_t k = first - 1; k < store.Samples().size(); ++k)
        times.push_back(store.Samples()[k].timeMs);
    // From the sample before the window to the last one in it: whole gaps only.
    const double seconds = double(times.back() - times.front()) / 1000.0;
    form.findChild<QPushButton*>("LiveSwitch")->setChecked(false);
    std::vector<double> gaps;
    for (std::size_t k = 1; k < times.size(); ++k)
        gaps.push_back(double(times[k] - times[k - 1]));
    std::sort(gaps.begin(), gaps.end());
    const double sampleFloor = (17 + 40) * kByteMs + kTurnaroundMs;

    std::printf("mh-bench-scan-live (1200-baud timing, answer-start wait %d ms)\n\n", hart::kAnswerStartMs);
    std::printf("| measure | measured | wire floor |\n|---|---|---|\n");
    std::printf("| scan 0-15, no device (16 silent) | %.0f ms | %.0f ms (16 x %.1f) |\n", none.ms, 16 * silentFloor,
                silentFloor);
    std::printf("| scan 0-15, device at 0 (found %d) | %.0f ms | %.0f ms (%.1f + 15 x %.1f) |\n", one.found, one.ms,
                answerFloor + 15 * silentFloor, answerFloor, silentFloor);
    std::printf("| live samples per second (%zu in %.1f s) | %.3f /s | %.3f /s (one every %.1f ms) |\n", samples,
                seconds, double(samples) / seconds, 1000.0 / sampleFloor, sampleFloor);
    if (!gaps.empty())
        std::printf("| gap between samples, min / median / max | %.0f / %.0f / %.0f ms | %.1f ms |\n", gaps.front(),
                    gaps[gaps.size() / 2], gaps.back(), sampleFloor);
    return none.ms > 0 && one.ms > 0 && one.found == 1 && samples > 0 ? 0 : 1;
}
