#include "masterdata/forms/uxtSpbm.h"

#include "grid/forms/datagrid.h"
#include "database/schema.h"
#include "shell/forms/buttonrow.h"
#include "shell/sizeslots.h"
#include "shell/udbm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {
const char* kMoney = "0.00;-0.00;#";
const char* kQuantity = "0;-0;#";
}  // namespace

TfrmxtSpbm::TfrmxtSpbm(const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), dbspk(context.dbm.dbapp), dbsplb(context.dbm.dbapp),
      rules(dbspk, context.prompter, [&dbm = context.dbm] { return SizeSlots::of(dbm.config).inUse; }) {
    setObjectName("frmxtSpbm");
    setWindowTitle("商品编码信息维护....");
    dbsplb.setTable("ASPLB", "Bm");
    dbsplb.open();
    dbspk.setTable("ASPKM", "Spbm");
    dbspk.addLookupField("lbmc", "Splb", &dbsplb, "Bm", "Mc");
    dbspk.open();
    dbspk.setSort("Spbm  ASC");
    buildGrid();

    copyNewRows = new QCheckBox("新增记录自动复制", this);
    copyNewRows->setObjectName("chkCopy");
    connect(copyNewRows, &QCheckBox::toggled, this, [this](bool on) { rules.copyIntoNewRows = on; });
    findText = new QLineEdit(this);
    findText->setObjectName("EditFind");
    findText->setMinimumWidth(fontMetrics().horizontalAdvance(QString(10, QChar(0x4E2D))));  // ten characters
    auto* panel = new ButtonRow(this);
    panel->addWidget(copyNewRows);
    addRecordButtons(*panel, [this]() -> RowSet& { return dbspk; }, Prior | Next | Insert | Delete | Save | Cancel);
    panel->add("btnPreview", "预览", [this] { preview(); });
    panel->add("btnPrint", "打印[&R]", [this] { print(); });
    QPushButton* exportButton = panel->add("btnExport", "导出[&B]", [this] { exportGrid(); });
    auto* findLabel = new QLabel("名称中包含[&3]:", this);
    findLabel->setBuddy(findText);
    panel->addWidget(findLabel);
    panel->addWidget(findText);
    QPushButton* findButton = panel->add("btnFind", "查找[&B]", [this] { rules.find(findText->text()); });
    connect(findText, &QLineEdit::returnPressed, findButton, &QPushButton::click);
    // Tab and the twice-given Alt+B go from export to the name box to find,
    // as they stand on screen: Alt+B typed in the name box reaches 查找.
    setTabOrder(exportButton, findText);
    setTabOrder(findText, findButton);
    panel->add("btnFindNext", "继续[&T]", [this] { rules.findNext(findText->text()); });
    panel->addStretch();

    auto* pages = new QTabWidget(this);
    pages->addTab(grid, "方式一[&1]");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(panel);
    resize(1000, 560);
}

void TfrmxtSpbm::buildGrid() {
    grid = new DataGrid(dbspk, prompter(), this);
    grid->setObjectName("dbgspk");
    grid->setToolTip("单击标题改变显示顺序....");
    grid->addColumn("IDNO", "IDNO", 50).readOnly = true;
    grid->addColumn("Spbm", "商品编码", 90);
    grid->addColumn("Spmc", "商品名称", 140);
    grid->addColumn("ArtNo", "货号", 80);
    grid->addColumn("Ggxh", "规格型号", 90);
    grid->addColumn("Jldw", "基本单位", 60).alignment = Qt::AlignHCenter;
    grid->addColumn("hzdw", "包装单位", 60);
    grid->addColumn("Scale", "转换比例", 60);
    grid->addColumn("Splb", "类别|编码", 60);
    GridColumn& category = grid->addColumn("lbmc", "类别|名称", 90);
    category.dropDownFields = {"Mc", "Bm"};
    category.dropDownRows = 8;
    grid->addColumn("Xsdj", "零售价", 70).displayFormat = kMoney;
    grid->addColumn("Pfdj", "批发价", 70).displayFormat = kMoney;
    grid->addColumn("Kcsl", "当前库存|数量", 60).displayFormat = kQuantity;
    grid->addColumn("kcjg", "当前库存|单价", 70).displayFormat = kMoney;
    GridColumn& value = grid->addColumn("kcje", "当前库存|金额", 80);
    value.displayFormat = kMoney;
    value.readOnly = true;
    for (const QString& slot : schema::sizeSlotColumns("kcsl")) grid->addColumn(slot, slot, 40).displayFormat = kQuantity;
    grid->addColumn("lastprice", "当前进价", 70).displayFormat = kMoney;
    grid->addColumn("Cbsx", "库存上限", 60).displayFormat = kQuantity;
    grid->addColumn("Cbxx", "库存下限", 60).displayFormat = kQuantity;
    dbsplb.field("Bm").caption = "编码";
    dbsplb.field("Mc").caption = "名称";

    const SizeSlots sizes = SizeSlots::of(context().dbm.config);
    grid->applySizeSlots("kcsl", sizes.inUse, sizes.labels);
    grid->setEnterMode(DataGrid::EnterMode::NextColumnAppend, grid->columnIndex("Spbm"));
    rules.focusField = [this](const QString& field) {
        grid->setCurrentIndex(grid->model()->index(std::max(0, dbspk.position()), grid->columnIndex(field)));
    };
    connect(grid, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);

    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        const int col = grid->currentIndex().column();
        const bool printed = col < 0 || grid->columns()[col].printed;
        menu.addAction(printed ? "不打印此列" : "允许打印此列", this, [this, printed] { MarkColumnPrinted(*grid, !printed); });
        menu.addAction("隐藏当前列", this, [this, col] {
            if (col < 0) return;
            grid->columns()[col].visible = false;
            grid->applyColumns();
        });
        menu.addAction("显示所有列", this, [this] { ShowAllColumns(*grid); });
        menu.addSeparator();
        menu.addAction("打印页面", this, [this] { print(); });
        menu.addAction("打印预览", this, [this] { preview(); });
        menu.addAction("执行导出", this, [this] { exportGrid(); });
        menu.addSeparator();
        menu.addAction("关闭返回[&X]", this, [this] { parentWidget() ? parentWidget()->close() : close(); });
        menu.exec(grid->viewport()->mapToGlobal(at));
    });
}

ListWindow::GridPrint TfrmxtSpbm::gridPrint() const {
    return {grid, "商品编码表", {{}, "", "页号：&[Page]", "打印日期:&[date]　　　", false}, true};
}
