// Tfrmsetwall: the dialog naming the picture painted behind the child windows.
#pragma once

#include <QDialog>

#include "shell/appcontext.h"

class QLineEdit;

class Tfrmsetwall : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmsetwall(const AppContext& context, QWidget* parent = nullptr);
    QLineEdit* Edit1;
    // OK: writes the path as it stands; it takes effect at the next start.
    void save();

private:
    Session& session_;
    Prompter& prompter_;
};
