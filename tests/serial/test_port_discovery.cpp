// Port names and the list of serial devices for the port selector.

#include "serial/port_discovery.h"

#include <QtCore/QTemporaryDir>
#include <QtTest/QtTest>

#include <fstream>

using namespace serial;
namespace fs = std::filesystem;

class TestPortDiscovery : public QObject {
    Q_OBJECT

private slots:
    void portPath_data();
    void portPath();
    void discoversPresentDevices();
};

void TestPortDiscovery::portPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("COM1") << "COM1" << "/dev/ttyS0";
    QTest::newRow("COM2") << "COM2" << "/dev/ttyS1";
    QTest::newRow("COM9") << "COM9" << "/dev/ttyS8";
    QTest::newRow("lower case") << "com1" << "/dev/ttyS0";
    QTest::newRow("mixed case") << "Com3" << "/dev/ttyS2";
    QTest::newRow("blanks around") << " COM1 " << "/dev/ttyS0";
    QTest::newRow("COM10 is a device name") << "COM10" << "/dev/COM10";
    QTest::newRow("COM0 is a device name") << "COM0" << "/dev/COM0";
    QTest::newRow("bare device name") << "ttyUSB0" << "/dev/ttyUSB0";
    QTest::newRow("bare name with blank") << "ttyACM1 " << "/dev/ttyACM1";
    QTest::newRow("device path") << "/dev/ttyUSB0" << "/dev/ttyUSB0";
    QTest::newRow("link path") << "/dev/serial/by-id/usb-FTDI-if00" << "/dev/serial/by-id/usb-FTDI-if00";
    QTest::newRow("relative path") << "./ttyFake" << "./ttyFake";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only blanks") << "  " << "";
}

void TestPortDiscovery::portPath()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(QString::fromStdString(PortPath(name.toStdString())), path);
}

namespace {

void Touch(const fs::path& p, const char* content = "")
{
    fs::create_directories(p.parent_path());
    std::ofstream(p) << content;
}

} // namespace

void TestPortDiscovery::discoversPresentDevices()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const fs::path root = tmp.path().toStdString();
    const fs::path dev = root / "dev";
    const fs::path sys = root / "sys";
    for (const char* name : {"ttyUSB0", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyUSBx", "tty0", "console", "ttyS0",
                             "ttyS1", "ttyS2", "ttyS3", "ttyS10"})
        Touch(dev / name);
    fs::create_directories(dev / "serial" / "by-id");
    fs::create_symlink("../../ttyUSB0", dev / "serial" / "by-id" / "usb-FTDI_FT232R-if00-port0");
    fs::create_symlink("../../ttyUSB9", dev / "serial" / "by-id" / "usb-unplugged-port0");
    // ttyS0 and ttyS10: a UART behind a driver. ttyS1: type unknown.
    // ttyS2: no driver. ttyS3: no type attribute and no real port to ask.
    for (const char* name : {"ttyS0", "ttyS1", "ttyS3", "ttyS10"})
        fs::create_directories(sys / name / "device" / "driver");
    Touch(sys / "ttyS0" / "type", "4\n");
    Touch(sys / "ttyS1" / "type", "0\n");
    Touch(sys / "ttyS10" / "type", "4\n");
    Touch(sys / "ttyS2" / "type", "4\n");

    const std::vector<std::string> expected = {
        (dev / "serial/by-id/usb-FTDI_FT232R-if00-port0").string(),
        (dev / "ttyACM0").string(),
        (dev / "ttyS0").string(),
        (dev / "ttyS10").string(),
        (dev / "ttyUSB0").string(),
        (dev / "ttyUSB2").string(),
        (dev / "ttyUSB10").string(),
    };
    QCOMPARE(DiscoverSerialPorts(dev, sys), expected);
    QCOMPARE(DiscoverSerialPorts(root / "missing", sys), std::vector<std::string>{});
}

QTEST_GUILESS_MAIN(TestPortDiscovery)
#include "test_port_discovery.moc"
