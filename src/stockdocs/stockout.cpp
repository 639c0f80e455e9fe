#include "stockdocs/stockout.h"

#include "database/rowset.h"
#include "database/schema.h"
#include "documents/posting.h"
#include "shell/prompter.h"

namespace stockout {
namespace {

using Row = QList<QPair<QString, QVariant>>;

void addSlots(Row& row, const PostedRow& line) {
    for (const QString& slot : schema::sizeSlotColumns("sl")) row.append({slot, line.number(slot)});
}

void postLine(PostingRun& run, const PostedRow& line) {
    const QString code = line.text("Spbm");
    const double quantity = line.number("JBSL");
    const double amount = line.number("JE");
    QStringList slotTerms;
    Params params{{"code", code}, {"q", quantity}, {"je", amount}, {"rq", run.date()}};
    for (const QString& slot : schema::sizeSlotColumns("sl")) {
        slotTerms.append(QString("kc%1 = coalesce(kc%1, 0) - :%1").arg(slot));
        params.insert(slot, line.number(slot));
    }
    // The average cost stays: what is left is valued at it. Stock may go
    // below nothing; the document window only warned.
    run.db.exec(QString("update ASPKM set Bycksl = coalesce(Bycksl, 0) + :q, Bncksl = coalesce(Bncksl, 0) + :q, "
                        "Kcsl = coalesce(Kcsl, 0) - :q, kcje = (coalesce(Kcsl, 0) - :q) * coalesce(kcjg, 0), %1, "
                        "byxsje = coalesce(byxsje, 0) + :je, bnxsje = coalesce(bnxsje, 0) + :je, lastckrq = :rq "
                        "where Spbm = :code")
                    .arg(slotTerms.join(", ")),
                params);
    const PostedRow goods = run.goods(code);
    const QString note = run.header.text("NOTE");

    Row stock{{"Djhm", run.kind.ledgerPrefix + run.number()},
              {"Spbm", code},
              {"Rq", run.date()},
              {"Zyxx", note},
              {"GGDW", line.text("GGDW")},
              {"Cksl", quantity},
              {"Ckje", quantity * goods.number("kcjg")},  // at cost, not at the selling price
              {"Kcsl", goods.value("Kcsl")},
              {"Kcje", goods.value("kcje")},
              {"Kcjg", goods.value("kcjg")}};
    addSlots(stock, line);
    run.insert("ASPMXZM", stock);

    Row sales{{"Djhm", run.kind.ledgerPrefix + run.number()},
              {"Spbm", code},
              {"Rq", run.date()},
              {"Zyxx", note},
              {"bzxx", line.text("zyxx")},
              {"khmc", run.header.text("KHMC")},
              {"sl", quantity},
              {"dj", line.number("DJ")},
              {"je", amount}};
    addSlots(sales, line);
    run.insert("AXSLSZ", sales);

    Row flow{{"Dwbh", run.partyCode()},
             {"Djhm", run.number()},
             {"Rq", run.date()},
             {"jsfs", run.header.text("SKFS")},
             {"spmc", goods.text("Spmc")},
             {"artno", goods.text("ArtNo")},
             {"color", goods.text("color")},
             {"jldw", goods.text("Jldw")},
             {"sl", quantity},
             {"dj", line.number("DJ")},
             {"je", amount}};
    addSlots(flow, line);
    run.insert("ABMLSZ", flow);
}

void post(PostingRun& run) {
    for (const PostedRow& line : run.lines) postLine(run, line);
    // On account the customer owes the total; a retail or cash sale is
    // charged and paid at once, so the balance stays.
    const bool onAccount = run.header.text("SKFS") == kOnAccount;
    run.db.exec(onAccount ? "update ABMK set byjf = coalesce(byjf, 0) + :je, bnjf = coalesce(bnjf, 0) + :je, "
                            "jyje = coalesce(jyje, 0) + :je where Bm = :code"
                          : "update ABMK set byjf = coalesce(byjf, 0) + :je, bnjf = coalesce(bnjf, 0) + :je, "
                            "bydf = coalesce(bydf, 0) + :je, bndf = coalesce(bndf, 0) + :je where Bm = :code",
                {{"je", run.total}, {"code", run.partyCode()}});
    const QVariant balance = run.db.scalar("select jyje from ABMK where Bm = :code", {{"code", run.partyCode()}});
    run.insert("ABMMXZ", {{"Dwbh", run.partyCode()},
                          {"Djhm", run.number()},
                          {"Rq", run.date()},
                          {"Zyxx", run.header.text("NOTE")},
                          {"Jfje", run.total},
                          {"Dfje", onAccount ? 0.0 : run.total},
                          {"Jyje", balance}});
}

// The window refuses to save a walk-in sale on account; a document that got
// into the book otherwise is not posted onto the walk-in customer's balance.
// Nor is a line counted in packages, which the window never makes: its sizes
// add up to SL while posting would take SL × BzLx off the stock, leaving the
// slots and the quantity apart for good.
std::optional<QString> refuse(const PostingRun& run) {
    if (run.partyCode() == kWalkIn && run.header.text("SKFS") == kOnAccount) return kWalkInOnAccount;
    for (const PostedRow& line : run.lines)
        if (line.number("BzLx") > 1) return packagedLine(line.text("FLBH"), line.text("Spbm"), line.text("BzLx"));
    return std::nullopt;
}

}  // namespace

const DocumentKind& kind() {
    static const DocumentKind stockOut{
        .code = "ckd",
        .headerTable = "ASPCKD",
        .lineTable = "ASPCKDD",
        .numberField = "DJHM",
        .counter = "ykckdh",
        .partyTable = "ABMK",
        .partyField = "KHBM",
        .partyWord = "客户",
        .ledgerPrefix = "C",
        .templateFile = "repspxsd.frf",
        .stockDirection = -1,
        .post = post,
        .refuse = refuse,
    };
    return stockOut;
}

}  // namespace stockout

