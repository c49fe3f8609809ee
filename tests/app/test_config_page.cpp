#include "app/config_page.h"
#include "app/history_dialog.h"
#include "config/item_captions.h"
#include "config/file.h"
#include "config/history.h"
#include "sim/sample_states.h"
#include "support/sim_transport.h"

#include <QCheckBox>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTextTable>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(app::PageSituation)
Q_DECLARE_METATYPE(app::PageButtons)
Q_DECLARE_METATYPE(std::function<void(config::Configuration&)>)
Q_DECLARE_METATYPE(std::optional<std::string>)

namespace {

// Situation flags: port open, batch running, link waiting, device read, file open, file edited offline.
app::PageSituation S(bool port, bool batch, bool waiting, bool device, bool file, bool offline = false)
{
    return {port, batch, waiting, device, file, offline};
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
    QString savePath = "saved.json";
    int questions = 0;
    bool answer = false;
    QList<QStringList> previews;
    bool writeAnswer = true;
    QString reportName = "report.pdf";
    QString reportProposal;
    QStringList operatorsOffered;
    std::unique_ptr<app::ConfigPage> page;

    explicit PageBench(sim::ConverterState state = {}, const QString& historyName = "history.jsonl")
        : device(std::move(state))
    {
        app::ConfigPageHost host;
        host.transport = &transport;
        host.portOpen = [] { return true; };
        host.chooseFile = [this](bool save) { return save ? dir.filePath(savePath) : openPath; };
        host.confirm = [this](const QString&) {
            ++questions;
            return answer;
        };
        host.confirmWrite = [this](const QStringList& preview) {
            previews << preview;
            return writeAnswer;
        };
        host.backupDirectory = dir.filePath("backups");
        host.historyPath = dir.filePath(historyName);
        host.loopTestPath = dir.filePath("loop-tests.jsonl");
        host.chooseReport = [this](const QString& proposal) {
            reportProposal = proposal;
            return dir.filePath(reportName);
        };
        host.askOperator = [this](const QString& last) {
            operatorsOffered << last;
            return std::optional<QString>("A. Engineer");
        };
        page = std::make_unique<app::ConfigPage>(std::move(host));
        QObject::connect(page.get(), &app::ConfigPage::ErrorRaised, page.get(), [](const QString& text) { QFAIL(qPrintable(text)); });
    }
    void Press(const char* name)
    {
        auto* b = page->findChild<QPushButton*>(name);
        QVERIFY(b && b->isEnabled());
        b->click();
        QTRY_VERIFY_WITH_TIMEOUT(!page->BatchRunning(), 20000);
    }
    static int Row(std::string_view item)
    {
        const auto items = config::Items();
        for (std::size_t r = 0; r < items.size(); ++r)
            if (items[r].name == item)
                return static_cast<int>(r);
        return -1;
    }
    QTableWidgetItem* Cell(std::string_view item, int column) const
    {
        return page->findChild<QTableWidget*>("ConfigTable")->item(Row(item), column);
    }
    QString DeviceCell(std::string_view item) const { return Cell(item, 1)->text(); }
    // Reads the device, then opens a file of what was read as `change` leaves it.
    void OpenChanged(const std::function<void(config::Configuration&)>& change)
    {
        Press("ConfigRead");
        page->findChild<QPushButton*>("ConfigSave")->click();
        auto file = config::LoadFile(dir.filePath(savePath));
        QVERIFY2(file.ok(), file.error().c_str());
        auto c = file->configuration;
        change(c);
        QVERIFY(config::SaveFile(dir.filePath("file.json"), c, {QDateTime::currentDateTimeUtc(), "t"}));
        openPath = dir.filePath("file.json");
        page->findChild<QPushButton*>("ConfigOpen")->click();
    }
};

// The captions of the detail pane's rows marked as differing (by sign and colour).
QStringList MarkedFields(QTextEdit* pane)
{
    QStringList marked;
    for (QTextFrame* frame : pane->document()->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            for (int r = 1; r < table->rows(); ++r) {
                const QTextTableCell cell = table->cellAt(r, 0);
                const QString caption = QTextCursor(cell.firstCursorPosition()).block().text();
                const bool coloured = cell.format().background().style() != Qt::NoBrush;
                if (caption.startsWith(QChar(0x2260)) != coloured)
                    return {"sign and colour disagree: " + caption};
                if (coloured)
                    marked << caption.mid(2);
            }
    return marked;
}

} // namespace

class TestConfigPage : public QObject {
    Q_OBJECT
    QTemporaryDir settings_;
private slots:
    void initTestCase()
    {
        qRegisterMetaType<config::BatchReport>();
        // The settings the page remembers are the test's own (read once per process).
        qputenv("XDG_CONFIG_HOME", settings_.path().toLocal8Bit());
    }

