#include "hart/hart_ip.h"
#include "support/bytes.h"

#include <QtTest>

using namespace hart::ip;
using testing::Hex;
using testing::HexOf;

Q_DECLARE_METATYPE(hart::ip::Reject)

class TestHartIp : public QObject {
    Q_OBJECT
private slots:
    // Every header field is checked against the bytes before the body is read.
    void rejects_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<Reject>("reject");
        QTest::newRow("empty") << "" << Reject::ShortHeader;
        QTest::newRow("seven bytes") << "01 00 02 00 00 01 00" << Reject::ShortHeader;
        QTest::newRow("version 2") << "02 00 02 00 00 01 00 08" << Reject::WrongVersion;
        QTest::newRow("version 0") << "00 00 02 00 00 01 00 08" << Reject::WrongVersion;
        QTest::newRow("type 4") << "01 04 02 00 00 01 00 08" << Reject::UnknownType;
        QTest::newRow("type 14") << "01 0E 02 00 00 01 00 08" << Reject::UnknownType;
        QTest::newRow("id 4") << "01 00 04 00 00 01 00 08" << Reject::UnknownId;
        QTest::newRow("id 255") << "01 00 FF 00 00 01 00 08" << Reject::UnknownId;
        QTest::newRow("count 0") << "01 00 02 00 00 01 00 00" << Reject::CountTooSmall;
        QTest::newRow("count 7") << "01 00 02 00 00 01 00 07" << Reject::CountTooSmall;
        QTest::newRow("count one past") << "01 00 03 00 00 01 00 0A 02" << Reject::CountPastEnd;
        QTest::newRow("count 65535") << "01 00 03 00 00 01 FF FF" << Reject::TooLong;
        QTest::newRow("one past the longest") << "01 00 03 00 00 01 01 14" << Reject::TooLong;
    }
    void rejects()
    {
        QFETCH(QString, bytes);
        QFETCH(Reject, reject);
        const auto b = Hex(bytes.toLatin1().constData());
        const Parsed p = Parse(b);
        QVERIFY(!p.message);
        QCOMPARE(p.reject, reject);
    }

    void accepts_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("sequence");
        QTest::addColumn<QString>("body");
        QTest::newRow("keep-alive") << "01 00 02 00 12 34 00 08" << 0 << 2 << 0 << 0x1234 << "";
        QTest::newRow("NAK") << "01 0F 03 00 00 09 00 09 02" << 15 << 3 << 0 << 9 << "02";
        QTest::newRow("trailing bytes not taken") << "01 01 03 05 FF FF 00 0A 06 80 EE" << 1 << 3 << 5 << 0xFFFF
                                                  << "06 80";
        QTest::newRow("session response") << "01 01 00 08 00 01 00 0D 01 00 00 EA 60" << 1 << 0 << 8 << 1
                                          << "01 00 00 EA 60";
    }
    void accepts()
    {
        QFETCH(QString, bytes);
        QFETCH(int, type);
        QFETCH(int, id);
        QFETCH(int, status);
        QFETCH(int, sequence);
        QFETCH(QString, body);
        const auto b = Hex(bytes.toLatin1().constData());
        const Parsed p = Parse(b);
        QVERIFY(p.message);
        QCOMPARE(int(p.message->header.type), type);
        QCOMPARE(int(p.message->header.id), id);
        QCOMPARE(int(p.message->header.status), status);
        QCOMPARE(int(p.message->header.sequence), sequence);
        QCOMPARE(HexOf(p.message->body), body);
        QCOMPARE(p.length, std::size_t(p.message->header.byteCount));
    }

    // The bytes this tool sends, as a HART-IP reader expects them.
    void encodes_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("expected");
        QTest::newRow("initiate, primary, 60 s")
            << HexOf(SessionInitiate(1, MasterType::Primary, 60000)) << "01 00 00 00 00 01 00 0D 01 00 00 EA 60";
        QTest::newRow("initiate, secondary")
            << HexOf(SessionInitiate(0x0102, MasterType::Secondary, 1)) << "01 00 00 00 01 02 00 0D 00 00 00 00 01";
        QTest::newRow("close") << HexOf(SessionClose(7)) << "01 00 01 00 00 07 00 08";
        QTest::newRow("keep-alive") << HexOf(KeepAlive(0xFFFF)) << "01 00 02 00 FF FF 00 08";
        QTest::newRow("pass-through drops the preambles")
            << HexOf(PassThrough(MessageType::Request, 3, Hex("FF FF FF FF FF 02 80 00 00 82")))
            << "01 00 03 00 00 03 00 0D 02 80 00 00 82";
        QTest::newRow("response echoes id and sequence")
            << HexOf(Response({kVersion, MessageType::Request, MessageId::KeepAlive, 0, 0x4242}, 0))
            << "01 01 02 00 42 42 00 08";
        QTest::newRow("error") << HexOf(ErrorMessage({kVersion, MessageType::Request, MessageId::PassThrough, 0, 5},
                                                     kErrorSessionClosed))
                               << "01 03 03 00 00 05 00 09 00";
    }
    void encodes()
    {
        QFETCH(QString, made);
        QFETCH(QString, expected);
        QCOMPARE(made, expected);
    }

    void session_body_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("master");
        QTest::addColumn<uint>("ms");
        QTest::newRow("primary") << "01 00 00 EA 60" << true << 1 << 60000u;
        QTest::newRow("secondary, largest") << "00 FF FF FF FF" << true << 0 << 0xFFFFFFFFu;
        QTest::newRow("four bytes") << "01 00 00 EA" << false << 0 << 0u;
        QTest::newRow("master type 2") << "02 00 00 EA 60" << false << 0 << 0u;
    }
    void session_body()
    {
        QFETCH(QString, body);
        QFETCH(bool, ok);
        QFETCH(int, master);
        QFETCH(uint, ms);
        const auto b = Hex(body.toLatin1().constData());
        const auto s = ParseSessionBody(b);
        QCOMPARE(s.has_value(), ok);
        if (s) {
            QCOMPARE(int(s->master), master);
            QCOMPARE(uint(s->inactivityMs), ms);
        }
    }

    // A pass-through as long as any HART frame is taken whole.
    void longest_frame_round_trips()
    {
        std::vector<std::uint8_t> frame{0xFF, 0xFF, 0xE6, 0x80, 0, 0, 0, 1, 0, 0, 0, 0x21, 255};
        frame.resize(frame.size() + 255, 0x5A);
        frame.push_back(0x00);
        const auto m = PassThrough(MessageType::Response, 1, frame);
        QCOMPARE(m.size(), kLongestMessage);
        const Parsed p = Parse(m);
        QVERIFY(p.message);
        QCOMPARE(p.message->body.size(), frame.size() - 2);
    }
};

QTEST_GUILESS_MAIN(TestHartIp)
#include "test_hart_ip.moc"
