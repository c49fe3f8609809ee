#include "app/config_page.h"
#include "config/file.h"
#include "sim/sample_states.h"
#include "support/sim_transport.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(app::PageSituation)
Q_DECLARE_METATYPE(app::PageButtons)

namespace {

// Situation flags: port open, batch running, link waiting, device read, file open.
app::PageSituation S(bool port, bool batch, bool waiting, bool device, bool file)
{
    return {port, batch, waiting, device, file};
}
// Buttons: read, open, save, compare, write, cancel, identity.
app::PageButtons B(bool read, bool open, bool save, bool compare, bool write, bool cancel, bool identity)
{
    return {read, open, save, compare, write, cancel, identity};
}

// The page on a simulated converter, with files and answers given by the test.
struct PageBench {
    sim::Device device;
    testing::SimTransport transport{device};
    QTemporaryDir dir;
    QString openPath;
    int questions = 0;
    bool answer = false;
    QList<QStringList> previews;
    bool writeAnswer = true;
    std::unique_ptr<app::ConfigPage> page;

    explicit PageBench(sim::ConverterState state = {}) : device(std::move(state))
    {
        app::ConfigPageHost host;
        host.transport = &transport;
        host.portOpen = [] { return true; };
        host.chooseFile = [this](bool save) { return save ? dir.filePath("saved.json") : openPath; };
        host.confirm = [this](const QString&) {
            ++questions;
            return answer;
        };
        host.confirmWrite = [this](const QStringList& preview) {
            previews << preview;
            return writeAnswer;
        };
        host.showError = [](const QString& text) { QFAIL(qPrintable(text)); };
        host.backupDirectory = dir.filePath("backups");
        page = std::make_unique<app::ConfigPage>(std::move(host));
    }
    void Press(const char* name)
    {
        auto* b = page->findChild<QPushButton*>(name);
        QVERIFY(b && b->isEnabled());
        b->click();
        QTRY_VERIFY_WITH_TIMEOUT(!page->BatchRunning(), 20000);
    }
    QString DeviceCell(std::string_view item) const
    {
        const auto* table = page->findChild<QTableWidget*>("ConfigTable");
        const auto items = config::Items();
        for (std::size_t r = 0; r < items.size(); ++r)
            if (items[r].name == item)
                return table->item(static_cast<int>(r), 1)->text();
        return {};
    }
};

} // namespace

class TestConfigPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<config::BatchReport>(); }

    void buttons_data()
    {
        QTest::addColumn<app::PageSituation>("situation");
        QTest::addColumn<app::PageButtons>("buttons");
        QTest::newRow("port closed, nothing loaded") << S(0, 0, 0, 0, 0) << B(0, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port closed, file open") << S(0, 0, 0, 0, 1) << B(0, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port closed, device read") << S(0, 0, 0, 1, 0) << B(0, 1, 1, 0, 0, 0, 1);
        QTest::newRow("port open") << S(1, 0, 0, 0, 0) << B(1, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port open, file open") << S(1, 0, 0, 0, 1) << B(1, 1, 0, 1, 1, 0, 1);
        QTest::newRow("everything there") << S(1, 0, 0, 1, 1) << B(1, 1, 1, 1, 1, 0, 1);
        QTest::newRow("a page's request waits") << S(1, 0, 1, 1, 1) << B(0, 1, 1, 0, 0, 0, 1);
        QTest::newRow("batch running") << S(1, 1, 0, 1, 1) << B(0, 0, 0, 0, 0, 1, 0);
    }
    void buttons()
    {
        QFETCH(app::PageSituation, situation);
        QFETCH(app::PageButtons, buttons);
        QCOMPARE(app::ButtonsFor(situation), buttons);
    }

    // A read keeps what it could read: the missing row says why, Save saves the rest.
    void partialRead()
    {
        PageBench b;
        b.device.SetFault(161, {sim::FaultKind::ResponseCode, 64});
        b.Press("ConfigRead");
        QVERIFY2(b.page->StatusText().contains("instrumentCommand1 (the device answered: command not implemented (response code 64))"),
                 qPrintable(b.page->StatusText()));
        QCOMPARE(b.DeviceCell("instrumentCommand1"),
                 QString("could not be read: the device answered: command not implemented (response code 64)"));
        QVERIFY(!b.DeviceCell("instrumentCommand2").isEmpty());
        b.page->findChild<QPushButton*>("ConfigSave")->click();
        const auto saved = config::LoadFile(b.dir.filePath("saved.json"));
        QVERIFY2(saved.ok(), saved.error().c_str());
        QVERIFY(!saved->configuration.instruments[0]);
        QVERIFY(saved->configuration.instruments[1].has_value());
    }

    // Write shows exactly the items that differ, device value -> file value,
    // and the device; it writes only on a yes, and nothing differing asks nothing.
    void writePreview_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("status");
        QTest::newRow("nothing differs") << false << true << "Nothing to write: the device already matches.";
        QTest::newRow("confirmed") << true << true << "Wrote 2 items, each read back equal.";
        QTest::newRow("declined") << true << false << "Cancelled; nothing was written.";
    }
    void writePreview()
    {
        QFETCH(bool, change);
        QFETCH(bool, yes);
        QFETCH(QString, status);
        PageBench b;
        b.Press("ConfigRead");
        b.page->findChild<QPushButton*>("ConfigSave")->click();
        auto file = config::LoadFile(b.dir.filePath("saved.json"));
        QVERIFY2(file.ok(), file.error().c_str());
        auto c = file->configuration;
        const std::string message = *c.message;
        if (change) {
            c.message = "A NEW MESSAGE";
            c.line->interval = static_cast<std::uint8_t>(c.line->interval + 7);
        }
        QVERIFY(config::SaveFile(b.dir.filePath("file.json"), c, {QDateTime::currentDateTimeUtc(), "t"}));
        b.openPath = b.dir.filePath("file.json");
        b.page->findChild<QPushButton*>("ConfigOpen")->click();
        b.writeAnswer = yes;
        b.Press("ConfigWrite");

        QVERIFY2(b.page->StatusText().startsWith(status), qPrintable(b.page->StatusText()));
        QCOMPARE(QString::fromStdString(b.device.State().message).trimmed() == "A NEW MESSAGE", change && yes);
        QCOMPARE(QDir(b.dir.filePath("backups")).entryList(QDir::Files).size(), change && yes ? 1 : 0);
        if (!change) {
            QVERIFY(b.previews.isEmpty());
            return;
        }
        QCOMPARE(b.previews.size(), 1);
        const QStringList& p = b.previews[0];
        QCOMPARE(p.size(), 3);
        QVERIFY2(p[0].startsWith("Device: tag \"CONVERTR\", polling address 0, unique identifier 66051"), qPrintable(p[0]));
        QVERIFY2(p[1].startsWith("rs485: "), qPrintable(p[1]));
        QCOMPARE(p[2], "message: \"" + QString::fromStdString(message) + "\" -> \"A NEW MESSAGE\"");
    }

    // Identity items that would give the device another's unique identifier
    // are written only on a yes; a device's own identity needs no question.
    void identityOfAnotherDevice_data()
    {
        QTest::addColumn<bool>("ownBackup");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("written");
        QTest::newRow("another device's, no") << false << false << 1 << false;
        QTest::newRow("another device's, yes") << false << true << 1 << true;
        QTest::newRow("its own backup") << true << false << 0 << true;
    }
    void identityOfAnotherDevice()
    {
        QFETCH(bool, ownBackup);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(bool, written);
        PageBench b;
        sim::Device source(ownBackup ? sim::ConverterState{} : sim::OtherConverterState());
        testing::SimTransport sourceLine(source);
        {
            config::BatchRunner runner(sourceLine);
            QSignalSpy finished(&runner, &config::BatchRunner::Finished);
            runner.Read(source.State().pollAddress);
            QVERIFY(finished.wait(20000));
            auto read = finished.takeFirst().at(0).value<config::BatchReport>();
            read.device.finalAssembly = 4242; // something to write in any case
            QVERIFY(config::SaveFile(b.dir.filePath("file.json"), read.device, {QDateTime::currentDateTimeUtc(), "t"}));
        }
        b.openPath = b.dir.filePath("file.json");
        b.answer = answer;
        b.page->findChild<QPushButton*>("ConfigOpen")->click();
        b.page->findChild<QCheckBox*>("ConfigIdentity")->setChecked(true);
        b.Press("ConfigWrite");
        QCOMPARE(b.questions, questions);
        QCOMPARE(b.device.State().finalAssembly == 4242, written);
        QCOMPARE(b.device.State().deviceId, written ? source.State().deviceId : sim::ConverterState{}.deviceId);
    }

    // A write that went out without a clean answer leaves the item unknown: the
    // page must not go on claiming (or save) the value it replaced.
    void failedWriteLeavesTheItemUnknown()
    {
        PageBench b;
        b.Press("ConfigRead");
        b.page->findChild<QPushButton*>("ConfigSave")->click();
        auto saved = config::LoadFile(b.dir.filePath("saved.json"));
        QVERIFY2(saved.ok(), saved.error().c_str());
        config::Configuration file = saved->configuration;
        file.finalAssembly = 4242;
        QVERIFY(config::SaveFile(b.dir.filePath("file.json"), file, {QDateTime::currentDateTimeUtc(), "t"}));
        b.openPath = b.dir.filePath("file.json");
        b.page->findChild<QPushButton*>("ConfigOpen")->click();
        b.device.SetFault(19, {sim::FaultKind::NoAnswer, 0}); // the final assembly number's write
        b.Press("ConfigWrite");
        QVERIFY2(b.page->StatusText().contains("Failed"), qPrintable(b.page->StatusText()));
        b.page->findChild<QPushButton*>("ConfigSave")->click();
        saved = config::LoadFile(b.dir.filePath("saved.json"));
        QVERIFY2(saved.ok(), saved.error().c_str());
        QVERIFY(!saved->configuration.finalAssembly); // neither the old value nor the new is known
        QVERIFY(saved->configuration.message.has_value());
    }
};

QTEST_MAIN(TestConfigPage)
#include "test_config_page.moc"
