#include "app/window_batch.h"
#include "support/fake_port.h"

#include <QtTest>

// The window's batch path switches the port to reads delivered at once and
// back; a configuration batch and live values may hold it in any order.
class TestWindowBatch : public QObject {
    Q_OBJECT
private slots:
    void readIntervalComesBackWhateverOrder_data()
    {
        QTest::addColumn<bool>("batchEndsLast");
        QTest::newRow("request answered, then the batch ends") << true;
        QTest::newRow("batch ends, then the request is answered") << false;
    }
    void readIntervalComesBackWhateverOrder()
    {
        QFETCH(bool, batchEndsLast);
        serial::TComm comm;
        comm.SetReadIntervalTimeout(line::kWindowReadInterval);
        testing::FakePort port;
        hart::Transactor transactor;
        transactor.SetPort(&port);
        transactor.SetAnswerStartMs(1);
        app::WindowBatchPath path(transactor, comm);

        bool answered = false;
        if (!batchEndsLast)
            path.Hold();
        path.Submit({hart::ShortFrame(0), 0}, [&](const hart::TransactionResult&) { answered = true; });
        if (batchEndsLast)
            path.Hold();
        QCOMPARE(comm.ReadIntervalTimeout(), line::kBatchReadInterval);
        if (batchEndsLast) {
            QVERIFY(QTest::qWaitFor([&] { return answered; }, 5000));
            QCOMPARE(comm.ReadIntervalTimeout(), line::kBatchReadInterval);
            path.Release();
        } else {
            path.Release();
            QCOMPARE(comm.ReadIntervalTimeout(), line::kBatchReadInterval);
            QVERIFY(QTest::qWaitFor([&] { return answered; }, 5000));
        }
        QCOMPARE(comm.ReadIntervalTimeout(), line::kWindowReadInterval);
    }
};

QTEST_GUILESS_MAIN(TestWindowBatch)
#include "test_window_batch.moc"
