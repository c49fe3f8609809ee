#include "hart/transactor.h"
#include "support/bytes.h"
#include "support/fake_port.h"

#include <QtTest>

using namespace hart;
using testing::FakePort;
using testing::Hex;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Tries = std::vector<Bytes>;

// An answer from `address` (5 bytes: long frame, 1 byte: short frame).
Bytes AnswerFrom(const Bytes& address, std::uint8_t command, std::uint8_t rc, Bytes data = {0x11, 0x22})
{
    Bytes f{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, static_cast<std::uint8_t>(address.size() == 5 ? 0x86 : 0x06)};
    f.insert(f.end(), address.begin(), address.end());
    f.insert(f.end(), {command, static_cast<std::uint8_t>(data.size() + 2), rc, 0x00});
    f.insert(f.end(), data.begin(), data.end());
    std::uint8_t x = 0;
    for (std::size_t k = 5; k < f.size(); ++k)
        x ^= f[k];
    f.push_back(x);
    return f;
}

Bytes Answer(std::uint8_t command, std::uint8_t rc, Bytes data = {0x11, 0x22})
{
    return AnswerFrom({0xA6, 0x05, 0x01, 0x02, 0x03}, command, rc, std::move(data));
}

Bytes BadSum(Bytes f)
{
    f.back() ^= 0x5A;
    return f;
}

Bytes Cut(Bytes f, std::size_t keep)
{
    f.resize(keep);
    return f;
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The request the tests send: command 3 to A6 05 01 02 03.
Transaction Request(std::uint8_t command = 3, bool rts = false)
{
    DeviceIdentity id{};
    id.manufacturer = 0x26;
    id.deviceType = 0x05;
    id.identifier = {0x01, 0x02, 0x03};
    return Transaction{LongFrame(8, id, command, {}), command, rts};
}

// A port whose far end answers each write with the next scripted reply,
// cut into deliveries of `chunk` bytes; an empty reply is silence.
class ScriptedPort : public FakePort {
public:
    bool WriteBytes(const void* data, std::uint16_t count) override
    {
        const bool ok = FakePort::WriteBytes(data, count);
        if (ok && writes.size() <= replies.size()) {
            const Bytes reply = replies[writes.size() - 1];
            QTimer::singleShot(0, [this, reply] {
                for (std::size_t at = 0; at < reply.size(); at += chunk) {
                    const auto n = std::min(chunk, reply.size() - at);
                    target->Deliver(std::span(reply).subspan(at, n));
                }
            });
        }
        return ok;
    }
    std::vector<Bytes> replies;
    std::size_t chunk = 1000;
    Transactor* target = nullptr;
};

// The rig's answer-start wait: a request unanswered this long ends or goes again.
constexpr int kRigAnswerStartMs = 40;

struct Rig {
    Rig()
    {
        port.target = &link;
        link.SetPort(&port);
        link.SetBaud(115200); // keeps the line time of a request negligible
        link.SetAnswerStartMs(kRigAnswerStartMs);
    }
    TransactionResult Run(Transaction t = Request())
    {
        TransactionResult out;
        bool done = false;
        const auto reply = link.Submit(std::move(t), [&](const TransactionResult& r) { out = r; done = true; });
        if (!QTest::qWaitFor([&] { return done; }, 5000))
            qFatal("no outcome");
        return out;
    }
    ScriptedPort port;
    Transactor link;
};

} // namespace

Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(Tries)
Q_DECLARE_METATYPE(hart::TransactionError)
Q_DECLARE_METATYPE(std::vector<hart::TransactionError>)

class TestTransactor : public QObject {
    Q_OBJECT
private slots:
    // ---- assembling a frame from what the line delivers

