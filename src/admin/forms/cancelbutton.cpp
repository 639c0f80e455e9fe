#include "admin/forms/cancelbutton.h"

#include <QAbstractButton>
#include <QKeyEvent>

CancelButton::CancelButton(QWidget* window, QAbstractButton* button) : QObject(window), button_(button) {}

void CancelButton::install(QWidget* window, QAbstractButton* button) {
    window->installEventFilter(new CancelButton(window, button));
}

bool CancelButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    button_->click();
    return true;
}
