// The traffic window and the device status against the simulated converter,
// through the real serial threads.
#include "app/traffic_model.h"
#include "app/traffic_window.h"
#include "support/window_driver.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTableView>

using testing::WindowDriver;

namespace {

// The rows whose direction and frames column match, as "Direction: frames".
QStringList Rows(const QAbstractItemModel& m, const QString& direction, const QString& frames)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        const QString d = m.index(r, app::TrafficModel::DirectionColumn).data().toString();
        const QString f = m.index(r, app::TrafficModel::SummaryColumn).data().toString();
        if (d == direction && f.startsWith(frames))
            out << d + ": " + f;
    }
    return out;
}

// Set MH_SHOTS to a folder to keep a picture of the window for a look.
void Shot(QWidget* w, const char* name)
{
    const QString dir = qEnvironmentVariable("MH_SHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + "/" + name + ".png");
}

} // namespace

class TestTrafficE2e : public QObject {
    Q_OBJECT
private slots:
    void queryShowsRequestAndAnswer()
    {
        WindowDriver d;
        QVERIFY(d.open());
        QCOMPARE(d.identify(), QString("upload successful!"));

        // The window opens while the query is on the line and keeps up with it.
        QTest::mouseClick(d.w<QPushButton>("Button4"), Qt::LeftButton);
        QTest::mouseClick(d.w<QPushButton>("TrafficButton"), Qt::LeftButton);
        auto* window = d.w<app::TrafficWindow>("TrafficWindow");
        QVERIFY(window->isVisible());
        QVERIFY(QTest::qWaitFor([&] { return d.status() == "upload successful!"; }, 6000));

        auto* table = window->findChild<QTableView*>("TrafficTable");
        const QAbstractItemModel& m = *table->model();
        QCOMPARE(Rows(m, "Sent", "Request cmd 0 ").size(), 1);
        QCOMPARE(Rows(m, "Received", "Answer cmd 0 ").size(), 1);
        QCOMPARE(Rows(m, "Sent", "Request cmd 3 Read Dynamic Variables").size(), 1);
        const QStringList answers = Rows(m, "Received", "Answer cmd 3 Read Dynamic Variables");
        QCOMPARE(answers.size(), 1);
        QVERIFY2(answers[0].contains("Success, status OK"), qPrintable(answers[0]));

        // The answer's row in full: every field and its bytes.
        int answerRow = -1;
        for (int r = 0; r < m.rowCount(); ++r)
            if (m.index(r, app::TrafficModel::SummaryColumn).data().toString().startsWith("Answer cmd 3"))
                answerRow = r;
        table->setCurrentIndex(m.index(answerRow, 0));
        const QString details = window->findChild<QPlainTextEdit*>("TrafficDetails")->toPlainText();
        for (const char* field : {"Preambles: 5", "Delimiter: 0x86", "Command: 3 ", "Response code: 0 Success",
                                  "Device status: 0x00 OK", "right", "Bytes: FF FF FF FF FF 86"})
            QVERIFY2(details.contains(field), qPrintable(QString("no '%1' in\n%2").arg(field, details)));
        Shot(window, "traffic_window");

        // Saved as a capture; a place that cannot be written says so.
        QTemporaryDir dir;
        QVERIFY(window->SaveCapture(dir.filePath("t.pcapng")));
        QVERIFY(QFileInfo(dir.filePath("t.pcapng")).size() > 4 * 60);
        QVERIFY(!window->SaveCapture("/nonexistent-dir/t.pcapng"));
        QCOMPARE(d.errors.size(), 1);
        QVERIFY2(d.errors[0].contains("/nonexistent-dir/t.pcapng"), qPrintable(d.errors[0]));

        // Cleared rows stay cleared; new traffic comes in after them.
        QTest::mouseClick(window->findChild<QPushButton*>("TrafficClear"), Qt::LeftButton);
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(d.press("Button34"), QString("upload successful!"));
        QCOMPARE(m.rowCount(), 2);
        d.close();
    }

    void fixedCurrentShowsInStatusPanel()
    {
        WindowDriver d;
        QVERIFY(d.open());
        QCOMPARE(d.identify(), QString("upload successful!"));
        QCOMPARE(d.text("DeviceStatusLabel"), QString("OK"));

        // The simulator sets the status bit itself, as a real device does.
        d.withDevice([](sim::Device& dev) { dev.State().fixedCurrent = 12.0f; });
        QCOMPARE(d.press("Button34"), QString("upload successful!"));
        QCOMPARE(d.text("DeviceStatusLabel"), QString("Loop current fixed"));
        QCOMPARE(d.text("Edit6").toFloat(), 12.0f);
        Shot(&d.form, "status_panel");

        // Until the next answer, which tells otherwise.
        d.withDevice([](sim::Device& dev) { dev.State().fixedCurrent.reset(); });
        QCOMPARE(d.press("Button34"), QString("upload successful!"));
        QCOMPARE(d.text("DeviceStatusLabel"), QString("OK"));

        // A communication error reported by the device shows as one.
        d.withDevice([](sim::Device& dev) { dev.SetFault(2, {sim::FaultKind::ResponseCode, 0x88}); });
        d.press("Button34");
        QCOMPARE(d.text("DeviceStatusLabel"), QString("Communication error: Longitudinal parity error"));
        d.close();
        QCOMPARE(d.text("DeviceStatusLabel"), QString());
    }
};

QTEST_MAIN(TestTrafficE2e)
#include "test_traffic_e2e.moc"
