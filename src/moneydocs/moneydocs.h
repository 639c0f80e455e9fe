// Receipts (ASKD, money received from customers) and payments (AFKD, money
// paid to suppliers): twin documents without lines, told apart by data.
#pragma once

#include "documents/documentkind.h"
#include "documents/documentrules.h"

namespace moneydocs {

// Receipt: counter ykskdh, customers, repskd.frf. Posting credits the
// customer (bydf, bndf up, jyje down) and leaves one ABMMXZ and one ABMLSZ
// ("回收欠帐") row.
const DocumentKind& receipt();
// Payment: counter YKFKDH, suppliers, repfkd.frf. Posting credits the
// supplier likewise and leaves one AGYMXZ row.
const DocumentKind& payment();

inline constexpr int kCapitalsWidth = 40;
// The header's not-stored rmbdx: Je in Chinese capitals, for the template.
void addAmountInCapitals(RowSet& header);

}  // namespace moneydocs

// The receipt and payment windows' rules: the shared document rules with the
// walk-in code "0000" as a new document's party and "不存在的单位代码!".
class MoneyDocumentRules : public DocumentRules {
public:
    MoneyDocumentRules(const DocumentKind& kind, const Context& context, RowSet& header, RowSet& unusedGoods,
                       RowSet& parties)
        : DocumentRules(kind, context, header, nullptr, unusedGoods, parties) {}

protected:
    QString missingPartyMessage() const override { return "不存在的单位代码!"; }
    void newHeaderDefaults() override;
};
