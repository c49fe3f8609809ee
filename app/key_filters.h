#pragma once

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

namespace app {

// The six fields whose typed characters are filtered, named after the field.
enum class KeyRule {
    Edit7,  // "Other Output" mA value: digits and the decimal separator, at most 5 characters
    Edit24, // year: at most 4 digits
    Edit25, // month: at most 2 digits
    Edit29, // day: at most 2 digits
    Edit28, // sensor serial number: at most 8 digits; switches Button37
    Edit26, // final assembly number: at most 10 digits; switches Button39
};

inline constexpr char16_t kBackspace = 8;

// Whether a typed character reaches the field; lengthBefore is the field's text length before the key.
// decimalSeparator is the one the field's text is parsed with.
bool AcceptKey(KeyRule rule, QChar key, int lengthBefore, QChar decimalSeparator = u'.');

// Whether the rule switches a button on every typed character (Edit28, Edit26).
bool SwitchesButton(KeyRule rule);

// The enabled state a switching rule gives its button for a key typed at lengthBefore, accepted or not.
bool ButtonEnabledAfterKey(KeyRule rule, int lengthBefore);

// Applies a KeyRule to the key presses of one line edit. Only typed characters are judged: key events without
// text (cursor keys, Home/End, selection), Delete and Tab/Backtab pass untouched, so editing and focus moves work.
// Ctrl+V arrives as a character (0x16 from X11, 'v' from synthetic events) and is refused like any other: the line
// edit claims the Paste shortcut for itself, so it comes as a key press and no window-wide shortcut takes it. The
// context menu's Paste and programmatic insert() are not key events and pass.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    KeyFilter(QLineEdit* edit, KeyRule rule, QWidget* buttonToSwitch);

    KeyRule rule() const { return rule_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    KeyRule rule_;
    QPointer<QWidget> button_;
};

// Installs a filter owned by the edit; returns it.
KeyFilter* InstallKeyFilter(QLineEdit* edit, KeyRule rule, QWidget* buttonToSwitch = nullptr);

} // namespace app
