#include "stockdocs/forms/uspckdlr.h"

#include "dataaware/fieldeditors.h"
#include "database/schema.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "stockdocs/forms/upickrkd.h"
#include "stockdocs/stockout.h"

namespace {
const char* kQuantity = "0;-0;#";
const char* kMoney = "0.00;-0.00;#";
}  // namespace

Tfrmspckdlr::Tfrmspckdlr(const AppContext& context, QWidget* parent)
    : DocumentWindow(context, stockout::kind(),
                     {"商品出库单[&1]", "出库单明细[&2]", "打印出库单[F8]", "商品出库单打印", "请选择出库单",
                      "frmspckdlr", true},
                     parent) {
    setObjectName("frmspckdlr");
    setWindowTitle("商品出库单数据录入....");
    openCursors();
    dbm.field("RQ").displayFormat = "yyyy-mm-dd";
    dbm.field("Je").displayFormat = kMoney;
    for (const auto& [field, caption] : QList<QPair<const char*, const char*>>{
             {"DJHM", "出库单号码"}, {"KHMC", "单位名称"}, {"NOTE", "摘要"}, {"Je", "金额"}, {"BZW", "标志"}})
        dbm.field(field).caption = caption;

    addHeaderBox("出库日期", "RQ", 0, 0);
    addHeaderBox("出库单号码", "DJHM", 0, 1)->setReadOnly(true);
    SKFS = new FieldComboBox(dbm, "SKFS", stockout::kWaysOfSale);
    addHeaderWidget("销售方式", "SKFS", SKFS, 0, 2);
    addPartyBox("单位编码", "KHBM", 1, 0);
    choosesParty(addHeaderBox("单位名称", "KHMC", 1, 1, 2));
    addHeaderBox("摘要", "NOTE", 2, 0, 2);
    addHeaderBox("会计", "RYKJ", 3, 0);
    FieldEdit* dispatcher = addHeaderBox("发货", "RYBG", 3, 1);
    addHeaderBox("记帐", "RYJZ", 4, 0)->setEnabled(false);
    addHeaderBox("制单", "RYZD", 4, 1)->setEnabled(false);

    dbg01->addColumn("FLBH", "序号", 40);
    dbg01->addColumn("Spbm", "编码", 90);
    GridColumn& goodsName = dbg01->addColumn("spmc", "商品名称", 130);
    goodsName.dropDownFields = {"Spmc", "ArtNo", "color", "Spbm"};
    goodsName.dropDownRows = 15;
    goodsName.footer = GridColumn::Footer::Text;
    goodsName.footerText = "合　　计";
    dbg01->addColumn("artno", "货号", 80).readOnly = true;
    dbg01->addColumn("ggxh", "规格型号", 80).readOnly = true;
    dbg01->addColumn("GGDW", "单位与规格", 80).readOnly = true;
    for (const QString& slot : schema::sizeSlotColumns("sl")) dbg01->addColumn(slot, slot, 40).displayFormat = kQuantity;
    GridColumn& quantity = dbg01->addColumn("SL", "数量", 60);
    quantity.displayFormat = kQuantity;
    quantity.footer = GridColumn::Footer::Sum;
    quantity.footerText = kQuantity;
    // The price is the goods' retail or wholesale price unless the shop lets it be changed.
    GridColumn& price = dbg01->addColumn("DJ", "单价", 70);
    price.displayFormat = kMoney;
    price.readOnly = !context.session.settings.salesPriceRule;
    GridColumn& amount = dbg01->addColumn("JE", "金额", 90);
    amount.displayFormat = kMoney;
    amount.readOnly = true;
    amount.footer = GridColumn::Footer::Sum;
    amount.footerText = kMoney;
    dbd.field("JBSL").displayFormat = kQuantity;
    dbd.field("SL").displayFormat = kQuantity;

    finishLayout(dispatcher, SKFS);
    setRules(std::make_unique<StockOutRules>(
        DocumentRules::Context{context.dbm.dbapp, context.dbm.config, context.prompter,
                               [&session = context.session] { return session.operatorName(); },
                               [&session = context.session] { return session.businessDate(); }},
        dbm, dbd, dbspk, dbkhk));
    followCustomer();
    resize(1100, 620);  // the price and amount in view beside eight sizes
}

// The name box is typed for the walk-in customer only.
void Tfrmspckdlr::followCustomer() {
    auto update = [this] {
        headerBox("KHMC")->setReadOnly(!static_cast<StockOutRules&>(rules()).customerNameTyped());
    };
    connect(&dbm, &RowSet::reset, this, update);
    connect(&dbm, &RowSet::currentChanged, this, update);
    connect(&dbm, &RowSet::rowChanged, this, update);
    update();
}

bool Tfrmspckdlr::pickParty() {
    TfrmpickKh picker(dbkhk, context_.prompter, {.navigator = true}, this);
    return picker.exec() == QDialog::Accepted;
}

void Tfrmspckdlr::showFindDialog() {
    Tfrmpickckd finder(dbm, context_.prompter, this);
    finder.exec();
}
