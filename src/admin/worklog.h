// The work log (Agzrz) as the administrator keeps it: who is in it, clearing it.
#pragma once

#include <QStringList>

class Database;
class Tfdbm;

namespace worklog {

inline constexpr const char* kCleared = "删除当前的系统工作日志";

// The names of the operators, in the table's stored order, for the operator
// filter; two operators of the same name are listed twice.
QStringList operatorNames(Database& db);

// Deletes every row and writes the one row telling so for the current
// operator, both or neither. Failures propagate.
void clear(Tfdbm& dbm);

}  // namespace worklog
