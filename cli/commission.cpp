// Commissioning from the command line: the loop test, the report and the history.
#include "cli/cli.h"
#include "cli/signals.h"

#include "codec/text.h"
#include "config/file.h"
#include "config/history.h"
#include "config/item_captions.h"
#include "config/loop_test.h"
#include "i18n/tr.h"
#include "line/line.h"
#include "report/from_configuration.h"
#include "report/report.h"

#include <QCoreApplication>
#include <QDate>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace cli {

namespace {

std::string Tr(const char* text) { return QCoreApplication::translate("cli", text).toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string Safe(const QString& s) { return codec::EscapeControl(s.toStdString(), true); }
std::string Ma(double v) { return QString::number(v, 'f', 3).toStdString(); }

// The engineer's word before the loop current stops following the process.
bool Agreed(const Options& o, Io& io)
{
    io.err << Tr(QT_TRANSLATE_NOOP("cli", "The loop current will be fixed at each point and will not follow the "
                                          "process. Put the control loop in manual first.\n"));
    if (o.yes)
        return true;
    if (::isatty(STDIN_FILENO) != 1) {
        io.err << Tr(QT_TRANSLATE_NOOP("cli", "Give --yes to run the loop test without a question. Nothing was changed.\n"));
        return false;
    }
    io.err << Tr(QT_TRANSLATE_NOOP("cli", "Go on? [y/N] ")) << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    if (answer == "y" || answer == "Y" || answer == "yes")
        return true;
    io.err << Tr(QT_TRANSLATE_NOOP("cli", "Nothing was changed.\n"));
    return false;
}

// "0x0A0B0C" or "658188".
std::optional<std::uint32_t> UniqueId(const std::string& text)
{
    bool ok = false;
    const QString t = Q(text).trimmed();
    const uint v = t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? t.mid(2).toUInt(&ok, 16) : t.toUInt(&ok, 10);
    if (!ok || v > 0xFFFFFF)
        return std::nullopt;
    return v;
}

} // namespace

int RunLoopTest(const Options& o, Io& io)
{
    const auto points = o.points.empty() ? codec::Result<std::vector<double>>::Ok(config::kDefaultLoopPoints)
                                         : config::ParseLoopPoints(Q(o.points));
    if (!points) {
        io.err << points.error() << "\n";
        return kRefused;
    }
    auto l = OpenLine(o, io);
    if (!l)
        return kRefused;
    if (!Agreed(o, io))
        return kRefused;

    config::LoopTestRunner runner(l->Transactor());
    runner.SetHistoryPath(config::DefaultHistoryPath());
    QEventLoop loop;
    QTimer hold;
    hold.setSingleShot(true);
    hold.setInterval(static_cast<int>(o.holdSeconds * 1000));
    QObject::connect(&hold, &QTimer::timeout, &runner, &config::LoopTestRunner::Next);
    // Every way out goes through the release: the test is stopped, never left.
    OnSignals stop([&](int) {
        hold.stop();
        runner.Stop();
    });
    const int total = static_cast<int>(points->size());
    QObject::connect(&runner, &config::LoopTestRunner::Identified, &loop, [&](const hart::DeviceIdentity& id) {
        io.out << i18n::Arg(QCoreApplication::translate("cli", "Loop test of the device with unique identifier %1 at polling address %2."),
                            id.serialNumber(), id.pollingAddress)
               << "\n"
               << std::flush;
    });
    QObject::connect(&runner, &config::LoopTestRunner::PointDone, &loop, [&](int index) {
        const auto& p = runner.Result().points[static_cast<std::size_t>(index)];
        if (!p.error.isEmpty())
            io.out << i18n::Arg(QCoreApplication::translate("cli", "Point %1 of %2: %3 mA not taken: %4"), index + 1, total,
                                Ma(p.setMa), Safe(p.error));
        else
            io.out << i18n::Arg(QCoreApplication::translate("cli", "Point %1 of %2: %3 mA set; the device reports %4 mA."),
                                index + 1, total, Ma(p.setMa), p.reportedMa ? Ma(*p.reportedMa) : std::string("?"));
        io.out << "\n" << std::flush;
        if (p.error.isEmpty())
            hold.start();
    });
    QObject::connect(&runner, &config::LoopTestRunner::HistoryNotKept, &loop, [&](const QString& why) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "The history did not keep this write: %1"), why.toStdString()) << "\n";
    });
    bool finished = false;
    QObject::connect(&runner, &config::LoopTestRunner::Finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    runner.Start(static_cast<std::uint8_t>(o.address), *points);
    if (!finished)
        loop.exec();

    const auto& r = runner.Result();
    if (!r.refused.isEmpty()) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "The device did not identify itself (%1). Nothing was changed."),
                            Safe(r.refused))
               << "\n";
        return kRefused;
    }
    (r.released ? io.out : io.err) << Safe(r.releaseText) << "\n";
    if (const auto kept = config::AppendLine(config::DefaultLoopTestPath(),
                                             config::LoopTestLine(r.device.serialNumber(), QDateTime::currentDateTimeUtc(), r));
        !kept)
        io.err << kept.error() << "\n";
    const bool done = r.Passed();
    if (done)
        io.out << Tr(QT_TRANSLATE_NOOP("cli", "Every point was taken and the loop was released.")) << "\n";
    return done ? kDone : kDifferences;
}

