#include "queries/forms/uCxSpkm.h"

#include "grid/forms/datagrid.h"
#include "queries/forms/querywidgets.h"
#include "queries/forms/usetspkm.h"
#include "reports/forms/templateprinting.h"
#include "shell/paths.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/sizeslots.h"
#include "shell/udbm.h"
#include "shell/forms/buttonrow.h"
#include "database/schema.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace queryforms;

namespace {

const char* kMoney = "0.00;-0.00;#";

enum Page { Goods, GoodsLedger, SalesLedger };

}  // namespace

TfrmCxSpkM::TfrmCxSpkM(const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), query(context.dbm.dbapp, context.prompter) {
    setObjectName("frmCxSpkM");
    setWindowTitle("库存商品信息综合查询....");
    prompter().showWaitBox("正在打开查询数据，请等待....");
    query.open();

    dbg22 = ledgerGrid(query.sqlmxz, prompter(), "dbg22", this);
    for (const auto& [field, title, width] : std::initializer_list<std::tuple<const char*, const char*, int>>{
             {"Djhm", "单据号", 90}, {"Rq", "日　　期", 80}, {"Zyxx", "摘　　要", 120},
             {"Rksl", "入　库|数量", 55}, {"Rkje", "入　库|金额", 75}, {"Cksl", "出　库|数量", 55},
             {"Ckje", "出　库|金额", 75}, {"Kcsl", "库　存|数量", 55}, {"Kcje", "库　存|金额", 80},
             {"Kcjg", "库　存|单价", 70}})
        dbg22->addColumn(field, title, width);
    for (const QString& slot : schema::sizeSlotColumns("sl")) dbg22->addColumn(slot, slot, 40);

    dbg32 = ledgerGrid(query.sqllsz, prompter(), "dbg32", this);
    for (const auto& [field, title, width] : std::initializer_list<std::tuple<const char*, const char*, int>>{
             {"Djhm", "单据号", 90}, {"Rq", "日　　期", 80}, {"Zyxx", "摘　　要", 120}, {"khmc", "客户名称", 120},
             {"sl", "数　量", 55}, {"dj", "单价", 70}, {"je", "金　额", 80}, {"bzxx", "备注", 100}})
        dbg32->addColumn(field, title, width);
    for (const QString& slot : schema::sizeSlotColumns("sl")) dbg32->addColumn(slot, slot, 40);

    pages = new QTabWidget(this);
    pages->setObjectName("pages");
    pages->addTab(goodsPage(), "商品基本信息[&1]");
    pages->addTab(ledgerPage(dbg22, "dbg21", "gbGoods2"), "商品保管帐[&2]");
    pages->addTab(ledgerPage(dbg32, "dbg31", "gbGoods3"), "商品发货明细[&3]");

    const SizeSlots sizes = SizeSlots::of(context.dbm.config);
    dbg01->applySizeSlots("kcsl", sizes.inUse, sizes.labels);
    dbg22->applySizeSlots("sl", sizes.inUse, sizes.labels);
    dbg32->applySizeSlots("sl", sizes.inUse, sizes.labels);
    restoreLayouts(context.session.workingDirectory(), layouts());

    ButtonRow* panel = findAndPrintBar(*this, "名称中包含[&3]:", findText, [this](const QString& t) { query.find(t); },
                                       [this](const QString& t) { query.findNext(t); });
    panel->add("btnExport", "导出[&B]", [this] { exportPage(); });
    panel->add("btnFilter", "筛选[&F]", [this] { filter(); });
    panel->add("btnDesign", "设计报表", [this] { designReport(); })->hide();
    panel->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(panel);
    resize(1000, 580);
    prompter().hideWaitBox();
}

QWidget* TfrmCxSpkM::goodsPage() {
    auto* page = new QWidget(this);
    dbg01 = new DataGrid(query.dbspk, prompter(), page);
    dbg01->setObjectName("dbg01");
    dbg01->setToolTip("单击标题改变显示顺序....");
    dbg01->setReadOnly(true);
    for (const auto& [field, title, width] : std::initializer_list<std::tuple<const char*, const char*, int>>{
             {"Spbm", "商品编码", 90}, {"Spmc", "商品名称", 130}, {"ArtNo", "货号", 80}, {"Ggxh", "规格型号", 80},
             {"Jldw", "基本单位", 55}, {"lbmc", "商品类别", 80}, {"Xsdj", "零售价", 65}, {"Pfdj", "批发价", 65},
             {"Kcsl", "当前库存|数量", 55}, {"kcjg", "当前库存|单价", 65}, {"kcje", "当前库存|金额", 80}})
        dbg01->addColumn(field, title, width);
    for (const QString& slot : schema::sizeSlotColumns("kcsl")) dbg01->addColumn(slot, slot, 40);
    dbg01->addColumn("dwgg", "大包装库存|单位", 70);
    dbg01->addColumn("bzsl", "大包装库存|数量", 65);
    dbg01->addColumn("Cbsx", "库存上限", 60);
    dbg01->addColumn("Cbxx", "库存下限", 60);
    GridColumn& name = *dbg01->column("Spmc");
    name.footer = GridColumn::Footer::Text;
    name.footerText = "合　　计";
    for (const auto& [field, format] : {std::pair{"Kcsl", kQuantity}, {"kcje", kMoney}, {"bzsl", kMoney}}) {
        GridColumn& c = *dbg01->column(field);
        c.footer = GridColumn::Footer::Sum;
        c.footerText = format;
    }
    connect(dbg01, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);
    installColumnMenu(*dbg01, *this);

    showTotals = new QCheckBox("显示合计", page);
    showTotals->setObjectName("chkTotals");
    connect(showTotals, &QCheckBox::toggled, dbg01, &DataGrid::setFooterVisible);
    dbg01->setFooterVisible(false);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(dbg01, 1);
    layout->addWidget(showTotals);
    return page;
}

