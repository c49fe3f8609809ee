// The link and the serial component on one side of a pseudo-terminal, the
// simulated converter on the other: real termios, threads and event loop.
#include "device/identify.h"
#include "device/process_values.h"
#include "hart/link.h"
#include "line/line.h"
#include "serial/tcomm.h"
#include "sim/pty_simulator.h"
#include "support/bytes.h"

#include <QtTest>

using testing::HexOf;

class TestLinkPty : public QObject {
    Q_OBJECT
private slots:
    // A run interrupted after sending a request, and the next run at once:
    // the simulated converter, at 1200 baud, is still answering the old
    // request when the new run's first request goes out. Its answer is
    // passed over, and no request of the new run is sent twice.
    void interruptedRunLeavesNoRepeats()
    {
        line::Line::Options options;
        options.simulate = true;
        auto opened = line::Line::Open(options);
        QVERIFY2(opened, opened.error().c_str());
        auto line = opened.take();
        auto& link = line->Transactor();
        hart::DeviceIdentity id;
        id.manufacturer = 0x26;
        id.deviceType = 5;
        id.identifier = {0x01, 0x02, 0x03};
        const auto request = [&](std::uint8_t command) {
            return hart::Transaction{hart::LongFrame(8, id, command, {}), command, false};
        };

        // The interrupted run: its request is on the line, nobody waits for the answer.
        link.Submit(request(13)).reset();

        std::vector<hart::TransactionResult> results;
        const std::uint8_t asked[] = {12, 15, 16, 3};
        std::vector<std::unique_ptr<hart::Reply>> replies;
        for (const auto command : asked)
            replies.push_back(link.Submit(request(command), [&](const hart::TransactionResult& r) { results.push_back(r); }));
        QVERIFY(QTest::qWaitFor([&] { return results.size() == std::size(asked); }, 20000));
        for (std::size_t k = 0; k < results.size(); ++k) {
            QVERIFY2(results[k].ok(), hart::TransactionErrorText(results[k].error).c_str());
            QCOMPARE(results[k].Frame()->command(), asked[k]);
            QCOMPARE(results[k].repeats, 0);
        }
        QCOMPARE(link.TotalRepeats(), 0);
        QCOMPARE(link.SkippedAnswers(), 1);
    }

    void identifyThenQuery_data()
    {
        QTest::addColumn<bool>("lineTiming");
        QTest::newRow("fast") << false;
        QTest::newRow("1200 baud") << true;
    }
    void identifyThenQuery()
    {
        QFETCH(bool, lineTiming);
        sim::PtySimulator::Options o;
        o.lineTiming = lineTiming;
        std::string error;
        auto simulator = sim::PtySimulator::Start(o, &error);
        QVERIFY2(simulator, error.c_str());

        serial::TComm comm;
        comm.SetCommName(simulator->SlavePath());
        comm.SetBaudRate(1200);
        comm.SetParity(serial::TParity::Odd);
        comm.SetReadIntervalTimeout(300);
        comm.SetRtsControl(hart::TRtsControl::RtsDisable);
        comm.SetOutx_XonXoffFlow(false);
        comm.SetInx_XonXoffFlow(false);

        hart::HartLink link;
        link.SetPort(&comm);
        comm.OnReceiveData = [&](serial::TComm*, const void* b, std::uint16_t n) { link.Comm1ReceiveData(b, n); };
        QStringList outcomes;
        connect(&link, &hart::HartLink::AnswerHandled, this,
                [&](int code, bool ok) { outcomes << QString("%1 %2").arg(code).arg(ok ? "ok" : "failed"); });

        link.SetDecoder(100, [&](const hart::AnswerFrame& f) {
            const auto r = device::DecodeIdentify(f.data(), 0);
            if (r)
                link.Buffer().setIdentity(r->identity);
            return r.has_value();
        });
        QString firstVariable;
        link.SetDecoder(103, [&](const hart::AnswerFrame& f) {
            const auto r = device::DecodeDynamicVariables(f.data());
            if (r)
                firstVariable = QString::fromStdString(r->variables.front().text);
            return r.has_value();
        });

        comm.OpenPort();
        link.Timer2().start();
        link.Send(hart::Request(hart::RequestId::Button3), {}, 0);
        QTRY_COMPARE_WITH_TIMEOUT(outcomes, QStringList{"100 ok"}, 5000);
        const auto id = link.Buffer().identity();
        QCOMPARE(int(id.manufacturer), 0x26);
        QCOMPARE(int(id.deviceType), 5);
        QCOMPARE(HexOf(std::span<const std::uint8_t>(id.identifier)), "01 02 03");

        link.Send(hart::Request(hart::RequestId::Button4));
        QCOMPARE(HexOf(std::span<const std::uint8_t>(link.Buffer().frameArea()).first(17)),
                 "FF FF FF FF FF FF FF FF 82 A6 05 01 02 03 03 00 22");
        QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 2, 5000);
        QCOMPARE(outcomes.last(), "103 ok");
        QVERIFY(!firstVariable.isEmpty());
        QCOMPARE(link.BytesSent(), 28);
        comm.ClosePort();
    }
};

QTEST_GUILESS_MAIN(TestLinkPty)
#include "test_link_pty.moc"