    void assembles_data()
    {
        QTest::addColumn<Bytes>("stream");
        QTest::addColumn<std::size_t>("chunk");
        QTest::addColumn<Bytes>("frame"); // empty: not whole
        const Bytes good = Answer(3, 0);
        const Bytes whole(good.begin() + 4, good.end()); // last preamble on
        QTest::newRow("one delivery") << good << std::size_t{100} << whole;
        QTest::newRow("byte by byte") << good << std::size_t{1} << whole;
        QTest::newRow("split in threes") << good << std::size_t{3} << whole;
        QTest::newRow("noise first") << Cat(Hex("00 13 86 FE 06"), good) << std::size_t{2} << whole;
        QTest::newRow("own request heard first") << Cat(Request().frame, good) << std::size_t{5} << whole;
        QTest::newRow("trailing bytes left") << Cat(good, Hex("FF FF 86")) << std::size_t{100} << whole;
        QTest::newRow("cut short") << Cut(good, good.size() - 1) << std::size_t{4} << Bytes{};
        QTest::newRow("delimiter without preamble") << Cut(good, 0) << std::size_t{1} << Bytes{};
        QTest::newRow("no preamble before delimiter") << Bytes(good.begin() + 5, good.end()) << std::size_t{100} << Bytes{};
        const Bytes shortAnswer = Hex("FF FF 06 80 00 04 00 00 AA BB");
        Bytes shortWhole(shortAnswer.begin() + 1, shortAnswer.end());
        shortWhole.push_back(0x06 ^ 0x80 ^ 0x00 ^ 0x04 ^ 0xAA ^ 0xBB);
        QTest::newRow("short address") << Cat(shortAnswer, {shortWhole.back()}) << std::size_t{2} << shortWhole;
        // A device in burst mode is no answer; its data must not start one either.
        QTest::newRow("burst frame first") << Cat(Hex("FF FF 81 A6 05 01 02 03 01 04 00 00 FF 86 5E"), good)
                                           << std::size_t{3} << whole;
        const Bytes expanded = Hex("FF FF A6 A6 05 01 02 03 E0 03 02 00 00 E4");
        QTest::newRow("expansion byte") << expanded << std::size_t{100} << Bytes(expanded.begin() + 1, expanded.end());
    }
    void assembles()
    {
        QFETCH(Bytes, stream);
        QFETCH(std::size_t, chunk);
        QFETCH(Bytes, frame);
        FrameAssembler a;
        for (std::size_t at = 0; at < stream.size(); at += chunk)
            a.Add(std::span(stream).subspan(at, std::min(chunk, stream.size() - at)));
        QCOMPARE(a.state() == FrameAssembler::State::Whole, !frame.empty());
        if (!frame.empty()) {
            QCOMPARE(a.Frame(), frame);
            QCOMPARE(a.Missing(), std::size_t{0});
        } else {
            QVERIFY(a.Missing() > 0);
        }
    }

    // ---- one request's outcome, over the replies to each try

    void outcome_data()
    {
        QTest::addColumn<Tries>("replies");
        QTest::addColumn<std::size_t>("chunk");
        QTest::addColumn<TransactionError>("error");
        QTest::addColumn<int>("repeats");
        const Bytes good = Answer(3, 0);
        const Bytes busy = Answer(3, 32, {});
        const Bytes none;
        using E = TransactionError;
        QTest::newRow("answer") << Tries{good} << std::size_t{100} << E::None << 0;
        QTest::newRow("answer split") << Tries{good} << std::size_t{3} << E::None << 0;
        QTest::newRow("noise then answer") << Tries{Cat(Hex("00 55 86"), good)} << std::size_t{2} << E::None << 0;
        QTest::newRow("error code is still an answer") << Tries{Answer(3, 7, {})} << std::size_t{100} << E::None << 0;
        QTest::newRow("bad checksum, then answer") << Tries{BadSum(good), good} << std::size_t{100} << E::None << 1;
        QTest::newRow("wrong command, then answer") << Tries{Answer(4, 0), good} << std::size_t{100} << E::None << 1;
        QTest::newRow("busy twice, then answer") << Tries{busy, busy, good} << std::size_t{100} << E::None << 2;
        QTest::newRow("silence, then answer") << Tries{none, good} << std::size_t{100} << E::None << 1;
        QTest::newRow("cut short, then answer") << Tries{Cut(good, 12), good} << std::size_t{4} << E::None << 1;
        QTest::newRow("silence three times") << Tries{none, none, none, good} << std::size_t{100} << E::NoAnswer << 2;
        QTest::newRow("busy three times") << Tries{busy, busy, busy, good} << std::size_t{100} << E::Busy << 2;
        QTest::newRow("broken three times")
            << Tries{BadSum(good), BadSum(good), BadSum(good), good} << std::size_t{100} << E::BrokenFrame << 2;
        QTest::newRow("another command's answer only: none of ours")
            << Tries{Answer(9, 0), Answer(9, 0), Answer(9, 0), good} << std::size_t{100} << E::NoAnswer << 2;
    }
    void outcome()
    {
        QFETCH(Tries, replies);
        QFETCH(std::size_t, chunk);
        QFETCH(TransactionError, error);
        QFETCH(int, repeats);
        Rig rig;
        rig.port.replies = replies;
        rig.port.chunk = chunk;
        const auto r = rig.Run();
        QCOMPARE(r.error, error);
        QCOMPARE(r.repeats, repeats);
        QCOMPARE(rig.link.TotalRepeats(), repeats);
        QCOMPARE(rig.port.writes.size(), std::size_t(repeats + 1));
        for (const auto& w : rig.port.writes)
            QCOMPARE(w, Request().frame); // every try sends the same bytes
        QCOMPARE(r.Frame().has_value(), error == TransactionError::None);
        if (r.ok())
            QCOMPARE(r.Frame()->command(), std::uint8_t{3});
        QVERIFY(rig.link.Idle());
    }

