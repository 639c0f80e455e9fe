#include "admin/forms/umdbdemo.h"

#include "admin/forms/cancelbutton.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/buttonrow.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

Tfsqldemo::Tfsqldemo(const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), console(context.dbm.dbapp, context.prompter), none_(context.dbm.dbapp) {
    setObjectName("sqldemo");
    setWindowTitle("在此进行系统数据库SQL操作....");
    sqlstr = new QPlainTextEdit(this);
    sqlstr->setObjectName("sqlstr");
    sqlstr->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* bar = new QWidget(this);
    auto* buttons = new ButtonRow(this);  // a cell being typed in is finished before a button's command
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->add("btnExecute", "Ex&ecute", [this] { executeStatement(); });
    buttons->add("btnOpen", "&Open", [this] { openQuery(); });
    buttons->add("btnNew", "&New", [this] { newStatement(); });
    buttons->add("btnPreview", "预览", [this] { preview(); });
    btnPrint = buttons->add("btnPrint", "打印[&R]", [this] { print(); });
    CancelButton::install(this, btnPrint);
    buttons->add("btnExport", "导出[&B]", [this] { exportGrid(); });
    buttons->addStretch();
    bar->setLayout(buttons);

    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(bar);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->addWidget(sqlstr);
    splitter_->addWidget(lower);
    splitter_->setStretchFactor(1, 3);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        panels[i] = new QLabel(status);
        panels[i]->setObjectName(QString("stbPanel%1").arg(i));
        panels[i]->setMinimumWidth(i == 1 ? 240 : 100);
        status->addWidget(panels[i], i == 2 ? 1 : 0);
    }
    dbg01 = nullptr;
    showRows(console.result());


    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->addWidget(splitter_, 1);
    layout->addWidget(status);
    resize(760, 520);
}

void Tfsqldemo::showRows(RowSet* rows) {
    auto* grid = new DataGrid(rows ? *rows : none_, prompter(), this);
    grid->setObjectName("dbg01");
    grid->setToolTip("单击标题改变显示顺序....");
    if (rows)
        for (const QString& column : console.resultColumns()) grid->addColumn(column, column, 100);
    grid->setReadOnly(!rows || !console.resultEditable());
    grid->setEnterMode(DataGrid::EnterMode::NextColumn);
    grid->applyColumns();
    connect(grid, &DataGrid::positionTextChanged, this, [this](const QString& position) { panels[0]->setText(position); });
    auto* lower = splitter_->widget(1);
    if (dbg01) {
        lower->layout()->replaceWidget(dbg01, grid);
        delete dbg01;
    } else {
        lower->layout()->addWidget(grid);
    }
    dbg01 = grid;
    panels[0]->clear();
    if (rows) panels[0]->setText(rows->positionText());
}

void Tfsqldemo::executeStatement() { run(&SqlConsole::execute); }

void Tfsqldemo::openQuery() { run(&SqlConsole::open); }

// A result row being typed is saved before the result goes; a refused one stays.
void Tfsqldemo::run(bool (SqlConsole::*command)(const QString&)) {
    if (console.result() && !console.result()->endEditing()) return;
    showRows(nullptr);
    const bool ran = (console.*command)(sqlstr->toPlainText());
    showRows(console.result());
    if (ran) panels[1]->setText(console.timeText());
}

void Tfsqldemo::newStatement() {
    sqlstr->clear();
    sqlstr->setFocus();
}

ListWindow::GridPrint Tfsqldemo::gridPrint() const { return {dbg01, "报表标题", {{}, "", "页号：&[Page]", "", false}}; }

QList<RowSet*> Tfsqldemo::editedRowSets() {
    if (console.resultEditable()) return {console.result()};
    return {};
}

void Tfsqldemo::closeEvent(QCloseEvent* event) {
    if (!prompter().question("是否要退出SQL操作?")) {
        event->ignore();
        return;
    }
    ListWindow::closeEvent(event);
}

