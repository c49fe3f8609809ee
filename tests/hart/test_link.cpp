#include "hart/link.h"
#include "support/bytes.h"
#include "support/fake_port.h"

#include <QtTest>

#include <QElapsedTimer>

using namespace hart;
using testing::FakePort;
using testing::Hex;
using testing::HexOf;

namespace {

std::vector<std::uint8_t> WithChecksum(std::vector<std::uint8_t> frame, std::size_t delimiterAt)
{
    std::uint8_t x = 0;
    for (std::size_t k = delimiterAt; k < frame.size(); ++k)
        x ^= frame[k];
    frame.push_back(x);
    return frame;
}

// A long slave answer with `preambles` leading FF bytes.
std::vector<std::uint8_t> LongAnswer(std::uint8_t command, std::uint8_t rc, std::vector<std::uint8_t> data,
                                     int preambles = 5)
{
    std::vector<std::uint8_t> f(static_cast<std::size_t>(preambles), 0xFF);
    const std::size_t at = f.size();
    f.insert(f.end(), {0x86, 0xA6, 0x05, 0x01, 0x02, 0x03, command, static_cast<std::uint8_t>(data.size() + 2), rc, 0x00});
    f.insert(f.end(), data.begin(), data.end());
    return WithChecksum(f, at);
}

std::vector<std::uint8_t> IdentifyAnswer(std::uint8_t count = 14, int preambles = 5)
{
    std::vector<std::uint8_t> f(static_cast<std::size_t>(preambles), 0xFF);
    const std::size_t at = f.size();
    f.insert(f.end(), {0x06, 0x80, 0x00, count, 0x00, 0x00, 0xFE, 0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x01, 0x00, 0x01, 0x02, 0x03});
    f.resize(f.size() + (count - 14u), 0x00);
    return WithChecksum(f, at);
}

struct Fixture {
    Fixture()
    {
        link.SetPort(&port);
        link.SetSleep([this](int ms) { slept += ms; });
        link.SetTrace([this](std::string_view s) { trace.emplace_back(s); });
        QObject::connect(&link, &HartLink::StatusChanged, [this](const QString& s) { statuses << s; });
    }
    void deliver(const std::vector<std::uint8_t>& bytes)
    {
        link.Comm1ReceiveData(bytes.data(), static_cast<std::uint16_t>(bytes.size()));
    }
    QString status() const { return statuses.isEmpty() ? QString() : statuses.last(); }
    QString traceText() const
    {
        QStringList l;
        for (const auto& s : trace)
            l << QString::fromStdString(s);
        return l.join(' ');
    }

