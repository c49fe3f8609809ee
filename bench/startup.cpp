#include "bench/startup.h"

#include "app/tform1.h"
#include "bench/proc_stats.h"

#include <QApplication>
#include <QEvent>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>

namespace bench {

namespace {

// Notes the first paint of the window and, one event-loop turn later, the
// end of that paint pass (all controls painted, the backing store flushed).
class FirstPaint : public QObject {
public:
    std::int64_t paintNs = 0;
    std::int64_t paintedNs = 0;
    std::function<void()> done;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && paintNs == 0) {
            paintNs = MonotonicNs();
            QTimer::singleShot(0, this, [this] {
                paintedNs = MonotonicNs();
                done();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int RunStartupChild(int argc, char** argv)
{
    const std::int64_t mainNs = MonotonicNs();
    QApplication application(argc, argv);
    const std::int64_t appNs = MonotonicNs();
    app::TForm1 form1;
    const std::int64_t formNs = MonotonicNs();
    FirstPaint probe;
    probe.done = [&] {
        std::printf("startup main=%lld app=%lld form=%lld paint=%lld painted=%lld platform=%s\n",
                    static_cast<long long>(mainNs), static_cast<long long>(appNs), static_cast<long long>(formNs),
                    static_cast<long long>(probe.paintNs), static_cast<long long>(probe.paintedNs),
                    qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    };
    form1.installEventFilter(&probe);
    QTimer::singleShot(20000, &application, [] {
        std::fprintf(stderr, "mh-bench: the window was not painted within 20 s\n");
        QCoreApplication::exit(2);
    });
    form1.show();
    return application.exec();
}

std::vector<StartupSample> MeasureStartup(int runs, QString* error)
{
    std::vector<StartupSample> samples;
    for (int k = 0; k < runs; ++k) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const std::int64_t spawnNs = MonotonicNs();
        child.start(QCoreApplication::applicationFilePath(), {kStartupChildFlag});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            *error = QString("start-up child %1 failed: %2").arg(k + 1).arg(child.errorString());
            return {};
        }
        const QString line = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
        std::map<QString, QString> fields;
        for (const QString& item : line.split(' ', Qt::SkipEmptyParts)) {
            const auto eq = item.indexOf('=');
            if (eq > 0)
                fields[item.left(eq)] = item.mid(eq + 1);
        }
        const auto ns = [&](const char* key) { return fields[key].toLongLong(); };
        if (!line.startsWith("startup ") || ns("painted") == 0) {
            *error = QString("start-up child %1 reported nothing usable: '%2'").arg(k + 1).arg(line);
            return {};
        }
        StartupSample s;
        s.spawnToMainMs = NsToMs(ns("main") - spawnNs);
        s.mainToAppMs = NsToMs(ns("app") - ns("main"));
        s.appToFormMs = NsToMs(ns("form") - ns("app"));
        s.formToPaintMs = NsToMs(ns("paint") - ns("form"));
        s.paintToPaintedMs = NsToMs(ns("painted") - ns("paint"));
        s.spawnToPaintedMs = NsToMs(ns("painted") - spawnNs);
        s.appToPaintedMs = NsToMs(ns("painted") - ns("app"));
        s.platform = fields["platform"];
        samples.push_back(s);
    }
    return samples;
}

} // namespace bench
