// The goods stock query's filter: what the filter dialog's buttons append to
// the expression, and the check every expression passes before it runs.
#pragma once

#include <QString>
#include <QStringList>

class Database;

namespace queries {

// The lists of the dialog, as the clerk sees them. The column lists give the
// column in brackets from the ninth position on, the operator lists the
// operator from the sixth, positions counted as in the GB2312 text, where a
// Chinese character takes two.
extern const QStringList kTextColumns;     // "商品名称[spmc]", …
extern const QStringList kTextOperators;   // "包含 like", "开头 like", "等于 =", …
extern const QStringList kNumberColumns;   // "库存数量[kcsl]", …, and an empty item
extern const QStringList kNumberOperators; // "等于 =", "不等 <>", "大于 >", "小于 <"

// The text from a position on (1 is the first), counted as GB2312 counts.
QString fromGbPosition(const QString& text, int position);
// The first `count` positions of a text, counted likewise; padded with blanks
// to `count` when shorter.
QString gbLeft(const QString& text, int count);

// What the ">>" buttons append: " [spmc] like '%鞋%'", " [kcsl]>10",
// " splb like '01%'". The value goes in as typed.
QString textCondition(const QString& columnItem, const QString& operatorItem, const QString& value);
QString numberCondition(const QString& columnItem, const QString& operatorItem, const QString& value);
// A category as the category list shows it: its code padded or cut to four
// positions, a colon and its name.
QString categoryItem(const QString& code, const QString& name);
QString categoryCondition(const QString& item);

// The goods list's query: "select * from aspkm", then "where " and the
// expression as typed, or a single blank when the trimmed expression is empty.
QString goodsQuerySql(const QString& expression);

// Whether an expression may run: the query above must be exactly one
// statement that the engine reads as one SELECT of the goods table and
// nothing else, changing nothing. Judged by the engine itself without
// running anything (see Database::queryShape): "1=1; delete from aspkm", a
// sub-select of another table or a union are refused, as is anything that
// does not parse. An empty expression (all goods) is allowed.
bool filterAllowed(Database& db, const QString& expression);

}  // namespace queries
