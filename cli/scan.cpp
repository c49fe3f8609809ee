#include "cli/cli.h"

#include "device/address_scan.h"
#include "i18n/tr.h"
#include "line/line.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace cli {

int RunScan(const Options& o, Io& io)
{
    const auto range = device::ParseAddressRange(o.addresses);
    if (!range) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "The address range '%1' is not FIRST-LAST within 0-63."), o.addresses) << "\n";
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
            io.err << "\r" << i18n::Arg(QCoreApplication::translate("cli", "%1/%2 addresses"), done, total) << "\x1b[K" << std::flush;
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
        io.err << i18n::Arg(QCoreApplication::translate("cli", "The scan stopped: %1"), error) << "\n";
        return kRefused;
    }
    if (found == 0) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "No device answered at addresses %1 to %2."), first, last) << "\n";
        return kDifferences;
    }
    return kDone;
}

} // namespace cli
