// Tfrmlogin: the login dialog (login name, password, business date).
#pragma once

#include <QDialog>

#include <functional>

class QDateEdit;
class QLineEdit;
class QPushButton;
class LoginRules;
class Session;
class Prompter;

class Tfrmlogin : public QDialog {
    Q_OBJECT
public:
    // setActivity writes the main window's status panel 1.
    Tfrmlogin(LoginRules& rules, Session& session, Prompter& prompter, std::function<void(const QString&)> setActivity,
              QWidget* parent = nullptr);

    bool succeeded() const { return succeeded_; }

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QDateEdit* mdate;
    QDateEdit* picksysdate;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void checkPassword();

    LoginRules& rules_;
    Session& session_;
    Prompter& prompter_;
    std::function<void(const QString&)> setActivity_;
    bool succeeded_ = false;
};

// Shows the login dialog modally; true when an operator logged in.
bool RunLogin(LoginRules& rules, Session& session, Prompter& prompter,
              std::function<void(const QString&)> setActivity, QWidget* parent = nullptr);
