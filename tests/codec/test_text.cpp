#include "codec/text.h"

#include <QtTest>

#include <string>

using namespace std::string_literals;

class TestText : public QObject {
    Q_OBJECT
private slots:
    void escape_data()
    {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<bool>("hasControl");
        QTest::newRow("plain") << QByteArray("TAG_01 ok") << false << QByteArray("TAG_01 ok") << false;
        QTest::newRow("escape, bell, newline") << QByteArray("A\x1b]0;x\x07\n") << false << QByteArray("A\\x1B]0;x\\x07\\x0A") << true;
        QTest::newRow("nul and del") << QByteArray("a\0b\x7f", 4) << false << QByteArray("a\\x00b\\x7F") << true;
        QTest::newRow("backslash doubles") << QByteArray("a\\x1B") << false << QByteArray("a\\\\x1B") << false;
        QTest::newRow("latin-1 C1 control") << QByteArray("\x9b" "2J") << false << QByteArray("\\x9B2J") << true;
        QTest::newRow("latin-1 letter") << QByteArray("\xe9t\xe9") << false << QByteArray("\xe9t\xe9") << false;
        QTest::newRow("utf-8 letter") << QByteArray("M\xc3\xbcnchen") << true << QByteArray("M\xc3\xbcnchen") << false;
        QTest::newRow("utf-8 C1 control") << QByteArray("\xc2\x9b" "2J") << true << QByteArray("\\xC2\\x9B2J") << true;
        QTest::newRow("utf-8 broken") << QByteArray("\xe2\x82") << true << QByteArray("\\xE2\\x82") << true;
        QTest::newRow("utf-8 overlong slash") << QByteArray("\xc0\xaf") << true << QByteArray("\\xC0\\xAF") << true;
    }
    void escape()
    {
        QFETCH(QByteArray, in);
        QFETCH(bool, utf8);
        QFETCH(QByteArray, out);
        QFETCH(bool, hasControl);
        const std::string_view bytes(in.constData(), static_cast<std::size_t>(in.size()));
        const std::string escaped = codec::EscapeControl(bytes, utf8);
        QCOMPARE(QByteArray::fromStdString(escaped), out);
        QCOMPARE(codec::HasControl(bytes, utf8), hasControl);
        // What comes out is always printable.
        QVERIFY(!codec::HasControl(escaped, utf8));
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "test_text.moc"
