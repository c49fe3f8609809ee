// Not a test: the loop test dialog in the middle of a test, and the history
// dialog with a damaged line, on the simulated converter; one screenshot each
// into the given directory.
#include "app/history_dialog.h"
#include "app/loop_test_dialog.h"
#include "support/sim_transport.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "shots";
    QDir().mkpath(dir);
    QTemporaryDir data;
    const QString history = data.filePath("history.jsonl");

    sim::Device device;
    testing::SimTransport transport(device);
    app::LoopTestHost host;
    host.transport = &transport;
    host.historyPath = history;
    host.loopTestPath = data.filePath("loop-tests.jsonl");
    host.confirm = [](const QString&) { return true; };
    app::LoopTestDialog loop(host);
    loop.show();
    if (!QTest::qWaitForWindowExposed(&loop))
        return 1;
    auto button = [&](const char* name) { return loop.findChild<QPushButton*>(name); };
    auto hold = [&] { return QTest::qWaitFor([&] { return button("LoopNext")->isEnabled(); }, 20000); };
    button("LoopStart")->click();
    const QStringList reads{"4.01", "7.96", "12.02"};
    for (int i = 0; i < reads.size(); ++i) {
        if (!hold())
            return 1;
        loop.findChild<QLineEdit*>("LoopRead")->setText(reads[i]);
        button(i == 1 ? "LoopFailed" : "LoopPassed")->click();
        if (i + 1 < reads.size())
            button("LoopNext")->click();
    }
    QTest::qWait(100);
    loop.grab().save(dir + "/loop-test.png");
    button("LoopStop")->click();
    if (!QTest::qWaitFor([&] { return !loop.Running(); }, 20000))
        return 1;

    // A configuration write beside the loop test's steps, and one damaged line.
    config::HistoryRecord r = config::MakeHistoryRecord({}, QStringLiteral("CONVERTR"), QStringLiteral("message"),
                                                        config::HistoryOutcome::Verified);
    r.uniqueIdentifier = 66051;
    r.before = QStringLiteral("OLD MESSAGE");
    r.after = QStringLiteral("COMMISSIONED 2026-12");
    config::AppendHistory(history, r);
    config::AppendLine(history, "{\"time\": \"2026-12-0");
    app::HistoryDialog list({history, 66051u, {}});
    list.show();
    if (!QTest::qWaitForWindowExposed(&list))
        return 1;
    list.grab().save(dir + "/history.png");
    return 0;
}
