#include "stockdocs/forms/usprkdcx.h"

#include "dataaware/fieldeditors.h"
#include "documents/forms/headernavigator.h"
#include "documents/documentrules.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/buttonrow.h"
#include "shell/udbm.h"
#include "shell/upublic.h"
#include "stockdocs/forms/uhzrkd.h"
#include "stockdocs/forms/upickrkd.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* kQuantity = "0;-0;#";
const char* kMoney = "0.00;-0.00;#";
}  // namespace

DocumentBrowser::DocumentBrowser(const AppContext& context, const Kind& kind, QWidget* parent)
    : ChildWindow(parent), dbm(context.dbm.dbapp), dbd(context.dbm.dbapp), dbspk(context.dbm.dbapp),
      dbkhk(context.dbm.dbapp), context_(context) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);

    dbkhk.setTable(kind.partyTable, "bm");
    dbd.setTable(kind.lineTable, "DJHM", "DJHM = :DJHM");
    dbm.setTable(kind.headerTable, kind.headerOrder);
    dbspk.setTable("ASPKM", "spbm");
    dbd.setMaster(&dbm, {"DJHM"});
    addGoodsLookups(dbd, dbspk);
    if (QString(kind.partyName) == "rfkhmc") dbm.addLookupField("rfkhmc", "KHBM", &dbkhk, "Bm", "Mc");
    for (RowSet* rows : {&dbkhk, &dbd, &dbm, &dbspk}) rows->open();
    dbd.field("SL").displayFormat = kQuantity;
    dbd.field("JBSL").displayFormat = kQuantity;
    dbm.field("RQ").displayFormat = "yyyy-mm-dd";
    dbm.field("Je").displayFormat = kMoney;

    // The navigator, the find dialog and the summary.
    auto* upper = new QGroupBox(this);
    auto* strip = new ButtonRow(this);
    addHeaderNavigator(*strip, dbm);
    strip->addSpacing(12);
    btnLocate = strip->add("btnLocate", "查找[&B]", [this, find = kind.find] { find(dbm, context_.prompter, this); });
    btnSum = strip->add("btnSum", "汇总[&A]", [this, summary = kind.summary] { summary(context_, this); });
    strip->addStretch();

    auto* boxes = new QGridLayout;
    for (const Box& b : kind.boxes) {
        auto* box = new FieldEdit(dbm, b.field, context.prompter, upper);
        box->setObjectName(b.field);
        box->setReadOnly(true);
        auto* label = new QLabel(b.label, upper);
        label->setBuddy(box);
        boxes->addWidget(label, b.row, b.column * 2, Qt::AlignRight);
        boxes->addWidget(box, b.row, b.column * 2 + 1, 1, b.span * 2 - 1);
        boxes_.append(box);
    }
    ljzbz = new QLineEdit("记帐标志", upper);
    ljzbz->setObjectName("ljzbz");
    ljzbz->setReadOnly(true);
    ljzbz->setFocusPolicy(Qt::NoFocus);
    ljzbz->setStyleSheet("QLineEdit { background: #c0c0c0; }");
    const int statusRow = boxes->rowCount();
    boxes->addWidget(new QLabel("状态", upper), statusRow, 0, Qt::AlignRight);
    boxes->addWidget(ljzbz, statusRow, 1);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->addLayout(strip);
    upperLayout->addLayout(boxes);

    auto* lower = new QGroupBox(this);
    dbg01 = new DataGrid(dbd, context.prompter, lower);
    dbg01->setObjectName("dbg01");
    for (const LineColumn& c : kind.lines) {
        GridColumn& column = dbg01->addColumn(c.field, c.title, c.width);
        column.visible = c.visible;
        column.displayFormat = c.format;
        if (*c.footer) {
            column.footer = c.footerSum ? GridColumn::Footer::Sum : GridColumn::Footer::Text;
            column.footerText = c.footer;
        }
    }
    dbg01->applyColumns();
    dbg01->setReadOnly(true);
    setFocusProxy(dbg01);  // the window opens with the lines in hand for the keys
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->addWidget(dbg01);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(upper);
    layout->addWidget(lower, 1);

    connect(&dbm, &RowSet::currentChanged, this, &DocumentBrowser::showStatus);
    dbm.last();
    dbg01->setFooterVisible(true);
    showStatus();
    resize(900, 560);
}

