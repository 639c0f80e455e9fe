#include "queries/goodsfilter.h"

#include "database/database.h"

namespace queries {

const QStringList kTextColumns = {"商品名称[spmc]", "商品货号[artno]", "花色    [color]", "商品编码[spbm]"};
const QStringList kTextOperators = {"包含 like", "开头 like", "等于 =", "不等 <>", "大于 >", "小于 <"};
const QStringList kNumberColumns = {"库存数量[kcsl]", "销售单价[xsdj]", "批发价格[pfdj]", "库存金额[kcje]", ""};
const QStringList kNumberOperators = {"等于 =", "不等 <>", "大于 >", "小于 <"};

namespace {

// A character's width in the GB2312 text: one for ASCII, two for the rest.
int gbWidth(QChar c) { return c.unicode() < 0x80 ? 1 : 2; }

}  // namespace

QString fromGbPosition(const QString& text, int position) {
    int at = 1;
    for (int i = 0; i < text.size(); ++i) {
        if (at >= position) return text.mid(i);
        at += gbWidth(text[i]);
    }
    return {};
}

QString gbLeft(const QString& text, int count) {
    QString out;
    int used = 0;
    for (const QChar c : text) {
        if (used + gbWidth(c) > count) break;
        out += c;
        used += gbWidth(c);
    }
    return out + QString(count - used, ' ');
}

QString textCondition(const QString& columnItem, const QString& operatorItem, const QString& value) {
    QString out = " " + fromGbPosition(columnItem, 9);
    if (operatorItem == "包含 like") return out + " like '%" + value + "%'";
    if (operatorItem == "开头 like") return out + " like '" + value + "%'";
    return out + " " + fromGbPosition(operatorItem, 6) + " '" + value + "'";
}

QString numberCondition(const QString& columnItem, const QString& operatorItem, const QString& value) {
    return " " + fromGbPosition(columnItem, 9) + fromGbPosition(operatorItem, 6) + value;
}

QString categoryItem(const QString& code, const QString& name) { return gbLeft(code, 4) + ":" + name; }

QString categoryCondition(const QString& item) {
    return " splb like '" + gbLeft(item, 4).remove(' ') + "%'";
}

QString goodsQuerySql(const QString& expression) {
    return "select * from aspkm\n" + (expression.trimmed().isEmpty() ? QString(" ") : "where " + expression);
}

bool filterAllowed(Database& db, const QString& expression) {
    if (expression.trimmed().isEmpty()) return true;
    const Database::QueryShape shape = db.queryShape(goodsQuerySql(expression));
    return shape.prepared && shape.oneStatement && shape.readOnly && shape.selects == 1 &&
           shape.tablesRead == QStringList{"aspkm"};
}

}  // namespace queries
