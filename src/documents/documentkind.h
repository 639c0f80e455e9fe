// DocumentKind: what tells one kind of document from another — its tables,
// its counter, its party, its ledgers and its template. The rules, the
// posting frame and the document window are written once over it.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class PostingRun;

struct DocumentKind {
    QString code;          // the companion tool's name for the kind: "rkd", "ckd", "skd", "fkd"
    QString headerTable;   // ASPRKD
    QString lineTable;     // asprkdd; empty for documents without lines (receipts, payments)
    QString numberField;   // DJHM (Djhm on the money documents)
    QString counter;       // the System column counting the kind's documents: Ykrkdh
    QString partyTable;    // AGYS (suppliers) or ABMK (customers)
    QString partyField;    // the header's party code: KHBM or Dwbh
    QString partyWord;     // "供应商" or "客户", for messages naming a missing party
    QString ledgerPrefix;  // goods and sales ledgers: "R" + number, "C" + number
    QString templateFile;  // below reports/
    int stockDirection = 0;  // +1 stock comes in, −1 goes out, 0 no stock

    // What posting writes for the kind, inside the posting's transaction,
    // after the checks every kind shares (see posting.h).
    std::function<void(PostingRun&)> post;
    // A refusal particular to the kind (a receipt of no money), checked with
    // the shared ones before anything is written; nullopt to go on.
    std::function<std::optional<QString>(const PostingRun&)> refuse;
};

// A document number: the counter's next value written with nine digits and
// leading zeros ("000000042" after 41).
QString documentNumber(qint64 counterValue);
