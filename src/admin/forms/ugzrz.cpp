#include "admin/forms/ugzrz.h"

#include "admin/worklog.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/buttonrow.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char* kAll = "全部";
}

Tfrmgzrz::Tfrmgzrz(const AppContext& context, QWidget* parent) : ListWindow(context, parent), dbgzrz(context.dbm.dbapp) {
    setObjectName("frmgzrz");
    setWindowTitle("系统工作日志管理....");
    dbgzrz.setTable("Agzrz");
    dbgzrz.open();

    auto* bar = new ButtonRow(this);
    bar->add("btnPreview", "预览", [this] { preview(); });
    bar->add("btnPrint", "打印[&P]", [this] { print(); });
    bar->add("btnDelete", "删除[&L]", [this] { clearLog(); });
    bar->add("btnClose", "返回[&C]", [this] { parentWidget() ? parentWidget()->close() : close(); });
    auto* label = new QLabel("指定操作员:", this);
    cb01 = new QComboBox(this);
    cb01->setObjectName("cb01");
    label->setBuddy(cb01);
    cb01->addItem(kAll);
    cb01->addItems(worklog::operatorNames(context.dbm.dbapp));
    connect(cb01, &QComboBox::activated, this, [this](int index) { showOperator(cb01->itemText(index)); });
    bar->addWidget(label);
    bar->addWidget(cb01);
    bar->addStretch();

    dbg01 = new DataGrid(dbgzrz, context.prompter, this);
    dbg01->setObjectName("dbg01");
    dbg01->setToolTip("单击列标题改变显示顺序....");
    dbg01->addColumn("logname", "登陆名", 80);
    dbg01->addColumn("name", "姓　名", 80);
    dbg01->addColumn("optime", "操作时间", 150);
    dbg01->addColumn("operation", "操作内容", 360);
    dbg01->setReadOnly(true);
    dbg01->setEnterMode(DataGrid::EnterMode::NextColumn);
    connect(dbg01, &DataGrid::positionTextChanged, this,
            [this](const QString& position) { emit positionTextChanged("当前位置:" + position); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(dbg01, 1);
    resize(760, 480);
}

void Tfrmgzrz::showOperator(const QString& name) {
    if (name == kAll) dbgzrz.clearFilter();
    else dbgzrz.setFilterText(RowSet::filterText("name", name));
}

void Tfrmgzrz::clearLog() {
    if (!prompter().question("是否要清除所有系统工作日志?")) return;
    dbgzrz.close();
    try {
        worklog::clear(context().dbm);
    } catch (const DbError& error) {
        prompter().message(error.message());
        return;  // closed until the window is opened again
    }
    dbgzrz.open();
}

void Tfrmgzrz::print() {
    if (prompter().question("是否要打印所有工作日志?")) printLog(false);
}

void Tfrmgzrz::preview() { printLog(true); }

void Tfrmgzrz::printLog(bool toPreview) {
    const GridPrinter printer(*dbg01, gridPrint().layout);
    if (toPreview) printer.preview(prompter(), this);
    else printer.print(prompter());
}

ListWindow::GridPrint Tfrmgzrz::gridPrint() const { return {dbg01, kPrintTitle, {kPrintTitle, "", "&[Page]", "", false}}; }

