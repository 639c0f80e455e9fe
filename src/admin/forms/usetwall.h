// Tfrmsetwall: the dialog naming the picture painted behind the child windows.
#pragma once

#include <QDialog>

class QLineEdit;
class Prompter;
class Session;

class Tfrmsetwall : public QDialog {
    Q_OBJECT
public:
    Tfrmsetwall(Session& session, Prompter& prompter, QWidget* parent = nullptr);
    QLineEdit* Edit1;
    // OK: writes the path as it stands; it takes effect at the next start.
    void save();

private:
    Session& session_;
    Prompter& prompter_;
};
