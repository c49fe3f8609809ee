#include "app/loop_test_dialog.h"
#include "codec/numeric.h"
#include "config/history.h"
#include "support/sim_transport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The dialog on a simulated converter, the warning answered by the test.
struct Bench {
    sim::Device device;
    testing::SimTransport transport{device};
    QTemporaryDir dir;
    bool answer = true;
    int questions = 0;
    std::unique_ptr<app::LoopTestDialog> dialog;

    explicit Bench(hart::LineOwner* owner = nullptr)
    {
        app::LoopTestHost host;
        host.transport = &transport;
        host.owner = owner;
        host.pollingAddress = [] { return std::uint8_t{0}; };
        host.historyPath = dir.filePath("history.jsonl");
        host.loopTestPath = dir.filePath("loop-tests.jsonl");
        host.confirm = [this](const QString&) {
            ++questions;
            return answer;
        };
        dialog = std::make_unique<app::LoopTestDialog>(std::move(host));
        dialog->show();
    }
    QPushButton* Button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
    // The levels command 40 carried, repeats included, in order.
    QList<double> Levels() const
    {
        QList<double> out;
        for (const auto& r : device.Requests())
            if (r.command == 40 && r.data.size() == 4)
                out << codec::DecodeFloatBE(r.data[0], r.data[1], r.data[2], r.data[3]);
        return out;
    }
};

} // namespace

class TestLoopTestDialog : public QObject {
    Q_OBJECT
private slots:
    // Whatever ends the test, the points go out exactly as given, then the
    // release; the dialog stays until the release has its answer.
    void endings_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("steps"); // N: Next, S: Stop, C: close the dialog
        QTest::addColumn<int>("silentAfter"); // answers to command 40 before silence; -1: none
        QTest::addColumn<QList<double>>("levels");
        QTest::addColumn<bool>("released");
        QTest::addColumn<int>("rows");
        QTest::newRow("to the end") << "4, 12, 20" << "NNN" << -1 << QList<double>{4, 12, 20, 0} << true << 3;
        QTest::newRow("stopped at the first point") << "4,12,20" << "S" << -1 << QList<double>{4, 0} << true << 1;
        QTest::newRow("dialog closed at the second point") << "4,12,20" << "NC" << -1 << QList<double>{4, 12, 0} << true << 2;
        QTest::newRow("escape at the first point") << "4,12" << "E" << -1 << QList<double>{4, 0} << true << 1;
        QTest::newRow("device silent at the second point")
            << "4,12,20" << "N" << 1 << QList<double>{4, 12, 12, 12, 0, 0, 0} << false << 2;
    }
    void endings()
    {
        QFETCH(QString, points);
        QFETCH(QString, steps);
        QFETCH(int, silentAfter);
        QFETCH(QList<double>, levels);
        QFETCH(bool, released);
        QFETCH(int, rows);
        Bench b;
        if (silentAfter >= 0)
            b.device.SilenceAfter(40, silentAfter);
        QSignalSpy finished(b.dialog.get(), &app::LoopTestDialog::Finished);
        b.dialog->findChild<QLineEdit*>("LoopPoints")->setText(points);
        b.Button("LoopStart")->click();
        QCOMPARE(b.questions, 1);
        for (const QChar step : steps) {
            QTRY_VERIFY_WITH_TIMEOUT(b.Button("LoopNext")->isEnabled() || !b.dialog->Running(), 20000);
            if (!b.dialog->Running())
                break;
            if (step == 'N')
                b.Button("LoopNext")->click();
            else if (step == 'S')
                b.Button("LoopStop")->click();
            else if (step == 'E')
                QTest::keyClick(b.dialog.get(), Qt::Key_Escape);
            else
                b.dialog->close();
            if (step != 'N') // the dialog waits for the release
                QVERIFY(b.dialog->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!b.dialog->Running(), 20000);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(b.Levels(), levels);
        QCOMPARE(b.dialog->LastResult()->released, released);
        QCOMPARE(b.dialog->findChild<QTableWidget*>("LoopTable")->rowCount(), rows);
        // A loop that may still be fixed is said in red.
        QCOMPARE(b.dialog->findChild<QLabel*>("LoopStatus")->styleSheet().contains("red"), !released);
        QCOMPARE(b.dialog->isVisible(), !steps.contains('C') && !steps.contains('E'));
        // The test is kept for the report, its steps in the history.
        const auto kept = config::LatestLoopTest(b.dir.filePath("loop-tests.jsonl"), b.device.LongAddress()[2] << 16
                                                     | b.device.LongAddress()[3] << 8 | b.device.LongAddress()[4]);
        QVERIFY(kept);
        QCOMPARE(int(kept->result.points.size()), rows);
        QCOMPARE(kept->result.released, released);
        const auto log = config::ReadHistory(b.dir.filePath("history.jsonl"));
        QVERIFY(log.ok());
        QCOMPARE(int(log->records.size()), rows + 1);
    }

    // A test waiting for the line that another client holds: closed then, it
    // ends at once with nothing sent, and its claim goes with it.
    void closedWhileWaitingForTheLine()
    {
        hart::LineOwner owner;
        QObject other;
        owner.Claim(hart::LineClient::Batch, &other, [] {});
        Bench b(&owner);
        QSignalSpy finished(b.dialog.get(), &app::LoopTestDialog::Finished);
        b.Button("LoopStart")->click();
        QVERIFY(b.dialog->Running());
        b.dialog->close();
        QCOMPARE(finished.size(), 1);
        QVERIFY(!b.dialog->isVisible());
        // A claim left behind would be granted now, and the test would start.
        owner.Release(&other);
        QCOMPARE(owner.state(), hart::LineOwner::State::Free);
        QVERIFY(!b.dialog->Running());
        QVERIFY(b.transport.Idle());
    }

    // The control system's reading and the verdict go into the result; a
    // declined warning sends nothing.
    void readingsAndWarning_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("deviation");
        QTest::addColumn<bool>("passed");
        QTest::newRow("declined") << false << "" << "" << "" << false;
        QTest::newRow("read and passed") << true << "4.02" << "LoopPassed" << "0.020" << true;
        QTest::newRow("read low, failed") << true << "3.9" << "LoopFailed" << "-0.100" << false;
        QTest::newRow("nothing entered") << true << "" << "" << "" << true;
    }
    void readingsAndWarning()
    {
        QFETCH(bool, answer);
        QFETCH(QString, read);
        QFETCH(QString, mark);
        QFETCH(QString, deviation);
        QFETCH(bool, passed);
        Bench b;
        b.answer = answer;
        b.dialog->findChild<QLineEdit*>("LoopPoints")->setText("4");
        b.Button("LoopStart")->click();
        if (!answer) {
            QVERIFY(!b.dialog->Running());
            QVERIFY(b.Levels().isEmpty());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(b.Button("LoopNext")->isEnabled(), 20000);
        b.dialog->findChild<QLineEdit*>("LoopRead")->setText(read);
        if (!mark.isEmpty())
            b.Button(qPrintable(mark))->click();
        auto* table = b.dialog->findChild<QTableWidget*>("LoopTable");
        QCOMPARE(table->item(0, 3)->text(), deviation);
        b.Button("LoopNext")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!b.dialog->Running(), 20000);
        QCOMPARE(b.dialog->LastResult()->Passed(), passed);
        QCOMPARE(b.dialog->LastResult()->points.at(0).Deviation().has_value(), !read.isEmpty());
    }
};

QTEST_MAIN(TestLoopTestDialog)
#include "test_loop_test_dialog.moc"
