// Keys sent as from a keyboard, to whatever has the focus: typed text, and
// keys through the shortcut check first (Alt letters, F-keys).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

inline void typeText(const QString& text) {
    for (const QChar c : text) {
        QWidget* w = QApplication::focusWidget();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}
inline void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers);
    QApplication::processEvents();  // a cell editor ends on Enter a moment later
}
inline void alt(char letter) { key(Qt::Key_A + (letter - 'A'), Qt::AltModifier); }
// In a dialog a button's Alt letter is Qt's own: the button flashes, then clicks.
inline void altInDialog(char letter) {
    alt(letter);
    QTest::qWait(200);
}

inline void showActive(QWidget* w) {
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}
