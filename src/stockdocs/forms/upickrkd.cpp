#include "stockdocs/forms/upickrkd.h"

#include "database/rowset.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "shell/forms/buttonrow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

DocumentFindDialog::DocumentFindDialog(const Kind& kind, RowSet& headers, const QString& numberField,
                                       Prompter& prompter, QWidget* parent)
    : QDialog(parent), headers_(headers), numberField_(numberField) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);
    auto* searchRow = new QHBoxLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    auto* label = new QLabel(kind.label, this);
    label->setBuddy(Edit1);
    searchRow->addWidget(label);
    searchRow->addWidget(Edit1, 1);
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
        // No match leaves the cursor where it is.
        headers_.locate(numberField_, searchKey(text), {.partialKey = true});
    });

    auto* group = new QGroupBox(kind.groupTitle, this);
    grid = new DataGrid(headers, prompter, group);
    grid->setObjectName("dbgpick");
    for (const char* field : kind.columns) {
        const int index = headers.fieldIndex(field);
        const QString caption = index >= 0 ? headers.field(index).caption : QString();
        grid->addColumn(field, caption.isEmpty() ? QString(field) : caption, 90);
    }
    grid->setReadOnly(true);
    okOnGrid(grid, this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(grid);

    auto* buttons = new ButtonRow(this);
    buttons->addStretch();
    buttons->add("btnOK", "确定[&OK]", [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    setFixedSize(520, 380);
}

QString DocumentFindDialog::searchKey(const QString& typed) {
    return typed.size() >= 9 ? typed : typed.rightJustified(9, '0');
}

Tfrmpickrkd::Tfrmpickrkd(RowSet& headers, Prompter& prompter, QWidget* parent)
    : DocumentFindDialog({"frmpickrkd", "请选择入库单", "指定入库单号码:", "请选择入库单[&1]",
                          {"BZW", "DJHM", "KHBM", "NOTE", "Je"}},
                         headers, "DJHM", prompter, parent) {}

Tfrmpickckd::Tfrmpickckd(RowSet& headers, Prompter& prompter, QWidget* parent)
    : DocumentFindDialog({"frmpickckd", "请选择出库单", "指定出库单号码:", "请选择出库单[&1]",
                          {"BZW", "DJHM", "KHMC", "NOTE", "Je"}},
                         headers, "DJHM", prompter, parent) {}

Tfrmpkdjhm::Tfrmpkdjhm(RowSet& headers, Prompter& prompter, QWidget* parent)
    : DocumentFindDialog({"frmpkdjhm", "请选择起止单据号码....", "指定单据号码:", "请选择单据号码[&1]",
                          {"BZW", "Djhm", "RQ", "Je", "NOTE"}},
                         headers, "Djhm", prompter, parent) {}
