#include "queries/goodsstock.h"

#include "masterdata/masterdatarules.h"
#include "masterdata/namesearch.h"
#include "queries/goodsfilter.h"
#include "shell/prompter.h"

namespace queries {

namespace {

const char* kQuantity = "0;-0;#";
const char* kMoney = "0.00;-0.00;#";

// A package holds more than one base unit; Null, 1, 0 or less is no package
// (0 would divide the stock by nothing).
bool hasPackage(const QVariant& scale) { return !scale.isNull() && scale.toLongLong() > 1; }

void formatDoubles(RowSet& rows, const QStringList& money, const QString& otherwise) {
    for (int i = 0; i < rows.fieldCount(); ++i) {
        RowSet::Field& f = rows.field(rows.field(i).name);
        if (f.type != FieldType::Double && f.name != "bzsl") continue;
        f.displayFormat = money.contains(f.name, Qt::CaseInsensitive) ? kMoney : otherwise;
    }
}

}  // namespace

QString packageUnitText(const QVariant& baseUnit, const QVariant& packageUnit, const QVariant& scale) {
    if (!hasPackage(scale)) return baseUnit.toString();
    return packageUnit.toString() + "(" + QString::number(scale.toLongLong()) + "ｘ)";
}

QVariant packageQuantity(const QVariant& stock, const QVariant& scale) {
    if (!hasPackage(scale) || stock.isNull()) return stock;
    return stock.toDouble() / scale.toDouble();
}

GoodsStock::GoodsStock(Database& db, Prompter& prompter)
    : dbspk(db), dbsplb(db), sqlmxz(db), sqllsz(db), db_(db), prompter_(prompter) {
    dbsplb.setTable("ASPLB", "Bm");
    dbspk.addLookupField("lbmc", "Splb", &dbsplb, "Bm", "Mc");
    dbspk.addCalculatedField("dwgg", [](const RowView& r) {
        return QVariant(packageUnitText(r.value("Jldw"), r.value("hzdw"), r.value("Scale")));
    });
    dbspk.addCalculatedField("bzsl", [](const RowView& r) { return packageQuantity(r.value("Kcsl"), r.value("Scale")); });
    // What is typed into the goods boxes is saved as it stands: the
    // catalogue's checks are not this window's; a refusal of the database is told.
    dbspk.hooks.onWriteError = masterdata::writeErrorMessages(prompter);

    sqlmxz.setQuery("select * from aspmxzm\nwhere spbm=:spbm\norder by idno");
    sqlmxz.setMaster(&dbspk, {"spbm"});
    sqllsz.setQuery("select * from axslsz\nwhere spbm=:spbm\norder by idno");
    sqllsz.setMaster(&dbspk, {"spbm"});
}

void GoodsStock::readGoods(const QString& where) {
    dbspk.close();
    dbspk.setTable("ASPKM", "Spbm", where);
    dbspk.open();
    dbspk.setSort("Spbm  ASC");
}

void GoodsStock::open() {
    dbsplb.open();
    readGoods({});
    sqlmxz.open();
    sqllsz.open();
    formatDoubles(dbspk, {"Xsdj", "Pfdj", "kcjg", "kcje", "bzsl"}, kQuantity);
    formatDoubles(sqlmxz, {"Rkje", "Ckje", "Kcjg"}, kQuantity);
    sqlmxz.field("Kcje").displayFormat = "0.00;-0.00;0.00";
    formatDoubles(sqllsz, {"dj", "je"}, kQuantity);
    for (RowSet* rows : {&dbspk, &sqlmxz, &sqllsz})
        for (int i = 0; i < rows->fieldCount(); ++i)
            if (rows->field(i).type == FieldType::DateTime) rows->field(rows->field(i).name).displayFormat = "yyyy-mm-dd";
}

bool GoodsStock::applyFilter(const QString& expression) {
    if (!dbspk.endEditing()) dbspk.cancel();
    expression_ = expression;
    prompter_.showWaitBox("正在执行处理，请等待....");
    bool valid = filterAllowed(db_, expression);
    if (valid) {
        try {
            readGoods(expression.trimmed().isEmpty() ? QString() : expression);
        } catch (const DbError&) {
            valid = false;
        }
    }
    if (!valid) readGoods("0");  // nothing listed until a valid filter is applied
    prompter_.hideWaitBox();
    if (!valid) prompter_.message("无效的过滤表达式!");
    return valid;
}

void GoodsStock::find(const QString& text) { namesearch::find(dbspk, "spmc", text, prompter_); }

void GoodsStock::findNext(const QString& text) { namesearch::findNext(dbspk, "spmc", text); }

}  // namespace queries
