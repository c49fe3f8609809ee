#include "codec/packed_ascii.h"
#include "codec/units.h"
#include "support/bytes.h"

#include <QtTest>

#include <random>
#include <set>

using namespace codec;
using testing::Hex;
using testing::HexOf;

Q_DECLARE_METATYPE(codec::UnitListControl)

class TestUnitsPacked : public QObject {
    Q_OBJECT
private slots:
    void everyCodeRoundTrips()
    {
        std::set<int> codes;
        for (int item = 0; item < kOtherUnitItem; ++item) {
            const int code = ItemToUnitCode(item);
            QVERIFY2(code != 0, qPrintable(QString("item %1 has no code").arg(item)));
            QVERIFY2(codes.insert(code).second, qPrintable(QString("code %1 twice").arg(code)));
            QCOMPARE(UnitCodeToItem(static_cast<std::uint8_t>(code)), item);
        }
        QCOMPARE(int(codes.size()), 82);
        // Every other code falls to "82_other", which encodes as 0.
        for (int code = 0; code < 256; ++code)
            if (!codes.count(code))
                QCOMPARE(UnitCodeToItem(static_cast<std::uint8_t>(code)), kOtherUnitItem);
        QCOMPARE(int(ItemToUnitCode(kOtherUnitItem)), 0);
        QCOMPARE(int(ItemToUnitCode(-1)), 0);
        QCOMPARE(int(ItemToUnitCode(83)), 0);
    }

