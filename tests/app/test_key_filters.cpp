#include "app/form1_ui.h"
#include "app/key_filters.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using app::KeyRule;

Q_DECLARE_METATYPE(app::KeyRule)

class TestKeyFilters : public QObject {
    Q_OBJECT

    QWidget form_;
    app::Form1Ui ui_;

    QLineEdit* EditFor(KeyRule rule) const;
    void Focus(QLineEdit* edit);

private slots:
    void initTestCase();
    void acceptKey_data();
    void acceptKey();
    void buttonState_data();
    void buttonState();
    void typing_data();
    void typing();
    void switchedButtons_data();
    void switchedButtons();
    void editingKeysPass();
    void tabMovesFocus();
    void pasteShortcutRefused();
    void pasteOutsideTheKeyboardIsNotFiltered();
    void othersFieldsUnfiltered();
};

QLineEdit* TestKeyFilters::EditFor(KeyRule rule) const
{
    switch (rule) {
    case KeyRule::Edit7:
        return ui_.Edit7;
    case KeyRule::Edit24:
        return ui_.Edit24;
    case KeyRule::Edit25:
        return ui_.Edit25;
    case KeyRule::Edit29:
        return ui_.Edit29;
    case KeyRule::Edit28:
        return ui_.Edit28;
    case KeyRule::Edit26:
        return ui_.Edit26;
    }
    return nullptr;
}

void TestKeyFilters::Focus(QLineEdit* edit)
{
    for (int page = 0; page < ui_.PageControl2->count(); ++page) {
        if (ui_.PageControl2->widget(page)->isAncestorOf(edit))
            ui_.PageControl2->setCurrentIndex(page);
    }
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
}

void TestKeyFilters::initTestCase()
{
    ui_.setupUi(&form_);
    form_.show();
    form_.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form_));
}

void TestKeyFilters::acceptKey_data()
{
    QTest::addColumn<KeyRule>("rule");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    struct Limit {
        KeyRule rule;
        const char* name;
        int lastAccepting; // longest text that still takes a character
    };
    const Limit limits[]
        = {{KeyRule::Edit7, "Edit7", 4}, {KeyRule::Edit24, "Edit24", 3}, {KeyRule::Edit25, "Edit25", 1},
            {KeyRule::Edit29, "Edit29", 1}, {KeyRule::Edit28, "Edit28", 7}, {KeyRule::Edit26, "Edit26", 9}};
    for (const Limit& l : limits) {
        QTest::addRow("%s digit at limit", l.name) << l.rule << QChar('7') << l.lastAccepting << true;
        QTest::addRow("%s digit past limit", l.name) << l.rule << QChar('7') << l.lastAccepting + 1 << false;
        QTest::addRow("%s 0 empty", l.name) << l.rule << QChar('0') << 0 << true;
        QTest::addRow("%s 9 empty", l.name) << l.rule << QChar('9') << 0 << true;
        QTest::addRow("%s backspace past limit", l.name) << l.rule << QChar(8) << 99 << true;
        QTest::addRow("%s backspace empty", l.name) << l.rule << QChar(8) << 0 << true;
        QTest::addRow("%s letter", l.name) << l.rule << QChar('a') << 0 << false;
        QTest::addRow("%s minus", l.name) << l.rule << QChar('-') << 0 << false;
        QTest::addRow("%s blank", l.name) << l.rule << QChar(' ') << 0 << false;
        QTest::addRow("%s ctrl-v", l.name) << l.rule << QChar(0x16) << 0 << false;
        QTest::addRow("%s ctrl-c", l.name) << l.rule << QChar(0x03) << 0 << false;
        QTest::addRow("%s return", l.name) << l.rule << QChar('\r') << 0 << false;
        QTest::addRow("%s delete char", l.name) << l.rule << QChar(0x7F) << 0 << false;
        QTest::addRow("%s full-width digit", l.name) << l.rule << QChar(0xFF11) << 0 << false;
        QTest::addRow("%s arabic-indic digit", l.name) << l.rule << QChar(0x0661) << 0 << false;
        QTest::addRow("%s slash", l.name) << l.rule << QChar('/') << 0 << false; // just below '0'
        QTest::addRow("%s colon", l.name) << l.rule << QChar(':') << 0 << false; // just above '9'
        QTest::addRow("%s full stop", l.name) << l.rule << QChar('.') << 0 << (l.rule == KeyRule::Edit7);
    }
    QTest::newRow("Edit7 full stop past limit") << KeyRule::Edit7 << QChar('.') << 5 << false;
    QTest::newRow("Edit7 comma") << KeyRule::Edit7 << QChar(',') << 0 << false;
}

