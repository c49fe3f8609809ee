// Finding the device and watching its values in the real window, against the
// simulated converter over a pseudo-terminal.
#include "app/live_trend.h"
#include "app/scan_dialog.h"
#include "app/scan_live.h"
#include "support/window_driver.h"

#include <QLineSeries>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

using testing::WindowDriver;

namespace {

// The answer-start wait shortened, so that a silent address costs little here.
constexpr int kAnswerStartMs = 80;

struct Line {
    WindowDriver d;
    int requests = 0; // frames the batch path wrote
    std::size_t sentBytes = 0, receivedBytes = 0; // the batch path's bytes on the line
    QList<int> addressesPolled;

    explicit Line(int address)
    {
        d.form.Transactor().SetAnswerStartMs(kAnswerStartMs);
        d.form.Transactor().SetTrafficSink([this](const hart::TrafficRecord& r) {
            (r.direction == hart::Direction::Sent ? sentBytes : receivedBytes) += r.bytes.size();
            if (r.direction == hart::Direction::Sent) {
                ++requests;
                if (r.bytes.size() > 7 && r.bytes[6] == 0x02)
                    addressesPolled << r.bytes[7];
            }
        });
        if (!d.open())
            qFatal("the simulated converter did not open");
        d.withDevice([address](sim::Device& dev) { dev.State().pollAddress = static_cast<std::uint8_t>(address); });
    }
    app::ScanLive& live() { return d.form.FindAndWatch(); }
    app::ScanDialog& dialog() { return *live().Dialog(); }
    QTableWidget* list() { return dialog().findChild<QTableWidget*>("ScanList"); }
    bool scan(const QString& range = "0-15")
    {
        QTest::mouseClick(d.w<QPushButton>("FindDevices"), Qt::LeftButton);
        if (range != "0-15") { // the first scan started with the default range: run it again wider
            if (!QTest::qWaitFor([&] { return !dialog().Scanner().Running(); }, 20000))
                return false;
            auto* r = dialog().findChild<QComboBox*>("ScanRange");
            r->setCurrentIndex(r->findText(range));
            requests = 0;
            addressesPolled.clear();
            dialog().StartScan();
        }
        return QTest::qWaitFor([&] { return !dialog().Scanner().Running(); }, 20000);
    }
    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < list()->columnCount(); ++c)
            cells << list()->item(r, c)->text();
        return cells;
    }
    int liveSamples() { return int(d.form.FindAndWatch().Samples().Samples().size()); }
};

} // namespace

class ScanLiveE2eTest : public QObject {
    Q_OBJECT
private slots:
    void scanFindsTheDevice_data();
    void scanFindsTheDevice();
    void cancelStopsWithinOneAddress();
    void choosingTheDeviceIdentifiesIt_data();
    void choosingTheDeviceIdentifiesIt();
    void liveSamplesFillFieldsAndChart();
    void silentDeviceGreysTheFields();
    void buttonPressDuringLiveIsAnswered();
    void closingThePortStopsLive();
};

void ScanLiveE2eTest::scanFindsTheDevice_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("polled");
    QTest::addColumn<int>("rows");
    QTest::newRow("address 5") << 5 << "0-15" << 16 << 1;
    QTest::newRow("address 20 needs the wide range") << 20 << "0-15" << 16 << 0;
    QTest::newRow("address 20 in 0-63") << 20 << "0-63" << 64 << 1;
}

void ScanLiveE2eTest::scanFindsTheDevice()
{
    QFETCH(int, address);
    QFETCH(QString, range);
    QFETCH(int, polled);
    QFETCH(int, rows);
    Line line(address);
    QVERIFY(line.scan(range));

    QCOMPARE(line.list()->rowCount(), rows);
    if (rows)
        QCOMPARE(line.row(0), (QStringList{QString::number(address), "38 (0x26)", "5 (0x05)", "66051 (0x010203)", "5",
                                           "5"}));
    // One request per address and no repeats: each silent address cost one answer-start wait.
    QCOMPARE(line.requests, polled);
    QCOMPARE(line.d.form.Transactor().TotalRepeats(), 0);
    QCOMPARE(line.dialog().findChild<QProgressBar*>("ScanProgress")->value(), polled);
    // The status panel's counters count the scan's bytes as they count the buttons'.
    QCOMPARE(line.d.text("Label56"), QString::number(line.sentBytes));
    QVERIFY(rows == 0 || line.receivedBytes > 0);
    QCOMPARE(line.d.text("Label67"), line.receivedBytes ? QString::number(line.receivedBytes) : QString());
}

