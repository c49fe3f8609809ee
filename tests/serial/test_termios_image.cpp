// The terminal settings and modem lines built from the line properties.

#include "serial/line_settings.h"

#include <QtTest/QtTest>

#include <sys/ioctl.h>

using namespace serial;

Q_DECLARE_METATYPE(serial::TParity)
Q_DECLARE_METATYPE(serial::TByteSize)
Q_DECLARE_METATYPE(serial::TStopBits)
Q_DECLARE_METATYPE(serial::TRtsControl)
Q_DECLARE_METATYPE(serial::TDtrControl)

namespace {

// A port as the kernel hands it over: canonical, echoing, 9600 baud.
termios CookedPort()
{
    termios t{};
    t.c_iflag = ICRNL | IXON | IGNPAR | PARMRK;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | CRTSCTS;
    t.c_cc[VEOF] = 4;
    t.c_cc[VINTR] = 3;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

CommSettings WindowSettings()
{
    CommSettings s;
    s.BaudRate = 1200;
    s.Parity = TParity::Odd;
    s.RtsControl = TRtsControl::RtsDisable;
    s.Outx_XonXoffFlow = false;
    s.Inx_XonXoffFlow = false;
    return s;
}

} // namespace

class TestTermiosImage : public QObject {
    Q_OBJECT

private slots:
    void windowSettings();
    void parity_data();
    void parity();
    void frame_data();
    void frame();
    void baudRates_data();
    void baudRates();
    void flowControl_data();
    void flowControl();
    void modemLines_data();
    void modemLines();
};

void TestTermiosImage::windowSettings()
{
    const LineImage image = BuildLineImage(WindowSettings(), CookedPort());
    const termios& t = image.tio;
    QVERIFY(image.baudApplied);
    QCOMPARE(cfgetospeed(&t), speed_t(B1200));
    QCOMPARE(cfgetispeed(&t), speed_t(B1200));
    QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(t.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t(PARENB | PARODD));
    QVERIFY(!(t.c_cflag & CSTOPB));
    QVERIFY(!(t.c_cflag & CRTSCTS));
    QVERIFY(!(t.c_iflag & (IXON | IXOFF | IXANY)));
    QVERIFY(!(t.c_iflag & INPCK));
    QCOMPARE(t.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
    // Raw: no line editing, signals, echo or output processing.
    QVERIFY(!(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)));
    QVERIFY(!(t.c_oflag & OPOST));
    QVERIFY(!(t.c_iflag & (ICRNL | PARMRK | IGNPAR)));
    QCOMPARE(int(t.c_cc[VMIN]), 1);
    QCOMPARE(int(t.c_cc[VTIME]), 0);
    QCOMPARE(int(t.c_cc[VEOF]), 4); // characters without a property keep the port's values
    QCOMPARE(image.modemSet, TIOCM_DTR);
    QCOMPARE(image.modemClear, TIOCM_RTS);
}

void TestTermiosImage::parity_data()
{
    QTest::addColumn<TParity>("parity");
    QTest::addColumn<int>("flags");
    QTest::newRow("none") << TParity::None << 0;
    QTest::newRow("odd") << TParity::Odd << int(PARENB | PARODD);
    QTest::newRow("even") << TParity::Even << int(PARENB);
    QTest::newRow("mark") << TParity::Mark << int(PARENB | PARODD | CMSPAR);
    QTest::newRow("space") << TParity::Space << int(PARENB | CMSPAR);
}

void TestTermiosImage::parity()
{
    QFETCH(TParity, parity);
    QFETCH(int, flags);
    CommSettings s = WindowSettings();
    s.Parity = parity;
    s.ParityCheck = true;
    const termios t = BuildLineImage(s, CookedPort()).tio;
    QCOMPARE(int(t.c_cflag & (PARENB | PARODD | CMSPAR)), flags);
    QVERIFY(t.c_iflag & INPCK);
}

void TestTermiosImage::frame_data()
{
    QTest::addColumn<TByteSize>("byteSize");
    QTest::addColumn<TStopBits>("stopBits");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("twoStops");
    QTest::newRow("5 data, 1 stop") << TByteSize::_5 << TStopBits::_1 << int(CS5) << false;
    QTest::newRow("6 data, 1.5 stop") << TByteSize::_6 << TStopBits::_1_5 << int(CS6) << true;
    QTest::newRow("7 data, 2 stop") << TByteSize::_7 << TStopBits::_2 << int(CS7) << true;
    QTest::newRow("8 data, 1 stop") << TByteSize::_8 << TStopBits::_1 << int(CS8) << false;
}

void TestTermiosImage::frame()
{
    QFETCH(TByteSize, byteSize);
    QFETCH(TStopBits, stopBits);
    QFETCH(int, size);
    QFETCH(bool, twoStops);
    CommSettings s = WindowSettings();
    s.ByteSize = byteSize;
    s.StopBits = stopBits;
    const termios t = BuildLineImage(s, CookedPort()).tio;
    QCOMPARE(int(t.c_cflag & CSIZE), size);
    QCOMPARE(bool(t.c_cflag & CSTOPB), twoStops);
}

void TestTermiosImage::baudRates_data()
{
    QTest::addColumn<quint32>("rate");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<int>("speed");
    QTest::newRow("300") << 300u << true << int(B300);
    QTest::newRow("9600") << 9600u << true << int(B9600);
    QTest::newRow("115200") << 115200u << true << int(B115200);
    QTest::newRow("4000000") << 4000000u << true << int(B4000000);
    // A rate without a code leaves the port at its speed.
    QTest::newRow("14400") << 14400u << false << int(B9600);
    QTest::newRow("0") << 0u << false << int(B9600);
}

void TestTermiosImage::baudRates()
{
    QFETCH(quint32, rate);
    QFETCH(bool, applied);
    QFETCH(int, speed);
    CommSettings s = WindowSettings();
    s.BaudRate = rate;
    const LineImage image = BuildLineImage(s, CookedPort());
    QCOMPARE(image.baudApplied, applied);
    QCOMPARE(int(cfgetospeed(&image.tio)), speed);
    QCOMPARE(int(cfgetispeed(&image.tio)), speed);
}

void TestTermiosImage::flowControl_data()
{
    QTest::addColumn<bool>("cts");
    QTest::addColumn<TRtsControl>("rts");
    QTest::addColumn<bool>("xonOut");
    QTest::addColumn<bool>("xonIn");
    QTest::addColumn<bool>("crtscts");
    QTest::newRow("none") << false << TRtsControl::RtsDisable << false << false << false;
    QTest::newRow("CTS flow") << true << TRtsControl::RtsEnable << false << false << true;
    QTest::newRow("RTS handshake") << false << TRtsControl::RtsHandshake << false << false << true;
    QTest::newRow("XON/XOFF out") << false << TRtsControl::RtsEnable << true << false << false;
    QTest::newRow("XON/XOFF in") << false << TRtsControl::RtsEnable << false << true << false;
}

void TestTermiosImage::flowControl()
{
    QFETCH(bool, cts);
    QFETCH(TRtsControl, rts);
    QFETCH(bool, xonOut);
    QFETCH(bool, xonIn);
    QFETCH(bool, crtscts);
    CommSettings s = WindowSettings();
    s.Outx_CtsFlow = cts;
    s.RtsControl = rts;
    s.Outx_XonXoffFlow = xonOut;
    s.Inx_XonXoffFlow = xonIn;
    s.XonChar = 'Q';
    s.XoffChar = 'S';
    const termios t = BuildLineImage(s, CookedPort()).tio;
    QCOMPARE(bool(t.c_cflag & CRTSCTS), crtscts);
    QCOMPARE(bool(t.c_iflag & IXON), xonOut);
    QCOMPARE(bool(t.c_iflag & IXOFF), xonIn);
    QCOMPARE(int(t.c_cc[VSTART]), int('Q'));
    QCOMPARE(int(t.c_cc[VSTOP]), int('S'));
}

void TestTermiosImage::modemLines_data()
{
    QTest::addColumn<TDtrControl>("dtr");
    QTest::addColumn<TRtsControl>("rts");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("clear");
    QTest::newRow("DTR on, RTS on") << TDtrControl::DtrEnable << TRtsControl::RtsEnable << (TIOCM_DTR | TIOCM_RTS) << 0;
    QTest::newRow("DTR on, RTS off") << TDtrControl::DtrEnable << TRtsControl::RtsDisable << TIOCM_DTR << TIOCM_RTS;
    QTest::newRow("DTR off, RTS on") << TDtrControl::DtrDisable << TRtsControl::RtsEnable << TIOCM_RTS << TIOCM_DTR;
    QTest::newRow("DTR handshake, RTS handshake")
        << TDtrControl::DtrHandshake << TRtsControl::RtsHandshake << (TIOCM_DTR | TIOCM_RTS) << 0;
    QTest::newRow("RTS on transmission") << TDtrControl::DtrDisable << TRtsControl::RtsTransmissionAvailable << 0
                                         << (TIOCM_DTR | TIOCM_RTS);
}

void TestTermiosImage::modemLines()
{
    QFETCH(TDtrControl, dtr);
    QFETCH(TRtsControl, rts);
    QFETCH(int, set);
    QFETCH(int, clear);
    CommSettings s = WindowSettings();
    s.DtrControl = dtr;
    s.RtsControl = rts;
    const LineImage image = BuildLineImage(s, CookedPort());
    QCOMPARE(image.modemSet, set);
    QCOMPARE(image.modemClear, clear);
}

QTEST_GUILESS_MAIN(TestTermiosImage)
#include "test_termios_image.moc"
