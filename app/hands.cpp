#include "app/hands.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace app {

namespace {

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat())
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!button || !button->isEnabled() || !button->hasFocus())
            return false;
        button->animateClick();
        return true;
    }
};

} // namespace

void EnterPressesButtons(QWidget* window)
{
    auto* filter = new EnterPresses(window);
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        b->installEventFilter(filter);
}

void TabThroughPageBefore(QWidget* page, QWidget* after)
{
    // The last widget of the page in the focus chain, then `after` right behind it.
    QWidget* last = nullptr;
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus))
            last = w;
    if (last)
        QWidget::setTabOrder(last, after);
}

} // namespace app