QWidget* TfrmCxSpkM::ledgerPage(DataGrid* ledger, const char* chooserName, const char* boxesName) {
    auto* chosen = new QGroupBox("选定商品", this);
    DataGrid* chooser = chooserGrid(query.dbspk, prompter(), chooserName, {"Spbm", "商品编码"}, {"Spmc", "商品名称"}, chosen);
    connect(chooser, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);
    (new QVBoxLayout(chosen))->addWidget(chooser);

    // Typed into the goods row as it stands; saved when another goods item is chosen.
    QGroupBox* boxes = boxesGroup("当前商品信息", query.dbspk, prompter(),
                                  {{"商品编码", "Spbm"}, {"商品名称", "Spmc"}, {"货　号", "ArtNo"}, {"单　　位", "Jldw"},
                                   {"零售价", "Xsdj"}, {"批发价", "Pfdj"}, {"规格型号", "Ggxh"}},
                                  false, this);
    boxes->setObjectName(boxesName);
    return chooserPage(chosen, boxes, ledger, this);
}

QList<QPair<DataGrid*, QString>> TfrmCxSpkM::layouts() const {
    return {{dbg01, "frmCxSpkM_dbg01"}, {dbg22, "frmCxSpkM_dbg22"}, {dbg32, "frmCxSpkM_dbg32"}};
}

void TfrmCxSpkM::closeEvent(QCloseEvent* event) {
    ListWindow::closeEvent(event);
    if (event->isAccepted()) saveLayouts(context().session.workingDirectory(), layouts());
}

void TfrmCxSpkM::filter() {
    QString expression;
    {
        query.dbsplb.refresh();  // categories added meanwhile are offered
        Tfrmsetspkm dialog(query.dbsplb, this);
        if (dialog.exec() != QDialog::Accepted) {
            prompter().message("取消返回");
            return;
        }
        expression = dialog.expression();
    }
    query.applyFilter(expression);
}

ListWindow::GridPrint TfrmCxSpkM::gridPrint() const {
    GridPrint job{dbg01, "库存商品信息表",
                  {{}, "单位名称:" + context().dbm.config.value("ANAME").toString(), "", kPrintFooterRight, false}};
    job.askTitle = false;
    return job;
}

TemplatePrintJob TfrmCxSpkM::ledgerTemplate() const {
    const bool goodsLedger = pages->currentIndex() == GoodsLedger;
    TemplatePrintJob job;
    job.file = paths::resolve(context().session.workingDirectory(),
                              goodsLedger ? "reports\\repbgzm.frf" : "reports\\repxslsz.frf");
    job.sources = {goodsLedger ? "sqlmxz" : "sqllsz", goodsLedger ? &query.sqlmxz : &query.sqllsz,
                   {{"dbspk", &query.dbspk}, {"System", &context().dbm.config}}};
    return job;
}

void TfrmCxSpkM::printPage(bool toPreview) {
    if (pages->currentIndex() == Goods) {
        toPreview ? ListWindow::preview() : ListWindow::print();
        return;
    }
    // The ledger on screen stands still while the report runs over its rows.
    DataGrid* grid = pages->currentIndex() == GoodsLedger ? dbg22 : dbg32;
    grid->setUpdatesEnabled(false);
    printWithTemplate(ledgerTemplate(), toPreview, prompter(), this);
    grid->setUpdatesEnabled(true);
}

void TfrmCxSpkM::designReport() {
    if (pages->currentIndex() == Goods) prompter().message("该页内容直接调整屏幕显示即可实现打印格式的调整！");
    else designTemplate(ledgerTemplate(), prompter(), this);
}

void TfrmCxSpkM::exportPage() {
    const int page = pages->currentIndex();
    if (page == Goods) ExportGrid(*dbg01, prompter());
    else if (page == GoodsLedger) ExportGrid(*dbg22, prompter());
}