    void buttons_data()
    {
        QTest::addColumn<app::PageSituation>("situation");
        QTest::addColumn<app::PageButtons>("buttons");
        QTest::newRow("port closed, nothing loaded") << S(0, 0, 0, 0, 0) << B(0, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port closed, file open") << S(0, 0, 0, 0, 1) << B(0, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port closed, device read") << S(0, 0, 0, 1, 0) << B(0, 1, 1, 0, 0, 0, 1);
        QTest::newRow("file edited offline") << S(0, 0, 0, 0, 1, 1) << B(0, 1, 1, 0, 0, 0, 1);
        QTest::newRow("offline, batch running") << S(0, 1, 0, 0, 1, 1) << B(0, 0, 0, 0, 0, 1, 0);
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

    // A write is recorded item by item; a history that cannot be appended to
    // is said with the outcome, and the write stands.
    void writeHistory_data()
    {
        QTest::addColumn<QString>("historyName");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("notKeptSaid");
        QTest::newRow("kept") << "history.jsonl" << 2 << false;
        QTest::newRow("a folder in the way") << "backups" << 0 << true;
    }
    void writeHistory()
    {
        QFETCH(QString, historyName);
        QFETCH(int, records);
        QFETCH(bool, notKeptSaid);
        PageBench b({}, historyName);
        QVERIFY(QDir(b.dir.path()).mkpath("backups"));
        b.OpenChanged([](config::Configuration& c) {
            c.message = "A NEW MESSAGE";
            c.line->interval = static_cast<std::uint8_t>(c.line->interval + 7);
        });
        b.Press("ConfigWrite");
        QVERIFY2(b.page->StatusText().startsWith("Wrote 2 items"), qPrintable(b.page->StatusText()));
        QCOMPARE(b.page->StatusText().contains("The history is not kept: "), notKeptSaid);
        const auto log = config::ReadHistory(b.dir.filePath("history.jsonl"));
        QVERIFY(log.ok());
        QCOMPARE(int(log->records.size()), records);
        for (const auto& r : log->records)
            QCOMPARE(r.outcome, config::HistoryOutcome::Verified);
        // "History..." lists them for the device just written.
        b.page->findChild<QPushButton*>("ConfigHistory")->click();
        auto* dialog = b.page->findChild<app::HistoryDialog*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->findChild<QTableWidget*>("HistoryTable")->rowCount(), records);
    }

