#include "masterdata/forms/uAddSp.h"

#include "dataaware/fieldeditors.h"
#include "dataaware/pendingedit.h"
#include "masterdata/goodscatalogue.h"
#include "masterdata/masterdatarules.h"
#include "shell/forms/buttonrow.h"
#include "shell/forms/entermovesfocus.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

TfrmAddSp::TfrmAddSp(Database& db, RowSet& goods, Prompter& prompter, QWidget* parent)
    : QDialog(parent), goods_(goods), categories_(db) {
    setObjectName("frmAddSp");
    setWindowTitle("增加商品新品种....");
    categories_.setTable("ASPLB", "Bm");
    categories_.open();
    // Goods added here are goods like any other: the catalogue's defaults and
    // its code check come on top of the caller's own rules while the dialog is open.
    callersHooks_ = goods.hooks;
    goods.hooks.afterInsert = [this, &goods] {
        if (callersHooks_.afterInsert) callersHooks_.afterInsert();
        setNewGoodsDefaults(goods);
    };
    goods.hooks.beforePost = [this, &goods, &prompter] {
        return masterdata::codeGiven(goods, "Spbm", prompter) &&
               (!callersHooks_.beforePost || callersHooks_.beforePost());
    };

    auto* form = new QFormLayout;
    auto box = [&](const char* label, const char* field) {
        auto* edit = new FieldEdit(goods, field, prompter, this);
        edit->setObjectName(QString("Edit_") + field);
        boxes.append(edit);
        form->addRow(label, edit);
    };
    box("商品编码", "Spbm");
    box("商品名称", "Spmc");
    box("货　　号", "ArtNo");
    box("规格型号", "Ggxh");
    box("基本单位", "Jldw");
    box("包装单位", "hzdw");
    box("转换比例", "Scale");

    // The categories as name and code with titles, fifteen rows.
    category = new QComboBox(this);
    category->setObjectName("cbSplb");
    auto* model = new QStandardItemModel(categories_.recordCount(), 2, category);
    model->setHorizontalHeaderLabels({"类别名称", "类别编码"});
    for (int r = 0; r < categories_.recordCount(); ++r) {
        auto* name = new QStandardItem(categories_.rowAt(r).value("Mc").toString());
        name->setData(categories_.rowAt(r).value("Bm"), Qt::UserRole);
        model->setItem(r, 0, name);
        model->setItem(r, 1, new QStandardItem(categories_.rowAt(r).value("Bm").toString()));
    }
    auto* view = new QTableView(category);
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    category->setModel(model);
    category->setView(view);
    category->setMaxVisibleItems(15);
    auto showCategory = [this] {
        const QSignalBlocker block(category);
        category->setCurrentIndex(category->findData(goods_.value("Splb")));
    };
    connect(&goods, &RowSet::currentChanged, category, showCategory);
    connect(&goods, &RowSet::stateChanged, category, showCategory);
    showCategory();
    connect(category, &QComboBox::activated, this, [this](int index) {
        if (goods_.edit()) goods_.setValue("Splb", category->itemData(index));
    });
    form->addRow("商品类别", category);
    box("零售单价", "Xsdj");
    box("批发单价", "Pfdj");
    box("储备上限", "Cbsx");
    box("储备下限", "Cbxx");
    for (FieldEdit* e : boxes.mid(0, boxes.size() - 1)) EnterMovesFocus::install({e});  // not in 储备下限
    EnterMovesFocus::install({category});

    auto* buttons = new ButtonRow(this);
    buttons->add("btnInsert", "增加[&I]", [this] {
        if (goods_.append()) boxes.first()->setFocus();
    });
    buttons->add("btnSave", "保存[&O]", [this] { goods_.post(); });
    buttons->add("btnCancel", "取消[&C]", [this] { goods_.cancel(); }, ButtonRow::TypedText::Drop);
    buttons->add("btnClose", "&返回[&X]", [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

TfrmAddSp::~TfrmAddSp() { goods_.hooks = callersHooks_; }

void TfrmAddSp::done(int result) {
    finishPendingEdits(this, false);
    goods_.cancel();  // closing discards what was not saved
    QDialog::done(result);
}
