#include "hart/line_owner.h"

#include <QtTest>

#include <memory>

using hart::LineClient;
using hart::LineOwner;

Q_DECLARE_METATYPE(LineOwner::State)
Q_DECLARE_METATYPE(LineOwner::Event)
Q_DECLARE_METATYPE(LineOwner::Action)
Q_DECLARE_METATYPE(LineClient)

namespace {

// Clients by letter: B button, C configuration batch, S scan, L live values;
// a digit after the letter tells two clients of one kind apart ("B2").
struct Rig {
    LineOwner owner;
    std::map<QString, std::unique_ptr<QObject>> objects;
    QStringList log; // "granted X" in the order the line was given

    static LineClient Kind(QChar c)
    {
        switch (c.toLatin1()) {
        case 'B': return LineClient::Button;
        case 'C': return LineClient::Batch;
        case 'S': return LineClient::Scan;
        default: return LineClient::Live;
        }
    }
    QObject* Object(const QString& name)
    {
        auto& o = objects[name];
        if (!o)
            o = std::make_unique<QObject>();
        return o.get();
    }
    // "+X" claim, "-X" release, "~X" X is destroyed, "closed" the port closes.
    void Run(const QString& step)
    {
        if (step == "closed")
            return owner.PortClosed();
        const QString name = step.mid(1);
        if (step[0] == '+')
            owner.Claim(Kind(name[0]), Object(name), [this, name] { log << "granted " + name; });
        else if (step[0] == '-')
            owner.Release(Object(name));
        else
            objects.erase(name);
    }
};

} // namespace

class TestLineOwner : public QObject {
    Q_OBJECT
private slots:
    // The table itself.
    void transitions_data()
    {
        QTest::addColumn<LineOwner::State>("state");
        QTest::addColumn<int>("holder"); // -1: none
        QTest::addColumn<LineOwner::Event>("event");
        QTest::addColumn<LineClient>("claimant");
        QTest::addColumn<LineOwner::State>("next");
        QTest::addColumn<LineOwner::Action>("action");
        using S = LineOwner::State;
        using E = LineOwner::Event;
        using A = LineOwner::Action;
        const int live = int(LineClient::Live), button = int(LineClient::Button), batch = int(LineClient::Batch);
        QTest::newRow("free, claim") << S::Free << -1 << E::Claim << LineClient::Live << S::Held << A::Grant;
        QTest::newRow("held, claim by the holder") << S::Held << button << E::ClaimBySelf << LineClient::Button << S::Held << A::Grant;
        QTest::newRow("live held, batch claims") << S::Held << live << E::Claim << LineClient::Batch << S::Held << A::Displace;
        QTest::newRow("live held, button claims") << S::Held << live << E::Claim << LineClient::Button << S::Held << A::Queue;
        QTest::newRow("live held, scan claims") << S::Held << live << E::Claim << LineClient::Scan << S::Held << A::Queue;
        QTest::newRow("batch held, live claims") << S::Held << batch << E::Claim << LineClient::Live << S::Held << A::Queue;
        QTest::newRow("held, released") << S::Held << batch << E::Release << LineClient::Button << S::Held << A::GrantNext;
        QTest::newRow("held, holder gone") << S::Held << live << E::HolderGone << LineClient::Button << S::Held << A::GrantNext;
        QTest::newRow("held, a waiter withdraws") << S::Held << batch << E::ReleaseByWaiter << LineClient::Button << S::Held << A::Withdraw;
        QTest::newRow("held, a stranger releases") << S::Held << button << E::ReleaseByStranger << LineClient::Button << S::Held << A::Ignore;
        QTest::newRow("free, a stranger releases") << S::Free << -1 << E::ReleaseByStranger << LineClient::Button << S::Free << A::Ignore;
        QTest::newRow("held, port closed") << S::Held << batch << E::PortClosed << LineClient::Button << S::Free << A::DropAll;
        QTest::newRow("free, port closed") << S::Free << -1 << E::PortClosed << LineClient::Button << S::Free << A::DropAll;
    }
    void transitions()
    {
        QFETCH(LineOwner::State, state);
        QFETCH(int, holder);
        QFETCH(LineOwner::Event, event);
        QFETCH(LineClient, claimant);
        QFETCH(LineOwner::State, next);
        QFETCH(LineOwner::Action, action);
        const auto h = holder < 0 ? std::nullopt : std::optional(LineClient(holder));
        QCOMPARE(LineOwner::Transition(state, h, event, claimant), (LineOwner::Step{next, action}));
    }