    // Each repeat keeps its cause, in order.
    void repeatCausesInOrder_data()
    {
        QTest::addColumn<Tries>("replies");
        QTest::addColumn<TransactionError>("error");
        QTest::addColumn<std::vector<TransactionError>>("causes");
        const Bytes good = Answer(3, 0);
        const Bytes busy = Answer(3, 32, {});
        using E = TransactionError;
        using Causes = std::vector<TransactionError>;
        QTest::newRow("none") << Tries{good} << E::None << Causes{};
        QTest::newRow("busy, silence, answer") << Tries{busy, {}, good} << E::None << Causes{E::Busy, E::NoAnswer};
        QTest::newRow("broken, busy, silence")
            << Tries{BadSum(good), busy, {}, good} << E::NoAnswer << Causes{E::BrokenFrame, E::Busy};
    }
    void repeatCausesInOrder()
    {
        QFETCH(Tries, replies);
        QFETCH(TransactionError, error);
        QFETCH(std::vector<TransactionError>, causes);
        Rig rig;
        rig.port.replies = replies;
        const auto r = rig.Run();
        QCOMPARE(r.error, error);
        QCOMPARE(r.repeatCauses, causes);
        QCOMPARE(r.repeats, int(causes.size()));
    }

    // ---- answers that are not ours

    void answerOnlyFromTheDeviceAsked_data()
    {
        QTest::addColumn<bool>("shortFrame");
        QTest::addColumn<Bytes>("first"); // delivered before the right answer
        QTest::addColumn<int>("skipped");
        const Bytes mine{0xA6, 0x05, 0x01, 0x02, 0x03};
        QTest::newRow("other long address") << false << AnswerFrom({0xA6, 0x05, 0x01, 0x02, 0x04}, 3, 0) << 1;
        QTest::newRow("other device type") << false << AnswerFrom({0xA6, 0x06, 0x01, 0x02, 0x03}, 3, 0) << 1;
        QTest::newRow("other master bit") << false << AnswerFrom({0x26, 0x05, 0x01, 0x02, 0x03}, 3, 0) << 1;
        QTest::newRow("short answer to a long request") << false << AnswerFrom({0x00}, 3, 0) << 1;
        QTest::newRow("other polling address") << true << AnswerFrom({0x03}, 0, 0) << 1;
        QTest::newRow("long answer to a short request") << true << AnswerFrom(mine, 0, 0) << 1;
        QTest::newRow("right one (long)") << false << Bytes{} << 0;
        QTest::newRow("right one (short)") << true << Bytes{} << 0;
        QTest::newRow("burst bit is no address (long)") << false << Bytes{} << 0;
    }
    void answerOnlyFromTheDeviceAsked()
    {
        QFETCH(bool, shortFrame);
        QFETCH(Bytes, first);
        QFETCH(int, skipped);
        const bool burst = QByteArray(QTest::currentDataTag()).startsWith("burst");
        Transaction t = Request();
        Bytes right = Answer(3, 0);
        if (shortFrame) {
            t = Transaction{ShortFrame(2), 0, false};
            right = AnswerFrom({0x02}, 0, 0);
        } else if (burst) {
            right = AnswerFrom({0xE6, 0x05, 0x01, 0x02, 0x03}, 3, 0);
        }
        for (const std::size_t chunk : {std::size_t{1000}, std::size_t{3}}) {
            Rig rig;
            rig.port.replies = {Cat(first, right)};
            rig.port.chunk = chunk;
            t.maxRepeats = 0; // the right answer must be taken on the one try
            const auto r = rig.Run(t);
            QCOMPARE(r.error, TransactionError::None);
            QCOMPARE(r.answer, Bytes(right.begin() + 4, right.end()));
            QCOMPARE(r.repeats, 0);
            QCOMPARE(rig.link.SkippedAnswers(), skipped);
        }
    }

