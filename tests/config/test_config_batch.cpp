// Reading and cloning whole configurations against simulated converters.
#include "config/batch.h"
#include "config/compare.h"
#include "config/file.h"
#include "support/sim_transport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include "support/file_size_limit.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(sim::FaultKind)

namespace {

using config::BatchReport;
using config::BatchStatus;
using config::Configuration;
using config::ItemOutcome;

// Differs from the simulator's defaults in every item, identity included
// (same manufacturer and device type, so a file from it fits the default).
sim::ConverterState SourceState()
{
    sim::ConverterState s;
    s.pollAddress = 2;
    s.deviceId = {0x09, 0x08, 0x07};
    s.message = "CLONE SOURCE A";
    s.tag = "TAG-A";
    s.descriptor = "SOURCE DESCRIPTR";
    s.date = {1, 2, 124};
    s.finalAssembly = 123456;
    s.longTag = {'l', 'o', 'n', 'g', ' ', 't', 'a', 'g'};
    s.rangeUnit = 12;
    s.upperRange = 0.1f;
    s.lowerRange = -1e-7f;
    s.instruments = {{{0, 0x02, 0x04, {0x02, 0x04, 0x00, 0x01}},
                      {1, 0x03, 0x03, {0x03, 0x03, 0x00, 0x10, 0x00, 0x04}},
                      {1, 0x04, 0x04, {0x04, 0x04, 0x01, 0x00}},
                      {1, 0x05, 0x03, {0x05, 0x03, 0x00, 0x00, 0x00, 0x01, 0xAA}}}};
    s.parsing = {{{2, 5, 2, 3, 0.001f}, {3, 7, 4, 6, 16777216.0f}, {4, 9, 8, 17, -2.5f}, {1, 11, 2, 1, 1e-30f},
                  {0, 1, 6, 9, 3.0f}}};
    s.baudIndex = 5;
    s.parityIndex = 2;
    s.interval = 25;
    s.analog = {{{21.5f, 3.9f, 0.1f, 1}, {1e13f, -1e13f, 7.0f, 65535}, {0.3f, 0.2f, 0.1f, 2}, {5.0f, 1.0f, 0.0f, 3}}};
    s.mapping = {{{5, 12}, {6, 200}, {7, 39}, {8, 57}}}; // 200: a unit code without a list item
    s.deviceType = 5;
    s.manufacturerId = 0x26;
    return s;
}

struct Bench {
    sim::Device device;
    testing::SimTransport transport{device};
    config::BatchRunner runner{transport};
    explicit Bench(sim::ConverterState state = {}) : device(std::move(state)) {}

