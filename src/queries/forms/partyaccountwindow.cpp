#include "queries/forms/partyaccountwindow.h"

#include "dataaware/fieldeditors.h"
#include "database/schema.h"
#include "grid/forms/datagrid.h"
#include "queries/forms/querywidgets.h"
#include "shell/forms/buttonrow.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/sizeslots.h"
#include "shell/udbm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace queryforms;
using queries::AccountPage;

namespace {

const char* kMoney = "0.00;-0.00;#";
const QColor kRed(Qt::red);
const QColor kSkyBlue(166, 202, 240);
const QColor kLightYellow(255, 255, 225);

std::optional<std::pair<QColor, QColor>> redOnSkyBlue(bool when) {
    if (!when) return std::nullopt;
    return std::pair{kRed, kSkyBlue};
}

void addColumns(DataGrid& grid, std::initializer_list<std::tuple<const char*, const char*, int>> columns) {
    for (const auto& [field, title, width] : columns) grid.addColumn(field, title, width);
}

}  // namespace

PartyAccountWindow::PartyAccountWindow(const queries::PartyAccountKind& kind, const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), query(kind, context.dbm.dbapp, context.prompter) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);
    prompter().showWaitBox("正在打开查询数据，请等待....");
    query.open();

    pages = new QTabWidget(this);
    pages->setObjectName("pages");
    int chooser = 2;
    for (const AccountPage& page : kind.pages) {
        const QByteArray name = "dbg" + QByteArray::number(chooser++) + "1";
        QWidget* widget = nullptr;
        switch (page.content) {
        case AccountPage::Content::Balances: widget = balancesPage(); break;
        case AccountPage::Content::DetailLedger: widget = detailPage(name.constData()); break;
        case AccountPage::Content::FlowLedger: widget = flowPage(name.constData()); break;
        case AccountPage::Content::Card: widget = cardPage(name.constData()); break;
        }
        pages->addTab(widget, page.caption);
    }
    if (!kind.layoutPrefix.isEmpty()) restoreLayouts(context.session.workingDirectory(), layouts());

    ButtonRow* panel = findAndPrintBar(*this, "名称中包含:", findText, [this](const QString& t) { query.find(t); },
                                       [this](const QString& t) { query.findNext(t); });
    panel->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(panel);
    resize(960, 560);
    prompter().hideWaitBox();
}

QWidget* PartyAccountWindow::balancesPage() {
    dbg01 = new DataGrid(query.dbbmk, prompter(), this);
    dbg01->setObjectName("dbg01");
    dbg01->setToolTip("单击标题改变显示顺序....");
    dbg01->setReadOnly(true);
    addColumns(*dbg01, {{"Bm", "单位编码", 80}, {"Mc", "单位名称", 170}});
    if (query.kind.contactColumns) addColumns(*dbg01, {{"Fzry", "联 系 人", 70}, {"lxdh", "电话", 100}});
    addColumns(*dbg01, {{"ncye", "年初欠款", 85}, {"bnjf", "本年欠款", 85}, {"bndf", "本年还款", 85},
                        {"byjf", "本月欠款", 85}, {"bydf", "本月还款", 85}, {"jyje", "当前欠款", 85}});
    GridColumn& name = *dbg01->column("Mc");
    name.footer = GridColumn::Footer::Text;
    name.footerText = "合　　计";
    for (const char* f : {"ncye", "bnjf", "bndf", "byjf", "bydf", "jyje"}) {
        GridColumn& c = *dbg01->column(f);
        c.footer = GridColumn::Footer::SumAllRows;
        c.footerText = kMoney;
    }
    dbg01->setFooterVisible(true);
    if (QWidget* footer = dbg01->findChild<QWidget*>("footer")) {
        QPalette palette = footer->palette();
        palette.setColor(QPalette::Button, kLightYellow);
        footer->setPalette(palette);
        QFont font = footer->font();
        font.setBold(query.kind.boldFooter);
        footer->setFont(font);
    }
    dbg01->setRowColours([](const RowView& row) { return redOnSkyBlue(row.value("jyje").toDouble() < 0); });
    connect(dbg01, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);
    installColumnMenu(*dbg01, *this);
    return dbg01;
}

QWidget* PartyAccountWindow::ledgerPage(const char* chooserName, QWidget* boxes, QWidget* ledger) {
    auto* chosen = new QGroupBox("选定单位", this);
    DataGrid* chooser = chooserGrid(query.dbbmk, prompter(), chooserName, {"Bm", "单位编码"}, {"Mc", "单位名称"}, chosen);
    connect(chooser, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);
    (new QVBoxLayout(chosen))->addWidget(chooser);
    return chooserPage(chosen, boxes, ledger, this);
}

QGroupBox* PartyAccountWindow::balanceBoxes() {
    return boxesGroup("当前单位信息", query.dbbmk, prompter(),
                      {{"单位编码", "Bm"}, {"单位名称", "Mc"}, {"年初余额", "ncye"}, {"当前余额", "jyje"}}, true, this);
}

