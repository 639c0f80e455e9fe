#include "moneydocs/moneydocs.h"

#include "database/rowset.h"
#include "documents/posting.h"
#include "shell/prompter.h"
#include "shell/upublic.h"

namespace moneydocs {
namespace {

// The amount goes to the credit side of the party's month and year and
// lowers its balance; the party's detail ledger shows the balance after it.
void creditParty(PostingRun& run, const QString& detailLedger) {
    const QString table = run.kind.partyTable;
    run.db.exec(QString("update [%1] set bydf = coalesce(bydf, 0) + :je, bndf = coalesce(bndf, 0) + :je, "
                        "jyje = coalesce(jyje, 0) - :je where Bm = :code")
                    .arg(table),
                {{"je", run.total}, {"code", run.partyCode()}});
    const QVariant balance =
        run.db.scalar(QString("select jyje from [%1] where Bm = :code").arg(table), {{"code", run.partyCode()}});
    run.insert(detailLedger, {{"Dwbh", run.partyCode()},
                              {"Djhm", run.number()},
                              {"Rq", run.date()},
                              {"Zyxx", run.header.text("NOTE")},
                              {"Jfje", 0.0},
                              {"Dfje", run.total},
                              {"Jyje", balance}});
}

void postReceipt(PostingRun& run) {
    creditParty(run, "ABMMXZ");
    run.insert("ABMLSZ", {{"Dwbh", run.partyCode()},
                          {"Djhm", run.number()},
                          {"Rq", run.date()},
                          {"jsfs", QString("回收欠帐")},
                          {"je", run.total}});
}

void postPayment(PostingRun& run) { creditParty(run, "AGYMXZ"); }

// Any amount but none: negative ones correct an earlier document.
std::optional<QString> refuseNoAmount(const PostingRun& run) {
    if (run.total != 0) return std::nullopt;
    return Prompter::lines("无效的单据，不能记帐. ", "金额不能为零！");
}

}  // namespace

const DocumentKind& receipt() {
    static const DocumentKind kind{
        .code = "skd",
        .headerTable = "ASKD",
        .lineTable = {},
        .numberField = "Djhm",
        .counter = "ykskdh",
        .partyTable = "ABMK",
        .partyField = "Dwbh",
        .partyWord = "客户",
        .ledgerPrefix = {},
        .templateFile = "repskd.frf",
        .stockDirection = 0,
        .post = postReceipt,
        .refuse = refuseNoAmount,
    };
    return kind;
}

const DocumentKind& payment() {
    static const DocumentKind kind{
        .code = "fkd",
        .headerTable = "AFKD",
        .lineTable = {},
        .numberField = "Djhm",
        .counter = "YKFKDH",
        .partyTable = "AGYS",
        .partyField = "Dwbh",
        .partyWord = "供应商",
        .ledgerPrefix = {},
        .templateFile = "repfkd.frf",
        .stockDirection = 0,
        .post = postPayment,
        .refuse = refuseNoAmount,
    };
    return kind;
}

void addAmountInCapitals(RowSet& header) {
    header.addCalculatedField("rmbdx", [](const RowView& row) -> QVariant {
        return MoneyToCapitals(row.value("Je").toDouble()).left(kCapitalsWidth);
    });
}

}  // namespace moneydocs

void MoneyDocumentRules::newHeaderDefaults() { header_.setValue(kind_.partyField, "0000"); }
