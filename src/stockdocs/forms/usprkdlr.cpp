#include "stockdocs/forms/usprkdlr.h"

#include "dataaware/fieldeditors.h"
#include "database/schema.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "stockdocs/forms/upickrkd.h"
#include "stockdocs/stockin.h"

namespace {
const char* kQuantity = "0;-0;#";
const char* kMoney = "0.00;-0.00;#";
}  // namespace

Tfrmsprkdlr::Tfrmsprkdlr(const AppContext& context, QWidget* parent)
    : DocumentWindow(context, stockin::kind(),
                     {"商品入库单[&1]", "入库单明细[&2]", "打印入库单[F8]", "入库单打印", "请选择入库单", "frmsprkdlr"},
                     parent) {
    setObjectName("frmsprkdlr");
    setWindowTitle("商品入库单数据录入....");
    dbm.addLookupField("rfkhmc", "KHBM", &dbkhk, "Bm", "Mc");
    openCursors();
    dbm.field("RQ").displayFormat = "yyyy-mm-dd";
    dbm.field("Je").displayFormat = kMoney;
    for (const auto& [field, caption] : QList<QPair<const char*, const char*>>{
             {"DJHM", "入库单号码"}, {"KHBM", "供货单位编码"}, {"NOTE", "摘要"}, {"Je", "金额"}, {"BZW", "标志"}})
        dbm.field(field).caption = caption;

    addHeaderBox("入库日期", "RQ", 0, 0);
    FieldEdit* number = addHeaderBox("入库单号码", "DJHM", 0, 1);
    number->setReadOnly(true);
    FieldEdit* invoice = addHeaderBox("发票号", "FPHM", 0, 2);
    addPartyBox("供货单位编码", "KHBM", 1, 0);
    FieldEdit* name = addHeaderBox("单位名称", "rfkhmc", 1, 1, 2);
    name->setReadOnly(true);
    choosesParty(name);
    FieldEdit* note = addHeaderBox("摘要", "NOTE", 2, 0, 2);
    addHeaderBox("采购", "RYCG", 3, 0);
    addHeaderBox("会计", "RYKJ", 3, 1);
    FieldEdit* keeper = addHeaderBox("保管", "RYBG", 3, 2);
    for (const char* field : {"RYJZ", "RYZD"}) {
        FieldEdit* box = addHeaderBox(QString(field) == "RYJZ" ? "记帐" : "制单", field, 4, QString(field) == "RYJZ" ? 0 : 1);
        box->setEnabled(false);
    }
    setNoteBox(note);

    addGoodsColumns();
    dbg01->addColumn("artno", "货号", 80).readOnly = true;
    dbg01->addColumn("ggxh", "规格型号", 80).readOnly = true;
    dbg01->addColumn("BzLx", "包装类型", 60);
    dbg01->addColumn("GGDW", "单位与规格", 80).readOnly = true;
    addSummedColumn("SL", "数量", 60, kQuantity);
    dbg01->addColumn("DJ", "单价", 70).displayFormat = kMoney;
    addSummedColumn("JE", "金额", 90, kMoney).readOnly = true;
    for (const QString& slot : schema::sizeSlotColumns("sl")) dbg01->addColumn(slot, slot, 40).displayFormat = kQuantity;
    dbg01->addColumn("jldw", "基本单位|单位", 50).readOnly = true;
    addSummedColumn("JBSL", "基本单位|数量", 60, kQuantity).readOnly = true;
    dbd.field("JBSL").displayFormat = kQuantity;
    dbd.field("SL").displayFormat = kQuantity;

    finishLayout(keeper, invoice);
    setRules(std::make_unique<StockInRules>(
        DocumentRules::Context{context.dbm.dbapp, context.dbm.config, context.prompter,
                               [&session = context.session] { return session.operatorName(); },
                               [&session = context.session] { return session.businessDate(); }},
        dbm, dbd, dbspk, dbkhk));
    resize(1000, 620);
}

bool Tfrmsprkdlr::pickParty() {
    Tfrmpickgy picker(dbkhk, context_.prompter, {.navigator = true}, this);
    return picker.exec() == QDialog::Accepted;
}

void Tfrmsprkdlr::showFindDialog() {
    Tfrmpickrkd finder(dbm, context_.prompter, this);
    finder.exec();
}