    BatchReport Read(std::uint8_t address = 0)
    {
        QSignalSpy finished(&runner, &config::BatchRunner::Finished);
        runner.Read(address);
        return Take(finished);
    }
    BatchReport Write(const Configuration& file, config::WriteOptions options)
    {
        QSignalSpy finished(&runner, &config::BatchRunner::Finished);
        runner.Write(file, options);
        return Take(finished);
    }
    static BatchReport Take(QSignalSpy& finished)
    {
        if (finished.isEmpty() && !finished.wait(20000))
            qFatal("the batch never finished");
        return finished.takeFirst().at(0).value<BatchReport>();
    }
};

QString Msg(const BatchReport& r) { return QString::fromStdString(r.message); }

// The data bytes of every query answer a read collected, by item name.
std::map<std::string, QByteArray> AnswerData(const BatchReport& r)
{
    std::map<std::string, QByteArray> out;
    for (const auto& a : r.answers) {
        hart::TransactionResult t;
        t.answer = a.answer;
        const auto frame = t.Frame();
        out[std::string(a.item->name)] = frame ? QByteArray(reinterpret_cast<const char*>(frame->data().data()),
                                                            static_cast<qsizetype>(frame->data().size()))
                                               : QByteArray("broken");
    }
    return out;
}

Configuration ReadFile(Bench& source)
{
    const auto read = source.Read(source.device.State().pollAddress);
    if (read.status != BatchStatus::Done)
        qFatal("reading the source failed: %s", read.message.c_str());
    // Through the file's text, as a user would carry it.
    const auto loaded = config::FromJson(config::ToJson(read.device, {QDateTime::currentDateTimeUtc(), "test"}));
    if (!loaded)
        qFatal("the file did not load: %s", loaded.error().c_str());
    return loaded->configuration;
}

using testing::FileSizeLimit;

class TestConfigBatch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<BatchReport>(); }

    // ---- Round trip: read A, write to B, B then answers every query as A does.
    void cloneRoundTrip_data()
    {
        QTest::addColumn<bool>("beyondLists");
        QTest::newRow("list picks in the lists") << false;
        // Newer firmware: every list byte beyond what this program's lists name.
        QTest::newRow("list bytes beyond the lists") << true;
    }
    void cloneRoundTrip()
    {
        QFETCH(bool, beyondLists);
        sim::ConverterState source = SourceState();
        if (beyondLists) {
            source.extraListItems = 40;
            source.instruments[0].enable = 2;
            source.instruments[1].enable = 9;
            source.parsing[0].command = 7;
            source.parsing[1].format = 40;
            source.parsing[2].format = 27;
            source.baudIndex = 9;
            source.parityIndex = 7;
            source.mapping[0].channel = 12;
            source.mapping[3].channel = 9;
        }
        Bench a(source);
        sim::ConverterState target;
        target.extraListItems = source.extraListItems;
        Bench b(target);
        const auto identityBefore = b.device.LongAddress();
        const auto pollBefore = b.device.State().pollAddress;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;

        const auto first = b.Write(file, {.backupDirectory = backups.path()});
        QVERIFY2(first.status == BatchStatus::Done, qPrintable(Msg(first)));
        QVERIFY(first.changed);
        QCOMPARE(first.count(ItemOutcome::Verified), 16);
        QCOMPARE(first.count(ItemOutcome::Failed), 0);

        // Every configuration query answers the same data; the identity stayed.
        const auto readA = AnswerData(a.Read(2));
        const auto readB = AnswerData(b.Read(0));
        for (const auto& item : config::Items()) {
            if (item.identity)
                continue;
            const std::string name(item.name);
            QVERIFY2(readA.count(name) && readB.count(name), name.c_str());
            QVERIFY2(readA.at(name) == readB.at(name), name.c_str());
        }
        QCOMPARE(b.device.LongAddress(), identityBefore);
        QCOMPARE(b.device.State().pollAddress, pollBefore);

        // The backup holds B as it was, and says where it is.
        QVERIFY(first.backupPath.startsWith(backups.path()));
        const auto backup = config::LoadFile(first.backupPath);
        QVERIFY2(backup.ok(), backup.error().c_str());
        QCOMPARE(backup->configuration.message.value_or(""), sim::ConverterState{}.message);

        // A second write changes nothing and sends no setting; the comparison is equal.
        b.transport.ClearLog();
        const auto second = b.Write(file, {.backupDirectory = backups.path()});
        QVERIFY2(second.status == BatchStatus::Done, qPrintable(Msg(second)));
        QVERIFY(!second.changed);
        QCOMPARE(b.transport.SettingsSent(), 0);
        QVERIFY(second.backupPath.isEmpty()); // nothing to undo, no backup
        QCOMPARE(QDir(backups.path()).entryList(QDir::Files).size(), 1);
        QCOMPARE(second.count(ItemOutcome::Verified), 0);
        QVERIFY(config::AllEqual(config::Compare(b.Read(0).device, file), false));
        QVERIFY(!config::AllEqual(config::Compare(b.Read(0).device, file), true)); // identity still differs
    }

    // Converter settings first, then the range, then the texts.
    void writeOrder()
    {
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        b.transport.ClearLog();
        QCOMPARE(b.Write(file, {.backupDirectory = backups.path()}).status, BatchStatus::Done);
        std::vector<std::uint8_t> settings;
        for (const auto c : b.transport.Sent())
            if (testing::SimTransport::IsSetting(c))
                settings.push_back(c);
        const auto at = [&](std::uint8_t c) { return std::find(settings.begin(), settings.end(), c) - settings.begin(); };
        for (const std::uint8_t converterWrite : {160, 162, 156, 158, 164, 172, 166, 168, 176, 178, 170})
            QVERIFY2(at(converterWrite) < at(35), qPrintable(QString::number(converterWrite)));
        for (const std::uint8_t textWrite : {17, 18, 19, 22})
            QVERIFY2(at(35) < at(textWrite), qPrintable(QString::number(textWrite)));
    }

    // Identity items only when asked; the device is found again at its new address.
    void withIdentity()
    {
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        const auto r = b.Write(file, {.withIdentity = true, .otherIdentifier = true, .backupDirectory = backups.path()});
        QVERIFY2(r.status == BatchStatus::Done, qPrintable(Msg(r)));
        QCOMPARE(r.count(ItemOutcome::Verified), 18); // serial number and polling address too; internal already equal
        QCOMPARE(b.device.State().pollAddress, std::uint8_t{2});
        QCOMPARE(b.device.State().deviceId, a.device.State().deviceId);
        QVERIFY(config::AllEqual(config::Compare(b.Read(2).device, file), true));
    }

    // The serial number is the converter's unique identifier: giving it to
    // another device needs a word from the user; restoring a device's own does not.
    void identityOfAnotherDevice_data()
    {
        QTest::addColumn<bool>("ownBackup");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("status");
        QTest::newRow("another device's, not allowed") << false << false << int(BatchStatus::Refused);
        QTest::newRow("another device's, allowed") << false << true << int(BatchStatus::Done);
        QTest::newRow("its own backup") << true << false << int(BatchStatus::Done);
    }
    void identityOfAnotherDevice()
    {
        QFETCH(bool, ownBackup);
        QFETCH(bool, allowed);
        QFETCH(int, status);
        Bench a(SourceState());
        Bench b;
        Configuration file = ReadFile(ownBackup ? b : a);
        file.message = "SOMETHING TO WRITE";
        QTemporaryDir backups;
        b.transport.ClearLog();
        const auto r = b.Write(file, {.withIdentity = true, .otherIdentifier = allowed, .backupDirectory = backups.path()});
        QCOMPARE(int(r.status), status);
        QCOMPARE(r.otherIdentifier, status == int(BatchStatus::Refused));
        if (r.status == BatchStatus::Refused) {
            QVERIFY2(Msg(r).startsWith("Nothing was written: the file's sensor serial number 591879 is not this "
                                       "device's (66051); the converter uses it as its unique identifier"),
                     qPrintable(Msg(r)));
            QCOMPARE(b.transport.Sent(), std::vector<std::uint8_t>{0}); // the identify only
            QVERIFY(QDir(backups.path()).isEmpty());
        } else {
            QVERIFY2(r.status == BatchStatus::Done, qPrintable(Msg(r)));
            QCOMPARE(QString::fromStdString(b.device.State().message).trimmed(), QString("SOMETHING TO WRITE"));
        }
    }

    // No setting goes out without a backup that is on disk and reads back.
    void backupMustReadBack_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("message");
        QTest::newRow("disk full") << true << "Nothing was written: the backup could not be saved: ";
        QTest::newRow("does not load") << false << "Nothing was written: the backup does not read back: ";
    }
    void backupMustReadBack()
    {
        QFETCH(bool, diskFull);
        QFETCH(QString, message);
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        if (!diskFull) // a value a file may not hold
            b.device.State().upperRange = std::numeric_limits<float>::quiet_NaN();
        QTemporaryDir backups;
        b.transport.ClearLog();
        BatchReport r;
        {
            std::optional<FileSizeLimit> limit;
            if (diskFull)
                limit.emplace(512); // a backup is some kilobytes
            r = b.Write(file, {.backupDirectory = backups.path()});
        }
        QCOMPARE(r.status, BatchStatus::Refused);
        QVERIFY2(Msg(r).startsWith(message), qPrintable(Msg(r)));
        QCOMPARE(b.transport.SettingsSent(), 0);
        QVERIFY(!r.changed);
        QVERIFY(r.backupPath.isEmpty());
        QVERIFY(QDir(backups.path()).isEmpty());
        QCOMPARE(r.count(ItemOutcome::NotAttempted), 0);
    }

    // A write reads the whole target for the backup; an item it cannot read
    // is in the way only when the file would write it.
    void targetItemUnreadable_data()
    {
        QTest::addColumn<bool>("inFile");
        QTest::addColumn<int>("status");
        QTest::newRow("item in the file") << true << int(BatchStatus::Refused);
        QTest::newRow("item not in the file") << false << int(BatchStatus::Done);
    }
    void targetItemUnreadable()
    {
        QFETCH(bool, inFile);
        QFETCH(int, status);
        Bench a(SourceState());
        Bench b;
        Configuration file = ReadFile(a);
        if (!inFile)
            file.instruments[0].reset();
        b.device.SetFault(161, {sim::FaultKind::ResponseCode, 64});
        QTemporaryDir backups;
        const auto r = b.Write(file, {.backupDirectory = backups.path()});
        QVERIFY2(int(r.status) == status, qPrintable(Msg(r)));
        if (inFile) {
            QCOMPARE(Msg(r), QString("Nothing was written: the device's instrumentCommand1 could not be read first "
                                     "(the device answered: command not implemented (response code 64))."));
            QCOMPARE(b.transport.SettingsSent(), 0);
            return;
        }
        QCOMPARE(r.count(ItemOutcome::Verified), 15);
        QCOMPARE(r.count(ItemOutcome::ReadFailed), 1);
        const auto backup = config::LoadFile(r.backupPath);
        QVERIFY2(backup.ok(), backup.error().c_str());
        QVERIFY(!backup->configuration.instruments[0]);
        QVERIFY(backup->configuration.instruments[1]);
    }

    // A dry run reports and sends no setting.
    void dryRun()
    {
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        b.transport.ClearLog();
        const auto r = b.Write(file, {.dryRun = true, .backupDirectory = {}});
        QVERIFY2(r.status == BatchStatus::Done, qPrintable(Msg(r)));
        QCOMPARE(r.count(ItemOutcome::WouldWrite), 16);
        QCOMPARE(b.transport.SettingsSent(), 0);
        QVERIFY(r.backupPath.isEmpty());
        QVERIFY(!r.changed);
    }

    // The preview lists exactly the items that differ, in write order, with
    // the device's value and the file's; identity items only when asked for.
    void previewListsDiffering_data()
    {
        QTest::addColumn<bool>("changeMessage");
        QTest::addColumn<bool>("changeLine");
        QTest::addColumn<bool>("changeAddress");
        QTest::addColumn<bool>("withIdentity");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("nothing differs") << false << false << false << false << QStringList{};
        QTest::newRow("identity differs, not asked for") << false << false << true << false << QStringList{};
        QTest::newRow("some differ") << true << true << false << false << QStringList{"rs485", "message"};
        QTest::newRow("some differ, identity not asked for")
            << true << true << true << false << QStringList{"rs485", "message"};
        QTest::newRow("some differ, identity asked for")
            << true << true << true << true << QStringList{"rs485", "message", "pollingAddress"};
        QTest::newRow("identity only, asked for") << false << false << true << true << QStringList{"pollingAddress"};
    }
    void previewListsDiffering()
    {
        QFETCH(bool, changeMessage);
        QFETCH(bool, changeLine);
        QFETCH(bool, changeAddress);
        QFETCH(bool, withIdentity);
        QFETCH(QStringList, listed);
        sim::ConverterState state;
        state.tag = "PUMP 1";
        Bench b(state);
        const auto before = b.Read(0);
        Configuration file = ReadFile(b);
        if (changeMessage)
            file.message = "A NEW MESSAGE";
        if (changeLine)
            file.line->interval = static_cast<decltype(file.line->interval)>(file.line->interval + 7);
        if (changeAddress)
            file.pollingAddress = 3;

        QTemporaryDir backups;
        std::vector<BatchReport> plans;
        QObject::connect(&b.runner, &config::BatchRunner::Preview, &b.runner, [&](const BatchReport& plan) {
            plans.push_back(plan);
            b.runner.Cancel();
        });
        b.transport.ClearLog();
        const auto r = b.Write(file, {.withIdentity = withIdentity, .preview = true, .backupDirectory = backups.path()});
        QCOMPARE(b.transport.SettingsSent(), 0);
        if (listed.isEmpty()) {
            QVERIFY(plans.empty()); // nothing to confirm
            QCOMPARE(r.status, BatchStatus::Done);
            return;
        }
        QCOMPARE(plans.size(), std::size_t{1});
        const auto lines = config::PreviewLines(plans[0]);
        // The device first: its tag (padding dropped), polling address and unique identifier.
        QCOMPARE(QString::fromStdString(lines.at(0)),
                 QString("Device: tag \"PUMP 1\", polling address 0, unique identifier 66051"));
        QStringList names;
        for (std::size_t k = 1; k < lines.size(); ++k) {
            const QString line = QString::fromStdString(lines[k]);
            const QString name = line.section(':', 0, 0);
            names << name;
            const config::Item* item = config::FindItem(name.toStdString());
            QVERIFY(item);
            QCOMPARE(line, name + ": " + QString::fromStdString(item->text(before.device)) + " -> "
                               + QString::fromStdString(item->text(file)));
        }
        QCOMPARE(names, listed);
    }

    // Declining the preview sends no setting and saves no backup; a stop
    // while it waits is a decline; confirming writes what it listed.
    void previewAnswer_data()
    {
        QTest::addColumn<int>("answer"); // 0 proceed, 1 cancel, 2 stop after item, 3 proceed to another device
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("verified");
        QTest::newRow("confirmed") << 0 << int(BatchStatus::Done) << 2;
        QTest::newRow("declined") << 1 << int(BatchStatus::Cancelled) << 0;
        QTest::newRow("stopped while asking") << 2 << int(BatchStatus::Cancelled) << 0;
        // While the question stood open, another device came to the address.
        QTest::newRow("confirmed to another device") << 3 << int(BatchStatus::Refused) << 0;
    }
    void previewAnswer()
    {
        QFETCH(int, answer);
        QFETCH(int, status);
        QFETCH(int, verified);
        Bench b;
        Configuration file = ReadFile(b);
        file.message = "A NEW MESSAGE";
        file.line->interval = static_cast<decltype(file.line->interval)>(file.line->interval + 7);
        QTemporaryDir backups;
        int asked = 0;
        // Answered later, from the event loop, as a dialog would.
        QObject::connect(&b.runner, &config::BatchRunner::Preview, &b.runner, [&](const BatchReport&) {
            ++asked;
            QTimer::singleShot(0, &b.runner, [&] {
                if (answer == 3)
                    b.device.State().deviceId = {0x09, 0x09, 0x09};
                answer == 0 || answer == 3 ? b.runner.Proceed() : answer == 1 ? b.runner.Cancel() : b.runner.StopAfterItem();
            });
        });
        b.transport.ClearLog();
        const auto r = b.Write(file, {.preview = true, .backupDirectory = backups.path()});
        QCOMPARE(asked, 1);
        QCOMPARE(int(r.status), status);
        QCOMPARE(r.count(ItemOutcome::Verified), verified);
        QCOMPARE(b.transport.SettingsSent(), verified);
        QCOMPARE(r.changed, verified > 0);
        QCOMPARE(QDir(backups.path()).entryList(QDir::Files).size(), verified > 0 ? 1 : 0);
        if (answer == 1 || answer == 2)
            QCOMPARE(Msg(r), QString("Cancelled; nothing was written."));
        if (answer == 3)
            QVERIFY2(Msg(r).startsWith("Nothing was written: another device now answers at polling address 0"),
                     qPrintable(Msg(r)));
        QVERIFY(!b.runner.Busy());
    }

    // ---- Refusals before anything is sent.
    void refusals_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("requests"); // requests that reached the device; -1: not counted
        // Values the device would not take are refused once it is read, before any setting.
        QTest::newRow("value the window refuses") << 0 << false << int(BatchStatus::Refused)
                                                  << "The file was not written: item \"range\": 'nan'" << -1;
        QTest::newRow("long tag with control characters")
            << 4 << false << int(BatchStatus::Refused)
            << "The file was not written: item \"longTag\": holds a control character (A\\x1B]0;X\\x07)" << -1;
        QTest::newRow("date never set") << 5 << false << int(BatchStatus::Refused)
                                        << "The file was not written: item \"tagDescriptorDate\": date 0.0" << -1;
        // A device holding such values restores its own backup: they are not sent again.
        QTest::newRow("own backup with a date never set and control characters")
            << 6 << false << int(BatchStatus::Done) << "Nothing to write" << -1;
        QTest::newRow("other device type") << 1 << false << int(BatchStatus::Refused)
                                           << "Nothing was written: the device is manufacturer 38, device type 5, "
                                              "the file is for manufacturer 38, device type 6" << 1;
        QTest::newRow("other device type, forced") << 1 << true << int(BatchStatus::Done) << "Wrote" << -1;
        QTest::newRow("no answer at the address") << 2 << false << int(BatchStatus::Refused)
                                                  << "No device answered at polling address 7: no answer" << 3;
        QTest::newRow("file without identity") << 3 << false << int(BatchStatus::Refused)
                                               << "Nothing was written: the file names no device type" << 1;
    }
    void refusals()
    {
        QFETCH(int, kind);
        QFETCH(bool, force);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(int, requests);
        Bench a(SourceState());
        Bench b;
        Configuration file = ReadFile(a);
        config::WriteOptions options;
        options.force = force;
        QTemporaryDir backups;
        options.backupDirectory = backups.path();
        switch (kind) {
        case 0: file.range->upper = std::numeric_limits<float>::quiet_NaN(); break;
        case 1: file.identity->deviceType = 6; break;
        case 2: options.pollingAddress = 7; break;
        case 3: file.identity.reset(); break;
        case 4: file.longTag = "A\x1B]0;X\x07"; break;
        case 5: file.tagDescriptorDate->day = 0, file.tagDescriptorDate->month = 0; break;
        case 6:
            b.device.State().date = {0, 0, 0};
            b.device.State().longTag = {'A', 0x1B, 0x07};
            file = config::FromJson(config::ToJson(b.Read(0).device, {})).value().configuration;
            break;
        }
        b.transport.ClearLog();
        const auto r = b.Write(file, options);
        QCOMPARE(int(r.status), status);
        QVERIFY2(Msg(r).startsWith(message), qPrintable(Msg(r)));
        if (requests >= 0)
            QCOMPARE(int(b.transport.Sent().size()), requests);
        if (status == int(BatchStatus::Refused)) {
            QCOMPARE(b.transport.SettingsSent(), 0);
            QVERIFY(!r.changed);
            QVERIFY(QDir(backups.path()).isEmpty());
        }
    }

    // ---- A failure mid-write stops, says what happened, and a rerun finishes.
    // Whether a failed first write can have changed the device decides
    // between "stopped after changing something" and "nothing changed".
    void firstWriteFails_data()
    {
        QTest::addColumn<sim::FaultKind>("fault");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("changed");
        QTest::newRow("no answer: may have been taken") << sim::FaultKind::NoAnswer << 0 << true;
        QTest::newRow("broken answer: may have been taken") << sim::FaultKind::BadChecksum << 0 << true;
        QTest::newRow("write protected: refused") << sim::FaultKind::ResponseCode << 7 << false;
        QTest::newRow("busy every time: not taken") << sim::FaultKind::ResponseCode << 32 << false;
    }
    void firstWriteFails()
    {
        QFETCH(sim::FaultKind, fault);
        QFETCH(int, value);
        QFETCH(bool, changed);
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        b.transport.beforeSend = [&](const hart::Transaction& t) {
            if (t.command == 160)
                b.device.SetFault(160, {fault, value});
        };
        const auto r = b.Write(file, {.backupDirectory = backups.path()});
        QCOMPARE(r.status, BatchStatus::Failed);
        QCOMPARE(r.count(ItemOutcome::Verified), 0);
        QCOMPARE(r.changed, changed);
    }

    void failureMidWrite_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<sim::FaultKind>("fault");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("repeats");
        QTest::addColumn<int>("rerunWrites"); // 9 when the device took the failed write after all
        QTest::newRow("no answer to AD1") << 166 << sim::FaultKind::NoAnswer << 0 << "no answer; the device may have taken the value" << 2 << 10;
        QTest::newRow("broken answer to AD1") << 166 << sim::FaultKind::BadChecksum << 0 << "broken answer frame; the device may have taken the value" << 2 << 9;
        QTest::newRow("busy on AD1") << 166 << sim::FaultKind::ResponseCode << 32 << "device busy" << 2 << 10;
        QTest::newRow("write protected AD1") << 166 << sim::FaultKind::ResponseCode << 7
                                             << "the device answered: in write protect mode (response code 7)" << 0 << 10;
        QTest::newRow("AD1 reads back wrong") << 167 << sim::FaultKind::Truncated << 0
                                              << "written, but reading it back failed (broken answer frame)" << 2 << 9;
    }
    void failureMidWrite()
    {
        QFETCH(int, command);
        QFETCH(sim::FaultKind, fault);
        QFETCH(int, value);
        QFETCH(QString, reason);
        QFETCH(int, repeats);
        QFETCH(int, rerunWrites);
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        // Only the write phase sees the fault: the first read of AD1 must work.
        b.transport.beforeSend = [&](const hart::Transaction& t) {
            if (t.command == 166)
                b.device.SetFault(static_cast<std::uint8_t>(command), {fault, value});
        };

        const auto r = b.Write(file, {.backupDirectory = backups.path()});
        QCOMPARE(r.status, BatchStatus::Failed);
        QVERIFY(r.changed);
        QCOMPARE(r.repeats, repeats);
        QCOMPARE(r.count(ItemOutcome::Verified), 6); // instrument commands, parsing format, RS485
        QCOMPARE(r.count(ItemOutcome::Failed), 1);
        QCOMPARE(r.count(ItemOutcome::NotAttempted), 9);
        for (const auto& item : r.items)
            if (item.outcome == ItemOutcome::Failed) {
                QCOMPARE(QString::fromUtf8(item.item->name.data()), QString("analogInput1"));
                QCOMPARE(QString::fromStdString(item.reason), reason);
            }
        QVERIFY2(Msg(r).startsWith("Stopped at analogInput1: " + reason), qPrintable(Msg(r)));
        QStringList lines;
        for (const auto& line : config::ReportLines(r))
            lines << QString::fromStdString(line);
        QVERIFY2(lines.contains("analogInput1: failed (" + reason + ")"), qPrintable(lines.join('\n')));
        QVERIFY2(lines.contains("variableMapping: not attempted"), qPrintable(lines.join('\n')));
        QVERIFY2(lines.contains("The device's configuration before writing was saved to " + r.backupPath + "."),
                 qPrintable(lines.join('\n')));

        b.transport.beforeSend = nullptr;
        b.device.ClearFaults();
        const auto rerun = b.Write(file, {.backupDirectory = backups.path()});
        QVERIFY2(rerun.status == BatchStatus::Done, qPrintable(Msg(rerun)));
        QCOMPARE(rerun.count(ItemOutcome::Verified), rerunWrites);
        QVERIFY(config::AllEqual(config::Compare(b.Read(0).device, file), false));
    }

    // A setting the device answers well but keeps otherwise is a failure, not a success.
    void readBackDifferent()
    {
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        bool written = false;
        b.transport.beforeSend = [&](const hart::Transaction& t) {
            written = written || t.command == 166;
            if (written && t.command == 167)
                b.device.State().analog[0].upper = 99.5f;
        };
        const auto r = b.Write(file, {.backupDirectory = backups.path()});
        QCOMPARE(r.status, BatchStatus::Failed);
        QVERIFY2(Msg(r).startsWith("Stopped at analogInput1: read back upper 99.5, lower 3.9, start 0.1, coefficient 1, "
                                   "meant upper 21.5, lower 3.9, start 0.1, coefficient 1."),
                 qPrintable(Msg(r)));
        QCOMPARE(r.count(ItemOutcome::Verified), 6);
    }

    // ---- Cancel: stops at the request on the line; what is left is not attempted.
    void cancel()
    {
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        int settings = 0;
        b.transport.beforeSend = [&](const hart::Transaction& t) {
            if (testing::SimTransport::IsSetting(t.command) && ++settings == 3)
                b.runner.Cancel();
        };
        b.transport.ClearLog();
        const auto r = b.Write(file, {.backupDirectory = backups.path()});
        QCOMPARE(r.status, BatchStatus::Cancelled);
        QCOMPARE(r.count(ItemOutcome::Verified), 2);
        QCOMPARE(r.count(ItemOutcome::Failed), 1); // its fate is unknown, so it is not called written
        QCOMPARE(r.count(ItemOutcome::NotAttempted), 13);
        QCOMPARE(b.transport.SettingsSent(), 2);
        QVERIFY(!b.runner.Busy());
    }

    // Stopping inside an item: a cancel while its read-back is on the line
    // leaves it written but not verified; a stop after the item lets it finish.
    void stopInsideAnItem_data()
    {
        QTest::addColumn<bool>("hard");
        QTest::addColumn<int>("verified");
        QTest::addColumn<int>("unverified");
        QTest::newRow("cancel during the read-back") << true << 0 << 1;
        QTest::newRow("stop after the item") << false << 1 << 0;
    }
    void stopInsideAnItem()
    {
        QFETCH(bool, hard);
        QFETCH(int, verified);
        QFETCH(int, unverified);
        Bench a(SourceState());
        Bench b;
        const Configuration file = ReadFile(a);
        QTemporaryDir backups;
        bool written = false;
        b.transport.beforeSend = [&](const hart::Transaction& t) {
            written = written || t.command == 160;
            if (hard && written && t.command == 161) // the read-back of the first write
                b.runner.Cancel();
            if (!hard && t.command == 160)
                b.runner.StopAfterItem();
        };
        const auto r = b.Write(file, {.backupDirectory = backups.path()});
        QCOMPARE(r.status, BatchStatus::Cancelled);
        QVERIFY(r.changed);
        QCOMPARE(r.count(ItemOutcome::Verified), verified);
        QCOMPARE(r.count(ItemOutcome::WrittenNotVerified), unverified);
        QCOMPARE(r.count(ItemOutcome::NotAttempted), 15);
        QCOMPARE(r.count(ItemOutcome::Failed), 0);
        QCOMPARE(b.transport.SettingsSent(), 1);
        const auto line = config::ItemLine(r.items.front());
        QVERIFY(line.has_value());
        QVERIFY2(QString::fromStdString(*line).startsWith(
                     hard ? "instrumentCommand1: written, not verified (the device may have taken the value): "
                          : "instrumentCommand1: written and verified: "),
                 line->c_str());
    }

    // The window and the command line keep their backups in one folder.
    void oneBackupFolder()
    {
        QTemporaryDir data;
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        const QString name = QCoreApplication::applicationName();
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QCoreApplication::setApplicationName("modbus-hart");
        const QString window = config::DefaultBackupDirectory();
        QCoreApplication::setApplicationName("modbus-hart-config");
        const QString cli = config::DefaultBackupDirectory();
        QCoreApplication::setApplicationName(name);
        qputenv("XDG_DATA_HOME", before);
        QCOMPARE(window, cli);
        QCOMPARE(window, QDir(data.path()).filePath("modbus-hart/backups"));
    }

    // ---- A read collects each query's whole answer for the window's decoders, with progress.
    void readKeepsAnswers()
    {
        Bench b;
        QSignalSpy progress(&b.runner, &config::BatchRunner::Progress);
        const auto r = b.Read(0);
        QVERIFY2(r.status == BatchStatus::Done, qPrintable(Msg(r)));
        QCOMPARE(r.answers.size(), config::Items().size());
        for (const auto& answer : r.answers) {
            hart::TransactionResult t;
            t.answer = answer.answer;
            const auto frame = t.Frame();
            QVERIFY2(frame.has_value(), answer.item->name.data());
            QCOMPARE(frame->command(), answer.item->query().command);
        }
        QCOMPARE(r.repeats, 0);

        QVERIFY(progress.size() >= r.transactions);
        int last = -1;
        QStringList names;
        for (const auto& p : progress) {
            QVERIFY(p.at(0).toInt() >= last && p.at(0).toInt() <= p.at(1).toInt());
            last = p.at(0).toInt();
            names << p.at(2).toString();
        }
        QCOMPARE(progress.last().at(0).toInt(), progress.last().at(1).toInt());
        QVERIFY(names.contains("identify") && names.contains("variableMapping"));
    }

    // Warnings still carry data; errors and silence make the item unreadable, not the read.
    void readWithFault_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<sim::FaultKind>("fault");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("warning 8 on the message") << 12 << sim::FaultKind::ResponseCode << 8 << int(BatchStatus::Done)
                                                  << "Read 19 items.";
        QTest::newRow("error 5 on the message") << 12 << sim::FaultKind::ResponseCode << 5 << int(BatchStatus::Failed)
                                                << "Read 18 items; 1 could not be read: message (the device answered: "
                                                   "too few data bytes received (response code 5)).";
        QTest::newRow("silent on the range") << 15 << sim::FaultKind::NoAnswer << 0 << int(BatchStatus::Failed)
                                             << "Read 18 items; 1 could not be read: range (no answer).";
        QTest::newRow("split and late answers are whole") << 13 << sim::FaultKind::Split << 50 << int(BatchStatus::Done)
                                                          << "Read 19 items.";
    }
    void readWithFault()
    {
        QFETCH(int, command);
        QFETCH(sim::FaultKind, fault);
        QFETCH(int, value);
        QFETCH(int, status);
        QFETCH(QString, message);
        Bench b;
        b.device.SetFault(static_cast<std::uint8_t>(command), {fault, value});
        const auto r = b.Read(0);
        QCOMPARE(int(r.status), status);
        QCOMPARE(Msg(r), message);
    }

    // The repeats are counted in three places with one wording each; the
    // command line's and the window's readers take these texts byte for byte.
    void repeatsWording_data()
    {
        QTest::addColumn<int>("repeats");
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("text");
        QTest::newRow("none: nothing to say") << 0 << int(config::RepeatsForm::Aside) << "";
        QTest::newRow("report line") << 3 << int(config::RepeatsForm::ReportLine) << "3 requests had to be sent again.";
        QTest::newRow("read line") << 3 << int(config::RepeatsForm::ReadLine) << "3 of 40 requests had to be sent again.";
        QTest::newRow("aside") << 1 << int(config::RepeatsForm::Aside) << " (1 of 40 requests sent again)";
    }
    void repeatsWording()
    {
        QFETCH(int, repeats);
        QFETCH(int, form);
        QFETCH(QString, text);
        BatchReport r;
        r.repeats = repeats;
        r.transactions = 40;
        QCOMPARE(QString::fromStdString(config::RepeatsText(r, static_cast<config::RepeatsForm>(form))), text);
    }
    // One item read is one item, on the command line as in the batch's outcome.
    void readCountSingular() { QCOMPARE(QString::fromStdString(config::ReadCountText(1)), QString("Read 1 item")); }
};

} // namespace

QTEST_GUILESS_MAIN(TestConfigBatch)
#include "test_config_batch.moc"
