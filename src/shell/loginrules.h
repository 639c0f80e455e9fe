// The login, logout and password-change rules behind the login dialog and
// the session commands.
#pragma once

#include <QDate>
#include <QString>

class Tfdbm;
class Session;
class Prompter;

class LoginRules {
public:
    enum class Outcome { Succeeded, UnknownName, WrongPassword, NoRight };

    static constexpr const char* kNoRight = "对不起,您无权使用本软件系统!!!";

    LoginRules(Tfdbm& dbm, Session& session, Prompter& prompter) : dbm_(dbm), session_(session), prompter_(prompter) {}

    // The login dialog's OK: finds the operator by login name (without
    // regard to case), checks the password exactly, takes name and rights,
    // writes the work log and marks the operator logged in. In every case
    // the business date becomes the one picked.
    Outcome checkPassword(const QString& loginName, const QString& password, const QDate& businessDate);

    // Logout: the session ends and the operator's row is marked logged out.
    void logout();
    // A confirmed exit: the operator's row is marked logged out.
    void markLoggedOut();
    // The password command: old password, new one twice, stored as typed.
    void changePassword();

private:
    void setLoggedInState(bool on);

    Tfdbm& dbm_;
    Session& session_;
    Prompter& prompter_;
};
