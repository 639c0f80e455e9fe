// GoodsStock: the cursors of the goods stock query — the goods list with its
// computed columns, narrowed by a filter, and the goods and sales ledgers of
// the current goods item.
#pragma once

#include "database/rowset.h"

class Prompter;

namespace queries {

// The large-package columns of a goods row. Without a package (Scale Null,
// 1, or not a positive size) the base unit and the stock as it stands;
// otherwise the package unit with its size, 箱(12ｘ), and the stock in
// packages, unrounded (30 at 12 a package is 2.5).
QString packageUnitText(const QVariant& baseUnit, const QVariant& packageUnit, const QVariant& scale);
QVariant packageQuantity(const QVariant& stock, const QVariant& scale);

class GoodsStock {
public:
    GoodsStock(Database& db, Prompter& prompter);

    RowSet dbspk;   // the goods list: editable in the goods boxes, saved as the row moves
    RowSet dbsplb;  // categories, for the name column
    RowSet sqlmxz;  // goods ledger of the current goods item, in entry order
    RowSet sqllsz;  // sales ledger of the current goods item, in entry order

    // Every goods item, sorted by code. The wait box is the caller's.
    void open();
    // "筛选": the list read again under the expression (all goods when it
    // is blank). An expression that is not one plain condition on the goods,
    // or that the engine refuses, gives "无效的过滤表达式!" and an empty list
    // until a valid one is applied; false then.
    bool applyFilter(const QString& expression);
    QString expression() const { return expression_; }

    void find(const QString& text);
    void findNext(const QString& text);

private:
    void readGoods(const QString& where);
    Database& db_;
    Prompter& prompter_;
    QString expression_;
};

}  // namespace queries
