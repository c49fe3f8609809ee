// The "Configuration File" page end to end: the real window, serial threads
// and simulated converter; read, save, open and write through the page.
#include "app/config_page.h"
#include "config/file.h"
#include "config/history.h"
#include "config/items.h"
#include "line/line.h"
#include "support/converter_setups.h"
#include "support/window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>

class TestConfigPageE2e : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // A file of the other converter's configuration, read and saved through the
    // page; the port is closed again afterwards.
    QString SavedFromDevice(testing::WindowDriver& d, const QString& name)
    {
        auto* page = d.form.findChild<app::ConfigPage*>("TabSheetConfig");
        if (!d.open())
            return {};
        d.withDevice([&](sim::Device& dev) { dev.State() = testing::OtherConverter(); });
        if (!QTest::qWaitFor([&] { return d.w<QPushButton>("ConfigRead")->isEnabled(); }, 2000))
            return {};
        QTest::mouseClick(d.w<QPushButton>("ConfigRead"), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !page->BatchRunning(); }, 20000))
            return {};
        d.chosenFile = dir_.filePath(name);
        QTest::mouseClick(d.w<QPushButton>("ConfigSave"), Qt::LeftButton);
        d.close();
        return QFile::exists(d.chosenFile) ? d.chosenFile : QString();
    }

    std::vector<config::HistoryRecord> History()
    {
        const auto log = config::ReadHistory(config::DefaultHistoryPath());
        return log ? log->records : std::vector<config::HistoryRecord>{};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toLocal8Bit()); // where backups go
    }

    void readSaveOpenWrite()
    {
        testing::WindowDriver d;
        QVERIFY(d.open());
        const auto source = testing::OtherConverter();
        d.withDevice([&](sim::Device& dev) { dev.State() = source; });
        auto* page = d.form.findChild<app::ConfigPage*>("TabSheetConfig");
        QVERIFY(page);
        auto* tabs = d.w<QTabWidget>("PageControl2");
        QCOMPARE(tabs->indexOf(page), 5);
        QCOMPARE(tabs->tabText(5), QString("Config File"));
        auto click = [&](const char* button) { QTest::mouseClick(d.w<QPushButton>(button), Qt::LeftButton); };
        auto finish = [&] { return QTest::qWaitFor([&] { return !page->BatchRunning(); }, 20000); };

        // Read: the five pages and Open/Close wait while the batch holds the line.
        QVERIFY(QTest::qWaitFor([&] { return d.w<QPushButton>("ConfigRead")->isEnabled(); }, 2000));
        click("ConfigRead");
        QVERIFY(page->BatchRunning());
        QVERIFY(!d.w("TabSheet6")->isEnabled());
        QVERIFY(!d.w("Button1")->isEnabled());
        QVERIFY(d.w<QPushButton>("ConfigCancel")->isEnabled());
        QCOMPARE(d.form.Comm1().ReadIntervalTimeout(), line::kBatchReadInterval);
        QVERIFY(finish());
        QVERIFY(d.w("TabSheet6")->isEnabled());
        QVERIFY(d.w("Button1")->isEnabled());
        QCOMPARE(d.form.Comm1().ReadIntervalTimeout(), line::kWindowReadInterval);
        // The other pages show what was read, as their Query buttons would.
        QCOMPARE(d.text("Edit21").trimmed(), QString::fromStdString(source.message));
        QCOMPARE(d.text("Edit22").trimmed(), QString::fromStdString(source.tag));
        QCOMPARE(d.text("Edit1"), QString("38"));
        QCOMPARE(d.text("Edit13"), QString("25"));

        // Save, then let the device drift from the file.
        d.chosenFile = dir_.filePath("page.json");
        click("ConfigSave");
        QVERIFY(QFile::exists(d.chosenFile));
        d.withDevice([&](sim::Device& dev) {
            auto& s = dev.State();
            s.message = "SOMETHING ELSE";
            s.interval = 3;
            s.analog[2].upper = 7.0f;
        });

        // Open, compare: the rows that differ are marked.
        click("ConfigOpen");
        click("ConfigCompare");
        QVERIFY(finish());
        auto* table = d.w<QTableWidget>("ConfigTable");
        int marked = 0;
        for (int r = 0; r < table->rowCount(); ++r)
            marked += table->item(r, 0)->background().style() != Qt::NoBrush ? 1 : 0;
        QCOMPARE(marked, 3);

        // Write: asked first with the device and those three, then only they go
        // out, each verified; the backup is named.
        click("ConfigWrite");
        QVERIFY(finish());
        QCOMPARE(d.questions.size(), 1);
        QStringList asked = d.questions[0].split('\n');
        QVERIFY2(asked.takeFirst().startsWith("Device: tag \"" + QString::fromStdString(source.tag).trimmed() + "\""),
                 qPrintable(d.questions[0]));
        for (QString& line : asked)
            line = line.section(':', 0, 0);
        QCOMPARE(asked, (QStringList{"rs485", "analogInput3", "message"}));
        QVERIFY2(page->StatusText().startsWith("Wrote 3 items, each read back equal."), qPrintable(page->StatusText()));
        QVERIFY(QFile::exists(page->BackupPath()));
        QVERIFY(d.w<QLabel>("ConfigBackup")->text().contains(page->BackupPath()));
        sim::Device copy(source);
        sim::ConverterState now;
        d.withDevice([&](sim::Device& dev) { now = dev.State(); });
        sim::Device written(now);
        QCOMPARE(testing::ConfigurationAnswers(written), testing::ConfigurationAnswers(copy));

        // The pages' own buttons work as before once the batch is over.
        QCOMPARE(d.press("Button28"), QString("upload successful!"));
        QCOMPARE(d.text("Edit21").trimmed(), QString::fromStdString(source.message));
    }

    // After a write the pages show what the device holds: the values written
    // and read back, and the ones it already had; the address selector
    // follows an identity write that moved the device.
    void writeShowsWhatTheDeviceHolds()
    {
        testing::WindowDriver d;
        QVERIFY(d.open());
        const auto source = testing::OtherConverter();
        d.withDevice([&](sim::Device& dev) { dev.State() = source; });
        auto* page = d.form.findChild<app::ConfigPage*>("TabSheetConfig");
        auto click = [&](const char* button) { QTest::mouseClick(d.w<QPushButton>(button), Qt::LeftButton); };
        auto finish = [&] { return QTest::qWaitFor([&] { return !page->BatchRunning(); }, 20000); };
        QVERIFY(QTest::qWaitFor([&] { return d.w<QPushButton>("ConfigRead")->isEnabled(); }, 2000));
        click("ConfigRead");
        QVERIFY(finish());
        d.chosenFile = dir_.filePath("written.json");
        click("ConfigSave");
        QVERIFY(QFile::exists(d.chosenFile));

        // The device drifts and moves to address 4; the pages show other values still.
        const int moved = source.pollAddress == 4 ? 5 : 4;
        d.withDevice([&](sim::Device& dev) {
            dev.State().message = "SOMETHING ELSE";
            dev.State().interval = static_cast<std::uint8_t>(source.interval + 1);
            dev.State().pollAddress = static_cast<std::uint8_t>(moved);
        });
        d.put("ComboBox9", QString::number(moved));
        QCOMPARE(d.identify(), "upload successful!");
        d.setText("Edit21", "TYPED OVER");
        d.setText("Edit13", "99");
        d.setText("Edit22", "TYPED");

        click("ConfigOpen");
        d.w<QCheckBox>("ConfigIdentity")->setChecked(true);
        click("ConfigWrite");
        QVERIFY(finish());
        QVERIFY2(page->StatusText().startsWith("Wrote 3 items, each read back equal."), qPrintable(page->StatusText()));
        QCOMPARE(d.text("Edit21").trimmed(), QString::fromStdString(source.message));
        QCOMPARE(d.text("Edit13"), QString::number(source.interval));
        QCOMPARE(d.text("Edit22").trimmed(), QString::fromStdString(source.tag)); // not written, as it was
        QCOMPARE(d.text("ComboBox9"), QString::number(source.pollAddress));
        QCOMPARE(d.identify(), "upload successful!");
    }

    // A file edited on the pages with no device connected, saved, then written:
    // the device holds the edited values, and the untouched ones exactly as filed.
    void offlineEditSaveWrite()
    {
        testing::WindowDriver d;
        auto* page = d.form.findChild<app::ConfigPage*>("TabSheetConfig");
        const QString original = SavedFromDevice(d, "offline-source.json");
        QVERIFY(!original.isEmpty());
        d.withDevice([&](sim::Device& dev) { dev.State() = sim::ConverterState{}; }); // another device now

        // Opened offline: the pages show the file, its Set buttons keep their rules.
        d.chosenFile = original;
        QTest::mouseClick(d.w<QPushButton>("ConfigOpen"), Qt::LeftButton);
        QVERIFY(page->Offline());
        QCOMPARE(d.text("ConfigFileName"), "offline: editing " + QDir::toNativeSeparators(original));
        const auto source = testing::OtherConverter();
        QCOMPARE(d.text("Edit22").trimmed(), QString::fromStdString(source.tag));
        QCOMPARE(d.text("Edit13"), QString::number(source.interval));
        QVERIFY(!d.text("Edit11").isEmpty());
        QVERIFY(!d.w<QPushButton>("Button29")->isEnabled());

        d.setText("Edit13", "42");
        d.setText("Edit21", "EDITED OFFLINE");
        d.chosenFile = dir_.filePath("offline-edited.json");
        QTest::mouseClick(d.w<QPushButton>("ConfigSave"), Qt::LeftButton);
        QVERIFY2(d.errors.isEmpty(), qPrintable(d.errors.join('\n')));
        const auto before = config::LoadFile(original);
        const auto after = config::LoadFile(d.chosenFile);
        QVERIFY2(after.ok(), after.ok() ? "" : after.error().c_str());
        for (const auto& item : config::Items()) {
            QCOMPARE(item.has(after->configuration), item.has(before->configuration));
            const bool edited = item.name == "rs485" || item.name == "message";
            if (item.has(before->configuration))
                QVERIFY2(item.equal(before->configuration, after->configuration) != edited, item.name.data());
        }

        // A device connected: offline ends; the saved file written is on the device.
        QVERIFY(d.open());
        QVERIFY(QTest::qWaitFor([&] { return !page->Offline(); }, 2000));
        d.withDevice([&](sim::Device& dev) { dev.State() = source; });
        QTest::mouseClick(d.w<QPushButton>("ConfigOpen"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return d.w<QPushButton>("ConfigWrite")->isEnabled(); }, 2000));
        QTest::mouseClick(d.w<QPushButton>("ConfigWrite"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !page->BatchRunning(); }, 20000));
        QVERIFY2(page->StatusText().startsWith("Wrote 2 items, each read back equal."), qPrintable(page->StatusText()));
        const auto now = testing::StateOf(d);
        QCOMPARE(int(now.interval), 42);
        QCOMPARE(QString::fromStdString(now.message).trimmed(), QString("EDITED OFFLINE"));
        QCOMPARE(now.upperRange, source.upperRange);
    }

    // A value a Set refuses is refused on save with the Set's own words, and no file is written.
    void offlineSaveRefusesWhatASetRefuses_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("set");
        QTest::newRow("interval") << "Edit13" << "abc" << "Button17";
        QTest::newRow("analog upper") << "AD2H" << "1.2.3" << "Button40";
        QTest::newRow("command code") << "Camd3" << "zz" << "Button26";
    }
    void offlineSaveRefusesWhatASetRefuses()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, set);
        testing::WindowDriver d;
        const QString original = SavedFromDevice(d, "refusal-source.json");
        QVERIFY(!original.isEmpty());
        d.chosenFile = original;
        QTest::mouseClick(d.w<QPushButton>("ConfigOpen"), Qt::LeftButton);
        d.setText(field.toLatin1(), value);
        // What the page's Set says of it (nothing goes out: the input is refused first).
        QTest::mouseClick(d.w<QPushButton>(set.toLatin1()), Qt::LeftButton);
        const QStringList bySet = d.errors + d.messages;
        QCOMPARE(bySet.size(), 1);
        d.errors.clear();
        d.messages.clear();
        d.chosenFile = dir_.filePath("refused.json");
        QTest::mouseClick(d.w<QPushButton>("ConfigSave"), Qt::LeftButton);
        QCOMPARE(d.errors + d.messages, bySet);
        QVERIFY(!QFile::exists(d.chosenFile));
    }

    // A page's Set goes into the history: exactly one record, with the value the
    // page read before, the value sent, and the outcome as far as it is known.
    void setIsRecorded_data()
    {
        QTest::addColumn<int>("fault"); // -1: none; else a sim::FaultKind
        QTest::addColumn<int>("faultValue");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("detail");
        QTest::newRow("taken") << -1 << 0 << int(config::HistoryOutcome::PossiblyTaken) << "not read back";
        QTest::newRow("refused") << int(sim::FaultKind::ResponseCode) << 7 << int(config::HistoryOutcome::Refused)
                                 << "response code 7";
        QTest::newRow("no answer") << int(sim::FaultKind::NoAnswer) << 0 << int(config::HistoryOutcome::NoAnswer) << "";
        QTest::newRow("history not kept") << -1 << 0 << -1 << "";
    }
    void setIsRecorded()
    {
        QFETCH(int, fault);
        QFETCH(int, faultValue);
        QFETCH(int, outcome);
        QFETCH(QString, detail);
        // A folder where the history file should be: the window says it keeps none.
        const QByteArray data = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", data); });
        if (outcome < 0) {
            qputenv("XDG_DATA_HOME", dir_.filePath("broken").toLocal8Bit());
            QVERIFY(QDir().mkpath(config::DefaultHistoryPath()));
        }
        testing::WindowDriver d;
        QVERIFY(d.open());
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.press("Button28"), "upload successful!");
        const QString was = d.text("Edit21").trimmed();
        d.setText("Edit21", "SET FROM THE PAGE");
        if (fault >= 0)
            d.withDevice([&](sim::Device& dev) { dev.SetFault(17, {sim::FaultKind(fault), faultValue}); });
        const auto earlier = History().size();
        const QString status = d.press("Button29");
        QVERIFY2(status.startsWith(fault < 0 ? "Write successful!" : fault == int(sim::FaultKind::NoAnswer)
                                                                         ? "Writing data timeout!"
                                                                         : "Write failed!"),
                 qPrintable(status));
        if (outcome < 0) {
            QVERIFY2(d.status().contains("The history is not kept: "), qPrintable(d.status()));
            return;
        }
        const auto records = History();
        QCOMPARE(records.size(), earlier + 1);
        const auto& r = records.back();
        const auto s = testing::StateOf(d);
        QCOMPARE(r.item, QString("message"));
        QCOMPARE(r.uniqueIdentifier, std::uint32_t(s.deviceId[0] << 16 | s.deviceId[1] << 8 | s.deviceId[2]));
        QVERIFY2(r.before && r.before->contains(was), qPrintable(r.before.value_or("(none)")));
        QVERIFY2(r.after.contains("SET FROM THE PAGE"), qPrintable(r.after));
        QCOMPARE(int(r.outcome), outcome);
        QVERIFY2(r.detail.contains(detail), qPrintable(r.detail));
        QVERIFY(!d.status().contains("The history is not kept"));
    }

    void batchButtonsWaitForAPagesRequest()
    {
        testing::WindowDriver d;
        QVERIFY(d.open());
        d.withDevice([](sim::Device& dev) { dev.SetFault(std::nullopt, {sim::FaultKind::NoAnswer, 0}); });
        QVERIFY(QTest::qWaitFor([&] { return d.w<QPushButton>("ConfigRead")->isEnabled(); }, 2000));
        QTest::mouseClick(d.w<QPushButton>("Button3"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !d.w<QPushButton>("ConfigRead")->isEnabled(); }, 2000));
        // After the time-out the line is free again.
        QVERIFY(QTest::qWaitFor([&] { return d.w<QPushButton>("ConfigRead")->isEnabled(); }, 6000));
        QCOMPARE(d.status(), QString("Upload data timeout!"));
    }
};

QTEST_MAIN(TestConfigPageE2e)
#include "test_config_page_e2e.moc"