void TestKeyFilters::acceptKey()
{
    QFETCH(KeyRule, rule);
    QFETCH(QChar, key);
    QFETCH(int, length);
    QFETCH(bool, accepted);
    QCOMPARE(app::AcceptKey(rule, key, length), accepted);
}

void TestKeyFilters::buttonState_data()
{
    QTest::addColumn<KeyRule>("rule");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("enabled");
    for (int length = 0; length <= 11; ++length) {
        QTest::addRow("Edit28 at %d", length) << KeyRule::Edit28 << length << (length == 7);
        QTest::addRow("Edit26 at %d", length) << KeyRule::Edit26 << length << (length == 6);
    }
}

void TestKeyFilters::buttonState()
{
    QFETCH(KeyRule, rule);
    QFETCH(int, length);
    QFETCH(bool, enabled);
    QVERIFY(app::SwitchesButton(rule));
    QCOMPARE(app::ButtonEnabledAfterKey(rule, length), enabled);
}

// Keys typed into the fields of a real form, through the installed filters.
void TestKeyFilters::typing_data()
{
    QTest::addColumn<KeyRule>("rule");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("year stops at four") << KeyRule::Edit24 << ""
                                        << "20234"
                                        << "2023";
    QTest::newRow("year refuses letters") << KeyRule::Edit24 << "20"
                                          << "a"
                                          << "20";
    QTest::newRow("year refuses blanks and signs") << KeyRule::Edit24 << ""
                                                   << " -+1"
                                                   << "1";
    QTest::newRow("month two digits") << KeyRule::Edit25 << ""
                                      << "123"
                                      << "12";
    QTest::newRow("day two digits") << KeyRule::Edit29 << ""
                                    << "3x15"
                                    << "31";
    QTest::newRow("mA with full stop") << KeyRule::Edit7 << ""
                                       << "12.345"
                                       << "12.34";
    QTest::newRow("mA refuses comma") << KeyRule::Edit7 << ""
                                      << "1,5"
                                      << "15";
    QTest::newRow("mA two stops pass") << KeyRule::Edit7 << ""
                                       << "1..2"
                                       << "1..2";
    QTest::newRow("serial eight digits") << KeyRule::Edit28 << ""
                                         << "1234567890"
                                         << "12345678";
    QTest::newRow("assembly ten digits") << KeyRule::Edit26 << ""
                                         << "123456789012"
                                         << "1234567890";
    QTest::newRow("assembly refuses full stop") << KeyRule::Edit26 << ""
                                                << "1.5"
                                                << "15";
}

void TestKeyFilters::typing()
{
    QFETCH(KeyRule, rule);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QLineEdit* edit = EditFor(rule);
    Focus(edit);
    edit->setText(before);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), after);
    // Backspace always works, even at the limit.
    const qsizetype length = edit->text().size();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), after.left(std::max<qsizetype>(0, length - 1)));
}

// Every typed character, refused or not, sets the switched button from the length before the key.
void TestKeyFilters::switchedButtons_data()
{
    QTest::addColumn<bool>("serial"); // Edit28/Button37, else Edit26/Button39
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("serial: seventh digit") << true << "123456" << int(Qt::Key_7) << "1234567" << false;
    QTest::newRow("serial: eighth digit enables") << true << "1234567" << int(Qt::Key_8) << "12345678" << true;
    QTest::newRow("serial: ninth digit refused, disables")
        << true << "12345678" << int(Qt::Key_9) << "12345678" << false;
    QTest::newRow("serial: refused letter at seven still enables")
        << true << "1234567" << int(Qt::Key_A) << "1234567" << true;
    QTest::newRow("serial: backspace from eight disables")
        << true << "12345678" << int(Qt::Key_Backspace) << "1234567" << false;
    QTest::newRow("serial: backspace at seven enables")
        << true << "1234567" << int(Qt::Key_Backspace) << "123456" << true;
    QTest::newRow("assembly: seventh digit enables") << false << "123456" << int(Qt::Key_7) << "1234567" << true;
    QTest::newRow("assembly: sixth digit") << false << "12345" << int(Qt::Key_6) << "123456" << false;
    QTest::newRow("assembly: eleventh digit refused")
        << false << "1234567890" << int(Qt::Key_1) << "1234567890" << false;
    QTest::newRow("assembly: refused letter at six enables") << false << "123456" << int(Qt::Key_X) << "123456" << true;
}

