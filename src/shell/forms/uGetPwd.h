// TfGetPwd: the password prompt, a box showing "*" with one OK button and no cancel.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

class TfGetPwd : public QDialog {
    Q_OBJECT
public:
    explicit TfGetPwd(QWidget* parent = nullptr);
    // Shows the prompt with an empty, focused box; the box's text when it closes.
    QString ask(const QString& prompt);

    QLabel* Label1;
    QLineEdit* Edit1;
};
