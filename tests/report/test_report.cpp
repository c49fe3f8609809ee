// The commissioning report: whole, escaped, searchable, never split inside an item.
#include "report/from_configuration.h"
#include "report/report.h"

#include "support/file_size_limit.h"

#include <QtTest>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

report::Document Sample(int items)
{
    report::Document d;
    d.time = QDateTime(QDate(2026, 12, 8), QTime(9, 30), Qt::UTC);
    d.version = "9.8.7";
    d.operatorName = "A. Engineer";
    d.source = "the device at address 0";
    d.identity = {{"Tag", "FT-101"}, {"Unique identifier", "0A0B0C"}};
    for (int i = 0; i < items; ++i)
        d.items.push_back({QStringLiteral("Caption %1").arg(i), QStringLiteral("value-%1").arg(i)});
    report::LoopTest loop;
    loop.time = d.time;
    loop.points = {{4.0, 4.001, 3.998, true, {}}, {12.0, std::nullopt, std::nullopt, std::nullopt, "no answer"}};
    loop.released = false;
    loop.releaseText = "fixed current mode NOT left";
    d.loopTest = loop;
    config::HistoryRecord w;
    w.time = d.time;
    w.item = "range";
    w.before = "0 .. 100";
    w.after = "0 .. 250";
    d.writes = {w};
    return d;
}

QString PdfText(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void outsideTextIsEscaped_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("shown");
        QTest::newRow("markup") << "<b>FT</b>&" << "&lt;b&gt;FT&lt;/b&gt;&amp;";
        QTest::newRow("control bytes") << QString::fromUtf8("FT\x1b[2J\x01") << "FT\\x1B[2J\\x01";
        QTest::newRow("backslash") << "A\\B" << "A\\\\B";
    }
    void outsideTextIsEscaped()
    {
        QFETCH(QString, tag);
        QFETCH(QString, shown);
        auto d = Sample(1);
        d.identity = {{"Tag", tag}};
        const QString html = report::Html(d);
        QVERIFY2(html.contains("<td>" + shown + "</td>"), qPrintable(html));
        for (const QChar c : html)
            QVERIFY(c.unicode() >= 0x20 || c == '\n');
    }

    void pdfHoldsEveryItemWhole()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        const int items = 120; // several pages
        const auto saved = report::SavePdf(path, Sample(items));
        QVERIFY2(saved.ok(), saved.error().c_str());
        const QStringList pages = PdfText(path).split('\f');
        QVERIFY2(pages.size() > 2, "expected several pages");
        for (int i = 0; i < items; ++i) {
            const QRegularExpression row(QStringLiteral("Caption %1\\s+value-%1\\b").arg(i));
            const bool onOnePage = std::any_of(pages.begin(), pages.end(),
                                               [&](const QString& page) { return row.match(page).hasMatch(); });
            QVERIFY2(onOnePage, qPrintable(QStringLiteral("item %1 split or missing").arg(i)));
        }
        const QString all = pages.join('\n');
        for (const char* text : {"FT-101", "0A0B0C", "A. Engineer", "no answer", "fixed current mode NOT left", "0 .. 250"})
            QVERIFY2(all.contains(text), text);
    }

    // Writes that cannot be known are said to be unknown, never shown as none.
    void writesTheHistoryCannotGive_data()
    {
        QTest::addColumn<QString>("history"); // "dir": a folder in its place; else the file's lines
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("notShown");
        QTest::newRow("unreadable") << "dir" << QStringList{"The writes to this device are not known", "could not be read"}
                                    << QStringList{"No writes to this device are on record."};
        QTest::newRow("a damaged line") << "{not json\nGOOD\n"
                                        << QStringList{"1 damaged line(s) of the history were skipped", "0 .. 250"}
                                        << QStringList{"No writes to this device are on record."};
        QTest::newRow("missing: none on record") << "" << QStringList{"No writes to this device are on record."}
                                                 << QStringList{"writes to this device are not known", "damaged"};
    }
    void writesTheHistoryCannotGive()
    {
        QFETCH(QString, history);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, notShown);
        QTemporaryDir dir;
        const QString path = dir.filePath("history.jsonl");
        config::Configuration c;
        c.identity = hart::DeviceIdentity{.manufacturer = 0x26, .deviceType = 5, .identifier = {1, 2, 3}};
        if (history == "dir") {
            QVERIFY(QDir().mkpath(path));
        } else if (!history.isEmpty()) {
            auto w = config::MakeHistoryRecord(*c.identity, "FT-101", "range", config::HistoryOutcome::Verified);
            w.after = "0 .. 250";
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(history.toUtf8().replace("GOOD", config::HistoryLine(w)));
        }
        const QString html = report::Html(report::Assemble(c, "the file x.json", "A. Engineer", dir.filePath("none"), path));
        for (const auto& s : shown)
            QVERIFY2(html.contains(s), qPrintable(s));
        for (const auto& s : notShown)
            QVERIFY2(!html.contains(s), qPrintable(s));
    }

    void aFullDiskIsAnError_data()
    {
        QTest::addColumn<bool>("pdf");
        QTest::newRow("html") << false;
        QTest::newRow("pdf") << true;
    }
    void aFullDiskIsAnError()
    {
        QFETCH(bool, pdf);
        QTemporaryDir dir;
        const QString path = dir.filePath(pdf ? "r.pdf" : "r.html");
        testing::FileSizeLimit full(512);
        const auto saved = pdf ? report::SavePdf(path, Sample(40)) : report::SaveHtml(path, Sample(40));
        QVERIFY(!saved.ok());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
