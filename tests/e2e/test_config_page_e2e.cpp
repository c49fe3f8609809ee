// The "Configuration File" page end to end: the real window, serial threads
// and simulated converter; read, save, open and write through the page.
#include "app/config_page.h"
#include "line/line.h"
#include "support/converter_setups.h"
#include "support/window_driver.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QTemporaryDir>

class TestConfigPageE2e : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

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
