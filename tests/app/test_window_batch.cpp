#include "hart/line_owner.h"
#include "line/line.h"
#include "serial/tcomm.h"

#include <QtTest>

// The window's port delivers every read at once while the batch path holds
// the line, and has the buttons' read interval back whenever it does not,
// whatever order the holders come and go in.
class TestWindowBatch : public QObject {
    Q_OBJECT
private slots:
    void readIntervalFollowsTheHolder_data()
    {
        // Steps: "+X" X claims, "-X" X releases, "closed" the port closes;
        // B button, C configuration batch, S scan, L live values.
        // `batchReads`: after each step, whether reads are delivered at once.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<bool>>("batchReads");
        QTest::newRow("batch, then free") << QStringList{"+C", "-C"} << QList<bool>{true, false};
        QTest::newRow("live waits for a button, then has the line")
            << QStringList{"+B", "+L", "-B", "-L"} << QList<bool>{false, false, true, false};
        QTest::newRow("a batch displaces live values") << QStringList{"+L", "+C", "-L", "-C"}
                                                       << QList<bool>{true, true, true, false};
        QTest::newRow("a button waits for a live sample") << QStringList{"+L", "+B", "-L", "-B"}
                                                          << QList<bool>{true, true, false, false};
        QTest::newRow("the port closes under a scan") << QStringList{"+S", "+L", "closed"}
                                                      << QList<bool>{true, true, false};
    }
    void readIntervalFollowsTheHolder()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<bool>, batchReads);
        serial::TComm comm;
        comm.SetReadIntervalTimeout(line::kWindowReadInterval);
        hart::LineOwner owner;
        line::ReadsFollowHolder reads(comm, owner);
        QObject button, batch, scan, live;
        const QHash<QChar, std::pair<hart::LineClient, QObject*>> clients{
            {'B', {hart::LineClient::Button, &button}},
            {'C', {hart::LineClient::Batch, &batch}},
            {'S', {hart::LineClient::Scan, &scan}},
            {'L', {hart::LineClient::Live, &live}},
        };
        for (int k = 0; k < steps.size(); ++k) {
            const QString& step = steps[k];
            if (step == "closed") {
                owner.PortClosed();
            } else {
                const auto [who, object] = clients.value(step[1]);
                if (step[0] == '+')
                    owner.Claim(who, object, {});
                else
                    owner.Release(object);
            }
            QCOMPARE(comm.ReadIntervalTimeout(), batchReads[k] ? line::kBatchReadInterval : line::kWindowReadInterval);
        }
    }
};

QTEST_GUILESS_MAIN(TestWindowBatch)
#include "test_window_batch.moc"
