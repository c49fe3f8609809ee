#include "cli/cli.h"

#include <QtTest>

#include <sstream>

class TestCliArgs : public QObject {
    Q_OBJECT
private slots:
    void accepted_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("port");
        QTest::newRow("read to stdout") << QStringList{"read", "--simulate"} << "read" << 0 << 0 << "";
        QTest::newRow("read to a file") << QStringList{"read", "-o", "a.json", "--port", "COM3"} << "read" << 0 << 0 << "COM3";
        QTest::newRow("options first") << QStringList{"--port", "ttyUSB0", "--address", "15", "diff", "a"} << "diff" << 1 << 15 << "ttyUSB0";
        QTest::newRow("two files") << QStringList{"diff", "a", "b"} << "diff" << 2 << 0 << "";
        QTest::newRow("scan") << QStringList{"scan", "--simulate"} << "scan" << 0 << 0 << "";
        QTest::newRow("scan a range") << QStringList{"scan", "--addresses", "0-63", "--port", "COM2"} << "scan" << 0 << 0 << "COM2";
        QTest::newRow("write, every flag") << QStringList{"write", "f", "--with-identity", "--force", "--dry-run", "--simulate"} << "write" << 1 << 0 << "";
        QTest::newRow("loop test") << QStringList{"loop-test", "--points", "4,20", "--hold", "0.5", "--yes", "--simulate"} << "loop-test" << 0 << 0 << "";
        QTest::newRow("report of a file") << QStringList{"report", "--file", "a.json", "--operator", "A B", "-o", "r.pdf"} << "report" << 0 << 0 << "";
        QTest::newRow("history") << QStringList{"history", "--device", "0x0A0B0C", "--since", "2026-12-01", "--json"} << "history" << 0 << 0 << "";
        QTest::newRow("write, backup folder") << QStringList{"write", "f", "--backup-dir", "/tmp/b", "--simulate"} << "write" << 1 << 0 << "";
    }
    void accepted()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, command);
        QFETCH(int, files);
        QFETCH(int, address);
        QFETCH(QString, port);
        const auto o = cli::ParseArguments(args);
        QVERIFY2(o.ok(), o.error().c_str());
        QCOMPARE(QString::fromStdString(o->command), command);
        QCOMPARE(int(o->files.size()), files);
        QCOMPARE(o->address, address);
        QCOMPARE(QString::fromStdString(o->port), port);
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says");
        QTest::newRow("nothing") << QStringList{} << "No command";
        QTest::newRow("unknown command") << QStringList{"erase"} << "Unknown command 'erase'";
        QTest::newRow("address range for read") << QStringList{"read", "--addresses", "0-63"} << "--addresses does not apply to read";
        QTest::newRow("scan with a file") << QStringList{"scan", "x.json"} << "Usage: modbus-hart-config scan";
        QTest::newRow("unknown option") << QStringList{"read", "--fast"} << "Unknown option --fast";
        QTest::newRow("flag of another command") << QStringList{"read", "--force"} << "--force does not apply to read";
        QTest::newRow("output for write") << QStringList{"write", "f", "-o", "x"} << "-o does not apply to write";
        QTest::newRow("address for scan") << QStringList{"scan", "--address", "3"} << "--address does not apply to scan";
        QTest::newRow("backup folder for read") << QStringList{"read", "--backup-dir", "b"} << "--backup-dir does not apply to read";
        QTest::newRow("backup folder without name") << QStringList{"write", "f", "--backup-dir"} << "--backup-dir needs a folder";
        QTest::newRow("write without file") << QStringList{"write"} << "Usage: modbus-hart-config write FILE";
        QTest::newRow("diff with three files") << QStringList{"diff", "a", "b", "c"} << "Usage: modbus-hart-config diff";
        QTest::newRow("read with a file") << QStringList{"read", "x.json"} << "Usage: modbus-hart-config read";
        QTest::newRow("port without name") << QStringList{"read", "--port"} << "--port needs a port name";
        QTest::newRow("address 16") << QStringList{"read", "--address", "16"} << "'16' is not a number from 0 to 15";
        QTest::newRow("address text") << QStringList{"read", "--address", "1x"} << "'1x' is not a number";
        QTest::newRow("address negative") << QStringList{"read", "--address", "-1"} << "'-1' is not a number";
        QTest::newRow("hold not a number") << QStringList{"loop-test", "--hold", "x"} << "--hold needs a number of seconds";
        QTest::newRow("hold too long") << QStringList{"loop-test", "--hold", "3601"} << "--hold needs a number of seconds";
        QTest::newRow("points without value") << QStringList{"loop-test", "--points"} << "--points needs a value";
        QTest::newRow("a file and a device") << QStringList{"report", "--file", "a.json", "--simulate"} << "either --file or a device";
        QTest::newRow("json for read") << QStringList{"read", "--json"} << "--json does not apply to read";
        QTest::newRow("port for history") << QStringList{"history", "--port", "COM1"} << "--port does not apply to history";
        QTest::newRow("port and simulate") << QStringList{"read", "--port", "COM1", "--simulate"} << "either --port or --simulate";
        QTest::newRow("hart-ip and port") << QStringList{"read", "--hart-ip", "gw", "--port", "COM1"} << "--hart-ip instead of --port or --simulate";
        QTest::newRow("hart-ip and simulate") << QStringList{"scan", "--simulate", "--hart-ip", "gw"} << "--hart-ip instead of --port or --simulate";
        QTest::newRow("tcp alone") << QStringList{"read", "--tcp", "--port", "COM1"} << "--tcp goes with --hart-ip";
        QTest::newRow("hart-ip without server") << QStringList{"read", "--hart-ip"} << "--hart-ip needs a server";
        QTest::newRow("hart-ip port 0") << QStringList{"read", "--hart-ip", "gw:0"} << "the port is not a number from 1 to 65535";
        QTest::newRow("hart-ip port too big") << QStringList{"diff", "a", "--hart-ip", "gw:65536"} << "the port is not a number from 1 to 65535";
        QTest::newRow("hart-ip without host") << QStringList{"read", "--hart-ip", ":5094"} << "the host is missing";
        QTest::newRow("hart-ip for history") << QStringList{"history", "--hart-ip", "gw"} << "--hart-ip does not apply to history";
        QTest::newRow("a file and hart-ip") << QStringList{"report", "--file", "a.json", "--hart-ip", "gw"} << "either --file or a device";
    }
    void refused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        const auto o = cli::ParseArguments(args);
        QVERIFY(!o.ok());
        QVERIFY2(QString::fromStdString(o.error()).contains(says), o.error().c_str());
        // The program says it on standard error and exits 2, with nothing on standard output.
        std::ostringstream out, err;
        cli::Io io{out, err, false};
        QCOMPARE(cli::Run(args, io), int(cli::kRefused));
        QVERIFY(out.str().empty());
        QVERIFY(QString::fromStdString(err.str()).contains(says));
    }

    void hartIpServer_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("name"); // the target, as the port selector writes it
        QTest::newRow("host, UDP") << QStringList{"read", "--hart-ip", "gw.plant"} << "hart-ip://gw.plant";
        QTest::newRow("address and port, TCP") << QStringList{"scan", "--hart-ip", "10.0.0.7:20004", "--tcp"} << "hart-ip+tcp://10.0.0.7:20004";
        QTest::newRow("every device command") << QStringList{"write", "f", "--tcp", "--hart-ip", "[::1]:5095"} << "hart-ip+tcp://[::1]:5095";
        QTest::newRow("port selector name") << QStringList{"loop-test", "--hart-ip", "hart-ip+tcp://gw"} << "hart-ip+tcp://gw";
    }
    void hartIpServer()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, name);
        const auto o = cli::ParseArguments(args);
        QVERIFY2(o.ok(), o.error().c_str());
        QVERIFY(o->hartIp);
        QCOMPARE(QString::fromStdString(line::HartIpName(*o->hartIp)), name);
        QCOMPARE(o->hartIp->master, hart::ip::MasterType::Primary);
    }

    void deviceCommandsNeedALine()
    {
        for (const auto& c : cli::Commands()) {
            if (c.minFiles > 0)
                continue; // refused for the missing file first
            if (c.options.find("--port") == std::string_view::npos)
                continue; // works without a device (history)
            std::ostringstream out, err;
            cli::Io io{out, err, false};
            QCOMPARE(cli::Run({QString::fromUtf8(c.name.data(), qsizetype(c.name.size()))}, io), int(cli::kRefused));
            QVERIFY(QString::fromStdString(err.str()).contains("--port"));
        }
    }

    void helpNamesEveryCommand()
    {
        const auto help = QString::fromStdString(cli::HelpText());
        for (const auto& c : cli::Commands())
            QVERIFY(help.contains(QString::fromUtf8(c.usage.data(), qsizetype(c.usage.size()))));
    }
};

QTEST_GUILESS_MAIN(TestCliArgs)
#include "test_cli_args.moc"
