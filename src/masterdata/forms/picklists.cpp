#include "masterdata/forms/picklists.h"

#include "dataaware/pendingedit.h"
#include "database/rowset.h"
#include "database/schema.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/uAddSp.h"
#include "masterdata/namesearch.h"
#include "shell/forms/buttonrow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* labelled(QBoxLayout* row, QWidget* owner, const QString& label, const char* objectName) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(objectName);
    auto* caption = new QLabel(label, owner);
    caption->setBuddy(edit);
    row->addWidget(caption);
    row->addWidget(edit, 1);
    return edit;
}

}  // namespace

void okOnGrid(DataGrid* grid, QDialog* dialog) {
    QObject::connect(grid, &QAbstractItemView::doubleClicked, dialog, &QDialog::accept);
    grid->setEnterMode(DataGrid::EnterMode::Default);
    struct EnterAccepts : QObject {
        QDialog* dialog;
        explicit EnterAccepts(QDialog* d) : QObject(d), dialog(d) {}
        bool eventFilter(QObject* grid, QEvent* e) override {
            if (e->type() != QEvent::KeyPress) return false;
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
            // Enter in a cell being typed in ends that cell; it is not OK.
            if (static_cast<DataGrid*>(grid)->isEditingCell()) return false;
            dialog->accept();
            return true;
        }
    };
    grid->installEventFilter(new EnterAccepts(dialog));
}

// ------------------------------------------------------------ PartyPickList

PartyPickList::PartyPickList(const Kind& kind, RowSet& bound, Prompter& prompter, PickOptions options, QWidget* parent)
    : QDialog(parent), bound_(bound) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);
    auto* codeRow = new QHBoxLayout;
    Edit1 = labelled(codeRow, this, kind.codeLabel, "Edit1");
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& text) { namesearch::seekCode(bound_, "bm", text); });

    auto* navigator = new ButtonRow(this);
    navigator->add("btnFirst", "首条", [this] { bound_.first(); });
    navigator->add("btnLast", "末条", [this] { bound_.last(); });
    navigator->add("btnInsert", "插入", [this] { bound_.insert(); });
    navigator->add("btnDelete", "删除", [this] { bound_.remove(); });
    navigator->add("btnPost", "保存", [this] { bound_.post(); });
    navigator->add("btnCancelEdit", "放弃", [this] { bound_.cancel(); }, ButtonRow::TypedText::Drop);
    navigator->addStretch();
    DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName("DBNavigator1");
    DBNavigator1->setLayout(navigator);
    DBNavigator1->setVisible(options.navigator);

    auto* group = new QGroupBox(kind.groupTitle, this);
    grid = new DataGrid(bound, prompter, group);
    grid->setObjectName("dbgpick");
    for (const auto& [field, title] : kind.columns) grid->addColumn(field, title, 120);
    grid->setReadOnly(options.readOnly);
    okOnGrid(grid, this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(DBNavigator1);
    groupLayout->addWidget(grid);

    auto* findRow = new QHBoxLayout;
    EditName = labelled(findRow, this, "名称中包含:", "EditName");
    auto* buttons = new ButtonRow(this);
    buttons->add("btnFind", "查找[&B]", [this, &prompter] { namesearch::find(bound_, "mc", EditName->text(), prompter); });
    buttons->add("btnFindNext", "继续[&T]", [this] { namesearch::findNext(bound_, "mc", EditName->text()); });
    buttons->addStretch();
    buttons->add("btnOK", "确定[&OK]", [this] { accept(); });
    buttons->add("btnCancel", "取消[&C]", [this] { reject(); }, ButtonRow::TypedText::Drop);
    findRow->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(codeRow);
    layout->addWidget(group, 1);
    layout->addLayout(findRow);
    resize(560, 420);
}

void PartyPickList::done(int result) {
    // A supplier or customer added or changed here and not saved is discarded,
    // with whatever is still being typed into it.
    finishPendingEdits(this, false);
    bound_.cancel();
    QDialog::done(result);
}

