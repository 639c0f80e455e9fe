// Tfrmsetsysdate: the dialog that changes the business date.
#pragma once

#include <QDialog>

#include <functional>

class QDateEdit;

class Tfrmsetsysdate : public QDialog {
    Q_OBJECT
public:
    // setActivity writes the main window's status panel 1.
    Tfrmsetsysdate(const QDate& businessDate, std::function<void(const QString&)> setActivity, QWidget* parent = nullptr);
    QDateEdit* ndate;

protected:
    bool event(QEvent* event) override;

private:
    std::function<void(const QString&)> setActivity_;
};
