// Tfrmshut: power off, log off or restart, asked of the desktop session.
#pragma once

#include "admin/sessionend.h"

#include <QDialog>

class Prompter;
class QComboBox;
class QLabel;

class Tfrmshut : public QDialog {
    Q_OBJECT
public:
    // run carries the requests to the system (tests put a recorder there).
    Tfrmshut(Prompter& prompter, sessionend::Runner run, QWidget* parent = nullptr);

    // 确定[&K]: the chosen entry's question, then the request.
    void confirm();

    QComboBox* choice;
    QLabel* hint;

private:
    Prompter& prompter_;
    sessionend::Runner run_;
};
