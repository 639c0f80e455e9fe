#include "queries/forms/usetspkm.h"

#include "database/rowset.h"
#include "queries/goodsfilter.h"
#include "shell/forms/entermovesfocus.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QComboBox* list(const char* name, const QStringList& items, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    return c;
}

}  // namespace

Tfrmsetspkm::Tfrmsetspkm(const RowSet& categories, QWidget* parent) : QDialog(parent) {
    setObjectName("frmsetspkm");
    setWindowTitle("设置查询条件....");

    edtExpr = new QLineEdit(this);
    edtExpr->setObjectName("edtExpr");
    auto* exprLabel = new QLabel("过滤条件表达式:", this);
    exprLabel->setBuddy(edtExpr);
    auto* hint = new QLabel("提示：过滤表达式为空则显示所有品种", this);

    cbTextField = list("cbTextField", queries::kTextColumns, this);
    cbTextOp = list("cbTextOp", queries::kTextOperators, this);
    edtTextValue = new QLineEdit(this);
    edtTextValue->setObjectName("edtTextValue");
    QPushButton* addText = button("btnAddText", ">>", this);
    connect(addText, &QPushButton::clicked, this, [this] {
        append(queries::textCondition(cbTextField->currentText(), cbTextOp->currentText(), edtTextValue->text()));
    });

    cbNumField = list("cbNumField", queries::kNumberColumns, this);
    cbNumOp = list("cbNumOp", queries::kNumberOperators, this);
    edtNumValue = new QLineEdit(this);
    edtNumValue->setObjectName("edtNumValue");
    QPushButton* addNumber = button("btnAddNum", ">>", this);
    connect(addNumber, &QPushButton::clicked, this, [this] {
        append(queries::numberCondition(cbNumField->currentText(), cbNumOp->currentText(), edtNumValue->text()));
    });

    QStringList items;
    for (int p = 0; p < categories.recordCount(); ++p) {
        const RowView row = categories.rowAt(p);
        items.append(queries::categoryItem(row.value("Bm").toString(), row.value("Mc").toString()));
    }
    cbCategory = list("cbCategory", items, this);
    QPushButton* addCategory = button("btnAddCategory", ">>", this);
    connect(addCategory, &QPushButton::clicked, this, [this] {
        if (cbCategory->currentIndex() >= 0) append(queries::categoryCondition(cbCategory->currentText()));
    });

    auto* grid = new QGridLayout;
    grid->addWidget(cbTextField, 0, 0);
    grid->addWidget(cbTextOp, 0, 1);
    grid->addWidget(edtTextValue, 0, 2);
    grid->addWidget(addText, 0, 3);
    grid->addWidget(cbNumField, 1, 0);
    grid->addWidget(cbNumOp, 1, 1);
    grid->addWidget(edtNumValue, 1, 2);
    grid->addWidget(addNumber, 1, 3);
    grid->addWidget(cbCategory, 2, 0, 1, 3);
    grid->addWidget(addCategory, 2, 3);

    auto* joins = new QHBoxLayout;
    const struct {
        const char *name, *caption, *text;
    } joiners[] = {{"btnAnd", "&And", " and"}, {"btnOr", "&or", " or"}, {"btnNot", "&Not", " not"},
                   {"btnLeft", "&(", " ("},    {"btnRight", "&)", ")"}};
    for (const auto& j : joiners) {
        QPushButton* b = button(j.name, j.caption, this);
        connect(b, &QPushButton::clicked, this, [this, text = QString(j.text)] { append(text); });
        joins->addWidget(b);
    }
    QPushButton* clear = button("btnClear", "C&lear", this);
    connect(clear, &QPushButton::clicked, edtExpr, &QLineEdit::clear);
    joins->addWidget(clear);
    joins->addStretch();

    QPushButton* ok = button("btnOk", "确定[&K]", this);
    QPushButton* cancel = button("btnCancel", "取消[&C]", this);
    ok->setDefault(true);  // Enter in the expression box applies it
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    EnterMovesFocus::install({cbTextField, cbTextOp, edtTextValue, cbNumField, cbNumOp, edtNumValue, cbCategory});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exprLabel);
    layout->addWidget(edtExpr);
    layout->addWidget(hint);
    layout->addLayout(grid);
    layout->addLayout(joins);
    layout->addLayout(buttons);
    resize(620, 260);
}

QString Tfrmsetspkm::expression() const { return edtExpr->text(); }

void Tfrmsetspkm::append(const QString& text) { edtExpr->setText(edtExpr->text() + text); }