QWidget* PartyAccountWindow::detailPage(const char* chooserName) {
    dbg22 = ledgerGrid(query.sqlmxz, prompter(), "dbg22", this);
    addColumns(*dbg22, {{"Djhm", "单据号码", 90}, {"Rq", "日期", 80}, {"Zyxx", "摘要", 150}, {"Jfje", "借方金额", 90},
                        {"Dfje", "贷方金额", 90}, {"Jyje", "结余金额", 90}});
    return ledgerPage(chooserName, balanceBoxes(), dbg22);
}

QWidget* PartyAccountWindow::flowPage(const char* chooserName) {
    showQuantity = new QCheckBox("显示数量合计", this);
    showQuantity->setObjectName("chkQuantity");
    dbg32 = ledgerGrid(query.sqllsz, prompter(), "dbg32", this);
    addColumns(*dbg32, {{"Djhm", "单据号码", 90}, {"Rq", "日期", 80}, {"jsfs", "业务", 60}, {"spmc", "商品名称", 110},
                        {"artno", "货号", 70}, {"jldw", "单位", 40}, {"sl", "数量", 50}, {"dj", "单价", 65},
                        {"je", "金额", 80}});
    for (const QString& slot : schema::sizeSlotColumns("sl")) dbg32->addColumn(slot, slot, 40);
    const SizeSlots sizes = SizeSlots::of(context().dbm.config);
    dbg32->applySizeSlots("sl", sizes.inUse, sizes.labels);
    GridColumn& name = *dbg32->column("spmc");
    name.footer = GridColumn::Footer::Text;
    name.footerText = "　合计";
    GridColumn& quantity = *dbg32->column("sl");
    quantity.footer = GridColumn::Footer::Sum;
    quantity.footerText = kQuantity;
    dbg32->setFooterVisible(false);
    connect(showQuantity, &QCheckBox::toggled, dbg32, &DataGrid::setFooterVisible);
    dbg32->setRowColours([](const RowView& row) { return redOnSkyBlue(row.value("jsfs").toString() == "回收欠帐"); });
    // A double-click shows only the rows with the clicked value; the next one shows all again.
    connect(dbg32, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        query.toggleFlowFilter(dbg32->columns().value(index.column()).field, index.data().toString());
    });

    auto* top = new QWidget(this);
    auto* tick = new QHBoxLayout(top);
    tick->setContentsMargins(0, 0, 0, 0);
    tick->addWidget(balanceBoxes(), 1);
    tick->addWidget(showQuantity, 0, Qt::AlignBottom);
    return ledgerPage(chooserName, top, dbg32);
}

QWidget* PartyAccountWindow::cardPage(const char* chooserName) {
    QList<QPair<QString, QString>> fields = {{"单位编码", "Bm"}, {"单位名称", "Mc"},   {"联 系 人", "Fzry"},
                                             {"电话", "lxdh"},   {"单位地址", "Addr"}, {"邮政编码", "Yzbm"},
                                             {"传真", "FaxNo"}};
    if (query.kind.bankBoxes) fields += {{"开户银行", "Khyh"}, {"银行帐号", "Yhzh"}};
    auto* remarks = new QGroupBox("备注信息[&M]", this);
    auto* memo = new FieldTextEdit(query.dbbmk, "bzxx", remarks);
    memo->setObjectName("bzxx");
    memo->setReadOnly(true);
    (new QVBoxLayout(remarks))->addWidget(memo);
    return ledgerPage(chooserName, boxesGroup("当前单位信息", query.dbbmk, prompter(), fields, true, this), remarks);
}

QList<RowSet*> PartyAccountWindow::rereadOnActivation() {
    QList<RowSet*> out{&query.dbbmk, &query.sqlmxz};
    if (dbg32) out.append(&query.sqllsz);
    return out;
}

QList<QPair<DataGrid*, QString>> PartyAccountWindow::layouts() const {
    const QString prefix = query.kind.layoutPrefix;
    QList<QPair<DataGrid*, QString>> out{{dbg01, prefix + "_dbg01"}, {dbg22, prefix + "_dbg22"}};
    if (dbg32) out.append({dbg32, prefix + "_dbg32"});
    return out;
}

void PartyAccountWindow::closeEvent(QCloseEvent* event) {
    ListWindow::closeEvent(event);
    if (event->isAccepted() && !query.kind.layoutPrefix.isEmpty())
        saveLayouts(context().session.workingDirectory(), layouts());
}

ListWindow::GridPrint PartyAccountWindow::gridPrint() const {
    const AccountPage& page = query.kind.pages.value(pages->currentIndex());
    DataGrid* grid = dbg01;
    if (page.content == AccountPage::Content::DetailLedger) grid = dbg22;
    if (page.content == AccountPage::Content::FlowLedger) grid = dbg32;
    const QString footerLeft = queries::printFooterLeft(page, context().dbm.config.value("ANAME").toString(),
                                                        query.dbbmk.value("mc").toString());
    GridPrint job{grid, page.printTitle, {{}, footerLeft, "", kPrintFooterRight, false}};
    job.askTitle = false;
    return job;
}
