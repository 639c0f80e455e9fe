#include "moneydocs/forms/uOrders.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "moneydocs/orders.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "stockdocs/forms/upickrkd.h"

TfrmOrders::TfrmOrders(const AppContext& context, QWidget* parent)
    : DocumentWindow(context, orders::kind(),
                     {.headerGroup = "商品定单[&1]",
                      .linesGroup = "定单明细[&2]",
                      .printHint = "打印入库单[F8]",
                      .reportTitle = "商品订单",
                      .findCaption = "请选择入库单",
                      .layoutSection = "frmOrdersLr",
                      .findButton = "查找[&B]",
                      .printRule = false,
                      .abortPreview = "打印被用户终止！"},
                     parent) {
    setObjectName("frmOrders");
    setWindowTitle("商品定单录入....");
    dbm.addLookupField("rfkhmc", "KHBM", &dbkhk, "Bm", "Mc");
    // The stock-in find dialog shows an amount; an order has none.
    dbm.addCalculatedField("Je", [](const RowView&) { return QVariant(); });
    openCursors();
    dbm.field("RQ").displayFormat = "yyyy-mm-dd";
    for (const auto& [field, caption] : QList<QPair<const char*, const char*>>{
             {"DJHM", "定单号码"}, {"KHBM", "供货单位"}, {"NOTE", "摘要"}, {"BZW", "标志"}, {"Je", "金额"}})
        dbm.field(field).caption = caption;

    addHeaderBox("定货日期", "RQ", 0, 0);
    addHeaderBox("定单号码", "DJHM", 0, 1)->setReadOnly(true);
    FieldEdit* supplier = addPartyBox("供货单位　编码", "KHBM", 1, 0, 1);
    FieldEdit* name = addHeaderBox("名　　称", "rfkhmc", 1, 1, 2);
    name->setReadOnly(true);
    choosesParty(name);
    addHeaderBox("单位名称", "DWMC", 2, 0);
    addHeaderBox("联系人", "LXRY", 2, 1);
    addHeaderBox("单位地址", "ADDR", 3, 0, 2);
    addHeaderBox("电话", "TELNO", 4, 0);
    addHeaderBox("传真", "FAXNO", 4, 1);
    FieldEdit* note = addHeaderBox("摘要", "NOTE", 5, 0, 2);
    addHeaderBox("制单", "RYZD", 6, 0)->setEnabled(false);
    addHeaderBox("记帐", "RYJZ", 6, 1)->setEnabled(false);

    addGoodsColumns("合　计");
    dbg01->addColumn("color", "规格", 60).readOnly = true;
    dbg01->addColumn("jldw", "基本单位|单位", 50).readOnly = true;
    dbg01->addColumn("BzLx", "包装类型", 60);
    dbg01->addColumn("GGDW", "单位与规格", 80).readOnly = true;
    addTotalColumn("SL", "数量", 60, kQuantity);
    dbg01->addColumn("zyxx", "备注", 80);
    addTotalColumn("JBSL", "基本单位|数量", 60, kQuantity).readOnly = true;
    // Only the sizes the book uses, titled by their labels.
    const SizeSlots sizes = SizeSlots::of(context.dbm.config);
    const QStringList sizeFields = orders::sizeColumns();
    for (int i = 0; i < sizes.inUse && i < sizeFields.size(); ++i) {
        dbg01->addColumn(sizeFields[i], "尺码|" + sizes.labels.value(i), 40).displayFormat = "0;-0;0";
        dbd.field(sizeFields[i]).caption = "尺码|" + sizes.labels.value(i);
    }
    dbd.field("JBSL").displayFormat = kQuantity;
    dbd.field("SL").displayFormat = kQuantity;

    finishLayout(note, supplier);
    setRules(std::make_unique<OrderRules>(
        rulesContext(),
        dbm, dbd, dbspk, dbkhk));
    resize(1000, 620);
}

bool TfrmOrders::pickParty() {
    Tfrmpickgy picker(dbkhk, context_.prompter, {.navigator = false, .readOnly = true}, this);
    return picker.exec() == QDialog::Accepted;
}

void TfrmOrders::showFindDialog() {
    Tfrmpickrkd finder(dbm, context_.prompter, this);
    finder.exec();
}
