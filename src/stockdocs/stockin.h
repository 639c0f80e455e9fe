// The stock-in document: goods received from a supplier (ASPRKD, asprkdd).
#pragma once

#include "documents/documentkind.h"
#include "documents/documentrules.h"

namespace stockin {

// Tables, counter Ykrkdh, suppliers, "R" ledger numbers, repsprkd.frf, and
// the posting: every line raises its goods' stock, slot stock, receipt
// counters and value, recomputes the moving average cost and leaves a
// goods-ledger row; the total goes to the supplier's account and ledger.
const DocumentKind& kind();

}  // namespace stockin

// The stock-in window's rules: the shared document rules with the supplier's
// messages and the default note "从…进货".
class StockInRules : public DocumentRules {
public:
    StockInRules(const Context& context, RowSet& header, RowSet& lines, RowSet& goods, RowSet& suppliers)
        : DocumentRules(stockin::kind(), context, header, &lines, goods, suppliers) {}

    void noteEntered() override;

protected:
    QString missingPartyMessage() const override { return "不存在的供应商代码!"; }
};