void ScanLiveE2eTest::cancelStopsWithinOneAddress()
{
    Line line(15);
    QTest::mouseClick(line.d.w<QPushButton>("FindDevices"), Qt::LeftButton);
    auto* progress = line.dialog().findChild<QProgressBar*>("ScanProgress");
    QVERIFY(QTest::qWaitFor([&] { return progress->value() >= 3; }, 10000));
    QTest::mouseClick(line.dialog().findChild<QPushButton*>("ScanCancel"), Qt::LeftButton);
    const int sentAtCancel = line.requests;
    QVERIFY(QTest::qWaitFor([&] { return !line.dialog().Scanner().Running(); }, 2000));
    QVERIFY(line.requests <= sentAtCancel);
    QVERIFY(line.requests < 16);
    QCOMPARE(line.list()->rowCount(), 0);
    QVERIFY(line.dialog().findChild<QLabel*>("ScanState")->text().startsWith("Cancelled"));
}

void ScanLiveE2eTest::choosingTheDeviceIdentifiesIt_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("listSize");
    QTest::newRow("address 5") << 5 << "0-15" << 16;
    QTest::newRow("address 33 joins the list") << 33 << "0-63" << 17;
}

void ScanLiveE2eTest::choosingTheDeviceIdentifiesIt()
{
    QFETCH(int, address);
    QFETCH(QString, range);
    QFETCH(int, listSize);
    Line line(address);
    QVERIFY(line.scan(range));
    QCOMPARE(line.list()->rowCount(), 1);
    const int answers = line.d.answers;
    QTest::mouseClick(line.dialog().findChild<QPushButton*>("ScanChoose"), Qt::LeftButton);

    QVERIFY(QTest::qWaitFor([&] { return line.d.answers > answers; }, 6000));
    QCOMPARE(line.d.status(), QString("upload successful!"));
    QCOMPARE(line.d.text("ComboBox9"), QString::number(address));
    QCOMPARE(line.d.w<QComboBox>("ComboBox9")->count(), listSize);
    QCOMPARE(line.d.text("Edit1"), QString("38"));
    QCOMPARE(line.d.text("Edit4"), QString("66051"));
    QCOMPARE(int(line.d.form.Link().Buffer().identity().pollingAddress), address);
}

void ScanLiveE2eTest::liveSamplesFillFieldsAndChart()
{
    Line line(0);
    line.d.withDevice([](sim::Device& dev) {
        dev.State().driftAmplitude = 0.2f;
        dev.State().driftPeriodMs = 2000;
    });
    QVERIFY(line.d.identify() == "upload successful!");
    line.d.w<QPushButton>("LiveSwitch")->setChecked(true);
    constexpr int kSamples = 8;
    QVERIFY(QTest::qWaitFor([&] { return line.liveSamples() >= kSamples; }, 20000));
    // Then held still, so that the last sample's texts are known: the second
    // sample from now was asked for after the change.
    line.d.withDevice([](sim::Device& dev) { dev.State().driftAmplitude = 0.0f; });
    const int moving = line.liveSamples();
    QVERIFY(QTest::qWaitFor([&] { return line.liveSamples() >= moving + 2; }, 20000));
    line.d.w<QPushButton>("LiveSwitch")->setChecked(false);
    QVERIFY(QTest::qWaitFor([&] { return line.d.form.BatchPath().Idle(); }, 3000));

    // N samples, N points in each series, named with the units.
    const auto& samples = line.live().Samples().Samples();
    const int n = int(samples.size());
    const auto& series = line.live().Trend().Series();
    for (int k = 0; k < 5; ++k)
        QCOMPARE(series[std::size_t(k)]->count(), n);
    QCOMPARE(series[0]->name(), QString("Variable 1 (\u2103)"));
    QCOMPARE(series[1]->name(), QString("Variable 2 (mA)"));
    QCOMPARE(series[4]->name(), QString("Loop current (mA)"));

    // The fields show the last sample, and the values moved from sample to sample.
    QCOMPARE(line.d.text("Edit5"), QString("12"));
    QCOMPARE(line.d.text("Edit30"), QString("1"));
    QCOMPARE(line.d.text("Edit6"), QString("12"));
    QCOMPARE(line.d.text("ComboBox15"), QString("79_mA"));
    QSet<float> seen;
    for (const auto& s : samples)
        seen.insert(*s.values[0]);
    QVERIFY(seen.size() > 1);

    // The CSV holds every sample.
    QTemporaryDir dir;
    const QString path = dir.filePath("live.csv");
    const auto exported = line.live().Trend().ExportCsv(path);
    QVERIFY2(exported, exported.error().c_str());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), n + 1);
    QCOMPARE(lines.last().section(',', 1), QString("12,12,\u2103,8,mA,50,%,1,250"));
}

