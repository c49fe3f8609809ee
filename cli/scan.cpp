#include "cli/cli.h"

#include "device/address_scan.h"
#include "line/line.h"

#include <QEventLoop>

namespace cli {

int RunScan(const Options& o, Io& io)
{
    const auto range = device::ParseAddressRange(o.addresses);
    if (!range) {
        io.err << "The address range '" << o.addresses << "' is not FIRST-LAST within 0-63.\n";
        return kRefused;
    }
    const auto [first, last] = *range;
    auto l = OpenLine(o, io);
    if (!l)
        return kRefused;

    device::AddressScanner scanner(l->Transactor());
    QEventLoop loop;
    device::ScanEnd end = device::ScanEnd::Completed;
    int found = 0;
    QString error;
    QObject::connect(&scanner, &device::AddressScanner::Found, &loop,
                     [&](const device::ScanHit& hit) { io.out << device::ScanHitText(hit) << "\n" << std::flush; });
    QObject::connect(&scanner, &device::AddressScanner::Progress, &loop, [&](int done, int total) {
        if (io.progress)
            io.err << "\r" << done << "/" << total << " addresses\x1b[K" << std::flush;
    });
    QObject::connect(&scanner, &device::AddressScanner::Finished, &loop,
                     [&](device::ScanEnd e, int n, const QString& why) {
                         end = e;
                         found = n;
                         error = why;
                         loop.quit();
                     });
    scanner.Start(first, last);
    loop.exec();
    if (io.progress)
        io.err << "\r\x1b[K" << std::flush;

    if (end != device::ScanEnd::Completed) {
        io.err << "The scan stopped: " << error.toStdString() << "\n";
        return kRefused;
    }
    if (found == 0) {
        io.err << "No device answered at addresses " << first << " to " << last << ".\n";
        return kDifferences;
    }
    return kDone;
}

} // namespace cli