    FakePort port;
    HartLink link;
    int slept = 0;
    std::vector<std::string> trace;
    QStringList statuses;
};

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private slots:
    // Every request the tool can send, checked by what goes out and what it arms.
    void everyRequest_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("preambles"); // 0: short frame
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("trailer"); // -1: none
        const QString U2 = "Uploading..!", U3 = "Uploading...!";
        const QString D4 = "Please wait, it is currently being downloaded....";
        const QString D5 = "Please wait, it is currently being downloaded.....";
        const QString t1 = "write sleep arm start", t2 = "write arm start sleep", t3 = "write start sleep arm",
                      t4 = "write arm start", t5 = "write start arm";
        const QString r1 = "rts-on write sleep arm start rts-off";
        auto row = [&](const char* b, int code, int cmd, int count, int pre, int kind, QString st, QString steps,
                       int trailer = -1) {
            QTest::newRow(b) << QString(b) << code << cmd << count << pre << kind << st << steps << trailer;
        };
        row("Button3", 100, 0, 0, 0, 3, U2, t3);
        row("Button34", 102, 2, 0, 8, 3, U2, t2);
        row("Button4", 103, 3, 0, 8, 3, U2, t1);
        row("Button6", 140, 40, 4, 8, 2, D4, t1, 0x40);
        row("Button9", 115, 15, 0, 8, 3, U2, t4);
        row("Button10", 1135, 35, 9, 8, 2, D4, t1, 0x00);
        row("Button28", 112, 12, 0, 8, 3, U2, t1, 0x00);
        row("Button29", 117, 17, 24, 8, 2, D5, r1);
        row("Button32", 113, 13, 0, 8, 3, U3, r1);
        row("Button33", 118, 18, 21, 8, 2, D5, r1);
        row("Button38", 116, 16, 0, 8, 3, U3, t1);
        row("Button39", 119, 19, 3, 8, 2, D5, t1);
        row("Button37", 149, 49, 3, 8, 2, D5, t1);
        row("Button27", 106, 6, 1, 8, 2, D4, t1);
        row("Button2", 120, 20, 0, 8, 3, U3, t1);
        row("Button18", 122, 22, 32, 8, 2, D5, r1);
        row("Button16", 241, 241, 0, 8, 3, U3, t1);
        row("Button7", 240, 240, 2, 8, 2, D4, t1);
        row("Button11", 1161, 161, 0, 8, 3, U2, t2);
        row("Button12", 1160, 160, 10, 6, 2, D4, t5);
        row("Button15", 1163, 163, 0, 8, 3, U2, t2);
        row("Button5", 1162, 162, 10, 6, 2, D4, t5);
        row("Button25", 1157, 157, 0, 8, 3, U2, t2);
        row("Button26", 1156, 156, 10, 6, 2, D4, t5);
        row("Button35", 1159, 159, 0, 8, 3, U2, t2);
        row("Button41", 1158, 158, 10, 6, 2, D4, t5);
        row("Button30", 1165, 165, 0, 8, 3, U2, t2);
        row("Button19", 1164, 164, 40, 8, 2, D4, t1);
        row("Button14", 1173, 173, 0, 8, 3, U2, t1);
        row("Button17", 1172, 172, 3, 8, 2, D4, t1);
        row("Button8", 1167, 167, 0, 8, 3, U2, t2);
        row("Button13", 1166, 166, 14, 8, 2, D4, t1);
        row("Button31", 1169, 169, 0, 8, 3, U2, t2);
        row("Button40", 1168, 168, 14, 8, 2, D4, t1);
        row("Button21", 1177, 177, 0, 8, 3, U2, t2);
        row("Button20", 1170, 176, 14, 8, 2, D4, t1);
        row("Button24", 1179, 179, 0, 8, 3, U2, t2);
        row("Button22", 1172, 178, 14, 8, 2, D4, t1);
        row("Button36", 1171, 171, 0, 8, 3, U2, t2);
        row("Button23", 1170, 170, 8, 8, 2, D4, t1);
    }
    void everyRequest()
    {
        QFETCH(QString, button);
        QFETCH(int, code);
        QFETCH(int, command);
        QFETCH(int, count);
        QFETCH(int, preambles);
        QFETCH(int, kind);
        QFETCH(QString, status);
        QFETCH(QString, steps);
        QFETCH(int, trailer);

        Fixture fx;
        DeviceIdentity id;
        id.manufacturer = 0x26;
        id.deviceType = 5;
        id.identifier = {1, 2, 3};
        fx.link.Buffer().setIdentity(id);
        const RequestRow* row = FindRequest(button.toStdString());
        QVERIFY(row);
        std::vector<std::uint8_t> data(static_cast<std::size_t>(count), 0x11);
        fx.link.Send(*row, data, 5);

        QCOMPARE(fx.status(), status);
        QCOMPARE(fx.traceText(), steps);
        QCOMPARE(fx.link.PendingRequest(), code);
        QCOMPARE(fx.link.TimeoutKindValue(), kind);
        QVERIFY(fx.link.Timer3().isActive());
        QCOMPARE(fx.slept, steps.contains("sleep") ? 200 : 0);

        QCOMPARE(fx.port.writes.size(), std::size_t{1});
        const auto sent = fx.port.lastWrite();
        QCOMPARE(fx.link.BytesSent(), int(sent.size()));
        if (preambles == 0) {
            QCOMPARE(HexOf(sent), "FF FF FF FF FF FF 02 05 00 00 07");
        } else {
            const std::size_t p = static_cast<std::size_t>(preambles);
            const std::size_t frameLength = p + 9 + static_cast<std::size_t>(count);
            QCOMPARE(sent.size(), frameLength + (trailer >= 0 ? 1 : 0));
            QCOMPARE(int(sent[p - 1]), 0xFF);
            QCOMPARE(int(sent[p]), 0x82);
            QCOMPARE(HexOf(std::span(sent).subspan(p + 1, 5)), "A6 05 01 02 03");
            QCOMPARE(int(sent[p + 6]), command);
            QCOMPARE(int(sent[p + 7]), count);
            std::uint8_t x = 0;
            for (std::size_t k = p; k < frameLength - 1; ++k)
                x ^= sent[k];
            QCOMPARE(sent[frameLength - 1], x);
            if (trailer >= 0)
                QCOMPARE(int(sent.back()), trailer);
        }
        const bool rts = steps.startsWith("rts-on");
        QCOMPARE(fx.port.rtsDuringWrite.front(),
                 rts ? TRtsControl::RtsEnable : TRtsControl::RtsDisable);
        QCOMPARE(fx.port.rts, TRtsControl::RtsDisable);
        QCOMPARE(int(fx.port.rtsChanges.size()), rts ? 2 : 0);
    }

    // A modem keyed by RTS must stay keyed until the last byte has left the line.
    void rtsStaysOnUntilDrained_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("count");
        QTest::newRow("Button29") << "Button29" << 24;
        QTest::newRow("Button32") << "Button32" << 0;
        QTest::newRow("Button33") << "Button33" << 21;
        QTest::newRow("Button18") << "Button18" << 32;
    }
    void rtsStaysOnUntilDrained()
    {
        QFETCH(QString, button);
        QFETCH(int, count);
        Fixture fx;
        fx.port.holdDrain = true;
        const std::vector<std::uint8_t> data(static_cast<std::size_t>(count), 0x11);
        fx.link.Send(*FindRequest(button.toStdString()), data);
        QCOMPARE(fx.traceText(), "rts-on write sleep arm start");
        QCOMPARE(fx.port.rts, TRtsControl::RtsEnable);
        QCOMPARE(fx.port.drainWaiters.size(), std::size_t{1});
        fx.port.Drain();
        QCOMPARE(fx.port.rts, TRtsControl::RtsDisable);
        QCOMPARE(fx.traceText(), "rts-on write sleep arm start rts-off");

        // Two frames on their way out: the first one drained keeps RTS on for the second.
        fx.trace.clear();
        fx.link.Send(*FindRequest(button.toStdString()), data);
        fx.link.Send(Request(RequestId::Button32));
        QCOMPARE(fx.port.drainWaiters.size(), std::size_t{2});
        auto first = std::move(fx.port.drainWaiters.front());
        fx.port.drainWaiters.erase(fx.port.drainWaiters.begin());
        first();
        QCOMPARE(fx.port.rts, TRtsControl::RtsEnable);
        fx.port.Drain();
        QCOMPARE(fx.port.rts, TRtsControl::RtsDisable);
        QVERIFY(fx.traceText().endsWith("start rts-off"));
    }

    void otherRequestsDoNotWaitForTheLine()
    {
        Fixture fx;
        fx.port.holdDrain = true;
        fx.link.Send(Request(RequestId::Button34));
        QVERIFY(fx.port.drainWaiters.empty());
        QVERIFY(fx.port.rtsChanges.empty());
    }

    void tableCoversEveryButtonOnce()
    {
        QCOMPARE(int(RequestTable().size()), 40);
        QSet<QString> buttons;
        for (const auto& r : RequestTable())
            buttons << QString::fromUtf8(r.button.data(), qsizetype(r.button.size()));
        QCOMPARE(buttons.size(), 40);
        // Every code sent has a way to be answered.
        for (const auto& r : RequestTable())
            QVERIFY2(FindDispatch(r.pendingCode), r.button.data());
        QVERIFY(!FindRequest("Button1"));
    }

    void sentBytesAreCounted()
    {
        Fixture fx;
        fx.link.Send(Request(RequestId::Button3), {}, 0);
        fx.link.Send(Request(RequestId::Button4));
        QCOMPARE(fx.link.BytesSent(), 28);
        // A refused hand-over is still counted: the port is simply closed.
        fx.port.accept = false;
        fx.link.Send(Request(RequestId::Button34));
        QCOMPARE(fx.link.BytesSent(), 45);
    }

    void idleBytesAreCountedOnly()
    {
        Fixture fx;
        fx.deliver(LongAnswer(3, 0, std::vector<std::uint8_t>(24, 0)));
        QCOMPARE(fx.link.BytesReceived(), 40);
        QVERIFY(fx.link.Timer2().isActive());
        fx.link.Timer2Timer();
        QVERIFY(!fx.link.Timer2().isActive());
        QVERIFY(fx.statuses.isEmpty());
    }

    // Bytes that came before the request, or none at all, do not end it.
    void onlyLaterBytesAnswer()
    {
        Fixture fx;
        bool decoded = false;
        fx.link.SetDecoder(102, [&](const AnswerFrame&) { return decoded = true; });
        fx.deliver(LongAnswer(2, 0, Hex("41 40 00 00 41 48 00 00")));
        fx.link.Send(Request(RequestId::Button34));
        fx.link.Timer2Timer();
        QCOMPARE(fx.link.PendingRequest(), 102);
        QCOMPARE(fx.status(), "Uploading..!");
        QVERIFY(!decoded);
        fx.deliver(LongAnswer(2, 0, Hex("41 40 00 00 41 48 00 00")));
        fx.link.Timer2Timer();
        QVERIFY(decoded);
        QCOMPARE(fx.status(), "upload successful!");
    }

    void timeoutTexts_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("query") << "Button4" << "Upload data timeout!";
        QTest::newRow("setting") << "Button6" << "Writing data timeout!";
    }
    void timeoutTexts()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        Fixture fx;
        const RequestRow& row = *FindRequest(button.toStdString());
        std::vector<std::uint8_t> data(static_cast<std::size_t>(row.byteCount), 0);
        fx.link.Send(row, data);
        fx.link.Timer3Timer();
        QCOMPARE(fx.status(), text);
        QVERIFY(!fx.link.Timer3().isActive());
        QCOMPARE(fx.link.PendingRequest(), row.pendingCode);
    }

    void lateAnswerIsDecoded()
    {
        Fixture fx;
        bool decoded = false;
        fx.link.SetDecoder(102, [&](const AnswerFrame&) { return decoded = true; });
        fx.link.Send(Request(RequestId::Button34));
        fx.link.Timer3Timer();
        QCOMPARE(fx.status(), "Upload data timeout!");
        fx.deliver(LongAnswer(2, 0, Hex("41 40 00 00 41 48 00 00")));
        fx.link.Timer2Timer();
        QVERIFY(decoded);
        QCOMPARE(fx.status(), "upload successful!");
        QCOMPARE(fx.link.PendingRequest(), 0);
    }

    void secondRequestReplacesFirst()
    {
        Fixture fx;
        int decodedAs = 0;
        fx.link.SetDecoder(102, [&](const AnswerFrame&) { decodedAs = 102; return true; });
        fx.link.SetDecoder(115, [&](const AnswerFrame&) { decodedAs = 115; return true; });
        fx.link.Send(Request(RequestId::Button34));
        // The first request's time-out has run down a little when the second goes.
        const int full = fx.link.Timer3().interval();
        QTRY_VERIFY_WITH_TIMEOUT(fx.link.Timer3().remainingTime() < full - 20, 1000);
        const int remaining = fx.link.Timer3().remainingTime();
        fx.link.Send(Request(RequestId::Button9));
        QCOMPARE(fx.link.PendingRequest(), 115);
        // The newer request gets a whole time-out of its own.
        QVERIFY2(fx.link.Timer3().remainingTime() > remaining,
                 qPrintable(QString("%1 after %2").arg(fx.link.Timer3().remainingTime()).arg(remaining)));
        fx.deliver(LongAnswer(15, 0, std::vector<std::uint8_t>(17, 0)));
        fx.link.Timer2Timer();
        QCOMPARE(decodedAs, 115);
    }

    void answerTimerIsNotRestartedByLaterBytes()
    {
        Fixture fx;
        QElapsedTimer clock;
        qint64 firedAt = -1;
        QObject::connect(&fx.link.Timer2(), &QTimer::timeout, [&] { if (firedAt < 0) firedAt = clock.elapsed(); });
        clock.start();
        fx.deliver(Hex("00"));
        // The second byte comes 60 ms into the answer timer's 100.
        QVERIFY(QTest::qWaitFor([&] { return fx.link.Timer2().isActive() && fx.link.Timer2().remainingTime() <= 40; }, 1000));
        fx.deliver(Hex("00"));
        QTRY_VERIFY_WITH_TIMEOUT(firedAt >= 0, 1000);
        // Restarted by the second delivery it would fire at about 160 ms.
        QVERIFY2(firedAt >= 95 && firedAt < 150, qPrintable(QString::number(firedAt)));
        QVERIFY(!fx.link.Timer2().isActive());
    }

    // The header search of each code ends where its window ends.
    void searchWindows_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("last");
        for (const auto& r : DispatchTable()) {
            if (r.kind == AnswerKind::Identify)
                continue;
            const RequestRow* req = nullptr;
            for (const auto& q : RequestTable())
                if (q.pendingCode == r.pendingCode)
                    req = &q;
            QTest::newRow(qPrintable(QString::number(r.pendingCode)))
                << r.pendingCode << int(req->command) << int(r.lastHeader);
        }
    }
    void searchWindows()
    {
        QFETCH(int, code);
        QFETCH(int, command);
        QFETCH(int, last);
        const int expectedLast = code == 103 ? 30 : code == 115 ? 20 : 10;
        QCOMPARE(last, expectedLast);
        for (int header : {0, last, last + 1}) {
            Fixture fx;
            fx.link.SetDecoder(code, [](const AnswerFrame&) { return true; });
            const RequestRow* row = nullptr;
            for (const auto& q : RequestTable())
                if (q.pendingCode == code && q.command == command)
                    row = &q;
            std::vector<std::uint8_t> data(row->byteCount >= 0 ? std::size_t(row->byteCount) : 4, 0);
            fx.link.Send(*row, data);
            // header + 1 preambles puts the last FF at `header`.
            fx.deliver(LongAnswer(static_cast<std::uint8_t>(command), 0, std::vector<std::uint8_t>(40, 0), header + 1));
            fx.link.Timer2Timer();
            const bool found = header <= last;
            const bool write = row->kind == TimeoutKind::Setting;
            QCOMPARE(fx.status(), found ? (write ? QString("Write successful!") : QString("upload successful!"))
                                        : (write ? QString("Write failed!") : QString("upload failed!")));
        }
    }

    void identifySearch_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<bool>("found");
        QTest::newRow("five preambles") << HexOf(IdentifyAnswer()) << true;
        QTest::newRow("header at 10") << HexOf(IdentifyAnswer(14, 11)) << true;
        QTest::newRow("header at 11") << HexOf(IdentifyAnswer(14, 12)) << false;
        QTest::newRow("single preamble at 0") << HexOf(IdentifyAnswer(14, 1)) << false;
        QTest::newRow("longer identity answer") << HexOf(IdentifyAnswer(24)) << true;
        QTest::newRow("byte count 13") << "FF FF 06 80 00 0D 00 00 FE 26 05 05 05 01 01 01 00 01 02 5F" << false;
        QTest::newRow("long frame answer") << HexOf(LongAnswer(0, 0, std::vector<std::uint8_t>(12, 0))) << false;
    }
    void identifySearch()
    {
        QFETCH(QString, bytes);
        QFETCH(bool, found);
        Fixture fx;
        fx.link.SetDecoder(100, [](const AnswerFrame& f) { return f.data().size() >= 12; });
        fx.link.Send(Request(RequestId::Button3), {}, 0);
        fx.deliver(Hex(bytes.toLatin1()));
        fx.link.Timer2Timer();
        QCOMPARE(fx.status(), found ? "upload successful!" : "upload failed!");
    }

    void writeAnswerTexts_data()
    {
        QTest::addColumn<int>("rc");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Write successful!";
        QTest::newRow("1") << 1 << "Write failed!The instruction is not defined!";
        QTest::newRow("2") << 2 << "Write failed!Channel restricted!";
        QTest::newRow("3") << 3 << "Write failed!The parameter value is too small!";
        QTest::newRow("4") << 4 << "Write failed!Setting parameters too small!";
        QTest::newRow("5") << 5 << "Write failed!Received less data!";
        QTest::newRow("6") << 6 << "Write failed!Sending command error!";
        QTest::newRow("7") << 7 << "Write failed!Write protect!";
        QTest::newRow("8") << 8 << "Write failed!Setting parameters may have value!";
        QTest::newRow("9") << 9 << "Write failed!Setting parameters may not be useful!";
        QTest::newRow("16") << 16 << "Write failed!Setting parameters may not be useful!";
        QTest::newRow("32") << 32 << "Write failed!Channel restricted!";
        QTest::newRow("communication error") << 0x88 << "Write failed!Channel restricted!";
    }
    void writeAnswerTexts()
    {
        QFETCH(int, rc);
        QFETCH(QString, text);
        Fixture fx;
        fx.link.Send(Request(RequestId::Button7), Hex("05 26"));
        fx.deliver(LongAnswer(240, static_cast<std::uint8_t>(rc), {}));
        fx.link.Timer2Timer();
        QCOMPARE(fx.status(), text);
        QCOMPARE(fx.link.PendingRequest(), 0);
        QVERIFY(!fx.link.Timer3().isActive());
    }

    // On a network (HART-IP) the answer comes without preambles: the same
    // answer is found, and only the bytes that came are counted.
    void answerWithoutPreambles_data()
    {
        QTest::addColumn<int>("minPreambles");
        QTest::addColumn<int>("preambles");
        QTest::addColumn<QString>("text");
        QTest::newRow("network, bare frame") << 0 << 0 << "Write successful!";
        QTest::newRow("network, preambles all the same") << 0 << 3 << "Write successful!";
        QTest::newRow("serial line, bare frame") << 1 << 0 << "Write failed!";
    }
    void answerWithoutPreambles()
    {
        QFETCH(int, minPreambles);
        QFETCH(int, preambles);
        QFETCH(QString, text);
        struct NetworkPort : FakePort {
            std::size_t min = 0;
            std::size_t MinPreambles() const override { return min; }
        };
        NetworkPort port;
        port.min = static_cast<std::size_t>(minPreambles);
        Fixture fx;
        fx.link.SetPort(&port);
        fx.link.Send(Request(RequestId::Button7), Hex("05 26"));
        const auto answer = LongAnswer(240, 0, {}, preambles);
        fx.deliver(answer);
        fx.link.Timer2Timer();
        QCOMPARE(fx.status(), text);
        QCOMPARE(fx.link.BytesReceived(), std::int32_t(answer.size()));
    }

    void writeAnswerBehindTwelvePreambles()
    {
        Fixture fx;
        fx.link.Send(Request(RequestId::Button7), Hex("05 26"));
        fx.deliver(LongAnswer(240, 0, {}, 12));
        fx.link.Timer2Timer();
        QCOMPARE(fx.status(), "Write failed!");
    }

    // Only the first 132 bytes of a delivery are kept; the rest of the buffer is untouched.
    void longDeliveryIsBounded()
    {
        Fixture fx;
        DeviceIdentity id{0x26, 5, 5, {1, 2, 3}, 0};
        fx.link.Buffer().setIdentity(id);
        fx.link.Send(Request(RequestId::Button4));
        const auto before = std::vector<std::uint8_t>(fx.link.Buffer().all().begin(), fx.link.Buffer().all().end());
        std::vector<std::uint8_t> flood(2048, 0xEE);
        fx.deliver(flood);
        const auto after = fx.link.Buffer().all();
        for (std::size_t k = 0; k < LinkBuffer::kSize; ++k)
            QCOMPARE(after[k], k < 132 ? std::uint8_t{0xEE} : before[k]);
        QCOMPARE(fx.link.Buffer().identity(), id);
        QCOMPARE(fx.link.BytesReceived(), 2048);
    }

    void deliveryCountsWholeLength()
    {
        Fixture fx;
        fx.deliver(std::vector<std::uint8_t>(300, 0));
        QCOMPARE(fx.link.BytesReceived(), 300);
        fx.deliver(std::vector<std::uint8_t>(300, 0));
        QCOMPARE(fx.link.BytesReceived(), 600);
    }

    // An answer is taken only when whole, right and from the latest delivery.
    void brokenAnswersFail_data()
    {
        QTest::addColumn<QString>("first");  // an earlier delivery ("" for none)
        QTest::addColumn<QString>("latest");
        const auto good = LongAnswer(2, 0, Hex("41 40 00 00 41 48 00 00"));
        auto cut = good;
        cut.pop_back();
        auto wrong = good;
        wrong.back() ^= 0x01;
        QTest::newRow("truncated") << "" << HexOf(cut);
        QTest::newRow("checksum wrong") << "" << HexOf(wrong);
        QTest::newRow("rest left by an earlier delivery") << HexOf(good) << HexOf(std::span(good).first(12));
    }
    void brokenAnswersFail()
    {
        QFETCH(QString, first);
        QFETCH(QString, latest);
        Fixture fx;
        bool decoded = false, cleared = false;
        fx.link.SetDecoder(
            102, [&](const AnswerFrame&) { return decoded = true; }, [&] { cleared = true; });
        if (!first.isEmpty()) {
            fx.deliver(Hex(first.toLatin1()));
            fx.link.Timer2Timer();
        }
        fx.link.Send(Request(RequestId::Button34));
        fx.deliver(Hex(latest.toLatin1()));
        fx.link.Timer2Timer();
        QVERIFY(!decoded);
        QVERIFY(cleared);
        QCOMPARE(fx.status(), "upload failed!");
        QCOMPARE(fx.link.PendingRequest(), 0);
    }

    void answerToAnotherCommandIsIgnored()
    {
        Fixture fx;
        int decoded = 0;
        fx.link.SetDecoder(102, [&](const AnswerFrame&) { ++decoded; return true; });
        fx.link.Send(Request(RequestId::Button34));
        fx.deliver(LongAnswer(3, 0, std::vector<std::uint8_t>(24, 0)));
        fx.link.Timer2Timer();
        QCOMPARE(decoded, 0);
        QCOMPARE(fx.link.PendingRequest(), 102);
        QVERIFY(fx.link.Timer3().isActive());
        QCOMPARE(fx.status(), "Uploading..!");
        fx.deliver(LongAnswer(2, 0, Hex("41 40 00 00 41 48 00 00")));
        fx.link.Timer2Timer();
        QCOMPARE(decoded, 1);
        QCOMPARE(fx.status(), "upload successful!");
    }

    // 1170 and 1172 each serve two commands: the command sent decides.
    void sharedCodesAreToldApartByCommand()
    {
        Fixture fx;
        fx.link.Send(Request(RequestId::Button20), std::vector<std::uint8_t>(14, 0)); // command 176 under 1170
        fx.deliver(LongAnswer(170, 0, {}));
        fx.link.Timer2Timer();
        QCOMPARE(fx.link.PendingRequest(), 1170);
        fx.deliver(LongAnswer(176, 0, {}));
        fx.link.Timer2Timer();
        QCOMPARE(fx.status(), "Write successful!");
    }

    void deviceErrorsAreNotData_data()
    {
        QTest::addColumn<int>("rc");
        QTest::addColumn<bool>("decoded");
        QTest::newRow("success") << 0 << true;
        QTest::newRow("too few data bytes") << 5 << false;
        QTest::newRow("busy") << 32 << false;
        QTest::newRow("not implemented") << 64 << false;
        QTest::newRow("communication error") << 0x82 << false;
        QTest::newRow("warning 8") << 8 << true;
        QTest::newRow("warning 14") << 14 << true;
        QTest::newRow("warning 96") << 96 << true;
    }
    void deviceErrorsAreNotData()
    {
        QFETCH(int, rc);
        QFETCH(bool, decoded);
        Fixture fx;
        bool ran = false, cleared = false;
        fx.link.SetDecoder(
            102, [&](const AnswerFrame&) { return ran = true; }, [&] { cleared = true; });
        fx.link.Send(Request(RequestId::Button34));
        fx.deliver(LongAnswer(2, static_cast<std::uint8_t>(rc), Hex("41 40 00 00 41 48 00 00")));
        fx.link.Timer2Timer();
        QCOMPARE(ran, decoded);
        QCOMPARE(cleared, !decoded);
        QCOMPARE(fx.status(), decoded ? "upload successful!" : "upload failed!");
    }

    void decoderMayRefuseShortAnswers()
    {
        Fixture fx;
        bool cleared = false;
        fx.link.SetDecoder(
            102, [&](const AnswerFrame& f) { return f.data().size() >= 8; }, [&] { cleared = true; });
        fx.link.Send(Request(RequestId::Button34));
        fx.deliver(LongAnswer(2, 0, Hex("41 40 00 00")));
        fx.link.Timer2Timer();
        QVERIFY(cleared);
        QCOMPARE(fx.status(), "upload failed!");
    }

    void countersRestart()
    {
        Fixture fx;
        fx.link.Send(Request(RequestId::Button4));
        fx.deliver(Hex("00 00"));
        fx.link.ResetCounters();
        QCOMPARE(fx.link.BytesSent(), 0);
        QCOMPARE(fx.link.BytesReceived(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "test_link.moc"