Tfrmpickgy::Tfrmpickgy(RowSet& suppliers, Prompter& prompter, PickOptions options, QWidget* parent)
    : PartyPickList({"frmpickgy", "请选择商品供货单位", "指定供应商代码:", "请选择供应商....",
                     {{"bm", "单位编码"}, {"mc", "单位名称"}}},
                    suppliers, prompter, options, parent) {}

TfrmpickKh::TfrmpickKh(RowSet& customers, Prompter& prompter, PickOptions options, QWidget* parent)
    : PartyPickList({"frmpickKh", "请选择客户", "指定客户代码:", "请选择客户单位....",
                     {{"Bm", "单位编码"}, {"Mc", "单位名称"}, {"Fzry", "负责人"}, {"lxdh", "联系电话"}}},
                    customers, prompter, options, parent) {}

// --------------------------------------------------------------- Tfrmpicksp

Tfrmpicksp::Tfrmpicksp(Database& db, RowSet& goods, Prompter& prompter, int slotsInUse, PickOptions options,
                       QWidget* parent)
    : QDialog(parent), db_(db), goods_(goods), prompter_(prompter) {
    setObjectName("frmpicksp");
    setWindowTitle("请选择商品");
    auto* top = new QHBoxLayout;
    codeBox = labelled(top, this, "指定商品编码[&2]:", "EditCode");
    connect(codeBox, &QLineEdit::textChanged, this,
            [this](const QString& text) { namesearch::seekCode(goods_, "Spbm", text.trimmed()); });
    nameBox = labelled(top, this, "商品名称中包含[&3]:", "EditName");
    auto* buttons = new ButtonRow(this);
    buttons->add("btnFind", "查找[&B]", [this] { namesearch::find(goods_, "Spmc", nameBox->text(), prompter_); });
    buttons->add("btnFindNext", "继续[&T]", [this] { namesearch::findNext(goods_, "Spmc", nameBox->text()); });
    btnEdit = buttons->add("btnEdit", "编辑[&I]", [this] { editGoods(); });
    btnEdit->setVisible(options.editButton);
    buttons->add("btnOK", "确定[&OK]", [this] { accept(); });
    buttons->add("btnCancel", "取消[&C]", [this] { reject(); }, ButtonRow::TypedText::Drop);
    top->addLayout(buttons);

    auto* group = new QGroupBox("请选择商品[&1]", this);
    grid = new DataGrid(goods, prompter, group);
    grid->setObjectName("dbgpick");
    // Titles are the caller's captions, so the size columns carry its size labels.
    auto caption = [&goods](const QString& field) {
        const int i = goods.fieldIndex(field);
        return i < 0 ? field : goods.field(i).caption;
    };
    QStringList fields{"Spbm", "Spmc", "ArtNo", "Ggxh", "Jldw", "Kcsl"};
    fields += schema::sizeSlotColumns("kcsl").mid(0, std::clamp(slotsInUse, 0, 16));
    fields += QStringList{"Xsdj", "Pfdj"};
    for (const QString& f : fields) grid->addColumn(f, caption(f), f.startsWith("kcsl") ? 40 : 80);
    grid->setReadOnly(true);
    okOnGrid(grid, this);
    (new QVBoxLayout(group))->addWidget(grid);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);
    resize(900, 460);
}

void Tfrmpicksp::startAt(const QString& lineCode) {
    goods_.locate("Spbm", lineCode, LocateOptions{false, true});
    codeBox->setText(lineCode);
}

void Tfrmpicksp::editGoods() {
    TfrmAddSp dialog(db_, goods_, prompter_, this);
    dialog.exec();
    const QString code = goods_.value("Spbm").toString();
    goods_.close();
    goods_.open();
    goods_.locate("Spbm", code, LocateOptions{false, true});
    codeBox->setText(code);
    grid->setFocus();
}

bool takePickedCode(RowSet& target, const QString& field, const QString& code) {
    return target.edit() && target.setValue(field, code);
}
