#include "support/window_driver.h"
#include "app/loop_test_dialog.h"
#include "codec/numeric.h"

#include <QApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

#include <unistd.h>

using testing::WindowDriver;

namespace {

const char* const kConnectionButtons[] = {"Button3", "Button4", "Button6", "ButtonLoopTest", "Button27", "Button34", "Button28",
                                          "Button29", "Button32", "Button33", "Button37", "Button38", "Button39"};

void Type(QWidget* w, const QString& keys)
{
    for (QChar c : keys)
        QTest::keyClick(w, c.toLatin1());
}

} // namespace

class TestTForm1 : public QObject {
    Q_OBJECT
private slots:
    void startState()
    {
        WindowDriver d;
        QCOMPARE(d.form.objectName(), "Form1");
        QCOMPARE(d.form.windowTitle(), "MODBUS-HART");
        QCOMPARE(d.form.size(), QSize(978, 679));
        QCOMPARE(d.w<QTabWidget>("PageControl2")->currentIndex(), 0);
        QCOMPARE(d.text("Button1"), "Open");
        for (const char* b : kConnectionButtons)
            QVERIFY2(!d.w<QPushButton>(b)->isEnabled(), b);
        QVERIFY(!d.w<QPushButton>("Button10")->isEnabled());
        // Buttons outside the connection set are always enabled.
        for (const char* b : {"Button2", "Button18", "Button16", "Button7", "Button11", "Button19", "Button23"})
            QVERIFY2(d.w<QPushButton>(b)->isEnabled(), b);
        QVERIFY(d.w<QGroupBox>("GroupBox4")->isHidden());
        QVERIFY(d.w<QLabel>("Label90")->isHidden());
        for (const char* l : {"Label56", "Label67", "Label68", "Label33"})
            QVERIFY2(d.text(l).isEmpty(), l);
        QVERIFY(d.w<QRadioButton>("RadioButton1")->isChecked());
        QCOMPARE(d.w<QComboBox>("ComboBox9")->currentIndex(), 0);
        QCOMPARE(d.w<QComboBox>("ComboBox3")->currentIndex(), -1);
        QCOMPARE(d.w<QComboBox>("ComboBox5")->currentIndex(), -1);
        QCOMPARE(d.text("SPREALCOM"), "COM1");
        QVERIFY(d.form.Link().Timer2().isActive());
        QVERIFY(!d.form.Link().Timer3().isActive());
        // The selector offers the simulated converter last.
        auto* ports = d.w<QComboBox>("SPREALCOM");
        QCOMPARE(ports->itemText(0), "COM1");
        QCOMPARE(ports->itemText(8), "COM9");
        QCOMPARE(ports->itemText(ports->count() - 1), app::kSimulatedPortName);
    }

