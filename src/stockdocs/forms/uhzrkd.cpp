#include "stockdocs/forms/uhzrkd.h"

#include "database/rowset.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "stockdocs/forms/uhzrkdcx.h"
#include "stockdocs/forms/upickrkd.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace stocksummary;

SummaryCriteriaDialog::SummaryCriteriaDialog(const AppContext& context, const Kind& kind, QWidget* parent)
    : QDialog(parent), context_(context), run_(context.dbm.dbapp, kind) {
    setObjectName(kind.dialogName);
    setWindowTitle(kind.dialogCaption);

    auto* modes = new QGroupBox("指定汇总方式", this);
    rbDate = new QRadioButton("按照单据日期", modes);
    rbDate->setObjectName("rbDate");
    rbNumber = new QRadioButton("按照单据号码", modes);
    rbNumber->setObjectName("rbNumber");
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->addButton(rbDate);
    modeGroup->addButton(rbNumber);
    auto* modeLayout = new QHBoxLayout(modes);
    modeLayout->addWidget(rbDate);
    modeLayout->addWidget(rbNumber);

    auto dateBox = [this](const char* name) {
        auto* box = new QDateEdit(context_.session.businessDate(), this);
        box->setObjectName(name);
        box->setDisplayFormat("yyyy年M月d日");
        box->setCalendarPopup(true);
        return box;
    };
    dtpFrom = dateBox("dtpFrom");
    dtpTo = dateBox("dtpTo");
    auto numberBox = [this](const char* name, const char* buttonName, QToolButton*& button) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        button = new QToolButton(this);
        button->setObjectName(buttonName);
        button->setText("…");
        button->setToolTip("查找单据号");
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, box] { pickNumber(box); });
        return box;
    };
    edtFrom = numberBox("edtFrom", "btnFindFrom", btnFindFrom);
    edtTo = numberBox("edtTo", "btnFindTo", btnFindTo);
    edtRyjz = new QLineEdit(context_.session.operatorName(), this);
    edtRyjz->setObjectName("edtRyjz");

    auto* ranges = new QGridLayout;
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    ranges->addWidget(label("选定统计日期从", dtpFrom), 0, 0, Qt::AlignRight);
    ranges->addWidget(dtpFrom, 0, 1);
    ranges->addWidget(label("至", dtpTo), 0, 2);
    ranges->addWidget(dtpTo, 0, 3);
    ranges->addWidget(label("单据号码从", edtFrom), 1, 0, Qt::AlignRight);
    auto* fromCell = new QHBoxLayout;
    fromCell->addWidget(edtFrom, 1);
    fromCell->addWidget(btnFindFrom);
    ranges->addLayout(fromCell, 1, 1);
    ranges->addWidget(label("至", edtTo), 1, 2);
    auto* toCell = new QHBoxLayout;
    toCell->addWidget(edtTo, 1);
    toCell->addWidget(btnFindTo);
    ranges->addLayout(toCell, 1, 3);

    btnOK = new QPushButton("执行[&O]", this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    btnClose = new QPushButton("返回[&X]", this);
    btnClose->setObjectName("btnClose");
    connect(btnOK, &QPushButton::clicked, this, &SummaryCriteriaDialog::runSummary);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modes);
    layout->addLayout(ranges);
    layout->addWidget(new QLabel("指定记帐人(如记帐人为空则进行全部记帐人汇总)", this));
    layout->addWidget(edtRyjz);
    layout->addLayout(buttons);
    EnterMovesFocus::install({rbDate, rbNumber, dtpFrom, dtpTo, edtFrom, edtTo});

    connect(rbNumber, &QRadioButton::toggled, this, &SummaryCriteriaDialog::setMode);
    rbDate->setChecked(true);
    setMode(false);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
}

void SummaryCriteriaDialog::setMode(bool byNumber) {
    for (QWidget* w : {static_cast<QWidget*>(dtpFrom), static_cast<QWidget*>(dtpTo)}) w->setEnabled(!byNumber);
    for (QWidget* w : {static_cast<QWidget*>(edtFrom), static_cast<QWidget*>(edtTo),
                       static_cast<QWidget*>(btnFindFrom), static_cast<QWidget*>(btnFindTo)})
        w->setEnabled(byNumber);
}

Criteria SummaryCriteriaDialog::criteria() const {
    Criteria c;
    c.by = rbNumber->isChecked() ? Criteria::By::Number : Criteria::By::Date;
    c.from = dtpFrom->date();
    c.to = dtpTo->date();
    c.numberFrom = edtFrom->text();
    c.numberTo = edtTo->text();
    c.poster = edtRyjz->text();
    return c;
}

void SummaryCriteriaDialog::pickNumber(QLineEdit* box) {
    // The dialog's own cursor over the kind's documents, for this one choice.
    RowSet headers(context_.dbm.dbapp);
    headers.setTable(run_.kind().headerTable, "ASPRKD#PX");
    headers.open();
    Tfrmpkdjhm picker(headers, context_.prompter, this);
    if (picker.exec() == QDialog::Accepted && !headers.value("Djhm").toString().isEmpty())
        box->setText(headers.value("Djhm").toString());
    headers.close();
}

void SummaryCriteriaDialog::runSummary() {
    const Criteria c = criteria();
    context_.prompter.showWaitBox("正在进行汇总处理,请等待....");
    if (c.by == Criteria::By::Number) {
        edtFrom->setText(paddedNumber(c.numberFrom));
        edtTo->setText(paddedNumber(c.numberTo));
    }
    try {
        run_.run(c);
    } catch (const DbError& e) {
        context_.prompter.hideWaitBox();
        context_.prompter.message(e.message());
        return;
    }
    context_.prompter.hideWaitBox();
    showResult(run_, context_.prompter);
}

Tfrmhzrkd::Tfrmhzrkd(const AppContext& context, QWidget* parent)
    : SummaryCriteriaDialog(context, stocksummary::stockIn(), parent) {}

Tfrmhzckd::Tfrmhzckd(const AppContext& context, QWidget* parent)
    : SummaryCriteriaDialog(context, stocksummary::stockOut(), parent) {}

void Tfrmhzrkd::showResult(SummaryRun& run, Prompter& prompter) {
    Tfrmhzrkdcx result(run, prompter, this);
    result.exec();
}

void Tfrmhzckd::showResult(SummaryRun& run, Prompter& prompter) {
    Tfrmhzckdcx result(run, prompter, this);
    result.exec();
}
