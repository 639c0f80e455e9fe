#include "shell/forms/entermovesfocus.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>

void EnterMovesFocus::install(std::initializer_list<QWidget*> controls) {
    for (QWidget* w : controls) {
        w->installEventFilter(new EnterMovesFocus(w));
        // Date and number boxes take their keys in an inner text box.
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
            if (auto* inner = spin->findChild<QLineEdit*>()) inner->installEventFilter(new EnterMovesFocus(w));
    }
}

bool EnterMovesFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    Q_UNUSED(watched);
    // The next control of the window, as Tab would go; a date box's own
    // parts (which Tab walks through) are not controls of their own.
    auto* control = static_cast<QWidget*>(parent());
    for (QWidget* next = control->nextInFocusChain(); next != control; next = next->nextInFocusChain()) {
        if (control->isAncestorOf(next) || next->focusProxy() || !next->isVisible() || !next->isEnabled() ||
            !(next->focusPolicy() & Qt::TabFocus))
            continue;
        next->setFocus(Qt::TabFocusReason);
        break;
    }
    return true;
}