    // "Report..." saves the device read (or the file open) as a searchable
    // PDF, or as HTML by the name; the operator's name is offered again next time.
    void report_data()
    {
        QTest::addColumn<bool>("fromDevice");
        QTest::addColumn<QString>("name");
        QTest::newRow("from the device, PDF") << true << "r.pdf";
        QTest::newRow("from a file, PDF") << false << "r.pdf";
        QTest::newRow("from the device, HTML") << true << "r.html";
    }
    void report()
    {
        QFETCH(bool, fromDevice);
        QFETCH(QString, name);
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (name.endsWith(".pdf") && pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text cannot be checked");
        QSettings("quorvane", "modbus-hart").remove("report/operator");
        PageBench b;
        if (fromDevice) {
            b.Press("ConfigRead");
        } else {
            PageBench source;
            source.OpenChanged([](config::Configuration& c) { c.message = "FROM THE FILE"; });
            QVERIFY(QFile::copy(source.openPath, b.dir.filePath("file.json")));
            b.openPath = b.dir.filePath("file.json");
            b.page->findChild<QPushButton*>("ConfigOpen")->click();
        }
        b.reportName = name;
        b.page->findChild<QPushButton*>("ConfigReport")->click();
        QCOMPARE(b.reportProposal, "report-CONVERTR-" + QDate::currentDate().toString("yyyy-MM-dd") + ".pdf");
        QVERIFY2(b.page->StatusText().startsWith("The report is saved to"), qPrintable(b.page->StatusText()));
        QString text;
        if (name.endsWith(".pdf")) {
            QProcess p;
            p.start(pdftotext, {b.dir.filePath(name), "-"});
            QVERIFY(p.waitForFinished(20000));
            text = QString::fromUtf8(p.readAllStandardOutput());
        } else {
            QFile f(b.dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            text = QString::fromUtf8(f.readAll());
        }
        for (const QString& expected : {QString("CONVERTR"), QString("A. Engineer"),
                                        fromDevice ? QString("polling address 0") : QString("FROM THE FILE")})
            QVERIFY2(text.contains(expected), qPrintable(expected + " missing in:\n" + text.left(2000)));
        // The name is offered again.
        b.page->findChild<QPushButton*>("ConfigReport")->click();
        QCOMPARE(b.operatorsOffered, (QStringList{"", "A. Engineer"}));
    }

    // Newest first, the connected device's unless all are asked for; a damaged
    // line is said once and costs no other; the export is what is listed.
    void historyDialog_data()
    {
        QTest::addColumn<QList<QByteArray>>("lines"); // "D@H": device D at hour H; else written as is
        QTest::addColumn<bool>("all");
        QTest::addColumn<QStringList>("listed"); // device and hour, top to bottom
        QTest::addColumn<int>("damaged");
        QTest::newRow("this device, newest first")
            << QList<QByteArray>{"1@1", "2@2", "1@3", "1@2"} << false << QStringList{"1@3", "1@2", "1@1"} << 0;
        QTest::newRow("all devices") << QList<QByteArray>{"1@1", "2@2"} << true << QStringList{"2@2", "1@1"} << 0;
        QTest::newRow("a damaged line") << QList<QByteArray>{"1@1", "{\"time\": 3", "1@2"} << false
                                        << QStringList{"1@2", "1@1"} << 1;
    }
    void historyDialog()
    {
        QFETCH(QList<QByteArray>, lines);
        QFETCH(bool, all);
        QFETCH(QStringList, listed);
        QFETCH(int, damaged);
        QTemporaryDir dir;
        const QString path = dir.filePath("history.jsonl");
        const QDateTime day(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
        for (const QByteArray& line : lines) {
            const auto at = line.split('@');
            if (at.size() != 2) {
                QVERIFY(config::AppendLine(path, line));
                continue;
            }
            config::HistoryRecord r;
            r.time = day.addSecs(3600 * at[1].toInt());
            r.program = "t";
            r.uniqueIdentifier = at[0].toUInt();
            r.item = "message";
            r.after = QString::fromLatin1(line);
            QVERIFY(config::AppendHistory(path, r));
        }
        app::HistoryDialog dialog({path, 1u, [&] { return dir.filePath("out.csv"); }});
        dialog.findChild<QCheckBox*>("HistoryAll")->setChecked(all);
        auto* table = dialog.findChild<QTableWidget*>("HistoryTable");
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row)
            shown << table->item(row, 5)->text();
        QCOMPARE(shown, listed);
        QCOMPARE(dialog.StatusText().count("damaged"), damaged);
        dialog.findChild<QPushButton*>("HistoryExport")->click();
        QFile csv(dir.filePath("out.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().count('\n'), listed.size() + 1);
        QVERIFY2(dialog.StatusText().startsWith("Saved"), qPrintable(dialog.StatusText()));
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
        QVERIFY2(b.page->StatusText().startsWith("Stopped at finalAssemblyNumber: "), qPrintable(b.page->StatusText()));
        QVERIFY2(b.Cell("finalAssemblyNumber", 3)->text().startsWith("failed"), qPrintable(b.Cell("finalAssemblyNumber", 3)->text()));
        b.page->findChild<QPushButton*>("ConfigSave")->click();
        saved = config::LoadFile(b.dir.filePath("saved.json"));
        QVERIFY2(saved.ok(), saved.error().c_str());
        QVERIFY(!saved->configuration.finalAssembly); // neither the old value nor the new is known
        QVERIFY(saved->configuration.message.has_value());
    }

    // Every item is named as its page names it, with the file key as its tooltip.
    void captions_data()
    {
        QTest::addColumn<int>("row");
        for (const auto& item : config::Items())
            QTest::newRow(std::string(item.name).c_str()) << PageBench::Row(item.name);
    }
    void captions()
    {
        QFETCH(int, row);
        const auto& item = config::Items()[static_cast<std::size_t>(row)];
        const QString caption = config::ItemCaption(item.name);
        QVERIFY2(!caption.isEmpty(), "no caption");
        QVERIFY(caption != QString::fromUtf8(item.name.data(), item.name.size()));
        for (const auto& other : config::Items())
            QVERIFY2(&other == &item || config::ItemCaption(other.name) != caption, "caption shared with another item");
        PageBench b;
        QVERIFY(b.Cell(item.name, 0)->text().startsWith(caption));
        QCOMPARE(b.Cell(item.name, 0)->toolTip(), QString::fromUtf8(item.name.data(), item.name.size()));
    }

    // The selected row whole in the detail pane: every field of device and
    // file, exactly the differing ones marked, device texts escaped.
    void detailPane_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<std::function<void(config::Configuration&)>>("change");
        QTest::addColumn<QStringList>("marked");
        QTest::addColumn<QString>("shown");
        using C = config::Configuration;
        QTest::newRow("a mapping row's unit only") << "variableMapping"
            << std::function<void(C&)>([](C& c) { c.mapping->unitCode[1] = 7; }) << QStringList{"Variable 2: Unit Code"}
            << "Variable 2: Input Channel";
        QTest::newRow("a long message") << "message"
            << std::function<void(C&)>([](C& c) { c.message = "A MESSAGE OF THIRTY-TWO CHARS..."; })
            << QStringList{"Instrument Information"} << "A MESSAGE OF THIRTY-TWO CHARS...";
        QTest::newRow("the last parsing row's coefficient") << "parsingFormat"
            << std::function<void(C&)>([](C& c) { (*c.parsing)[4].coefficient = 2.5f; })
            << QStringList{"Serial Number: Coefficient"} << "2.5";
        QTest::newRow("a date and a descriptor") << "tagDescriptorDate"
            << std::function<void(C&)>([](C& c) {
                   c.tagDescriptorDate->descriptor = "OTHER";
                   c.tagDescriptorDate->year = 2001;
               })
            << QStringList{"Descriptor", "Year"} << "2001";
        QTest::newRow("equal, a control byte escaped") << "longTag" << std::function<void(C&)>([](C&) {})
            << QStringList{} << "A\\x07B";
    }
    void detailPane()
    {
        QFETCH(QString, item);
        QFETCH(std::function<void(config::Configuration&)>, change);
        QFETCH(QStringList, marked);
        QFETCH(QString, shown);
        sim::ConverterState state;
        state.longTag = {'A', 0x07, 'B'};
        PageBench b(state);
        b.OpenChanged(change);
        b.Press("ConfigCompare");
        auto* table = b.page->findChild<QTableWidget*>("ConfigTable");
        table->selectRow(PageBench::Row(item.toStdString()));
        auto* pane = b.page->findChild<QTextEdit*>("ConfigDetail");
        const QString text = pane->toPlainText();
        QVERIFY2(text.contains(shown), qPrintable(text));
        QVERIFY2(text.contains(item), qPrintable(text)); // the key
        QVERIFY(std::none_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 && c != '\n' && c != '\t'; }));
        QCOMPARE(MarkedFields(pane), marked);
        // The file's cell shows its value whole in its tooltip.
        QTextDocument tip;
        tip.setHtml(b.Cell(item.toStdString(), 2)->toolTip());
        QCOMPARE(tip.toPlainText(), b.Cell(item.toStdString(), 2)->text());
    }

    // Progress counts the items the result line counts: every item for a
    // read, the items written for a write (identity items only when asked).
    void countsAgree_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("identity");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("result");
        QTest::newRow("read") << "ConfigRead" << false << 19 << "Read (\\d+) items\\.";
        QTest::newRow("compare") << "ConfigCompare" << false << 19 << "Read (\\d+) items\\.\n1 item\\(s\\) differ.* 1 identity";
        QTest::newRow("compare, identity too") << "ConfigCompare" << true << 19 << "Read (\\d+) items\\.\n2 item\\(s\\) differ";
        QTest::newRow("write, identity skipped") << "ConfigWrite" << false << 1 << "Wrote (\\d+) items?, each read back equal";
        QTest::newRow("write with identity") << "ConfigWrite" << true << 2 << "Wrote (\\d+) items?, each read back equal";
    }
    void countsAgree()
    {
        QFETCH(QString, button);
        QFETCH(bool, identity);
        QFETCH(int, total);
        QFETCH(QString, result);
        PageBench b;
        b.OpenChanged([](config::Configuration& c) {
            c.message = "CHANGED";
            c.internal->sensorType = static_cast<std::uint8_t>(c.internal->sensorType + 1);
        });
        b.page->findChild<QCheckBox*>("ConfigIdentity")->setChecked(identity);
        auto* bar = b.page->findChild<QProgressBar*>("ConfigProgress");
        struct Step {
            int value, maximum;
            QString format;
        };
        QList<Step> steps;
        QObject::connect(bar, &QProgressBar::valueChanged, bar, [&](int v) { steps.append({v, bar->maximum(), bar->format()}); });
        b.Press(qPrintable(button));

        const auto match = QRegularExpression(result).match(b.page->StatusText());
        QVERIFY2(match.hasMatch(), qPrintable(b.page->StatusText()));
        QCOMPARE(match.captured(1).toInt(), total);
        const QString phase = button == "ConfigWrite" ? "Writing: " : "Reading: ";
        int last = -1;
        for (const Step& s : steps)
            if (s.format.startsWith(phase)) {
                QCOMPARE(s.maximum, total);
                QVERIFY(s.value > last); // counts up, one item at a time or more
                QVERIFY2(s.format.startsWith(phase + QString("%1 of %2 items").arg(s.value).arg(total)), qPrintable(s.format));
                last = s.value;
            }
        QCOMPARE(last, total);
        if (button == "ConfigWrite") {
            // Said once: the runner's sentence on the status line, each item's outcome in its row.
            QVERIFY2(!b.page->StatusText().contains('\n'), qPrintable(b.page->StatusText()));
            QCOMPARE(b.Cell("message", 3)->text(), QString("written and verified"));
            QVERIFY(b.Cell("internalParameters", 3)->text().startsWith(identity ? "written and verified" : "not written"));
        }
    }