    // The window closed during a loop test goes only after the loop is
    // released; the port closed under it leaves the release failed, said in red.
    void loopTestEndsWithTheWindow_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::addColumn<QList<double>>("levels");
        QTest::addColumn<bool>("released");
        QTest::newRow("window closed") << true << QList<double>{4, 0} << true;
        QTest::newRow("port closed") << false << QList<double>{4} << false;
    }
    void loopTestEndsWithTheWindow()
    {
        QFETCH(bool, closeWindow);
        QFETCH(QList<double>, levels);
        QFETCH(bool, released);
        QTemporaryDir data;
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", oldData); });
        WindowDriver d;
        d.form.show();
        QVERIFY(d.open());
        QVERIFY(d.w<QPushButton>("ButtonLoopTest")->isEnabled());
        d.w<QPushButton>("ButtonLoopTest")->click();
        auto* dialog = d.form.LoopTest();
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>("LoopPoints")->setText("4, 20");
        dialog->findChild<QPushButton*>("LoopStart")->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->findChild<QPushButton*>("LoopNext")->isEnabled(), 20000);
        QSignalSpy finished(dialog, &app::LoopTestDialog::Finished);
        if (closeWindow) {
            d.form.close();
            QVERIFY(d.form.isVisible());
        } else {
            d.close();
        }
        QVERIFY(finished.wait(20000));
        const auto result = finished.at(0).at(0).value<config::LoopTestResult>();
        QCOMPARE(result.released, released);
        QTRY_COMPARE_WITH_TIMEOUT(d.form.isVisible(), !closeWindow, 20000);
        QList<double> sent;
        d.withDevice([&](sim::Device& device) {
            for (const auto& r : device.Requests())
                if (r.command == 40 && r.data.size() == 4)
                    sent << codec::DecodeFloatBE(r.data[0], r.data[1], r.data[2], r.data[3]);
        });
        // With the port closing, the release may or may not have left before it did.
        QCOMPARE(sent.mid(0, levels.size()), levels);
        for (double level : sent.mid(levels.size()))
            QCOMPARE(level, 0.0);
        if (!closeWindow)
            QVERIFY(dialog->StatusText().contains("may still be fixed"));
    }

    void openAndClose()
    {
        WindowDriver d;
        d.setText("Edit26", "123456");
        d.setText("Edit21", "MESSAGE");
        QVERIFY(d.open());
        for (const char* b : kConnectionButtons)
            QVERIFY2(d.w<QPushButton>(b)->isEnabled(), b);
        QVERIFY(d.text("Edit26").isEmpty());
        QVERIFY(d.text("Edit21").isEmpty());
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.text("Label56"), "11");

        d.setText("Edit26", "654321");
        d.setText("Edit22", "TAG");
        d.close();
        QCOMPARE(d.text("Button1"), "Open");
        for (const char* b : kConnectionButtons)
            QVERIFY2(!d.w<QPushButton>(b)->isEnabled(), b);
        QCOMPARE(d.text("Edit26"), "654321"); // kept on closing
        QVERIFY(d.text("Edit22").isEmpty());
        QVERIFY(d.text("Edit1").isEmpty());
        for (const char* l : {"Label56", "Label67", "Label68"})
            QVERIFY2(d.text(l).isEmpty(), l);
        QCOMPARE(d.form.Comm1().IsOpen(), false);

        // A second opening starts the counters again.
        QVERIFY(d.open());
        QCOMPARE(d.form.Link().BytesSent(), 0);
        QCOMPARE(d.form.Link().BytesReceived(), 0);
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.text("Label56"), "11");
    }

    void communicationTest()
    {
        WindowDriver d;
        QVERIFY(d.open());
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.text("Edit1"), "38");
        QCOMPARE(d.text("Edit2"), "5");
        QCOMPARE(d.text("Edit3"), "5");
        QCOMPARE(d.text("Edit4"), "66051");
        QCOMPARE(d.text("Edit28"), "66051");
        QCOMPARE(d.text("Label56"), "11");
        QCOMPARE(d.text("Label67"), "24"); // 5 preambles, 18 frame bytes, checksum
        QCOMPARE(d.w<QComboBox>("ComboBox9")->currentIndex(), 0);
        QCOMPARE(d.w<QComboBox>("ComboBox3")->currentIndex(), 0);
        const auto id = d.form.Link().Buffer().identity();
        QCOMPARE(int(id.manufacturer), 0x26);
        QCOMPARE(int(id.deviceType), 5);
        QCOMPARE(int(id.identifier[2]), 3);
    }

    // Newer devices send a longer identity answer whose first twelve data bytes are the same.
    void longerIdentityAnswerIsAccepted()
    {
        WindowDriver d;
        QVERIFY(d.open());
        d.withDevice([](sim::Device& dev) { dev.SetFault(std::uint8_t{0}, {sim::FaultKind::LongIdentity, 0}); });
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.text("Edit1"), "38");
        QCOMPARE(d.text("Edit4"), "66051");
        QCOMPARE(d.text("Label67"), "34"); // byte count 24
    }

    void selectorsShowThePolledAddress()
    {
        WindowDriver d;
        QVERIFY(d.open());
        d.withDevice([](sim::Device& dev) { dev.State().pollAddress = 7; });
        d.w<QComboBox>("ComboBox9")->setCurrentIndex(7);
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.w<QComboBox>("ComboBox9")->currentIndex(), 7);
        QCOMPARE(d.w<QComboBox>("ComboBox3")->currentIndex(), 7);
        // Nobody answers at 3: only the time-out follows; the fields keep the last identity.
        d.form.Link().Timer3().setInterval(500);
        d.w<QComboBox>("ComboBox9")->setCurrentIndex(3);
        QCOMPARE(d.identify(), "Upload data timeout!");
        QCOMPARE(d.text("Edit1"), "38");
    }

    // A second press at another address before the first answer: the answer
    // still comes from the device that was found, and the selectors say so.
    void selectorsShowTheAddressThatAnswered()
    {
        WindowDriver d;
        QVERIFY(d.open());
        d.withDevice([](sim::Device& dev) { dev.State().pollAddress = 7; });
        d.w<QComboBox>("ComboBox9")->setCurrentIndex(7);
        QTest::mouseClick(d.w<QPushButton>("Button3"), Qt::LeftButton);
        d.w<QComboBox>("ComboBox9")->setCurrentIndex(3);
        QCOMPARE(d.identify(), "upload successful!");
        QCOMPARE(d.w<QComboBox>("ComboBox9")->currentIndex(), 7);
        QCOMPARE(d.w<QComboBox>("ComboBox3")->currentIndex(), 7);
        QCOMPARE(int(d.form.Link().Buffer().identity().pollingAddress), 7);
    }

    // Under a decimal-comma locale the window offers, takes and shows commas.
    void decimalCommaLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        WindowDriver d;
        for (const char* f : {"Dxishu1", "Dxishu5"})
            QCOMPARE(d.text(f), "1,000");
        auto* edit7 = d.w<QLineEdit>("Edit7");
        Type(edit7, "4,5");
        QCOMPARE(edit7->text(), "4,5");
        edit7->clear();
        Type(edit7, "4.5");
        QCOMPARE(edit7->text(), "45");

        QVERIFY(d.open());
        QCOMPARE(d.identify(), "upload successful!");
        // The parsing-format Set with the coefficients the window started with.
        for (const char* f : {"Dadr1", "Dadr2", "Dadr3", "Dadr4", "Dadr5"})
            d.setText(f, "0");
        const QString status = d.press("Button19");
        QCOMPARE(d.errors.join('|'), QString());
        QCOMPARE(status, "Write successful!");
        d.setText("Dxishu2", "0,25");
        QCOMPARE(d.press("Button19"), "Write successful!");
        QCOMPARE(d.press("Button30"), "upload successful!");
        QCOMPARE(d.text("Dxishu1"), "1");
        QCOMPARE(d.text("Dxishu2"), ",25");
    }

    void silentDeviceTimesOut()
    {
        WindowDriver d;
        QVERIFY(d.open());
        d.withDevice([](sim::Device& dev) { dev.SetFault(std::nullopt, {sim::FaultKind::NoAnswer, 0}); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(d.identify(), "Upload data timeout!");
        QVERIFY2(clock.elapsed() >= 2900 && clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(d.text("Edit1").isEmpty());
    }

    void openFailureLeavesOpen()
    {
        WindowDriver d;
        QVERIFY(!d.open("/dev/no-such-serial-port"));
        QCOMPARE(d.text("Button1"), "Open");
        QCOMPARE(d.errors.size(), 1);
        QVERIFY2(d.errors[0].startsWith("Error opening serial port"), qPrintable(d.errors[0]));
        QVERIFY2(d.errors[0].contains("No such file or directory"), qPrintable(d.errors[0]));
        for (const char* b : kConnectionButtons)
            QVERIFY2(!d.w<QPushButton>(b)->isEnabled(), b);
    }

    // The real message box: modal, critical, and the window goes on afterwards.
    void openFailureShowsAMessageBox()
    {
        app::TForm1 form;
        auto* ports = form.findChild<QComboBox*>("SPREALCOM");
        ports->setEditText("/dev/no-such-serial-port");
        QString shown;
        QTimer::singleShot(100, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                shown = box->text();
                QCOMPARE(box->icon(), QMessageBox::Critical);
                box->accept();
            }
        });
        QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QVERIFY2(shown.startsWith("Error opening serial port"), qPrintable(shown));
        QCOMPARE(form.findChild<QPushButton*>("Button1")->text(), "Open");
    }

    void notATerminalIsRefused()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        WindowDriver d;
        QVERIFY(!d.open(file.fileName()));
        QCOMPARE(d.errors.value(0).section('\n', 0, 0), "File handle is not a comm handle ");
    }

    void hiddenGroup()
    {
        WindowDriver d;
        auto* pages = d.w<QTabWidget>("PageControl2");
        auto* group = d.w<QGroupBox>("GroupBox4");
        d.form.show();
        pages->setCurrentIndex(2);
        QVERIFY(group->isHidden());
        QTest::mouseClick(d.w<QLabel>("Label71"), Qt::LeftButton);
        QVERIFY(!group->isHidden());
        pages->setCurrentIndex(0);
        QVERIFY(group->isHidden());
        pages->setCurrentIndex(2);
        QVERIFY(group->isHidden());
        QTest::mouseClick(d.w<QLabel>("Label70"), Qt::LeftButton);
        QVERIFY(!group->isHidden());
        // The group's buttons are never disabled.
        QVERIFY(d.w<QPushButton>("Button16")->isEnabled());
        QVERIFY(d.w<QPushButton>("Button7")->isEnabled());
    }

    void keyFiltersInTheWindow()
    {
        WindowDriver d;
        auto* year = d.w<QLineEdit>("Edit24");
        Type(year, "20234");
        QCOMPARE(year->text(), "2023");
        Type(year, "a");
        QCOMPARE(year->text(), "2023");
        QTest::keyClick(year, Qt::Key_Backspace);
        QCOMPARE(year->text(), "202");

        // The serial number filter switches its Set button, even with the port closed.
        auto* serial = d.w<QLineEdit>("Edit28");
        auto* set = d.w<QPushButton>("Button37");
        Type(serial, "1234567");
        QVERIFY(!set->isEnabled());
        Type(serial, "8");
        QVERIFY(set->isEnabled());
        Type(serial, "9");
        QCOMPARE(serial->text(), "12345678");
        QVERIFY(!set->isEnabled());
    }

    // Keyboard use: Enter presses the focused button, Tab on the sixth page runs
    // through its own controls before the status panel, Ctrl+Tab switches pages.
    void hands()
    {
        WindowDriver d;
        d.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        QApplication::setActiveWindow(&d.form);

        auto* query = d.w<QPushButton>("Button2");
        query->setFocus();
        QSignalSpy pressed(query, &QPushButton::clicked);
        int presses = 0;
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(query, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            ++presses;
            QTRY_COMPARE(pressed.count(), presses);
        }

        auto* tabs = d.w<QTabWidget>("PageControl2");
        QWidget* traffic = d.w("TrafficButton");
        tabs->setCurrentIndex(5);
        QWidget* page = tabs->widget(5);
        QList<QWidget*> pageControls;
        for (QWidget* w : page->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                pageControls << w;
        QVERIFY(!pageControls.isEmpty());
        tabs->tabBar()->setFocus();
        QList<QWidget*> seen;
        for (int i = 0; i < 60 && QApplication::focusWidget() != traffic; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget();
        }
        QCOMPARE(QApplication::focusWidget(), traffic);
        for (QWidget* w : pageControls)
            QVERIFY2(seen.contains(w), qPrintable(w->objectName() + " comes after the status panel"));

        tabs->setCurrentIndex(0);
        d.w("Edit1")->setFocus();
        QTest::keyClick(d.w("Edit1"), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    // The status panel names the batch path's holder of the line, and counts
    // the bytes it receives as the buttons' are counted; the original row of
    // the panel does not move for the text.
    void lineHolderShown_data()
    {
        QTest::addColumn<hart::LineClient>("who");
        QTest::addColumn<QString>("text");
        QTest::newRow("a button's request") << hart::LineClient::Button << "";
        QTest::newRow("a configuration batch") << hart::LineClient::Batch << "Line: configuration batch";
        QTest::newRow("the scan") << hart::LineClient::Scan << "Line: scan";
        QTest::newRow("live values") << hart::LineClient::Live << "Line: live values";
    }
    void lineHolderShown()
    {
        QFETCH(hart::LineClient, who);
        QFETCH(QString, text);
        WindowDriver d;
        d.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        auto* label = d.w<QLabel>("LineHolderLabel");
        QList<QRect> original;
        for (const char* name : {"Label48", "Label56", "Label52", "Label67", "Label65", "Label68"})
            original << d.w<QWidget>(name)->geometry();
        QObject holder;
        d.form.LineOwner().Claim(who, &holder, {});
        QCOMPARE(label->text(), text);
        const std::uint8_t bytes[5] = {0xFF, 0xFF, 0xFF, 0x86, 0x00};
        d.form.LineOwner().Deliver(bytes);
        QCOMPARE(d.text("Label67"), QString("5"));
        QApplication::processEvents();
        QList<QRect> now;
        for (const char* name : {"Label48", "Label56", "Label52", "Label67", "Label65", "Label68"})
            now << d.w<QWidget>(name)->geometry();
        QCOMPARE(now, original);
        d.form.LineOwner().Release(&holder);
        QCOMPARE(label->text(), QString());
    }

    void closingTheWindowClosesThePort()
    {
        WindowDriver d;
        QVERIFY(d.open());
        QVERIFY(d.form.Comm1().IsOpen());
        d.form.close();
        QVERIFY(!d.form.Comm1().IsOpen());
    }
};

Q_DECLARE_METATYPE(hart::LineClient)

QTEST_MAIN(TestTForm1)
#include "test_tform1.moc"
