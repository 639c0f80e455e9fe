#include "masterdata/forms/partywindow.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/masterdatarules.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/forms/buttonrow.h"
#include "shell/udbm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>

namespace {
const char* kBalance = "0.00;-0.00;0.00";
const char* const kBalances[] = {"ncye", "bnjf", "bndf", "byjf", "bydf", "jyje"};
}  // namespace

PartyWindow::PartyWindow(const PartyWindowKind& kind, const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), dbm(context.dbm.dbapp), kind_(kind) {
    Prompter& prompter = context.prompter;
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);
    dbm.setTable(kind.table);
    dbm.open();
    masterdata::installPartyRules(dbm, prompter);
    for (const char* f : kBalances) dbm.field(f).displayFormat = kBalance;

    grid = new DataGrid(dbm, prompter, this);
    grid->setObjectName("dbg01");
    grid->setToolTip("单击列标题改变显示顺序....");
    grid->addColumn("IDNO", "IDNO", 50).readOnly = true;
    grid->addColumn("Bm", "单位编码", 80);
    grid->addColumn("Mc", "单位名称", 180);
    grid->addColumn("Fzry", "负责人", 70);
    const char* const titles[] = {"年初欠款", "本年欠款", "本年还款", "本月欠款", "本月还款", "当前欠款"};
    for (int i = 0; i < 6; ++i) {
        GridColumn& c = grid->addColumn(kBalances[i], titles[i], 90);
        c.displayFormat = kBalance;
        if (kind.footerTotals) {
            c.footer = GridColumn::Footer::SumAllRows;
            c.footerText = kBalance;
        }
    }
    if (kind.footerTotals) {
        grid->column("Mc")->footer = GridColumn::Footer::Text;
        grid->column("Mc")->footerText = "　合　计";
        grid->setFooterVisible(true);
    }
    grid->setEnterMode(DataGrid::EnterMode::NextColumnAppend, 1);
    connect(grid, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);

    pages = new QTabWidget(this);
    pages->addTab(grid, "方式一[&1]");
    pages->addTab(formPage(), "方式二[&2]");

    auto* panel = new ButtonRow(this);
    panel->add("btnClose", "返回[&C]", [this] { parentWidget() ? parentWidget()->close() : close(); });
    addRecordButtons(*panel, [this]() -> RowSet& { return dbm; }, Prior | Next | Insert | Delete | Save | Cancel);
    panel->add("btnPreview", "预览", [this] { preview(); });
    panel->add("btnPrint", "打印[&R]", [this] { print(); });
    panel->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(panel);
    resize(900, 520);
}

QWidget* PartyWindow::formPage() {
    auto* page = new QWidget(this);
    auto* chosen = new QGroupBox("选定单位[&A]", page);
    chooser = new DataGrid(dbm, prompter(), chosen);
    chooser->setObjectName("dbg02");
    chooser->addColumn("Bm", "单位编码", 70);
    chooser->addColumn("Mc", "单位名称", 160);
    chooser->setReadOnly(true);
    chooser->setSelectionBehavior(QAbstractItemView::SelectRows);
    (new QVBoxLayout(chosen))->addWidget(chooser);

    auto* current = new QGroupBox("当前单位信息[&B]", page);
    auto* form = new QFormLayout(current);
    QList<QPair<const char*, const char*>> boxes = {
        {"单位编码", "Bm"}, {"单位名称", "Mc"}, {"邮政编码", "Yzbm"}, {"单位地址", "Addr"},
        {kind_.contactLabel, "Fzry"}, {kind_.phoneLabel, "lxdh"}, {"传真", "FaxNo"}};
    if (kind_.bankAccount) boxes += {{"开户银行", "Khyh"}, {"帐号", "Yhzh"}};
    boxes += {{"年初欠款", "ncye"}, {"当前欠款", "jyje"}, {"本月欠款", "byjf"},
              {"本月还款", "bydf"}, {"本年欠款", "bnjf"}, {"本年还款", "bndf"}};
    for (int i = 0; i < boxes.size(); ++i) {
        auto* edit = new FieldEdit(dbm, boxes[i].second, prompter(), current);
        edit->setObjectName(QString("Edit_") + boxes[i].second);
        if (i + 1 < boxes.size()) EnterMovesFocus::install({edit});  // the last box keeps Enter
        form->addRow(boxes[i].first, edit);
    }
    auto* remarks = new QGroupBox("备注信息", page);
    auto* memo = new FieldTextEdit(dbm, "bzxx", remarks);
    memo->setObjectName("bzxx");
    (new QVBoxLayout(remarks))->addWidget(memo);

    auto* right = new QVBoxLayout;
    right->addWidget(current);
    right->addWidget(remarks, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(chosen, 2);
    layout->addLayout(right, 3);
    return page;
}

ListWindow::GridPrint PartyWindow::gridPrint() const { return {grid, kind_.printTitle, {{}, "", "&[Page]", "", false}}; }
