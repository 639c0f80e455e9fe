// uPublic: small helpers many windows share.
#pragma once

#include <QString>

// An amount of money in Chinese capital numerals, to the fen:
// 12 -> 壹拾贰元整, 10.05 -> 壹拾元零伍分, -5 -> 负伍元整. Amounts above 1e10
// give "金额太大,不能转换".
QString MoneyToCapitals(double amount);
// The text repeated count times; empty for count <= 0.
QString RepeatText(const QString& text, int count);
// count blanks; empty for count <= 0.
QString Blanks(int count);
// The text of a document status code: "1" 未记帐, "2" 已审核, "3" 已记帐, "4" 已作废, else 未知.
QString DocumentStatusText(const QString& code);