    void lateAnswerOfAnInterruptedRun_data()
    {
        QTest::addColumn<std::size_t>("chunk");
        QTest::addColumn<int>("gapMs"); // before the late answer, and again before the first of ours
        QTest::newRow("in one delivery with ours") << std::size_t{1000} << 0;
        QTest::newRow("byte by byte") << std::size_t{1} << 0;
        // Ours starts past the answer-start wait of the request (400 ms in this
        // row): the device was busy sending the late answer when the request
        // came. 100 ms either side, so a slow timer cannot decide the row.
        QTest::newRow("ours after the answer-start wait") << std::size_t{1000} << 300;
    }
    void lateAnswerOfAnInterruptedRun()
    {
        // A run was killed after sending command 13: the device answers it
        // when the next run has already sent its first request. Every
        // request of the new run is answered once, in turn.
        QFETCH(std::size_t, chunk);
        QFETCH(int, gapMs);
        class LateDevice : public FakePort {
        public:
            bool WriteBytes(const void* data, std::uint16_t count) override
            {
                FakePort::WriteBytes(data, count);
                const std::uint8_t command = writes.back()[8 + 6]; // 8 preambles, delimiter, 5 address bytes
                const Bytes late = writes.size() == 1 ? Answer(13, 0) : Bytes{};
                if (late.empty() || gapMs == 0) {
                    QTimer::singleShot(0, [this, late, command] {
                        Send(late);
                        Send(Answer(command, 0));
                    });
                } else {
                    QTimer::singleShot(gapMs, [this, late] { Send(late); });
                    QTimer::singleShot(2 * gapMs, [this, command] { Send(Answer(command, 0)); });
                }
                return true;
            }
            void Send(const Bytes& b)
            {
                for (std::size_t at = 0; at < b.size(); at += chunk)
                    target->Deliver(std::span(b).subspan(at, std::min(chunk, b.size() - at)));
            }
            Transactor* target = nullptr;
            std::size_t chunk = 1000;
            int gapMs = 0;
        };
        LateDevice port;
        port.chunk = chunk;
        port.gapMs = gapMs;
        Transactor link;
        port.target = &link;
        link.SetPort(&port);
        link.SetBaud(115200);
        link.SetAnswerStartMs(gapMs > 0 ? 400 : 40);
        std::vector<TransactionResult> results;
        std::vector<std::unique_ptr<Reply>> replies;
        for (std::uint8_t c : {12, 15, 2, 3})
            replies.push_back(link.Submit(Request(c), [&](const TransactionResult& r) { results.push_back(r); }));
        QVERIFY(QTest::qWaitFor([&] { return results.size() == 4; }, 5000));
        const std::uint8_t asked[] = {12, 15, 2, 3};
        for (std::size_t k = 0; k < results.size(); ++k) {
            QVERIFY(results[k].ok());
            QCOMPARE(results[k].Frame()->command(), asked[k]);
        }
        QCOMPARE(link.TotalRepeats(), 0);
        QCOMPARE(link.SkippedAnswers(), 1);
        QCOMPARE(port.writes.size(), std::size_t{4});
    }

    // Another master's device answering all the time keeps no request waiting for ever.
    void endlessOtherAnswersEndInNoAnswer()
    {
        class BusyLoop : public FakePort {
        public:
            bool WriteBytes(const void* data, std::uint16_t count) override
            {
                FakePort::WriteBytes(data, count);
                if (!started) {
                    started = true;
                    timer.setInterval(15);
                    QObject::connect(&timer, &QTimer::timeout, [this] {
                        if (++sent > 300) // bounded: 4.5 s at the most
                            timer.stop();
                        else
                            target->Deliver(other);
                    });
                    timer.start();
                }
                return true;
            }
            Transactor* target = nullptr;
            Bytes other;
            QTimer timer;
            bool started = false;
            int sent = 0;
        };
        BusyLoop port;
        port.other = Answer(13, 0);
        Transactor link;
        port.target = &link;
        link.SetPort(&port);
        link.SetBaud(115200);
        link.SetAnswerStartMs(40);
        std::vector<TransactionResult> results;
        const auto reply = link.Submit(Request(12), [&](const TransactionResult& r) { results.push_back(r); });
        QVERIFY(QTest::qWaitFor([&] { return results.size() == 1; }, 4000));
        QCOMPARE(results[0].error, TransactionError::NoAnswer);
        QVERIFY(link.SkippedAnswers() > 0);
    }

