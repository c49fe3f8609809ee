// mh-bench-traffic: how much memory the traffic window holds once its ring of
// 100,000 rows is full, and that it holds no more after twice as many.
// The figures and their reading: docs/performance.md.

#include "app/traffic_model.h"
#include "app/traffic_window.h"
#include "bench/proc_stats.h"
#include "capture/pcapng.h"
#include "hart/frames.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTableView>

#include <cstdio>

namespace {

double MiB(std::uint64_t bytes) { return double(bytes) / (1024.0 * 1024.0); }

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rows = app::TrafficModel::kDefaultCapacity;

    // A long day on the line: command 3 and its 40-byte answer, over and over.
    hart::DeviceIdentity id;
    id.manufacturer = 0x26;
    id.deviceType = 5;
    id.identifier = {1, 2, 3};
    const auto request = hart::LongFrame(8, id, 3, {});
    std::vector<std::uint8_t> answer(5, 0xFF);
    for (std::uint8_t b : {0x86, 0xA6, 0x05, 0x01, 0x02, 0x03, 0x03, 0x1A})
        answer.push_back(b);
    answer.resize(answer.size() + 26, 0x41);
    answer.push_back(hart::Checksum(std::span(answer).subspan(5)));

    app::TrafficModel model;
    app::TrafficWindow window(model, {});
    window.show();
    app.processEvents();
    const auto before = bench::ProcessMemory();

    std::int64_t t = bench::MonotonicNs();
    auto feed = [&](int n) {
        const std::int64_t start = bench::MonotonicNs();
        for (int i = 0; i < n; ++i) {
            model.Append({i % 2 ? hart::Direction::Received : hart::Direction::Sent, t += 300'000'000,
                          i % 2 ? answer : request});
            if (i % 1000 == 999)
                app.processEvents(); // the view follows as it would on the day
        }
        app.processEvents();
        return bench::NsToMs(bench::MonotonicNs() - start);
    };
    const double firstMs = feed(rows);
    const auto full = bench::ProcessMemory();
    const double secondMs = feed(rows);
    const auto twice = bench::ProcessMemory();

    // Save Capture… with the ring full.
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.pcapng");
    const std::int64_t saveStart = bench::MonotonicNs();
    const bool saved = capture::WriteCaptureFile(path.toStdString(), model.Records()).ok();
    const double saveMs = bench::NsToMs(bench::MonotonicNs() - saveStart);

    std::printf("mh-bench-traffic: %d-row ring, rows alternate a 17-byte request and a 40-byte answer\n", rows);
    std::printf("  resident, window shown and empty      %8.1f MiB\n", MiB(before.residentBytes));
    std::printf("  resident, %6d rows                  %8.1f MiB (+%.1f MiB, %.0f bytes a row)\n", rows,
                MiB(full.residentBytes), MiB(full.residentBytes - before.residentBytes),
                double(full.residentBytes - before.residentBytes) / rows);
    std::printf("  resident, %6d more rows (ring full)  %8.1f MiB (+%.1f MiB)\n", rows, MiB(twice.residentBytes),
                MiB(twice.residentBytes - full.residentBytes));
    std::printf("  peak resident                         %8.1f MiB\n", MiB(twice.peakBytes));
    std::printf("  appending and showing %6d rows      %8.0f ms, then %.0f ms with the ring full\n", rows, firstMs,
                secondMs);
    std::printf("  Save Capture of the full ring         %8.0f ms, %.1f MiB file%s\n", saveMs,
                MiB(std::uint64_t(QFileInfo(path).size())), saved ? "" : " (FAILED)");
    std::printf("  rows kept                             %8d\n", model.rowCount());
    return saved && model.rowCount() <= rows && model.rowCount() >= rows - rows / 100 ? 0 : 1;
}
