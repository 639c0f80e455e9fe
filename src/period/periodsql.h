// The period SQL catalogue (ASqlYmYc): the categories its statements are
// filed under. The catalogue is only kept; no routine reads it.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class DbError;
class Prompter;
class RowSet;

namespace period::periodsql {

// The name a category code fills in ("月末数据结转" for 10); none for a code
// without one (40, and codes not in use), which keeps the name it had.
std::optional<QString> categoryName(int code);
// The codes a statement may be saved under: 0, 10, 20, 30, 40, 50, 60.
bool categoryAccepted(int code);

inline constexpr const char* kInvalidCategory = "无效的SQL类别,\n不能保存";
inline constexpr const char* kDuplicate = "关键字(SQL类别码+编码)不能重复!";
inline constexpr const char* kSaveError = "记录保存错误！";

// The catalogue's rules on its row set: the name follows the code, a code
// not accepted refuses the save, a used category and number is told as a
// duplicate, any other refused save as kSaveError and then the engine's
// text. A refused row stays in editing.
void installRules(RowSet& rows, Prompter& prompter);

}  // namespace period::periodsql
