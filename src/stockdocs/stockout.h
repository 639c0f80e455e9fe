// The stock-out document: goods sold and delivered to a customer (ASPCKD,
// ASPCKDD), the walk-in customer's retail sales among them.
#pragma once

#include "documents/documentkind.h"
#include "documents/documentrules.h"

#include <QStringList>

namespace stockout {

// The walk-in customer "散户" of retail sales: its name is typed on each
// document, and it never buys on account.
inline const QString kWalkIn = "0000";
// The ways of sale: retail and cash are paid at once, "记帐" goes on account.
inline const QStringList kWaysOfSale{"零售", "现金", "记帐"};
inline const QString kOnAccount = "记帐";
inline const QString kWalkInOnAccount = "散户不允许进行欠帐!";
// A stock-out line counts base units; posting refuses a line with a package size.
inline QString packagedLine(const QString& line, const QString& goods, const QString& packageSize) {
    return QString("出库单第 %1 行(商品 %2)的包装类型为 %3，出库只能按基本单位(包装类型 1)，不能记帐！")
        .arg(line, goods, packageSize);
}

// Tables, counter ykckdh, customers, "C" ledger numbers, repspxsd.frf, and
// the posting: every line lowers its goods' stock and slot stock at the
// unchanged average cost, raises the issue counters and sales amounts, and
// leaves a row in the goods, sales and customer flow ledgers; the total goes
// to the customer's account, on account or paid at once, with one detail row.
const DocumentKind& kind();

}  // namespace stockout

// The stock-out window's rules: the shared document rules with the
// customer's messages, the walk-in customer, prices by the way of sale, the
// quantity kept as the sum of the sizes, and the stock warnings.
class StockOutRules : public DocumentRules {
public:
    StockOutRules(const Context& context, RowSet& header, RowSet& lines, RowSet& goods, RowSet& customers)
        : DocumentRules(stockout::kind(), context, header, &lines, goods, customers) {}

    // The customer's name is typed only for the walk-in customer; for any
    // other it is the name the customer list holds.
    bool customerNameTyped() const;

protected:
    QString missingPartyMessage() const override { return "不存在的部门代码!"; }
    QString unknownGoodsTyped() const override { return "编码不存的商品,请重新录入,[F2]代码帮助."; }
    QString unknownGoodsSaved() const override { return "编码不存在的商品,请重新录入,[F2]代码帮助."; }
    void newHeaderDefaults() override;
    bool checkHeader() override;
    void newLineDefaults() override;
    void goodsEntered() override;
    bool checkLine() override;
    void installKindRules() override;

private:
    void stockWarning();
    bool fillingLine_ = false;  // a new line's starting values: the sizes do not make its quantity
};
