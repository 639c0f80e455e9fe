// The rules of the operator list (Aczqx): the protected system chief, the
// save checks, the administrator right and the rights text.
#pragma once

#include <QString>

class Prompter;
class RowSet;
class RowView;

class OperatorRules {
public:
    static constexpr const char* kChief = "admin";
    static constexpr const char* kChiefProtected = "系统管理员不可以被修改或删除！";
    // What the password box shows of a stored password, whatever its length.
    static constexpr const char* kPasswordShown = "************";

    // Installs the rules as the row set's hooks.
    OperatorRules(RowSet& operators, Prompter& prompter);

    // opright: one character per right R1..R16, "1" where it is true.
    static QString rightsText(const RowView& row);

    // A password typed for the current row: it goes into the row as typed and
    // is stored through the hash when the row is saved. False when the row
    // may not be edited (the system chief).
    bool typePassword(const QString& password);
    // Whether the current row's password is the one just typed, not yet saved.
    bool passwordTyped() const { return passwordTyped_; }

private:
    bool beforeEdit();
    bool beforePost();
    bool beforeDelete();

    RowSet& rows_;
    Prompter& prompter_;
    bool passwordTyped_ = false;
};