    void knownCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("item");
        QTest::newRow("250") << 250 << 78;
        QTest::newRow("mA") << 39 << 79;
        QTest::newRow("none") << 0 << 82;
        QTest::newRow("metTOM_min") << 77 << 55;
        QTest::newRow("kg_hr") << 75 << 76;
        QTest::newRow("in_s") << 114 << 28;
        QTest::newRow("cm") << 48 << 43;
        QTest::newRow("degree C") << 32 << 12;
        QTest::newRow("percent") << 57 << 75;
        QTest::newRow("MPa") << 237 << 11;
        QTest::newRow("mbar") << 8 << 7;
        QTest::newRow("9 has no item") << 9 << 82;
        QTest::newRow("251 has no item") << 251 << 82;
    }
    void knownCodes()
    {
        QFETCH(int, code);
        QFETCH(int, item);
        QCOMPARE(UnitCodeToItem(static_cast<std::uint8_t>(code)), item);
    }

    void listTexts_data()
    {
        QTest::addColumn<UnitListControl>("control");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("text");
        using enum UnitListControl;
        QTest::newRow("first item, blank kept") << ComboBox5 << 0 << "00_inH20 ";
        QTest::newRow("mbar numbered 06 on the first tab") << ComboBox5 << 7 << "06_mbar   ";
        QTest::newRow("mbar in ComboBox6") << ComboBox6 << 7 << "06_mbar   ";
        QTest::newRow("mbar numbered 07 in WEI1") << WEI1 << 7 << "07_mbar   ";
        QTest::newRow("mbar in WEI4") << WEI4 << 7 << "07_mbar   ";
        QTest::newRow("tR in ComboBox5") << ComboBox5 << 14 << "14_tR   ";
        QTest::newRow("tR in ComboBox6") << ComboBox6 << 14 << "14_tR ";
        QTest::newRow("tR in WEI1") << WEI1 << 14 << "14_tR";
        QTest::newRow("tR in WEI2") << WEI2 << 14 << "14_tR   ";
        QTest::newRow("degree C") << ComboBox15 << 12 << QString::fromUtf8("12_\u2103");
        QTest::newRow("degree F") << WEI3 << 13 << QString::fromUtf8("13_\u2109");
        QTest::newRow("cm") << WEI2 << 43 << "43_cm       ";
        QTest::newRow("in_s") << WEI1 << 28 << "28_in_s      ";
        QTest::newRow("metTOM_min") << ComboBox16 << 55 << "55_metTOM_min ";
        QTest::newRow("longest") << ComboBox5 << 74 << "74_british_thermal_unit ";
        QTest::newRow("no trailing blank") << ComboBox5 << 38 << "38_CuIn";
        QTest::newRow("other") << WEI4 << 82 << "82_other";
    }
    void listTexts()
    {
        QFETCH(UnitListControl, control);
        QFETCH(int, item);
        QFETCH(QString, text);
        const auto list = UnitList(control);
        QCOMPARE(int(list.size()), kUnitItemCount);
        QCOMPARE(QString::fromStdString(list[static_cast<std::size_t>(item)]), text);
    }

    // Every text starts with its own index, except the first tab's item 7.
    void textsAreNumbered()
    {
        using enum UnitListControl;
        for (auto control : {ComboBox5, ComboBox15, ComboBox16, ComboBox6, WEI1, WEI2, WEI3, WEI4}) {
            const auto list = UnitList(control);
            for (int i = 0; i < kUnitItemCount; ++i) {
                const bool firstTab = control != WEI1 && control != WEI2 && control != WEI3 && control != WEI4;
                const int number = (firstTab && i == 7) ? 6 : i;
                const auto prefix = QString("%1_").arg(number, 2, 10, QChar('0')).toStdString();
                QVERIFY2(list[static_cast<std::size_t>(i)].starts_with(prefix), list[static_cast<std::size_t>(i)].c_str());
            }
        }
    }

    void pack_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("empty tag") << QByteArray() << 8 << "82 08 20 82 08 20";
        QTest::newRow("eight blanks") << QByteArray("        ") << 8 << "82 08 20 82 08 20";
        QTest::newRow("ABCD") << QByteArray("ABCD") << 4 << "04 20 C4";
        QTest::newRow("abcd like !\"#$") << QByteArray("abcd") << 4 << "86 28 E4";
        QTest::newRow("!\"#$") << QByteArray("!\"#$") << 4 << "86 28 E4";
        QTest::newRow("short text padded") << QByteArray("AB") << 4 << "04 28 20";
        QTest::newRow("h becomes (") << QByteArray("h") << 4 << "A2 08 20";
        QTest::newRow("longer text cut") << QByteArray("ABCDEFGH") << 4 << "04 20 C4";
    }
    void pack()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, n);
        QFETCH(QString, bytes);
        QCOMPARE(HexOf(PackAscii(text.toStdString(), n)), bytes);
    }

    void unpack_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<int>("n");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("ABCD") << "04 20 C4" << 4 << QByteArray("ABCD");
        QTest::newRow("blanks kept") << "82 08 20 82 08 20" << 8 << QByteArray("        ");
        QTest::newRow("lower case reads as signs") << "86 28 E4" << 4 << QByteArray("!\"#$");
        QTest::newRow("zeros are @") << "00 00 00" << 4 << QByteArray("@@@@");
        QTest::newRow("missing bytes are zero") << "04" << 4 << QByteArray("A@@@");
    }
    void unpack()
    {
        QFETCH(QString, bytes);
        QFETCH(int, n);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(UnpackAscii(Hex(bytes.toLatin1().constData()), n)), text);
    }

    void messageFieldKeepsThirtyTwo()
    {
        const std::string forty(40, 'Q');
        const auto packed = PackAscii(forty, 32);
        QCOMPARE(packed.size(), std::size_t{24});
        QCOMPARE(UnpackAscii(packed, 32), std::string(32, 'Q'));
    }

    void unpackOnlyYieldsPrintableSet()
    {
        std::mt19937 rng(7);
        for (int round = 0; round < 2000; ++round) {
            std::vector<std::uint8_t> b(24);
            for (auto& x : b)
                x = static_cast<std::uint8_t>(rng());
            const auto text = UnpackAscii(b, 32);
            QCOMPARE(text.size(), std::size_t{32});
            for (char c : text)
                QVERIFY(c >= 0x20 && c <= 0x5F);
            // What unpacks packs back to the same bytes.
            QCOMPARE(PackAscii(text, 32), b);
        }
    }
};

QTEST_APPLESS_MAIN(TestUnitsPacked)
#include "test_units_packed.moc"
