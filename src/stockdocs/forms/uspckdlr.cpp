#include "stockdocs/forms/uspckdlr.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "shell/session.h"
#include "stockdocs/forms/upickrkd.h"
#include "stockdocs/stockout.h"

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

    addGoodsColumns("合　　计");
    dbg01->addColumn("GGDW", "单位与规格", 80).readOnly = true;
    addSizeColumns();
    addTotalColumn("SL", "数量", 60, kQuantity);
    // The price is the goods' retail or wholesale price unless the shop lets it be changed.
    GridColumn& price = dbg01->addColumn("DJ", "单价", 70);
    price.displayFormat = kMoney;
    price.readOnly = !context.session.settings.salesPriceRule;
    addTotalColumn("JE", "金额", 90, kMoney).readOnly = true;
    dbd.field("JBSL").displayFormat = kQuantity;
    dbd.field("SL").displayFormat = kQuantity;

    finishLayout(dispatcher, SKFS);
    setRules(std::make_unique<StockOutRules>(rulesContext(), dbm, dbd, dbspk, dbkhk));
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