FieldEdit* DocumentBrowser::headerBox(const QString& field) const {
    for (FieldEdit* box : boxes_)
        if (box->objectName().compare(field, Qt::CaseInsensitive) == 0) return box;
    return nullptr;
}

void DocumentBrowser::showStatus() { ljzbz->setText("单据" + DocumentStatusText(dbm.value("BZW").toString())); }

namespace {

// The goods columns both kinds' lines begin with; the stock-in lines show
// the package size before the unit.
QList<DocumentBrowser::LineColumn> goodsColumns(const char* totalText, bool withPackage) {
    QList<DocumentBrowser::LineColumn> columns{{"FLBH", "序号", 40},
                                               {"Spbm", "编码", 90},
                                               {"spmc", "商品名称", 130, true, "", totalText},
                                               {"artno", "货号", 80},
                                               {"ggxh", "规格型号", 80}};
    if (withPackage) columns.append({"BzLx", "包装类型", 60});
    columns += QList<DocumentBrowser::LineColumn>{{"GGDW", "单位与规格", 80},
                                                 {"SL", "数量", 60, true, kQuantity, kQuantity, true},
                                                 {"DJ", "单价", 70, true, kMoney},
                                                 {"JE", "金额", 90, true, kMoney, kMoney, true}};
    return columns;
}

// The find dialog and the summary of a kind, each shown modally.
template <typename Finder>
void showFinder(RowSet& headers, Prompter& prompter, QWidget* parent) {
    Finder finder(headers, prompter, parent);
    finder.exec();
}
template <typename Summary>
void showSummary(const AppContext& context, QWidget* parent) {
    Summary summary(context, parent);
    summary.exec();
}

}  // namespace

Tfrmsprkdcx::Tfrmsprkdcx(const AppContext& context, QWidget* parent)
    : DocumentBrowser(context,
                      {"frmsprkdcx", "商品入库单数据查询....", "ASPRKD", "ASPRKD#PX", "asprkdd", "AGYS", "rfkhmc",
                       {{"入库日期", "RQ", 0, 0},
                        {"入库单号码", "DJHM", 0, 1},
                        {"发票号", "FPHM", 0, 2},
                        {"供货单位编码", "KHBM", 1, 0},
                        {"单位名称", "rfkhmc", 1, 1, 2},
                        {"摘要", "NOTE", 2, 0, 2},
                        {"采购", "RYCG", 3, 0},
                        {"会计", "RYKJ", 3, 1},
                        {"保管", "RYBG", 3, 2},
                        {"记帐", "RYJZ", 4, 0},
                        {"制单", "RYZD", 4, 1}},
                       goodsColumns("合　计", true) +
                           QList<LineColumn>{{"jldw", "基本单位|单位", 50},
                                             {"JBSL", "基本单位|数量", 60, true, kQuantity, kQuantity, true},
                                             {"zyxx", "zyxx", 80, false}},
                       showFinder<Tfrmpickrkd>, showSummary<Tfrmhzrkd>},
                      parent) {}

Tfrmspckdcx::Tfrmspckdcx(const AppContext& context, QWidget* parent)
    : DocumentBrowser(context,
                      {"frmspckdcx", "商品出库单数据查询....", "ASPCKD", "DJHM", "ASPCKDD", "ABMK", "KHMC",
                       {{"出库日期", "RQ", 0, 0},
                        {"出库单号码", "DJHM", 0, 1},
                        {"销售方式", "SKFS", 0, 2},
                        {"单位编码", "KHBM", 1, 0},
                        {"单位名称", "KHMC", 1, 1, 2},
                        {"摘要", "NOTE", 2, 0, 2},
                        {"会计", "RYKJ", 3, 0},
                        {"发货", "RYBG", 3, 1},
                        {"记帐", "RYJZ", 4, 0},
                        {"制单", "RYZD", 4, 1}},
                       goodsColumns("合　　计", false) + QList<LineColumn>{{"Bzlx", "Bzlx", 60, false},
                                                                           {"zyxx", "zyxx", 80, false},
                                                                           {"jldw", "jldw", 50, false},
                                                                           {"jbsl", "jbsl", 60, false, kQuantity}},
                       showFinder<Tfrmpickckd>, showSummary<Tfrmhzckd>},
                      parent) {}
