// modbus-hart-config as a user runs it, against simulated converters on
// pseudo-terminals.
#include "config/file.h"
#include "config/items.h"
#include "sim/pty_simulator.h"
#include "support/cli_run.h"
#include "support/converter_setups.h"

#include <QtTest>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <csignal>
#include <memory>

#include <sys/resource.h>

namespace {

using testing::Run;
using testing::StartSimulator;

sim::ConverterState StateOf(sim::PtySimulator& s)
{
    sim::ConverterState out;
    s.WithDevice([&](sim::Device& d) { out = d.State(); });
    return out;
}

std::map<std::uint8_t, std::vector<std::uint8_t>> AnswersOf(sim::PtySimulator& s)
{
    sim::Device copy(StateOf(s));
    return testing::ConfigurationAnswers(copy);
}

} // namespace

class TestCliE2e : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // `fileLimit`: the largest file the program may write, in bytes (0: no
    // limit), a full disk for its files; `stdoutFile`: where its output goes.
    Run Program(QStringList args, rlim_t fileLimit = 0, const QString& stdoutFile = {})
    {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir_.filePath("data")); // backups land here
        return testing::RunProgram(args, env, [&](QProcess& p) {
            if (fileLimit > 0)
                p.setChildProcessModifier([fileLimit] {
                    std::signal(SIGXFSZ, SIG_IGN);
                    rlimit limit{};
                    ::getrlimit(RLIMIT_FSIZE, &limit);
                    limit.rlim_cur = fileLimit;
                    ::setrlimit(RLIMIT_FSIZE, &limit);
                });
            if (!stdoutFile.isEmpty())
                p.setStandardOutputFile(stdoutFile);
        });
    }
    QString Path(const char* name) { return dir_.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void cloneRoundTrip()
    {
        auto a = StartSimulator(testing::OtherConverter());
        auto b = StartSimulator(sim::ConverterState{});
        const auto identityB = testing::IdentityOf(StateOf(*b));
        QVERIFY(AnswersOf(*a) != AnswersOf(*b)); // every item differs, so this must mean something

        const auto read = Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", Path("a.json")});
        QVERIFY2(read.exit == 0, qPrintable(read.err));
        QVERIFY(read.out.contains(Path("a.json")));

        const auto write = Program({"write", Path("a.json"), "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY2(write.exit == 0, qPrintable(write.out + write.err));
        QVERIFY(write.out.contains("saved to " + dir_.filePath("data")));
        QVERIFY(write.out.contains("written and verified"));

        const auto answersA = AnswersOf(*a);
        const auto answersB = AnswersOf(*b);
        for (const auto& [command, answer] : answersA)
            QVERIFY2(answersB.at(command) == answer, qPrintable(QString("command %1").arg(command)));
        QCOMPARE(testing::IdentityOf(StateOf(*b)), identityB);

        // Done is done: a second write sends no setting, and diff finds nothing.
        const auto changes = StateOf(*b).configChangeCounter;
        const auto again = Program({"write", Path("a.json"), "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY2(again.exit == 0, qPrintable(again.out + again.err));
        QVERIFY(!again.out.contains("written and verified"));
        QCOMPARE(StateOf(*b).configChangeCounter, changes);
        const auto diff = Program({"diff", Path("a.json"), "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY2(diff.exit == 0, qPrintable(diff.out + diff.err));
        QVERIFY(diff.out.contains("are equal"));

        // Identity still tells the two apart when asked.
        const auto strict = Program({"diff", Path("a.json"), "--with-identity", "--port",
                                     QString::fromStdString(b->SlavePath())});
        QCOMPARE(strict.exit, 1);
    }

    void diffOfTwoFiles()
    {
        auto a = StartSimulator(testing::OtherConverter());
        auto b = StartSimulator(sim::ConverterState{});
        QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", Path("fa.json")}).exit, 0);
        QCOMPARE(Program({"read", "--port", QString::fromStdString(b->SlavePath()), "-o", Path("fb.json")}).exit, 0);
        const auto same = Program({"diff", Path("fa.json"), Path("fa.json")});
        QCOMPARE(same.exit, 0);
        const auto other = Program({"diff", Path("fa.json"), Path("fb.json")});
        QCOMPARE(other.exit, 1);
        QVERIFY(other.out.contains("message"));
        // Read to standard output: the file itself, nothing else.
        const auto printed = Program({"read", "--port", QString::fromStdString(a->SlavePath())});
        QCOMPARE(printed.exit, 0);
        QFile saved(Path("fa.json"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QJsonParseError error{};
        QJsonObject shown = QJsonDocument::fromJson(printed.out.toUtf8(), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        QJsonObject file = QJsonDocument::fromJson(saved.readAll()).object();
        QVERIFY(shown.contains("savedAt") && file.contains("savedAt"));
        shown.remove("savedAt"); // the two reads were made at different times
        file.remove("savedAt");
        QCOMPARE(shown, file);
        QVERIFY(printed.out.contains("CLONE SOURCE CONVERTER A"));
        QCOMPARE(Program({"read", "--simulate"}).exit, 0);
    }

    void failureMidWriteThenRerun()
    {
        auto a = StartSimulator(testing::OtherConverter());
        auto b = StartSimulator(sim::ConverterState{});
        QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", Path("m.json")}).exit, 0);
        // The range setting goes unanswered; the converter settings before it get through.
        b->WithDevice([](sim::Device& d) { d.SetFault(35, {sim::FaultKind::NoAnswer, 0}); });
        const auto stopped = Program({"write", Path("m.json"), "--port", QString::fromStdString(b->SlavePath())});
        QCOMPARE(stopped.exit, 1);
        QVERIFY(stopped.out.contains("written and verified"));
        QVERIFY(stopped.out.contains("range: failed"));
        QVERIFY(stopped.out.contains("not attempted"));
        QVERIFY(stopped.out.contains("had to be sent again"));

        b->WithDevice([](sim::Device& d) { d.ClearFaults(); });
        const auto rerun = Program({"write", Path("m.json"), "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY2(rerun.exit == 0, qPrintable(rerun.out + rerun.err));
        QCOMPARE(AnswersOf(*b), AnswersOf(*a));
    }

    // A dry run prints the device first, then exactly the items that differ,
    // device value -> file value, in write order: the lines the window asks with.
    void dryRunListsTheDifferingItems_data()
    {
        QTest::addColumn<bool>("withIdentity");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("identity not asked for") << false << QStringList{"rs485", "message"};
        QTest::newRow("identity asked for") << true << QStringList{"rs485", "message", "pollingAddress"};
    }
    void dryRunListsTheDifferingItems()
    {
        QFETCH(bool, withIdentity);
        QFETCH(QStringList, listed);
        auto b = StartSimulator(sim::ConverterState{});
        const QString port = QString::fromStdString(b->SlavePath());
        QCOMPARE(Program({"read", "--port", port, "-o", Path("own.json")}).exit, 0);
        const auto own = config::LoadFile(Path("own.json"));
        QVERIFY2(own.ok(), own.error().c_str());
        auto changed = own->configuration;
        changed.message = "A NEW MESSAGE";
        changed.line->interval = static_cast<std::uint8_t>(changed.line->interval + 7);
        changed.pollingAddress = 3;
        QVERIFY(config::SaveFile(Path("changed.json"), changed, {QDateTime::currentDateTimeUtc(), "t"}));

        QStringList args{"write", Path("changed.json"), "--port", port, "--dry-run"};
        if (withIdentity)
            args << "--with-identity";
        const auto r = Program(args);
        QVERIFY2(r.exit == 0, qPrintable(r.out + r.err));
        QStringList expected{"Device: tag \"CONVERTR\", polling address 0, unique identifier 66051"};
        for (const QString& name : listed) {
            const config::Item* item = config::FindItem(name.toStdString());
            expected << name + ": " + QString::fromStdString(item->text(own->configuration)) + " -> "
                            + QString::fromStdString(item->text(changed));
        }
        const QStringList out = r.out.split('\n');
        QCOMPARE(out.mid(0, expected.size()), expected);
        QVERIFY2(!r.out.contains("would be written:"), qPrintable(r.out));
        QCOMPARE(StateOf(*b), sim::ConverterState{});
    }

    void refusalsSendNoSetting_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: the read file of the source
        QTest::addColumn<std::uint8_t>("targetType");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exit");
        QTest::newRow("invalid JSON") << QByteArray("{\"format\": ") << std::uint8_t{5} << QStringList{} << 2;
        QTest::newRow("unknown format") << QByteArray("{\"format\": \"other\", \"version\": 1}") << std::uint8_t{5}
                                        << QStringList{} << 2;
        QTest::newRow("newer version") << QByteArray("{\"format\": \"modbus-hart-configuration\", \"version\": 99}")
                                       << std::uint8_t{5} << QStringList{} << 2;
        QTest::newRow("wrong device type") << QByteArray() << std::uint8_t{6} << QStringList{} << 2;
        QTest::newRow("dry run") << QByteArray() << std::uint8_t{5} << QStringList{"--dry-run"} << 0;
        QTest::newRow("no such file") << QByteArray("-") << std::uint8_t{5} << QStringList{} << 2;
    }
    void refusalsSendNoSetting()
    {
        QFETCH(QByteArray, file);
        QFETCH(std::uint8_t, targetType);
        QFETCH(QStringList, extra);
        QFETCH(int, exit);
        QString path = Path("r.json");
        if (file.isEmpty()) {
            auto a = StartSimulator(testing::OtherConverter());
            QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", path}).exit, 0);
        } else if (file == "-") {
            path = Path("missing.json");
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(file);
        }
        auto initial = sim::ConverterState{};
        initial.deviceType = targetType;
        auto b = StartSimulator(initial);
        const auto r = Program(QStringList{"write", path, "--port", QString::fromStdString(b->SlavePath())} + extra);
        QCOMPARE(r.exit, exit);
        QVERIFY(!(r.exit == 0 ? r.out : r.err).trimmed().isEmpty()); // says why, or what it would do
        QCOMPARE(StateOf(*b), initial);
    }

    // A file that says something twice, something unknown or something the device would
    // refuse stops the write before the line is used, and the message names where.
    void badFilesNameTheKey_data()
    {
        QTest::addColumn<QByteArray>("items");
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("lineUsed"); // refused once the device was read, before any setting
        QTest::newRow("duplicate key") << QByteArray(R"("finalAssemblyNumber": 1, "finalAssemblyNumber": 2)")
                                       << "items.finalAssemblyNumber" << false;
        QTest::newRow("unknown key in an item")
            << QByteArray(R"("rs485": {"baudRate": {"code": 1}, "parity": {"code": 0}, "interval": 10, "stop": 1})")
            << "\"stop\"" << false;
        QTest::newRow("three-digit return byte")
            << QByteArray(R"("instrumentCommand1": {"enable": {"code": 1}, "commandCode": "01", "returnByte1": "100", "returnByte2": "03"})")
            << "returnByte1" << false;
        QTest::newRow("month 13")
            << QByteArray(R"("tagDescriptorDate": {"tag": "T", "descriptor": "D", "day": 1, "month": 13, "year": 2020})")
            << "month" << false;
        QTest::newRow("code against text")
            << QByteArray(R"("range": {"unit": {"code": 32, "text": "09_KPa"}, "upper": 1, "lower": 0})") << "unit" << false;
        QTest::newRow("control characters in the long tag")
            << QByteArray("\"longTag\": \"A\\u001b]0;T\\u0007\"") << "longTag" << true;
    }
    void badFilesNameTheKey()
    {
        QFETCH(QByteArray, items);
        QFETCH(QString, named);
        QFETCH(bool, lineUsed);
        const QString path = Path("bad.json");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(R"({"format": "modbus-hart-configuration", "version": 1, )"
                R"("identity": {"manufacturer": 38, "deviceType": 5, "uniqueIdentifier": 66051, "pollingAddress": 0}, )"
                R"("items": {)" + items + "}}");
        f.close();
        auto received = std::make_shared<std::atomic<int>>(0);
        sim::PtySimulatorOptions o;
        o.trace = [received](bool in, std::span<const std::uint8_t> bytes) {
            if (in)
                *received += static_cast<int>(bytes.size());
        };
        std::string error;
        auto b = sim::PtySimulator::Start(o, &error);
        QVERIFY2(b, error.c_str());
        const auto r = Program({"write", path, "--port", QString::fromStdString(b->SlavePath())});
        QCOMPARE(r.exit, 2);
        QVERIFY2(r.err.contains(named), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QChar(0x1B)) && !r.err.contains(QChar(0x07)), "a control character reached the terminal");
        QCOMPARE(StateOf(*b), sim::ConverterState{}); // nothing set
        b->Stop();
        if (!lineUsed)
            QCOMPARE(received->load(), 0); // not even the identify went out
    }

    void terminationCancelsWithAReport()
    {
        auto a = StartSimulator(testing::OtherConverter());
        QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", Path("t.json")}).exit, 0);
        // At line speed the backup read alone takes seconds: stopped inside it, nothing is changed.
        auto b = StartSimulator(sim::ConverterState{}, true);
        QProcess p;
        p.start(MH_CONFIG_PROGRAM, {"write", Path("t.json"), "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY(p.waitForStarted());
        // Stopped once the backup read has begun: the identify answered, the first read asked.
        const auto asked = [&] {
            std::size_t n = 0;
            b->WithDevice([&](sim::Device& d) { n = d.Requests().size(); });
            return n;
        };
        QTRY_VERIFY_WITH_TIMEOUT(asked() >= 2, 30000);
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(!p.readAllStandardError().trimmed().isEmpty());
        QCOMPARE(StateOf(*b), sim::ConverterState{});
    }

    // Saved means on disk: a full disk fails with the file that was there
    // unchanged; a write without its backup sends no setting; standard
    // output that cannot be written is an error.
    void fullDisk_data()
    {
        QTest::addColumn<QStringList>("args"); // PATH: the file, PORT: the simulator
        QTest::addColumn<bool>("toFull");      // standard output to /dev/full
        QTest::newRow("read -o") << QStringList{"read", "-o", "PATH", "--port", "PORT"} << false;
        QTest::newRow("read to standard output") << QStringList{"read", "--port", "PORT"} << true;
        QTest::newRow("read -o -") << QStringList{"read", "-o", "-", "--port", "PORT"} << true;
        QTest::newRow("diff to standard output") << QStringList{"diff", "PATH", "--port", "PORT"} << true;
        QTest::newRow("write: the backup") << QStringList{"write", "PATH", "--port", "PORT"} << false;
    }
    void fullDisk()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, toFull);
        auto a = StartSimulator(testing::OtherConverter());
        auto b = StartSimulator(sim::ConverterState{});
        const QString path = Path("full.json");
        QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", path}).exit, 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        args.replaceInStrings("PATH", path);
        args.replaceInStrings("PORT", QString::fromStdString(b->SlavePath()));
        const QString backups = dir_.filePath("data/modbus-hart/backups");
        const qsizetype backupsBefore = QDir(backups).entryList(QDir::Files).size();

        const auto r = Program(args, toFull ? 0 : 1024, toFull ? "/dev/full" : QString());
        QCOMPARE(r.exit, 2);
        QVERIFY2(r.err.contains(toFull ? "Standard output could not be written" : "not saved"), qPrintable(r.err));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(StateOf(*b), sim::ConverterState{}); // no setting went out
        QCOMPARE(QDir(backups).entryList(QDir::Files).size(), backupsBefore);
        QVERIFY(!QFileInfo::exists(Path("-")));
    }

    // A hang-up is a termination request: the item in hand finishes, the
    // report comes, and the lines before it were out already.
    void hangUpFinishesTheItemAndReports()
    {
        auto a = StartSimulator(testing::OtherConverter());
        QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", Path("h.json")}).exit, 0);
        auto b = StartSimulator(sim::ConverterState{}, true);
        QProcess p;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir_.filePath("data"));
        p.setProcessEnvironment(env);
        p.start(MH_CONFIG_PROGRAM, {"write", Path("h.json"), "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY(p.waitForStarted());
        QByteArray out;
        while (!out.contains("written and verified") && p.state() == QProcess::Running && p.waitForReadyRead(30000))
            out += p.readAllStandardOutput();
        QVERIFY2(out.contains("written and verified"), out.constData()); // a line before the end
        QVERIFY(p.state() == QProcess::Running);
        ::kill(static_cast<pid_t>(p.processId()), SIGHUP);
        QVERIFY(p.waitForFinished(30000));
        out += p.readAllStandardOutput();
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(out.contains("not attempted"), out.constData());
        QVERIFY2(!out.contains("failed"), out.constData());
        QVERIFY(p.readAllStandardError().contains("Cancelled after writing part of the file."));
        QVERIFY(StateOf(*b).configChangeCounter > 0);
    }

    // Standard output carries the file alone, repeats and all: it parses as JSON.
    void readToStandardOutputIsJsonAlone()
    {
        auto a = StartSimulator(sim::ConverterState{});
        a->WithDevice([](sim::Device& d) { d.SetFault(12, {sim::FaultKind::ResponseCode, 32}); }); // busy
        const auto read = Program({"read", "--port", QString::fromStdString(a->SlavePath())});
        QCOMPARE(read.exit, 1);
        QVERIFY2(read.err.contains("had to be sent again"), qPrintable(read.err));
        QJsonParseError error{};
        QJsonDocument::fromJson(read.out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString() + ": " + read.out.right(200)));
    }

    // A converter that does not know one query: the rest is saved and usable.
    void partialRead()
    {
        auto initial = sim::ConverterState{};
        auto a = StartSimulator(initial);
        a->WithDevice([](sim::Device& d) { d.SetFault(161, {sim::FaultKind::ResponseCode, 64}); });
        const QString port = QString::fromStdString(a->SlavePath());
        const auto read = Program({"read", "--port", port, "-o", Path("p.json")});
        QCOMPARE(read.exit, 1);
        QVERIFY2(read.err.contains("instrumentCommand1: the device answered: command not implemented (response code 64)"),
                 qPrintable(read.err));
        const auto file = config::LoadFile(Path("p.json"));
        QVERIFY2(file.ok(), file.error().c_str());
        QVERIFY(!file->configuration.instruments[0]);
        QVERIFY(file->configuration.instruments[1] && file->configuration.message);

        const auto diff = Program({"diff", Path("p.json"), "--port", port});
        QVERIFY2(diff.exit == 0, qPrintable(diff.out + diff.err));
        const auto write = Program({"write", Path("p.json"), "--port", port});
        QVERIFY2(write.exit == 0, qPrintable(write.out + write.err));
        QCOMPARE(StateOf(*a), initial);

        // The device changed where it could be read: diff finds it, and names the item it cannot read.
        QFile f(Path("p.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray text = f.readAll();
        f.close();
        text.replace("\"longTag\": \"DT\"", "\"longTag\": \"XY\"");
        text.replace("\"items\": {", "\"items\": {\n\"instrumentCommand1\": {\"commandCode\": \"\", \"enable\": {\"index\": 0}, "
                     "\"returnByte1\": \"00\", \"returnByte2\": \"00\"},");
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        const auto changed = Program({"diff", Path("p.json"), "--port", port});
        QCOMPARE(changed.exit, 1);
        QVERIFY2(changed.out.contains("longTag: different"), qPrintable(changed.out));
        QVERIFY2(changed.out.contains("instrumentCommand1: could not be read from the device (the device answered: command not implemented"),
                 qPrintable(changed.out));
    }

    // Identity items of another device need --force; a device's own backup does not.
    void identityOfAnotherDevice_data()
    {
        QTest::addColumn<bool>("ownBackup");
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("exit");
        QTest::newRow("another device's") << false << false << 2;
        QTest::newRow("another device's, forced") << false << true << 0;
        QTest::newRow("its own backup") << true << false << 0;
    }
    void identityOfAnotherDevice()
    {
        QFETCH(bool, ownBackup);
        QFETCH(bool, force);
        QFETCH(int, exit);
        auto a = StartSimulator(testing::OtherConverter());
        auto b = StartSimulator(sim::ConverterState{});
        const QString port = QString::fromStdString(b->SlavePath());
        const QString source = ownBackup ? port : QString::fromStdString(a->SlavePath());
        QCOMPARE(Program({"read", "--port", source, "-o", Path("i.json")}).exit, 0);
        if (ownBackup) // something to write back
            b->WithDevice([](sim::Device& d) { d.State().finalAssembly = 7; });
        QStringList args{"write", Path("i.json"), "--with-identity", "--port", port};
        if (force)
            args << "--force";
        const auto r = Program(args);
        QVERIFY2(r.exit == exit, qPrintable(r.out + r.err));
        if (exit == 2) {
            QVERIFY2(r.err.contains("unique identifier, so two devices would share one") && r.err.contains("--force"),
                     qPrintable(r.err));
            QCOMPARE(StateOf(*b), sim::ConverterState{});
        } else {
            QCOMPARE(StateOf(*b).deviceId, StateOf(*(ownBackup ? b : a)).deviceId);
        }
    }

    void forceWritesToAnotherDeviceType()
    {
        auto a = StartSimulator(testing::OtherConverter());
        auto initial = sim::ConverterState{};
        initial.deviceType = 6;
        auto b = StartSimulator(initial);
        QCOMPARE(Program({"read", "--port", QString::fromStdString(a->SlavePath()), "-o", Path("f.json")}).exit, 0);
        const auto r = Program({"write", Path("f.json"), "--force", "--port", QString::fromStdString(b->SlavePath())});
        QVERIFY2(r.exit == 0, qPrintable(r.out + r.err));
        QCOMPARE(StateOf(*b).deviceType, std::uint8_t{6});
        QCOMPARE(StateOf(*b).message, testing::OtherConverter().message);
    }
};

QTEST_GUILESS_MAIN(TestCliE2e)
#include "test_cli_e2e.moc"
