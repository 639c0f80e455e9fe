// The receipt and payment summaries: the posted documents' amounts per
// customer or supplier over a date or number range, optionally for one
// poster, with a total row last. Read only.
#pragma once

#include "database/database.h"

#include <QDate>
#include <QString>

namespace moneydocs {

struct SummaryKind {
    QString table;       // askd / afkd
    QString firstLine;   // the per-party select
    QString totalLine;   // the total row's select
    QString codeColumn;  // the result's party code column: dwbh (receipts) or bm (payments)
};
const SummaryKind& receiptSummary();
const SummaryKind& paymentSummary();

struct SummaryRange {
    bool byNumber = false;
    QDate fromDate = {}, toDate = {};          // date mode: both days whole
    QString fromNumber = {}, toNumber = {};    // number mode: padded with padNumber
    QString poster = {};                       // RYJZ; empty for every poster
};

// A typed document number as the range takes it: trimmed, left-padded with
// "0" to nine characters ("42" is 000000042, nothing is 000000000).
QString padNumber(const QString& typed);

struct SummaryStatement {
    QString sql;
    Params params;  // the poster is bound, never written into the statement
};
// The eight-line statement with its two condition lines replaced, ordered
// explicitly: party rows by code, the total row (hzxh 9) last.
SummaryStatement summaryStatement(const SummaryKind& kind, const SummaryRange& range);

}  // namespace moneydocs
