#include "app/key_filters.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace app {

namespace {

bool IsDigit(QChar key) { return key >= u'0' && key <= u'9'; }

// Longest text (before the key) that still takes one more character.
int LastAcceptingLength(KeyRule rule)
{
    switch (rule) {
    case KeyRule::Edit7:
        return 4;
    case KeyRule::Edit24:
        return 3;
    case KeyRule::Edit25:
    case KeyRule::Edit29:
        return 1;
    case KeyRule::Edit28:
        return 7;
    case KeyRule::Edit26:
        return 9;
    }
    return -1;
}

} // namespace

bool AcceptKey(KeyRule rule, QChar key, int lengthBefore, QChar decimalSeparator)
{
    if (key == QChar(kBackspace))
        return true;
    const bool allowed = IsDigit(key) || (rule == KeyRule::Edit7 && key == decimalSeparator);
    return allowed && lengthBefore <= LastAcceptingLength(rule);
}

bool SwitchesButton(KeyRule rule) { return rule == KeyRule::Edit28 || rule == KeyRule::Edit26; }

bool ButtonEnabledAfterKey(KeyRule rule, int lengthBefore)
{
    switch (rule) {
    case KeyRule::Edit28:
        return lengthBefore == 7;
    case KeyRule::Edit26:
        return lengthBefore == 6;
    default:
        return false;
    }
}

KeyFilter::KeyFilter(QLineEdit* edit, KeyRule rule, QWidget* buttonToSwitch)
    : QObject(edit), edit_(edit), rule_(rule), button_(buttonToSwitch)
{ }

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (key->text().isEmpty() || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Tab
        || key->key() == Qt::Key_Backtab)
        return false;

    const int lengthBefore = int(edit_->text().size());
    const QString separator = QLocale().decimalPoint();
    const bool accepted
        = AcceptKey(rule_, key->text().front(), lengthBefore, separator.isEmpty() ? QChar(u'.') : separator.front());
    if (SwitchesButton(rule_) && button_)
        button_->setEnabled(ButtonEnabledAfterKey(rule_, lengthBefore));
    return !accepted;
}

KeyFilter* InstallKeyFilter(QLineEdit* edit, KeyRule rule, QWidget* buttonToSwitch)
{
    auto* filter = new KeyFilter(edit, rule, buttonToSwitch);
    // With an input method composing text, characters would arrive as QInputMethodEvent and miss the filter.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(filter);
    return filter;
}

} // namespace app
