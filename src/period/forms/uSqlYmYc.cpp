#include "period/forms/uSqlYmYc.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "period/periodsql.h"
#include "shell/forms/buttonrow.h"
#include "shell/udbm.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSqlYmYc::TfrmSqlYmYc(const AppContext& context, QWidget* parent)
    : ChildWindow(parent), dbSql(context.dbm.dbapp) {
    setObjectName("frmSqlYmYc");
    setWindowTitle("系统ＳＱＬ操作语句定义");
    dbSql.setTable("ASqlYmYc", "LbBm,Bm");
    period::periodsql::installRules(dbSql, context.prompter);
    dbSql.open();

    dbgSql = new DataGrid(dbSql, context.prompter, this);
    dbgSql->setObjectName("dbgSql");
    const QList<std::tuple<const char*, const char*, int>> columns = {
        {"Xt", "系统", 50},        {"LbBm", "类别编码", 60}, {"LbMc", "类别名称", 120}, {"Bm", "序号", 50},
        {"Mc", "语句说明", 160}, {"Inuse", "在用", 45},      {"Sql", "ＳＱＬ语句", 240}};
    for (const auto& [field, title, width] : columns) dbgSql->addColumn(field, title, width);
    // The flag is flipped by a double-click, not typed.
    dbgSql->column("Inuse")->readOnly = true;
    dbgSql->applyColumns();
    dbgSql->setEnterMode(DataGrid::EnterMode::NextColumnAppend, 0);
    connect(dbgSql, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);
    connect(dbgSql, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != dbgSql->columnIndex("Inuse") || dbSql.isEmpty()) return;
        if (dbSql.edit()) dbSql.setValue("Inuse", !dbSql.value("Inuse").toBool());
    });

    auto* buttons = new ButtonRow(this);
    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
        std::function<void()> action;
        ButtonRow::TypedText typed = ButtonRow::TypedText::Keep;
    };
    const QList<Button> list = {
        {"btnFirst", "文件头[&T]", "移动到第一条....", [this] { dbSql.first(); }},
        {"btnPrior", "上一条[&P]", "移动上条记录...", [this] { dbSql.prior(); }},
        {"btnNext", "下一条[&N]", "下一条记录...", [this] { dbSql.next(); }},
        {"btnLast", "文件尾[&L]", "最后一条记录...", [this] { dbSql.last(); }},
        {"btnInsert", "插入[&I]", "插入一条记录...",
         [this] {
             dbSql.insert();
             dbgSql->setFocus();
         }},
        {"btnDelete", "删除[&L]", "删除记录...", [this] { dbSql.remove(); }},
        {"btnSave", "保存[&V]", "保存修改...", [this] { dbSql.post(); }},
        {"btnCancel", "取消[&C]", "取消记录...", [this] { dbSql.cancel(); }, ButtonRow::TypedText::Drop},
        {"btnClose", "返回[&C]", "", [this] { parentWidget() ? parentWidget()->close() : close(); }, ButtonRow::TypedText::Keep},
    };
    for (const Button& b : list) {
        QPushButton* button = buttons->add(b.name, b.caption, b.action, b.typed);
        if (*b.hint) button->setToolTip(b.hint);
        // The buttons act on the row the grid shows; the focus stays in the grid.
        button->setFocusPolicy(Qt::NoFocus);
    }
    buttons->addStretch();

    auto* group = new QGroupBox("SQL语句", this);
    memSql = new FieldTextEdit(dbSql, "Sql", group);
    memSql->setObjectName("memSql");
    memSql->setLineWrapMode(QPlainTextEdit::NoWrap);
    memSql->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memSql->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(memSql);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dbgSql, 3);
    layout->addLayout(buttons);
    layout->addWidget(group, 2);
    resize(760, 480);
}
