#include "admin/forms/uHtTxl.h"

#include "admin/addressbook.h"
#include "admin/forms/cancelbutton.h"
#include "grid/forms/datagrid.h"
#include "masterdata/masterdatarules.h"
#include "masterdata/namesearch.h"
#include "shell/forms/buttonrow.h"
#include "shell/udbm.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmhtTxl::TfrmhtTxl(const AppContext& context, QWidget* parent) : ListWindow(context, parent), dbtxl(context.dbm.dbapp) {
    setObjectName("frmhtTxl");
    setWindowTitle("通讯录....");
    dbtxl.setTable("atxl");
    addressbook::addSearchField(dbtxl);
    dbtxl.hooks.onWriteError = masterdata::writeErrorMessages(context.prompter);
    dbtxl.open();

    dbg01 = new DataGrid(dbtxl, context.prompter, this);
    dbg01->setObjectName("dbg01");
    dbg01->setToolTip("单击标题改变显示顺序....");
    dbg01->addColumn("IDNO", "IDNO", 50).readOnly = true;
    const QList<QPair<const char*, int>> columns = {{"代码", 60},     {"姓名", 80},  {"电话", 120}, {"传真", 110},
                                                    {"移动电话", 110}, {"地址", 200}, {"邮编", 60},  {"工作单位", 180}};
    for (const auto& [field, width] : columns) dbg01->addColumn(QString::fromUtf8(field), QString::fromUtf8(field), width);
    dbg01->setEnterMode(DataGrid::EnterMode::NextColumnAppend, 0);
    dbg01->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(dbg01, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        const int column = dbg01->currentIndex().column();
        menu.addAction("隐藏当前列", this, [this, column] {
            if (column < 0) return;
            dbg01->columns()[column].visible = false;
            dbg01->applyColumns();
        });
        menu.addAction("显示所有列", this, [this] { ShowAllColumns(*dbg01); });
        menu.addAction("关闭返回[&X]", this, [this] { parentWidget() ? parentWidget()->close() : close(); });
        menu.exec(dbg01->viewport()->mapToGlobal(at));
    });
    auto* pages = new QTabWidget(this);
    pages->addTab(dbg01, "通讯录[&1]");

    auto* bar = new ButtonRow(this);
    addRecordButtons(*bar, [this]() -> RowSet& { return dbtxl; }, Insert | Delete | Save | Cancel);
    btnPrint = bar->add("btnPrint", "打印[&R]", [this] { print(); });
    CancelButton::install(this, btnPrint);
    bar->add("btnClose", "返回[&X]", [this] { parentWidget() ? parentWidget()->close() : close(); },
             ButtonRow::TypedText::Drop);
    eName = new QLineEdit(this);
    eName->setObjectName("eName");
    eName->setMinimumWidth(fontMetrics().horizontalAdvance(QString(8, QChar(0x4E2D))));  // eight characters
    auto* label = new QLabel("项目中包含:", this);
    label->setBuddy(eName);
    bar->addWidget(label);
    bar->addWidget(eName);
    QPushButton* findButton = bar->add("btnFind", "查找[&B]", [this] { find(); });
    connect(eName, &QLineEdit::returnPressed, findButton, &QPushButton::click);
    bar->add("btnFindNext", "继续[&T]", [this] { findNext(); });
    bar->add("btnPreview", "预览", [this] { preview(); });
    bar->addStretch();

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    panels[0] = new QLabel("总记录数", status);
    panels[1] = new QLabel("当前位置", status);
    for (QLabel* panel : panels) {
        panel->setMinimumWidth(120);
        status->addWidget(panel);
    }
    panels[0]->setObjectName("stbPanel0");
    panels[1]->setObjectName("stbPanel1");
    auto showPosition = [this] {
        panels[0]->setText(QString("记录总数:%1").arg(dbtxl.recordCount()));
        panels[1]->setText(QString("当前位置:%1").arg(dbtxl.position() + 1));
    };
    connect(dbg01, &DataGrid::positionTextChanged, this, showPosition);
    showPosition();  // the cursor stands on its first row already

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->addWidget(pages, 1);
    layout->addLayout(bar);
    layout->addWidget(status);
    resize(900, 480);
}

void TfrmhtTxl::find() { namesearch::find(dbtxl, "ALL", eName->text(), prompter()); }

void TfrmhtTxl::findNext() { namesearch::findNext(dbtxl, "ALL", eName->text()); }

void TfrmhtTxl::print() { GridPrinter(*dbg01, gridPrint().layout).print(prompter()); }

void TfrmhtTxl::preview() { GridPrinter(*dbg01, gridPrint().layout).preview(prompter(), this); }

ListWindow::GridPrint TfrmhtTxl::gridPrint() const {
    return {dbg01, "通　讯　录 　　", {"通　讯　录 　　", "", "&[Page]", "", true}};
}

