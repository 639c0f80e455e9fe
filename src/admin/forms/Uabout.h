// Tfrmabout: the about box — the program, who is logged in, where it works.
#pragma once

#include <QDialog>

#include <functional>

class Session;
class QLabel;

class Tfrmabout : public QDialog {
    Q_OBJECT
public:
    // setActivity writes the main window's status panel 1.
    Tfrmabout(const Session& session, std::function<void(const QString&)> setActivity, QWidget* parent = nullptr);

    QLabel* operatorLine;
    QLabel* programPath;
    QLabel* dataPath;

protected:
    bool event(QEvent* event) override;

private:
    const Session& session_;
    std::function<void(const QString&)> setActivity_;
};