    // ---- the line around a request

    void rtsKeyedOnlyAroundItsWrite()
    {
        for (const bool rts : {false, true}) {
            Rig rig;
            rig.port.replies = {Answer(3, 0)};
            QVERIFY(rig.Run(Request(3, rts)).ok());
            QCOMPARE(rig.port.rtsDuringWrite.front(),
                     rts ? TRtsControl::RtsEnable : TRtsControl::RtsDisable);
            QCOMPARE(rig.port.rts, TRtsControl::RtsDisable);
            QCOMPARE(rig.port.rtsChanges.size(), std::size_t(rts ? 2 : 0));
        }
    }

    void answerWaitCountsFromTheRequestsEnd()
    {
        // At 1200 baud the 17-byte request takes 156 ms: an answer 120 ms after
        // the write is in time although the wait after the end is only 40 ms.
        Rig rig;
        rig.link.SetBaud(1200);
        const Bytes good = Answer(3, 0);
        bool done = false;
        TransactionResult out;
        const auto reply = rig.link.Submit(Request(), [&](const TransactionResult& r) { out = r; done = true; });
        QTimer::singleShot(120, [&] { rig.link.Deliver(good); });
        QVERIFY(QTest::qWaitFor([&] { return done; }, 5000));
        QCOMPARE(out.error, TransactionError::None);
        QCOMPARE(out.repeats, 0);
    }

    void waitsForThePortToSayDrained()
    {
        // A port that tells when its bytes have left: RTS stays keyed and the
        // answer wait does not start until then, however late that is.
        class SlowDrain : public ScriptedPort {
        public:
            void WhenDrained(std::function<void()> fn) override { held.push_back(std::move(fn)); }
            std::vector<std::function<void()>> held;
        };
        SlowDrain port;
        Transactor link;
        port.target = &link;
        link.SetPort(&port);
        link.SetBaud(115200);
        link.SetAnswerStartMs(kRigAnswerStartMs);
        bool done = false;
        TransactionResult out;
        const auto reply = link.Submit(Request(3, true), [&](const TransactionResult& r) { out = r; done = true; });
        // Started at the write, the answer-start wait would have ended the
        // request or sent it again well within twice its length.
        QVERIFY(!QTest::qWaitFor([&] { return done || port.writes.size() > 1; }, 2 * kRigAnswerStartMs + 20));
        QCOMPARE(port.rts, TRtsControl::RtsEnable);
        QCOMPARE(port.writes.size(), std::size_t{1}); // no time-out while the bytes are still going out
        QCOMPARE(port.held.size(), std::size_t{1});
        port.held.front()();
        QCOMPARE(port.rts, TRtsControl::RtsDisable);
        QTimer::singleShot(20, [&] { link.Deliver(Answer(3, 0)); });
        QVERIFY(QTest::qWaitFor([&] { return done; }, 5000));
        QCOMPARE(out.error, TransactionError::None);
        QCOMPARE(out.repeats, 0);
    }

    void requestHeardBackDoesNotStretchTheWait()
    {
        // A modem that hears its own request: those bytes are no answer, so
        // the short answer-start wait still decides, not the bound for an
        // answer under way (about 2.6 s at 1200 baud).
        Rig rig;
        rig.link.SetBaud(1200);
        Transaction t = Request();
        t.maxRepeats = 0;
        rig.port.replies = {t.frame};
        QElapsedTimer clock;
        clock.start();
        const auto out = rig.Run(t);
        QCOMPARE(out.error, TransactionError::NoAnswer);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    }

    void portRefusalEndsWithoutRepeats()
    {
        Rig rig;
        rig.port.accept = false;
        int calls = 0;
        const auto reply = rig.link.Submit(Request(), [&](const TransactionResult& r) {
            ++calls;
            QCOMPARE(r.error, TransactionError::PortFailed);
        });
        QCOMPARE(calls, 0); // never inside Submit
        QVERIFY(QTest::qWaitFor([&] { return calls == 1; }, 2000));
        QCOMPARE(rig.port.writes.size(), std::size_t{1});
    }