namespace {

// The field shows its text in the colour of a disabled one.
bool Greyed(const QWidget* w)
{
    const QPalette& p = w->palette();
    return p.color(QPalette::Active, QPalette::Text) == p.color(QPalette::Disabled, QPalette::Text);
}

} // namespace

void ScanLiveE2eTest::silentDeviceGreysTheFields()
{
    Line line(0);
    QVERIFY(line.d.identify() == "upload successful!");
    const QStringList fields{"Edit5", "Edit17", "Edit18", "Edit30", "Edit6", "ComboBox5", "ComboBox6"};
    line.d.w<QPushButton>("LiveSwitch")->setChecked(true);
    QVERIFY(QTest::qWaitFor([&] { return line.liveSamples() >= 2; }, 10000));
    for (const QString& f : fields)
        QVERIFY2(!Greyed(line.d.w(f.toLatin1())), qPrintable(f));

    line.d.withDevice([](sim::Device& dev) { dev.SetFault(std::nullopt, {sim::FaultKind::NoAnswer, 0}); });
    QVERIFY(QTest::qWaitFor([&] { return line.d.text("LiveState").contains("no answer since "); }, 10000));
    for (const QString& f : fields)
        QVERIFY2(Greyed(line.d.w(f.toLatin1())), qPrintable(f));
    QVERIFY(!line.d.text("Edit5").isEmpty()); // the last values stay, marked as old

    line.d.withDevice([](sim::Device& dev) { dev.ClearFaults(); });
    QVERIFY(QTest::qWaitFor([&] { return !line.d.text("LiveState").contains("no answer"); }, 10000));
    for (const QString& f : fields)
        QVERIFY2(!Greyed(line.d.w(f.toLatin1())), qPrintable(f));
    line.d.w<QPushButton>("LiveSwitch")->setChecked(false);
}

void ScanLiveE2eTest::buttonPressDuringLiveIsAnswered()
{
    Line line(0);
    QVERIFY(line.d.identify() == "upload successful!");
    line.d.w<QPushButton>("LiveSwitch")->setChecked(true);
    QVERIFY(QTest::qWaitFor([&] { return line.liveSamples() >= 2; }, 10000));

    QCOMPARE(line.d.press("Button34"), QString("upload successful!"));
    QVERIFY(!line.d.text("Edit20").isEmpty());
    const int before = line.liveSamples();
    QVERIFY(QTest::qWaitFor([&] { return line.liveSamples() >= before + 2; }, 10000)); // live goes on after it

    QCOMPARE(line.d.press("Button3"), QString("upload successful!"));
    QVERIFY(line.d.w<QPushButton>("LiveSwitch")->isChecked());
    line.d.w<QPushButton>("LiveSwitch")->setChecked(false);
}

void ScanLiveE2eTest::closingThePortStopsLive()
{
    Line line(0);
    QVERIFY(line.d.identify() == "upload successful!");
    line.d.w<QPushButton>("LiveSwitch")->setChecked(true);
    QVERIFY(QTest::qWaitFor([&] { return line.liveSamples() >= 1; }, 10000));
    line.d.close();
    QVERIFY(!line.d.w<QPushButton>("LiveSwitch")->isChecked());
    QVERIFY(!line.d.w<QPushButton>("LiveSwitch")->isEnabled());
    QVERIFY(!line.live().Poller().Active());
    // Nothing more goes out: the poller is off and the line has gone idle.
    const int sent = line.requests;
    QVERIFY(QTest::qWaitFor([&] { return line.d.form.BatchPath().Idle(); }, 3000));
    QCOMPARE(line.requests, sent);
}

QTEST_MAIN(ScanLiveE2eTest)
#include "test_scan_live_e2e.moc"
