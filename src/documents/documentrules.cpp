#include "documents/documentrules.h"

#include "database/rowset.h"
#include "database/schema.h"
#include "masterdata/masterdatarules.h"
#include "shell/appcontext.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "shell/upublic.h"
#include "stockdocs/linearithmetic.h"

DocumentRules::Context DocumentRules::Context::of(const AppContext& context) {
    return {context.dbm.dbapp, context.dbm.config, context.prompter,
            [&session = context.session] { return session.operatorName(); },
            [&session = context.session] { return session.businessDate(); }};
}

DocumentRules::DocumentRules(const DocumentKind& kind, const Context& context, RowSet& header, RowSet* lines,
                             RowSet& goods, RowSet& parties)
    : kind_(kind), context_(context), header_(header), lines_(lines), goods_(goods), parties_(parties),
      sizes_(SizeSlots::of(context.config)), dateEditable_(context.config.value("DjRqEdit").toBool()) {}

DocumentRules::~DocumentRules() = default;

void DocumentRules::install() {
    installHeaderRules();
    if (lines_) installLineRules();
    installPartyRules();
    installKindRules();
}

bool DocumentRules::isFrozen() const {
    if (header_.isEmpty() || header_.state() == RowSet::State::Insert) return false;
    return header_.value("BZW").toString() != "1";
}

QString DocumentRules::statusText() const {
    if (header_.isEmpty()) return "记帐标志";
    return "单据" + DocumentStatusText(header_.value("BZW").toString());
}

// ---------------------------------------------------------------- header

void DocumentRules::installHeaderRules() {
    Prompter& prompter = context_.prompter;
    header_.hooks.afterInsert = [this] {
        header_.setValue("RQ", context_.businessDate());
        header_.setValue("BZW", "1");
        const qint64 counter = context_.db.scalar(QString("select [%1] from System").arg(kind_.counter)).toLongLong();
        header_.setValue(kind_.numberField, documentNumber(counter));
        // Orders carry no amount (at most an empty column for the find dialog).
        if (header_.fieldIndex("Je") >= 0 && header_.field("Je").kind == RowSet::FieldKind::Data) header_.setValue("Je", 0);
        newHeaderDefaults();
    };
    header_.setValidator("RQ", [this, &prompter](const QVariant& date) {
        if (dateEditable_ || date.toDate() == context_.businessDate()) return true;
        prompter.message(kDateFixed);
        return false;
    });
    header_.hooks.beforeEdit = [this, &prompter] {
        if (header_.value("BZW").toString() == "1") return true;
        prompter.message(kCannotChange);
        return false;
    };
    header_.hooks.beforePost = [this] {
        if (!checkHeader()) return false;
        header_.setValue("RYZD", schema::fitText(kind_.headerTable, "RYZD", context_.operatorName()));
        return true;
    };
    header_.hooks.beforeWrite = [this] {
        if (header_.state() == RowSet::State::Insert) takeNumber();
    };
    header_.hooks.afterPost = [this, &prompter] {
        context_.config.refresh();  // the counter it shows moved
        if (!renumbered_.isEmpty()) prompter.message(std::exchange(renumbered_, {}));
        if (view.documentShown) view.documentShown();
    };
    header_.hooks.onWriteError = [this, &prompter](const DbError& error) {
        renumbered_.clear();
        if (error.isDuplicateKey()) {
            prompter.message(texts_.duplicateNumber);
            return;
        }
        prompter.message(texts_.cannotSave);
        prompter.message(error.message());
    };
    header_.hooks.beforeDelete = [this, &prompter] {
        if (header_.value("BZW").toString() != "1") {
            prompter.message(kCannotDelete);
            return false;
        }
        if (documentHasLines()) {
            prompter.message(texts_.deleteLinesFirst);
            return false;
        }
        return prompter.question(texts_.deleteQuestion);
    };
    header_.hooks.afterScroll = [this] {
        if (view.documentShown) view.documentShown();
    };
}

// The number shown was the counter's next when the document was begun. It is
// taken now, with the counter raised in the same transaction as the header's
// first write, so two workstations never save one number. When another took
// it meanwhile (or a document already carries it), the next free one is used.
void DocumentRules::takeNumber() {
    Database& db = context_.db;
    qint64 next = db.scalar(QString("select [%1] from System").arg(kind_.counter)).toLongLong() + 1;
    const QString taken = QString("select count(*) from [%1] where [%2] = :number").arg(kind_.headerTable, kind_.numberField);
    while (db.scalar(taken, {{"number", documentNumber(next - 1)}}).toInt() > 0) ++next;
    db.exec(QString("update System set [%1] = :counter").arg(kind_.counter), {{"counter", next}});
    const QString shown = header_.value(kind_.numberField).toString();
    const QString number = documentNumber(next - 1);
    if (number != shown) {
        header_.setValue(kind_.numberField, number);
        renumbered_ = QString("单据号码 %1 已被使用，本单据的号码改为 %2。").arg(shown, number);
    }
}

