// Tfrmwait: the wait box long operations show while they block the window.
#pragma once

#include <QDialog>

class QLabel;

class Tfrmwait : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmwait(QWidget* parent = nullptr);
    QLabel* Label1;
};

// A new box with the text, shown and painted at once; the global reference
// now points to it (a box shown before stays on screen).
void ShowWaitBox(const QString& text);
// Destroys the box the global reference points to; safe with none, and twice.
void HideWaitBox();
// The box the global reference points to, for tests.
Tfrmwait* currentWaitBox();
