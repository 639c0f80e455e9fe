// Rules every master-data list shares.
#pragma once

#include <QString>

#include <functional>

class DbError;
class Prompter;
class RowSet;

namespace masterdata {

// A save or delete the database refused: "关键字(编码)不能重复!" for a
// duplicate code, the conflict text for a row another workstation changed,
// otherwise "记录不能保存！" and the database's own text. The row stays in edit.
std::function<void(const DbError&)> writeErrorMessages(Prompter& prompter);

inline constexpr const char* kEmptyCode = "编码不能为空，请输入编码!";

// Master data is keyed by its code: a row without one is refused with
// kEmptyCode and stays in editing.
bool codeGiven(RowSet& rows, const QString& codeField, Prompter& prompter);

// Deleting asks "是否要删除当前记录？" (OK/Cancel); Cancel keeps the row.
std::function<bool()> deleteQuestion(Prompter& prompter);

// Numeric fields left Null become 0 when the row is saved.
void nullsToZero(RowSet& rows, std::initializer_list<const char*> fields);

// Code tables (categories, departments, salespeople): the delete question,
// the code check and the save messages.
void installCodeTableRules(RowSet& rows, Prompter& prompter);

// Suppliers and customers: new rows start with zero balances, Null balances
// become 0 on save, nothing is derived; the code check, the delete question
// and save messages.
void installPartyRules(RowSet& parties, Prompter& prompter);

}  // namespace masterdata