void TestKeyFilters::switchedButtons()
{
    QFETCH(bool, serial);
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, after);
    QFETCH(bool, enabled);
    QLineEdit* edit = serial ? ui_.Edit28 : ui_.Edit26;
    QPushButton* button = serial ? ui_.Button37 : ui_.Button39;
    QPushButton* other = serial ? ui_.Button39 : ui_.Button37;
    Focus(edit);
    edit->setText(before);
    button->setEnabled(!enabled);
    other->setEnabled(true);
    QTest::keyClick(edit, Qt::Key(key));
    QCOMPARE(edit->text(), after);
    QCOMPARE(button->isEnabled(), enabled);
    QVERIFY(other->isEnabled());

    // Keys that type nothing leave the button alone.
    button->setEnabled(!enabled);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_End);
    QCOMPARE(button->isEnabled(), !enabled);
}

void TestKeyFilters::editingKeysPass()
{
    QLineEdit* edit = ui_.Edit24;
    Focus(edit);
    edit->setText("2023");
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Left);
    QCOMPARE(edit->cursorPosition(), 3);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("202"));
    QTest::keyClick(edit, Qt::Key_Home);
    QCOMPARE(edit->cursorPosition(), 0);
    QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(edit->selectedText(), QStringLiteral("202"));
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QString());
    // Delete arrives with the DEL character as text on X11; it is an editing key, not a typed one.
    edit->setText("12");
    edit->home(false);
    QKeyEvent x11Delete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(edit, &x11Delete);
    QCOMPARE(edit->text(), QStringLiteral("2"));
}

void TestKeyFilters::tabMovesFocus()
{
    Focus(ui_.Edit24);
    QTest::keyClick(ui_.Edit24, Qt::Key_Tab);
    QVERIFY(!ui_.Edit24->hasFocus());
}

void TestKeyFilters::pasteShortcutRefused()
{
    QApplication::clipboard()->setText(QStringLiteral("19"));
    QAction windowPaste(&form_);
    windowPaste.setShortcut(QKeySequence::Paste);
    form_.addAction(&windowPaste);
    QSignalSpy fired(&windowPaste, &QAction::triggered);

    for (QLineEdit* edit : {ui_.Edit24, ui_.Edit7, ui_.Edit28}) {
        Focus(edit);
        edit->setText("1");
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        // The form of the key press a real X11 keyboard produces: Ctrl+V with the SYN character.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QApplication::sendEvent(edit, &press);
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }
    // The field keeps the shortcut to itself rather than passing it to the window.
    QCOMPARE(fired.count(), 0);
    form_.removeAction(&windowPaste);
}

void TestKeyFilters::pasteOutsideTheKeyboardIsNotFiltered()
{
    QLineEdit* edit = ui_.Edit24;
    Focus(edit);
    edit->clear();
    QApplication::clipboard()->setText(QStringLiteral("12ab345"));
    edit->paste(); // what the context menu's Paste does
    QCOMPARE(edit->text(), QStringLiteral("12ab345"));
    edit->clear();
    edit->insert(QStringLiteral("x.y"));
    QCOMPARE(edit->text(), QStringLiteral("x.y"));
    edit->clear();
}

void TestKeyFilters::othersFieldsUnfiltered()
{
    for (QLineEdit* edit : {ui_.Edit21, ui_.Edit13, ui_.Camd1}) {
        Focus(edit);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Ab 1.-"));
        QCOMPARE(edit->text(), QStringLiteral("Ab 1.-"));
        edit->clear();
    }
}

QTEST_MAIN(TestKeyFilters)
#include "test_key_filters.moc"
