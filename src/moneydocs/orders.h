// Purchase orders (AOrders, AOrdersD): goods ordered from a supplier by
// package and size. Kept and printed, never posted: no stock, account or
// ledger moves.
#pragma once

#include "documents/documentkind.h"
#include "documents/documentrules.h"

namespace orders {

// Counter LastOrder, suppliers, reporder.frf; no posting.
const DocumentKind& kind();
// The lines' size slots A to P: A0..A9, AA..AF.
QStringList sizeColumns();

}  // namespace orders

// The order window's rules: the document rules worded for 定单, the ordering
// company copied from System into a new order, and lines that carry
// quantities only (no size check, no amount).
class OrderRules : public DocumentRules {
public:
    OrderRules(const Context& context, RowSet& header, RowSet& lines, RowSet& goods, RowSet& suppliers);

protected:
    QString missingPartyMessage() const override { return "不存在的供应商代码!"; }
    void newHeaderDefaults() override;
    bool checkLine() override;
    QStringList sizeColumns() const override { return orders::sizeColumns(); }
};