bool StockOutRules::customerNameTyped() const { return header_.value("KHBM").toString() == stockout::kWalkIn; }

void StockOutRules::installKindRules() {
    header_.onFieldChange("KHBM", [this] {
        if (customerNameTyped()) return;  // the walk-in customer's name is typed and kept
        const QString code = header_.value("KHBM").toString();
        header_.setValue("KHMC", !code.isEmpty() && parties_.locate("Bm", code) ? parties_.value("Mc") : QVariant(""));
    });
    // The quantity is the sum of the sizes in use.
    for (const QString& slot : schema::sizeSlotColumns("sl"))
        lines_->onFieldChange(slot, [this] {
            if (!fillingLine_) lines_->setValue("SL", sizeSlotSum(*lines_, "sl", sizes_.inUse));
        });
}

void StockOutRules::newHeaderDefaults() {
    header_.setValue("KHBM", stockout::kWalkIn);
    header_.setValue("SKFS", stockout::kWaysOfSale.first());
    header_.setValue("CKLB", "1");
}

bool StockOutRules::checkHeader() {
    if (!DocumentRules::checkHeader()) return false;
    if (!customerNameTyped() || header_.value("SKFS").toString() != stockout::kOnAccount) return true;
    if (view.focusHeaderBox) view.focusHeaderBox("SKFS");
    context_.prompter.message(stockout::kWalkInOnAccount);
    return false;
}

void StockOutRules::newLineDefaults() {
    fillingLine_ = true;
    DocumentRules::newLineDefaults();
    fillingLine_ = false;
}

// The package size is not taken from the goods: a stock-out line counts base
// units. The price is the retail price for retail sales, else the wholesale
// price, replacing one typed before.
void StockOutRules::goodsEntered() {
    if (!lineHasGoods()) {
        if (view.focusLineColumn) view.focusLineColumn("Spbm");
        context_.prompter.message(unknownGoodsTyped());
        return;
    }
    const bool retail = header_.value("SKFS").toString() == stockout::kWaysOfSale.first();
    const QVariant price = goods_.value(retail ? "Xsdj" : "Pfdj");
    lines_->setValue("DJ", price.isNull() ? QVariant(0) : price);
    recomputeLine();
}

bool StockOutRules::checkLine() {
    if (lines_->value("JE").isNull() || lines_->value("SL").toDouble() == 0) {
        context_.prompter.message("无效分录，不能保存！");
        return false;
    }
    if (!lineSlotsMatch("SL")) return false;
    if (!lineHasGoods()) {
        if (view.focusLineColumn) view.focusLineColumn("Spbm");
        context_.prompter.message(unknownGoodsSaved());
        return false;
    }
    stockWarning();
    return true;
}

// Told, not refused: the line is saved and posting may take the stock below nothing.
// The goods as the cursor holds them: stock after the postings so far.
void StockOutRules::stockWarning() {
    const double quantity = lines_->value("SL").toDouble();
    const double stock = goods_.value("Kcsl").toDouble();
    if (quantity > stock)
        context_.prompter.message(Prompter::lines("当前品种库存量已经不能满足出库，", "请做进货准备！"));
    else if (stock - quantity < goods_.value("Cbxx").toDouble())
        context_.prompter.message(Prompter::lines("当前品种库存量已经低于储备下限，", "请做进货准备!"));
}