    void requestsGoOneAtATimeInOrder()
    {
        Rig rig;
        rig.port.replies = {Answer(12, 0), Answer(13, 0), Answer(15, 0)};
        std::vector<int> order;
        std::vector<std::unique_ptr<Reply>> replies;
        for (std::uint8_t c : {12, 13, 15})
            replies.push_back(rig.link.Submit(Request(c), [&order, c](const TransactionResult& r) {
                QVERIFY(r.ok());
                order.push_back(c);
            }));
        QCOMPARE(rig.port.writes.size(), std::size_t{1});
        QVERIFY(QTest::qWaitFor([&] { return order.size() == 3; }, 5000));
        QCOMPARE(order, (std::vector<int>{12, 13, 15}));
    }

    void cancelWithdrawsThatRequestOnly_data()
    {
        QTest::addColumn<int>("which");    // of the three requests 12, 13, 15
        QTest::addColumn<bool>("destroy"); // drop the handle instead of cancelling it
        QTest::addColumn<QStringList>("outcomes");
        QTest::addColumn<int>("writes");
        QTest::newRow("cancelled on the line") << 0 << false << QStringList{"cancelled", "13", "15"} << 3;
        QTest::newRow("cancelled while queued") << 1 << false << QStringList{"12", "cancelled", "15"} << 2;
        QTest::newRow("dropped while queued") << 1 << true << QStringList{"12", "-", "15"} << 2;
        QTest::newRow("dropped on the line") << 0 << true << QStringList{"-", "13", "15"} << 3;
    }
    void cancelWithdrawsThatRequestOnly()
    {
        QFETCH(int, which);
        QFETCH(bool, destroy);
        QFETCH(QStringList, outcomes);
        QFETCH(int, writes);
        Rig rig;
        const std::uint8_t asked[] = {12, 13, 15};
        for (int k = 0; k < 3; ++k)
            if (k != which || which == 0) // a withdrawn request on the line is still answered, late
                rig.port.replies.push_back(Answer(asked[k], 0));
        QStringList seen{"-", "-", "-"}; // per request; "-" none
        int reports = 0;
        std::vector<std::unique_ptr<Reply>> replies;
        for (int k = 0; k < 3; ++k)
            replies.push_back(rig.link.Submit(Request(asked[k]), [&, k](const TransactionResult& r) {
                ++reports;
                seen[k] += r.ok() ? QString::number(r.Frame()->command()) : QString("cancelled");
                seen[k].remove(0, seen[k].startsWith('-') ? 1 : 0);
            }));
        if (destroy)
            replies[std::size_t(which)].reset();
        else
            replies[std::size_t(which)]->Cancel();
        const int expected = 3 - (destroy ? 1 : 0);
        QVERIFY(QTest::qWaitFor([&] { return reports == expected; }, 5000));
        // Past the answer-start wait nothing more may come, and nothing twice.
        QVERIFY(!QTest::qWaitFor([&] { return reports > expected; }, 4 * kRigAnswerStartMs));
        QCOMPARE(seen, outcomes);
        QCOMPARE(int(rig.port.writes.size()), writes);
        QCOMPARE(rig.link.SkippedAnswers(), which == 0 ? 1 : 0); // the late answer taken by no one
        QVERIFY(rig.link.Idle());
    }

    void trafficSinkSeesBothWays()
    {
        Rig rig;
        std::vector<TrafficRecord> seen;
        rig.link.SetTrafficSink([&](const TrafficRecord& r) { seen.push_back(r); });
        rig.port.replies = {BadSum(Answer(3, 0)), Answer(3, 0)};
        rig.port.chunk = 7;
        QVERIFY(rig.Run().ok());
        std::size_t sent = 0;
        Bytes received;
        for (const auto& r : seen) {
            if (r.direction == Direction::Sent) {
                QCOMPARE(r.bytes, Request().frame);
                ++sent;
            } else {
                received.insert(received.end(), r.bytes.begin(), r.bytes.end());
            }
        }
        QCOMPARE(sent, std::size_t{2});
        QCOMPARE(received, Cat(BadSum(Answer(3, 0)), Answer(3, 0)));
        QVERIFY(std::is_sorted(seen.begin(), seen.end(),
                               [](const auto& a, const auto& b) { return a.timeNs < b.timeNs; }));
    }
};

QTEST_GUILESS_MAIN(TestTransactor)
#include "test_transactor.moc"
