// Not a test: opens the real window on the simulated converter, runs a few
// transactions and writes one screenshot per page into the given directory.
#include "app/live_trend.h"
#include "app/scan_dialog.h"
#include "app/scan_live.h"
#include "app/tform1.h"
#include "sim/pty_simulator.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "shots";
    QDir().mkpath(dir);

    app::TForm1::Options options;
    options.simulatorLineTiming = false;
    const QString configFile = QDir(dir).filePath("configuration.json");
    options.chooseFile = [&](bool) { return configFile; };
    app::TForm1 form(options);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    auto click = [&](const char* name) {
        QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton);
        QTest::qWait(700);
    };
    auto* ports = form.findChild<QComboBox*>("SPREALCOM");
    ports->setEditText(app::kSimulatedPortName);
    click("Button1");
    for (const char* b : {"Button3", "Button34", "Button4", "Button9", "Button32", "Button28", "Button38", "Button2",
                          "Button14", "Button11", "Button30", "Button8", "Button36"})
        click(b);

    // The configuration page after a read, a save, a change on the device and a compare.
    auto batch = [&](const char* name) {
        click(name);
        if (!QTest::qWaitFor([&] { return form.findChild<QPushButton*>("ConfigRead")->isEnabled(); }, 20000))
            qWarning("%s did not finish", name);
    };
    batch("ConfigRead");
    click("ConfigSave");
    form.Simulator()->WithDevice([](sim::Device& d) {
        d.State().message = "CHANGED ON THE DEVICE";
        d.State().interval = 42;
    });
    click("ConfigOpen");
    batch("ConfigCompare");
    // A differing row selected, so that the detail pane shows it.
    if (auto* table = form.findChild<QTableWidget*>("ConfigTable"))
        table->selectRow(10);

    auto* pages = form.findChild<QTabWidget*>("PageControl2");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QTest::qWait(100);
        form.grab().save(QString("%1/page%2.png").arg(dir).arg(page));
    }

    // Find Devices, then a minute of live values.
    pages->setCurrentIndex(0);
    QTest::mouseClick(form.findChild<QPushButton*>("FindDevices"), Qt::LeftButton);
    auto* scan = form.FindAndWatch().Dialog();
    if (!QTest::qWaitFor([&] { return !scan->Scanner().Running(); }, 30000))
        return 1;
    scan->grab().save(QString("%1/find-devices.png").arg(dir));
    scan->reject();
    form.findChild<QPushButton*>("LiveSwitch")->setChecked(true);
    QTest::qWait(argc > 2 ? QString(argv[2]).toInt() : 20000);
    form.grab().save(QString("%1/page0-live.png").arg(dir));
    form.FindAndWatch().Trend().grab().save(QString("%1/trend.png").arg(dir));
    return 0;
}
