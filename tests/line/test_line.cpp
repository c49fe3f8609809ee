#include "hart/frames.h"
#include "line/line.h"

#include <QtTest>

namespace {

hart::TransactionResult RunOne(hart::Transactor& t, hart::Transaction request)
{
    hart::TransactionResult out;
    bool done = false;
    const auto reply = t.Submit(std::move(request), [&](const hart::TransactionResult& r) { out = r; done = true; });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qFatal("no outcome");
    return out;
}

hart::Transaction Identify(std::uint8_t address = 0) { return {hart::ShortFrame(address), 0, false}; }

} // namespace

class TestLine : public QObject {
    Q_OBJECT
private slots:
    void batchReadsComeBackToWhatWasThere_data()
    {
        QTest::addColumn<std::uint32_t>("before");
        QTest::newRow("the window's interval") << line::kWindowReadInterval;
        QTest::newRow("another interval") << std::uint32_t{50};
    }
    void batchReadsComeBackToWhatWasThere()
    {
        QFETCH(std::uint32_t, before);
        serial::TComm comm;
        comm.SetReadIntervalTimeout(before);
        {
            line::BatchReads batch(comm);
            QCOMPARE(comm.ReadIntervalTimeout(), line::kBatchReadInterval);
        }
        QCOMPARE(comm.ReadIntervalTimeout(), before);
    }

    // The same line, however it is named: the simulated converter or its pty path.
    void transactsOverEachKindOfName_data()
    {
        QTest::addColumn<bool>("simulate");
        QTest::newRow("simulated converter") << true;
        QTest::newRow("pseudo-terminal path") << false;
    }
    void transactsOverEachKindOfName()
    {
        QFETCH(bool, simulate);
        sim::PtySimulatorOptions fast;
        fast.lineTiming = false;
        std::string error;
        std::unique_ptr<sim::PtySimulator> far;
        line::Line::Options o;
        o.simulate = simulate;
        o.simulator = fast;
        if (!simulate) {
            far = sim::PtySimulator::Start(fast, &error);
            QVERIFY2(far, error.c_str());
            o.port = far->SlavePath();
        }
        auto opened = line::Line::Open(o);
        QVERIFY2(opened, opened.error().c_str());
        auto l = opened.take();
        QCOMPARE(l->Simulator() != nullptr, simulate);
        QCOMPARE(l->Comm().ReadIntervalTimeout(), line::kBatchReadInterval);
        // Back to back: each answer is taken whole and nothing is repeated.
        for (int k = 0; k < 5; ++k) {
            const auto r = RunOne(l->Transactor(), Identify());
            QVERIFY2(r.ok(), hart::TransactionErrorText(r.error).c_str());
            QCOMPARE(r.repeats, 0);
            QCOMPARE(r.Frame()->data()[1], std::uint8_t{0x26}); // the simulator's manufacturer
        }
        // Another polling address gets no answer: repeated, then given up.
        const auto r = RunOne(l->Transactor(), Identify(7));
        QCOMPARE(r.error, hart::TransactionError::NoAnswer);
        QCOMPARE(r.repeats, hart::kMaxRepeats);
    }

    void refusesAPortThatIsNotThere()
    {
        const auto l = line::Line::Open({"/dev/no-such-port-here", false, {}});
        QVERIFY(!l);
        QCOMPARE(QString::fromStdString(l.error()), "Cannot open the port /dev/no-such-port-here: Error opening serial port No such file or directory");
    }
};

QTEST_GUILESS_MAIN(TestLine)
#include "test_line.moc"