int RunReport(const Options& o, Io& io)
{
    config::Configuration c;
    QString source;
    if (!o.file.empty()) {
        const auto f = config::LoadFile(Q(o.file));
        if (!f) {
            io.err << f.error() << "\n";
            return kRefused;
        }
        c = f->configuration;
        source = QString::fromStdString(i18n::Arg(QCoreApplication::translate("cli", "the file %1"),
                                                  QFileInfo(Q(o.file)).fileName().toStdString()));
    } else {
        const auto r = ReadDevice(o, io);
        if (!r)
            return kRefused;
        c = r->device;
        source = QString::fromStdString(
            i18n::Arg(QCoreApplication::translate("cli", "the device at polling address %1"), o.address));
    }
    const report::Document d = report::Assemble(c, source, Q(o.operatorName), config::DefaultLoopTestPath(),
                                                config::DefaultHistoryPath());
    const QString path = o.output.empty() ? report::DefaultReportName(c, QDate::currentDate()) : Q(o.output);
    const auto saved = report::Save(path, d);
    if (!saved) {
        io.err << saved.error() << "\n";
        return kRefused;
    }
    io.out << i18n::Arg(QCoreApplication::translate("cli", "The report is saved to %1."), path.toStdString()) << "\n";
    return kDone;
}

int RunHistory(const Options& o, Io& io)
{
    config::HistoryFilter filter;
    if (!o.device.empty()) {
        filter.uniqueIdentifier = UniqueId(o.device);
        if (!filter.uniqueIdentifier) {
            io.err << i18n::Arg(QCoreApplication::translate("cli", "'%1' is no unique identifier (a number up to 16777215, or 0x and six hex digits)."),
                                Safe(Q(o.device)))
                   << "\n";
            return kRefused;
        }
    }
    if (!o.since.empty()) {
        const QDate day = QDate::fromString(Q(o.since), Qt::ISODate);
        if (!day.isValid()) {
            io.err << i18n::Arg(QCoreApplication::translate("cli", "'%1' is no date; give YYYY-MM-DD."), Safe(Q(o.since))) << "\n";
            return kRefused;
        }
        filter.since = day.startOfDay().toUTC(); // the day as the engineer's clock counts it
    }
    const QString path = config::DefaultHistoryPath();
    const auto log = config::ReadHistory(path);
    if (!log) {
        io.err << log.error() << "\n";
        return kRefused;
    }
    for (const auto& w : log->warnings)
        io.err << i18n::Arg(QCoreApplication::translate("cli", "%1: line %2 skipped: %3"), path.toStdString(), w.line,
                            w.reason.toStdString())
               << "\n";
    for (const auto& r : config::Select(log->records, filter)) {
        if (o.json) {
            io.out << config::HistoryLine(r).toStdString() << "\n";
            continue;
        }
        QString outcome = config::HistoryOutcomeText(r.outcome);
        if (!r.detail.isEmpty())
            outcome += QStringLiteral(" (") + r.detail + QStringLiteral(")");
        io.out << r.time.toString(Qt::ISODate).toStdString() << "  "
               << QStringLiteral("%1").arg(r.uniqueIdentifier, 6, 16, QLatin1Char('0')).toUpper().toStdString() << " "
               << Safe(r.tag) << "  " << Safe(r.item) << ": " << (r.before ? Safe(*r.before) + " -> " : std::string())
               << Safe(r.after) << "  " << Safe(outcome) << "  [" << Safe(r.program) << " " << Safe(r.version) << "]\n";
    }
    return OutputArrived(io) ? kDone : kRefused;
}

} // namespace cli
