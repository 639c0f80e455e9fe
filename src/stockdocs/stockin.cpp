#include "stockdocs/stockin.h"

#include "database/rowset.h"
#include "database/schema.h"
#include "documents/posting.h"

namespace stockin {
namespace {

void postLine(PostingRun& run, const PostedRow& line) {
    const QString code = line.text("Spbm");
    const double quantity = line.number("JBSL");
    const double amount = line.number("JE");
    // Every slot is added whatever the slots in use: beyond them a line holds 0.
    QStringList slotTerms;
    Params params{{"code", code}, {"q", quantity}, {"je", amount}, {"price", line.value("JBDJ")}, {"rq", run.date()}};
    for (const QString& slot : schema::sizeSlotColumns("sl")) {
        slotTerms.append(QString("kc%1 = coalesce(kc%1, 0) + :%1").arg(slot));
        params.insert(slot, line.number(slot));
    }
    // The new average cost from the new quantity and value; nothing in stock, no cost.
    run.db.exec(QString("update ASPKM set Byrksl = coalesce(Byrksl, 0) + :q, Bnrksl = coalesce(Bnrksl, 0) + :q, "
                        "Kcsl = coalesce(Kcsl, 0) + :q, %1, kcje = coalesce(kcje, 0) + :je, "
                        "kcjg = case when coalesce(Kcsl, 0) + :q <> 0 "
                        "then (coalesce(kcje, 0) + :je) / (coalesce(Kcsl, 0) + :q) else 0 end, "
                        "lastprice = :price, lastrkrq = :rq where Spbm = :code")
                    .arg(slotTerms.join(", ")),
                params);
    const PostedRow goods = run.goods(code);
    QList<QPair<QString, QVariant>> ledger{
        {"Djhm", run.kind.ledgerPrefix + run.number()},
        {"Spbm", code},
        {"Rq", run.date()},
        {"Zyxx", run.header.text("NOTE")},
        {"GGDW", line.text("GGDW")},
        {"Rksl", quantity},
        {"Rkje", amount},
        {"Kcsl", goods.value("Kcsl")},
        {"Kcje", goods.value("kcje")},
        {"Kcjg", goods.value("kcjg")},
    };
    for (const QString& slot : schema::sizeSlotColumns("sl")) ledger.append({slot, line.number(slot)});
    run.insert("ASPMXZM", ledger);
}

void post(PostingRun& run) {
    for (const PostedRow& line : run.lines) postLine(run, line);
    run.db.exec("update AGYS set byjf = coalesce(byjf, 0) + :je, bnjf = coalesce(bnjf, 0) + :je, "
                "jyje = coalesce(jyje, 0) + :je where Bm = :code",
                {{"je", run.total}, {"code", run.partyCode()}});
    const QVariant balance = run.db.scalar("select jyje from AGYS where Bm = :code", {{"code", run.partyCode()}});
    run.insert("AGYMXZ", {{"Dwbh", run.partyCode()},
                          {"Djhm", run.number()},
                          {"Rq", run.date()},
                          {"Zyxx", run.header.text("NOTE")},
                          {"Jfje", run.total},
                          {"Dfje", 0.0},
                          {"Jyje", balance}});
}

}  // namespace

const DocumentKind& kind() {
    static const DocumentKind stockIn{
        .code = "rkd",
        .headerTable = "ASPRKD",
        .lineTable = "asprkdd",
        .numberField = "DJHM",
        .counter = "Ykrkdh",
        .partyTable = "AGYS",
        .partyField = "KHBM",
        .partyWord = "供应商",
        .ledgerPrefix = "R",
        .templateFile = "repsprkd.frf",
        .stockDirection = 1,
        .post = post,
        .refuse = {},
    };
    return stockIn;
}

}  // namespace stockin

void StockInRules::noteEntered() {
    if (header_.isEmpty() || header_.value("BZW").toString() != "1") return;
    const QString supplier = header_.value("rfkhmc").toString().trimmed();
    if (supplier.isEmpty() || !header_.isEditing() || !header_.value("NOTE").toString().isEmpty()) return;
    header_.setValue("NOTE", "从" + supplier + "进货");
}
