#include "moneydocs/orders.h"

#include "database/rowset.h"
#include "database/schema.h"

namespace orders {

const DocumentKind& kind() {
    static const DocumentKind kind{
        .code = "order",
        .headerTable = "AOrders",
        .lineTable = "AOrdersD",
        .numberField = "DJHM",
        .counter = "LastOrder",
        .partyTable = "AGYS",
        .partyField = "KHBM",
        .partyWord = "供应商",
        .ledgerPrefix = {},
        .templateFile = "reporder.frf",
        .stockDirection = 0,
        .post = {},
        .refuse = {},
    };
    return kind;
}

QStringList sizeColumns() {
    QStringList columns;
    for (const char slot : QByteArray("0123456789ABCDEF")) columns.append(QString("A") + QChar(slot));
    return columns;
}

}  // namespace orders

OrderRules::OrderRules(const Context& context, RowSet& header, RowSet& lines, RowSet& goods, RowSet& suppliers)
    : DocumentRules(orders::kind(), context, header, &lines, goods, suppliers) {
    texts_.duplicateNumber = "关键字(定单号码)不能重复!";
    texts_.cannotSave = "定单不能保存！";
    texts_.deleteLinesFirst = "要删除单据应首先删除此定单所有分录!";
    texts_.deleteQuestion = "是否要删除当前定单?";
    texts_.deleteLineQuestion = "是否还要删除定单分录？";
}

void OrderRules::newHeaderDefaults() {
    // The ordering company as the book knows it; each order may change it.
    const RowSet& system = context_.config;
    for (const auto& [field, source] : QList<QPair<const char*, const char*>>{{"DWMC", "ANAME"},
                                                                             {"LXRY", "LXRY"},
                                                                             {"ADDR", "ADDRESS"},
                                                                             {"TELNO", "TELNO"},
                                                                             {"FAXNO", "FAXNO"},
                                                                             {"YZBM", "ZIPCODE"}})
        header_.setValue(field, schema::fitText("AOrders", field, system.value(source).toString()));
}

bool OrderRules::checkLine() {
    if (!lineGoodsKnown()) return false;
    fillEmptySlots();
    return true;
}