    // The owner following the table: who gets the line, in which order.
    void servesInOrder_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("granted");
        QTest::addColumn<QString>("holderAfter"); // "" nobody
        QTest::newRow("claim while free: at once") << QStringList{"+C"} << QStringList{"granted C"} << "batch";
        QTest::newRow("claim while held: after the release")
            << QStringList{"+S", "+L", "-S"} << QStringList{"granted S", "granted L"} << "live";
        QTest::newRow("release with nobody waiting frees the line") << QStringList{"+L", "-L"} << QStringList{"granted L"} << "";
        QTest::newRow("a press goes before the next live sample")
            << QStringList{"+L", "+L2", "+B", "-L"} << QStringList{"granted L", "granted B"} << "button";
        QTest::newRow("presses in turn, then live")
            << QStringList{"+L", "+L2", "+B", "+B2", "-L", "-B", "-B2"}
            << QStringList{"granted L", "granted B", "granted B2", "granted L2"} << "live";
        QTest::newRow("a second press while its first holds: at once")
            << QStringList{"+B", "+B"} << QStringList{"granted B", "granted B"} << "button";
        QTest::newRow("a batch displaces live values and their waiting claims")
            << QStringList{"+B", "+L", "-B", "+C", "-L", "-C"} << QStringList{"granted B", "granted L", "granted C"} << "";
        QTest::newRow("a waiter withdraws") << QStringList{"+B", "+L", "-L", "-B"} << QStringList{"granted B"} << "";
        QTest::newRow("a late release after a time-out changes nothing")
            << QStringList{"+B", "-B", "+L", "-B"} << QStringList{"granted B", "granted L"} << "live";
        QTest::newRow("holder destroyed: the next one has the line")
            << QStringList{"+S", "+L", "~S"} << QStringList{"granted S", "granted L"} << "live";
        QTest::newRow("waiter destroyed: never granted") << QStringList{"+S", "+L", "~L", "-S"} << QStringList{"granted S"} << "";
        QTest::newRow("port closed: no claim survives")
            << QStringList{"+L", "+B", "closed", "-L"} << QStringList{"granted L"} << "";
        QTest::newRow("port closed, then a claim") << QStringList{"+C", "closed", "+B"} << QStringList{"granted C", "granted B"}
                                                   << "button";
    }
    void servesInOrder()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, granted);
        QFETCH(QString, holderAfter);
        Rig rig;
        for (const auto& step : steps)
            rig.Run(step);
        QCOMPARE(rig.log, granted);
        const auto holder = rig.owner.Holder();
        QCOMPARE(QString(holder ? hart::LineClientName(*holder) : ""), holderAfter);
        QCOMPARE(rig.owner.state() == LineOwner::State::Free, holderAfter.isEmpty());
    }

    // Received bytes reach the holder only.
    void deliveriesGoToTheHolder()
    {
        LineOwner owner;
        QStringList got;
        owner.SetIdleSink([&](std::span<const std::uint8_t> b) { got << QString("idle %1").arg(b.size()); });
        owner.SetSink(LineClient::Button, [&](std::span<const std::uint8_t> b) { got << QString("button %1").arg(b.size()); });
        owner.SetSink(LineClient::Live, [&](std::span<const std::uint8_t> b) { got << QString("live %1").arg(b.size()); });
        const std::uint8_t bytes[3] = {0xFF, 0xFF, 0x86};
        QObject live, link;
        owner.Deliver(bytes);
        owner.Claim(LineClient::Live, &live, {});
        owner.Deliver(std::span(bytes, 2));
        owner.Claim(LineClient::Button, &link, {});
        owner.Deliver(std::span(bytes, 1)); // the button waits: still the live answer
        owner.Release(&live);
        owner.Deliver(bytes);
        QCOMPARE(got, (QStringList{"idle 3", "live 2", "live 1", "button 3"}));
    }

    // "A button's request is waiting" has one meaning: it holds the line or waits for it.
    void wantsTheLine()
    {
        LineOwner owner;
        QObject live, link;
        QVERIFY(!owner.Wants(LineClient::Button));
        owner.Claim(LineClient::Live, &live, {});
        owner.Claim(LineClient::Button, &link, {});
        QVERIFY(owner.Wants(LineClient::Button));
        owner.Release(&live);
        QVERIFY(owner.Wants(LineClient::Button));
        owner.Release(&link);
        QVERIFY(!owner.Wants(LineClient::Button));
    }
};

QTEST_GUILESS_MAIN(TestLineOwner)
#include "test_line_owner.moc"
