#include "moneydocs/moneysummary.h"

namespace moneydocs {

const SummaryKind& receiptSummary() {
    static const SummaryKind kind{
        "askd", "select 0 as hzxh,a.dwbh,b.mc,sum(je) as je from askd as a,abmk as b",
        "select 9 as hzxh,'合计','　合　计' as mc,sum(je) as je from askd as a", "dwbh"};
    return kind;
}

const SummaryKind& paymentSummary() {
    static const SummaryKind kind{
        "afkd", "select 0 as hzxh,a.dwbh as bm,b.mc as mc,sum(je) as je from afkd as a,agys as b",
        "select 9 as hzxh,'合计','　合　计' as mc,sum(je) as je from afkd as a", "bm"};
    return kind;
}

QString padNumber(const QString& typed) { return typed.trimmed().rightJustified(9, '0'); }

SummaryStatement summaryStatement(const SummaryKind& kind, const SummaryRange& range) {
    SummaryStatement statement;
    QString condition;
    if (!range.poster.isEmpty()) {
        condition = "and ryjz = :poster ";
        statement.params.insert("poster", range.poster);
    }
    // The to-day is included whole: everything before the next day's start.
    if (range.byNumber) {
        // Typed numbers are bound like the poster: a quote in them is text.
        condition += " and (a.djhm>=:fromNumber and a.djhm<=:toNumber)";
        statement.params.insert("fromNumber", padNumber(range.fromNumber));
        statement.params.insert("toNumber", padNumber(range.toNumber));
    } else {
        condition += QString(" and (rq>=#%1# and rq<#%2#)")
                         .arg(range.fromDate.toString("yyyy-MM-dd"), range.toDate.addDays(1).toString("yyyy-MM-dd"));
    }
    statement.sql = QStringList{kind.firstLine,
                                "where a.dwbh=b.bm and bzw='3'",
                                condition,
                                "group by a.dwbh,b.mc",
                                "union",
                                kind.totalLine,
                                "where bzw='3'",
                                condition,
                                "order by 1, 2"}
                        .join('\n');
    return statement;
}

}  // namespace moneydocs