    // Save proposes the device's tag and the date, made safe for a file name.
    void saveName_data()
    {
        QTest::addColumn<std::optional<std::string>>("tag");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << std::optional<std::string>("PT-101_A") << "PT-101_A-2026-12-08.json";
        QTest::newRow("blanks and slashes") << std::optional<std::string>("PT 101/A  ") << "PT_101_A-2026-12-08.json";
        QTest::newRow("control bytes, dots") << std::optional<std::string>("../A\x01\x7f" "B") << "A_B-2026-12-08.json";
        QTest::newRow("blank") << std::optional<std::string>("        ") << "configuration-2026-12-08.json";
        QTest::newRow("not read") << std::optional<std::string>() << "configuration-2026-12-08.json";
    }
    void saveName()
    {
        QFETCH(std::optional<std::string>, tag);
        QFETCH(QString, name);
        QCOMPARE(config::ProposedSaveName(tag, QDate(2026, 12, 8)), name);
    }

    // A name given without an extension is saved as a .json file.
    void saveAddsJson_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "plain" << "plain.json";
        QTest::newRow(".json") << "given.json" << "given.json";
        QTest::newRow("another extension") << "other.cfg" << "other.cfg";
    }
    void saveAddsJson()
    {
        QFETCH(QString, given);
        QFETCH(QString, saved);
        PageBench b;
        b.Press("ConfigRead");
        QVERIFY(b.page->SaveNameProposal().startsWith("CONVERTR-"));
        b.savePath = given;
        b.page->findChild<QPushButton*>("ConfigSave")->click();
        QVERIFY(config::LoadFile(b.dir.filePath(saved)).ok());
        QCOMPARE(QDir(b.dir.path()).entryList(QDir::Files), QStringList{saved});
        QVERIFY2(b.page->StatusText().endsWith(saved + "."), qPrintable(b.page->StatusText()));
    }
};

QTEST_MAIN(TestConfigPage)
#include "test_config_page.moc"