bool DocumentRules::checkHeader() {
    if (parties_.locate("Bm", header_.value(kind_.partyField))) return true;
    if (view.focusHeaderBox) view.focusHeaderBox(kind_.partyField);
    context_.prompter.message(Prompter::lines(missingPartyMessage(), "请重新录入...."));
    return false;
}

bool DocumentRules::documentHasLines() {
    if (!lines_) return false;
    return context_.db
               .scalar(QString("select count(*) from [%1] where DJHM = :number").arg(kind_.lineTable),
                       {{"number", header_.value(kind_.numberField)}})
               .toInt() > 0;
}

// ---------------------------------------------------------------- lines

void DocumentRules::installLineRules() {
    RowSet& lines = *lines_;
    Prompter& prompter = context_.prompter;
    lines.hooks.beforeInsert = [this, &prompter] {
        if (isFrozen()) {
            prompter.message(kCannotChange);
            return false;
        }
        // A line belongs to a saved document.
        if (header_.isEditing() && !header_.post()) return false;
        return !header_.isEmpty();
    };
    lines.hooks.afterInsert = [this] { newLineDefaults(); };
    lines.hooks.beforeEdit = [this, &prompter] {
        if (!isFrozen()) return true;
        prompter.message(kCannotChange);
        return false;
    };
    lines.hooks.beforePost = [this] { return checkLine(); };
    lines.hooks.beforeDelete = [this, &prompter] {
        if (isFrozen()) {
            prompter.message(kCannotDelete);
            return false;
        }
        return prompter.question(texts_.deleteLineQuestion);
    };
    lines.hooks.onWriteError = [&prompter](const DbError& error) {
        if (error.isDuplicateKey()) {
            prompter.message("分录号不能重复!");
            return;
        }
        prompter.message("分录不能保存！");
        prompter.message(error.message());
    };
    lines.onFieldChange("Spbm", [this] { goodsEntered(); });
    for (const char* field : {"BzLx", "SL", "DJ"}) lines.onFieldChange(field, [this] { recomputeLine(); });
    lines.setValidator("BzLx", [&prompter](const QVariant& value) {
        if (value.isNull() || (value.toInt() >= 1 && value.toInt() <= 120)) return true;
        prompter.message(QString("包装类型 %1 超出允许范围(1 - 120)!").arg(value.toString()));
        return false;
    });
}

void DocumentRules::newLineDefaults() {
    RowSet& lines = *lines_;
    lines.setValue("DJHM", header_.value(kind_.numberField));
    // After the last line's number rather than the count of lines: with a
    // line deleted in between, the count would repeat a number still in use.
    const int last = context_.db
                         .scalar(QString("select max(FLBH) from [%1] where DJHM = :number").arg(kind_.lineTable),
                                 {{"number", header_.value(kind_.numberField)}})
                         .toInt();
    lines.setValue("FLBH", last + 1);
    for (const char* field : {"JE", "SL", "DJ", "JBSL"}) lines.setValue(field, 0);
    lines.setValue("BzLx", 1);
    for (const QString& slot : sizeColumns()) lines.setValue(slot, 0);
}

QStringList DocumentRules::sizeColumns() const { return schema::sizeSlotColumns("sl"); }

QString DocumentRules::unknownGoodsTyped() const { return Prompter::lines("编码不存的商品!", "请重新录入,[F2]代码帮助."); }
QString DocumentRules::unknownGoodsSaved() const { return Prompter::lines("编码不存在的商品!", "请重新录入,[F2]代码帮助."); }

bool DocumentRules::findGoods(const QString& code) { return !code.isEmpty() && goods_.locate("Spbm", code); }

bool DocumentRules::lineHasGoods() { return findGoods(lines_->value("Spbm").toString()); }

void DocumentRules::goodsEntered() {
    if (!lineHasGoods()) {
        if (view.focusLineColumn) view.focusLineColumn("Spbm");
        context_.prompter.message(unknownGoodsTyped());
        return;
    }
    // The package size the goods come in; out of range, the line keeps its own.
    if (!lines_->setValue("BzLx", goods_.value("Scale"))) return;
    recomputeLine();
}

