// The goods catalogue's rules: kept values and automatic copying, new-row
// defaults, stock value, the size-total save check, find by name.
#pragma once

#include <QString>
#include <QVariantMap>

#include <functional>

class Prompter;
class RowSet;

// A new goods row wherever it is added: package size 1, stock and size slots
// 0, so postings never meet a Null package size or quantity.
void setNewGoodsDefaults(RowSet& goods);

class GoodsCatalogue {
public:
    // slotsInUse reads System.SLY when a row is saved.
    GoodsCatalogue(RowSet& goods, Prompter& prompter, std::function<int()> slotsInUse);

    // "新增记录自动复制": new rows take the descriptive values of the row that was current before.
    bool copyIntoNewRows = false;
    // Where a refused save points, told after its message: the field to
    // correct (Spbm for a missing code, Kcsl for sizes that do not add up).
    std::function<void(const QString& field)> focusField;

    // "查找[&B]": the first row whose name contains the text (blanks around it
    // ignored; nothing for an empty text). No match: the last row and
    // "没有匹配的记录!".
    void find(const QString& text);
    // "继续[&T]": the same from the row after the current one, silently; no
    // further match goes back to the first row.
    void findNext(const QString& text);

    // The values kept from the row that was current last.
    const QVariantMap& kept() const { return kept_; }

private:
    void keepCurrentRow();
    void newRowDefaults();
    bool saveCheck();

    RowSet& goods_;
    Prompter& prompter_;
    std::function<int()> slotsInUse_;
    QVariantMap kept_;
};
