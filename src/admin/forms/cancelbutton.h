// The cancel button of a child window: Esc that no control of the window
// took presses it (the SQL console and the address book print on Esc).
#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

class CancelButton : public QObject {
public:
    static void install(QWidget* window, QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CancelButton(QWidget* window, QAbstractButton* button);
    QAbstractButton* button_;
};