void DocumentRules::recomputeLine() {
    RowSet& lines = *lines_;
    const int bzlx = lines.value("BzLx").toInt();
    const auto a = linearithmetic::amounts(lines.value("SL").toDouble(), bzlx, lines.value("DJ").toDouble());
    if (lineHasGoods())
        lines.setValue("GGDW", schema::fitText(kind_.lineTable, "GGDW",
                                               linearithmetic::unitText(goods_.value("Jldw").toString(),
                                                                        goods_.value("hzdw").toString(), bzlx)));
    lines.setValue("JBSL", a.jbsl);
    lines.setValue("JBDJ", a.jbdj);
    lines.setValue("JE", a.je);
}

void DocumentRules::fillEmptySlots() {
    RowSet& lines = *lines_;
    for (const QString& slot : sizeColumns())
        if (lines.value(slot).isNull()) lines.setValue(slot, 0);
    if (lines.value("SL").isNull()) lines.setValue("SL", 0);
}

bool DocumentRules::lineSlotsMatch(const QString& totalField) {
    fillEmptySlots();
    if (sizeSlotSum(*lines_, "sl", sizes_.inUse) == lines_->value(totalField).toDouble()) return true;
    context_.prompter.message("配码数量与总数量不一致，请进行纠正！");
    return false;
}

bool DocumentRules::lineGoodsKnown() {
    if (lineHasGoods()) return true;
    if (view.focusLineColumn) view.focusLineColumn("Spbm");
    context_.prompter.message(unknownGoodsSaved());
    return false;
}

bool DocumentRules::checkLine() { return lineGoodsKnown() && lineSlotsMatch("JBSL"); }

// ---------------------------------------------------------------- parties

void DocumentRules::installPartyRules() {
    masterdata::installPartyRules(parties_, context_.prompter);
    const QString refusal = kind_.partyTable.compare("AGYS", Qt::CaseInsensitive) == 0 ? "不能在此删除供应商信息！"
                                                                                         : "不能在此删除客户信息！";
    parties_.hooks.beforeDelete = [this, refusal] {
        context_.prompter.message(refusal);
        return false;
    };
}

// ---------------------------------------------------------------- commands

bool DocumentRules::leaveUnsavedLine() {
    if (!lines_ || !lines_->isEditing()) return true;
    if (lineHasGoods()) return lines_->post();
    lines_->cancel();
    return true;
}

bool DocumentRules::saveDocument() {
    if (header_.isEditing() && !header_.post()) return false;
    return !lines_ || !lines_->isEditing() || lines_->post();
}

void DocumentRules::cancelDocument() {
    if (header_.isEditing()) header_.cancel();
    if (lines_ && lines_->isEditing()) lines_->cancel();
}

bool DocumentRules::enterLines() {
    if (header_.isEditing() && !header_.post()) return false;
    if (!lines_ || header_.isEmpty()) return true;
    if (!isFrozen() && lines_->isEmpty()) return lines_->append();
    return true;
}

void DocumentRules::post() {
    Prompter& prompter = context_.prompter;
    if (!leaveUnsavedLine() || header_.isEmpty()) return;
    if (isFrozen()) {
        prompter.message(posting::kAlreadyPosted);
        return;
    }
    if (!prompter.question("是否确定要对当前单据记帐？")) return;
    if (!saveDocument()) return;

    if (view.showStatus) view.showStatus("正在记帐");
    prompter.showWaitBox(postingWaitText());
    posting::Result result;
    QString failure;
    try {
        result = posting::post(context_.db, kind_, header_.value(kind_.numberField).toString(), context_.operatorName());
    } catch (const DbError& error) {
        failure = error.message();
    }
    prompter.hideWaitBox();
    // What posting wrote, read again: the document's status and total, its
    // lines' status, the goods' stock and the party's balance.
    header_.refresh();
    if (lines_) {
        lines_->refresh();
        goods_.refresh();
    }
    parties_.refresh();
    if (view.documentShown) view.documentShown();
    if (!failure.isEmpty()) prompter.message(failure);
    else if (!result.posted()) prompter.message(result.message);
}

void addGoodsLookups(RowSet& lines, RowSet& goods) {
    for (const auto& [field, column] : QList<QPair<const char*, const char*>>{
             {"spmc", "Spmc"}, {"artno", "ArtNo"}, {"color", "color"}, {"ggxh", "Ggxh"}, {"jldw", "Jldw"}, {"hzdw", "hzdw"}})
        lines.addLookupField(field, "Spbm", &goods, "Spbm", column);
}
