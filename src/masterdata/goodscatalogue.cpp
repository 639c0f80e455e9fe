#include "masterdata/goodscatalogue.h"

#include "database/rowset.h"
#include "database/schema.h"
#include "masterdata/masterdatarules.h"
#include "masterdata/namesearch.h"
#include "shell/prompter.h"
#include "shell/sizeslots.h"

namespace {
const char* const kKeptTexts[] = {"Spbm", "Spmc", "ArtNo", "color", "Jldw", "hzdw", "Ggxh", "Splb", "Spcd"};
}

GoodsCatalogue::GoodsCatalogue(RowSet& goods, Prompter& prompter, std::function<int()> slotsInUse)
    : goods_(goods), prompter_(prompter), slotsInUse_(std::move(slotsInUse)) {
    keepCurrentRow();
    goods.hooks.afterScroll = [this] { keepCurrentRow(); };
    goods.hooks.afterInsert = [this] { newRowDefaults(); };
    goods.hooks.beforePost = [this] { return saveCheck(); };
    goods.hooks.beforeDelete = masterdata::deleteQuestion(prompter);
    goods.hooks.onWriteError = masterdata::writeErrorMessages(prompter);
    auto stockValue = [this] {
        goods_.setValue("kcje", goods_.value("Kcsl").toDouble() * goods_.value("kcjg").toDouble());
    };
    goods.onFieldChange("Kcsl", stockValue);
    goods.onFieldChange("kcjg", stockValue);
    goods.setValidator("Scale", [this](const QVariant& v) {
        if (v.isNull() || (v.toLongLong() >= 1 && v.toLongLong() <= 200)) return true;
        prompter_.message("转换比例必须在 1 到 200 之间!");
        return false;
    });
}

void GoodsCatalogue::keepCurrentRow() {
    kept_.clear();
    for (const char* f : kKeptTexts) kept_.insert(f, QString());
    kept_.insert("Scale", 1);
    kept_.insert("Xsdj", 0.0);
    kept_.insert("Pfdj", 0.0);
    if (goods_.position() < 0) return;
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        const QVariant v = goods_.value(it.key());
        if (!v.isNull()) it.value() = v;
    }
}

void setNewGoodsDefaults(RowSet& goods) {
    goods.setValue("Scale", 1);
    goods.setValue("Kcsl", 0);
    for (const QString& slot : schema::sizeSlotColumns("kcsl")) goods.setValue(slot, 0);
}

void GoodsCatalogue::newRowDefaults() {
    setNewGoodsDefaults(goods_);
    if (!copyIntoNewRows) return;
    for (auto it = kept_.constBegin(); it != kept_.constEnd(); ++it) goods_.setValue(it.key(), it.value());
}

bool GoodsCatalogue::saveCheck() {
    if (!masterdata::codeGiven(goods_, "Spbm", prompter_)) {
        if (focusField) focusField("Spbm");
        return false;
    }
    masterdata::nullsToZero(goods_, {"Kcsl"});
    for (const QString& slot : schema::sizeSlotColumns("kcsl"))
        if (goods_.value(slot).isNull()) goods_.setValue(slot, 0);
    if (goods_.value("Kcsl").toDouble() == sizeSlotSum(goods_, "kcsl", slotsInUse_())) return true;
    prompter_.message("配码数量与总计数量不一致，请进行纠正！");
    if (focusField) focusField("Kcsl");
    return false;
}

void GoodsCatalogue::find(const QString& text) { namesearch::find(goods_, "Spmc", text, prompter_); }

void GoodsCatalogue::findNext(const QString& text) { namesearch::findNext(goods_, "Spmc", text); }
