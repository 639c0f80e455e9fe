#include "moneydocs/forms/moneysummarywindows.h"

#include "grid/forms/datagrid.h"
#include "grid/forms/gridprinter.h"
#include "shell/forms/buttonrow.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "stockdocs/forms/upickrkd.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

const MoneySummaryKind& receiptSummaryKind() {
    static const MoneySummaryKind kind{moneydocs::receiptSummary(),
                                       "frmhzskd",
                                       "收款单据汇总...",
                                       "frmhzskdcx",
                                       "Quorvel商业信息系统收款单据汇总查询....",
                                       "收款单据汇总[&1]",
                                       "收款单据汇总表....",
                                       "收款单据汇总表",
                                       "交款单位",
                                       "　名　称",
                                       "金　额"};
    return kind;
}

const MoneySummaryKind& paymentSummaryKind() {
    static const MoneySummaryKind kind{moneydocs::paymentSummary(),
                                       "frmhzfkd",
                                       "支款凭证汇总...",
                                       "frmhzfkdcx",
                                       "Quorvel商业信息系统付出单据汇总查询....",
                                       "支款凭证汇总[&1]",
                                       "支款凭证汇总表....",
                                       "支款凭证汇总表",
                                       "支款单位",
                                       "名　　称",
                                       "支款金额"};
    return kind;
}

// ---------------------------------------------------------------- dialog

MoneySummaryDialog::MoneySummaryDialog(const AppContext& context, const MoneySummaryKind& summary, QWidget* parent)
    : QDialog(parent), context_(context), summary_(summary) {
    setObjectName(summary.dialogObject);
    setWindowTitle(summary.dialogCaption);
    const QDate today = context.session.businessDate();
    auto dateBox = [this, today](const char* name) {
        auto* box = new QDateEdit(today, this);
        box->setObjectName(name);
        box->setDisplayFormat("yyyy-MM-dd");
        box->setCalendarPopup(true);
        return box;
    };
    fromDate = dateBox("dtpFrom");
    toDate = dateBox("dtpTo");
    auto numberBox = [this](const char* name, const char* button, QToolButton*& picker) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        picker = new QToolButton(this);
        picker->setObjectName(button);
        picker->setText("…");
        picker->setToolTip("查找单据号");
        connect(picker, &QToolButton::clicked, this, [this, box] { pickNumber(box); });
        return box;
    };
    fromNumber = numberBox("edtFrom", "btnFrom", pickFrom);
    toNumber = numberBox("edtTo", "btnTo", pickTo);
    byDate = new QRadioButton("按照单据日期", this);
    byDate->setObjectName("rbDate");
    byNumber = new QRadioButton("按照单据号码", this);
    byNumber->setObjectName("rbNumber");
    byDate->setChecked(true);
    connect(byDate, &QRadioButton::toggled, this, &MoneySummaryDialog::modeChanged);
    poster = new QLineEdit(context.session.operatorName(), this);
    poster->setObjectName("edtPoster");

    auto* ranges = new QGridLayout;
    ranges->addWidget(new QLabel("选定统计日期从", this), 0, 0);
    ranges->addWidget(fromDate, 0, 1);
    ranges->addWidget(new QLabel("至", this), 0, 2);
    ranges->addWidget(toDate, 0, 3);
    ranges->addWidget(new QLabel("单据号码从", this), 1, 0);
    auto pair = [this](QLineEdit* box, QToolButton* button) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(box, 1);
        row->addWidget(button);
        return row;
    };
    ranges->addLayout(pair(fromNumber, pickFrom), 1, 1);
    ranges->addWidget(new QLabel("至", this), 1, 2);
    ranges->addLayout(pair(toNumber, pickTo), 1, 3);
    auto* mode = new QGroupBox("指定汇总方式", this);
    auto* modeLayout = new QHBoxLayout(mode);
    modeLayout->addWidget(byDate);
    modeLayout->addWidget(byNumber);
    auto* posterLabel = new QLabel("指定记帐人(如记帐人为空则进行全部记帐人汇总)", this);
    posterLabel->setBuddy(poster);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton("执行[&O]", this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &MoneySummaryDialog::run);
    auto* back = new QPushButton("返回[&X]", this);
    back->setObjectName("btnClose");
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(btnOK);
    buttons->addWidget(back);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ranges);
    layout->addWidget(mode);
    layout->addWidget(posterLabel);
    layout->addWidget(poster);
    layout->addLayout(buttons);
    EnterMovesFocus::install({fromDate, toDate, fromNumber, toNumber});
    modeChanged();
}

void MoneySummaryDialog::modeChanged() {
    const bool dates = byDate->isChecked();
    for (QWidget* w : QList<QWidget*>{fromDate, toDate}) w->setEnabled(dates);
    for (QWidget* w : QList<QWidget*>{fromNumber, toNumber, pickFrom, pickTo}) w->setEnabled(!dates);
}

moneydocs::SummaryRange MoneySummaryDialog::range() const {
    return {.byNumber = byNumber->isChecked(),
            .fromDate = fromDate->date(),
            .toDate = toDate->date(),
            .fromNumber = fromNumber->text(),
            .toNumber = toNumber->text(),
            .poster = poster->text()};
}

void MoneySummaryDialog::pickNumber(QLineEdit* box) {
    // The picker's own cursor, open only while it is shown.
    RowSet documents(context_.dbm.dbapp);
    documents.setTable(summary_.query.table, "ASPRKD#PX");
    documents.open();
    for (const auto& [field, caption] : QList<QPair<const char*, const char*>>{
             {"BZW", "标志"}, {"Djhm", "单据号"}, {"RQ", "日期"}, {"Je", "金额"}, {"NOTE", "备注"}}) {
        documents.field(field).caption = caption;
        documents.field(field).readOnly = true;
    }
    documents.field("RQ").displayFormat = "yyyy-mm-dd";
    Tfrmpkdjhm picker(documents, context_.prompter, this);
    if (picker.exec() != QDialog::Accepted) return;
    const QString number = documents.value("Djhm").toString();
    if (!number.isEmpty()) box->setText(number);
}

void MoneySummaryDialog::run() {
    const moneydocs::SummaryRange chosen = range();
    if (chosen.byNumber) {
        fromNumber->setText(moneydocs::padNumber(chosen.fromNumber));
        toNumber->setText(moneydocs::padNumber(chosen.toNumber));
    }
    context_.prompter.showWaitBox("正在进行汇总处理,请等待....");
    const moneydocs::SummaryStatement statement = moneydocs::summaryStatement(summary_.query, chosen);
    RowSet totals(context_.dbm.dbapp);
    totals.setQuery(statement.sql);
    for (auto it = statement.params.cbegin(); it != statement.params.cend(); ++it) totals.setParam(it.key(), it.value());
    try {
        totals.open();
    } catch (const DbError& error) {
        context_.prompter.hideWaitBox();
        context_.prompter.message(error.message());
        return;
    }
    context_.prompter.hideWaitBox();
    showResult(totals);
}

void Tfrmhzskd::showResult(RowSet& totals) { Tfrmhzskdcx(context_, totals, this).exec(); }
void Tfrmhzfkd::showResult(RowSet& totals) { Tfrmhzfkdcx(context_, totals, this).exec(); }

// ---------------------------------------------------------------- result

MoneySummaryResult::MoneySummaryResult(const AppContext& context, const MoneySummaryKind& summary, RowSet& totals,
                                       QWidget* parent)
    : QDialog(parent), context_(context), totals_(totals) {
    setObjectName(summary.resultObject);
    setWindowTitle(summary.resultCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    totals.field("je").displayFormat = "0.00;-0.00;#";

    auto* pages = new QTabWidget(this);
    auto* page = new QWidget(pages);
    pages->addTab(page, summary.page);
    auto* group = new QGroupBox(summary.group, page);
    grid = new DataGrid(totals, context.prompter, group);
    grid->setObjectName("dbgrid");
    grid->addColumn(summary.query.codeColumn, QString(summary.partyTitle) + "|编码", 90);
    grid->addColumn("mc", QString(summary.partyTitle) + "|" + summary.nameTitle, 220);
    grid->addColumn("je", summary.amountTitle, 120).displayFormat = "0.00;-0.00;#";
    grid->setReadOnly(true);
    // The totals were read before the grid existed: it starts on the first row.
    if (!totals.isEmpty()) grid->setCurrentIndex(grid->model()->index(0, 0));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(grid);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(group);

    title = new QLineEdit(summary.title, this);
    title->setObjectName("edtTitle");
    auto* titleLabel = new QLabel("报表题头:", this);
    titleLabel->setBuddy(title);
    position = new QLabel("记录位置", this);
    position->setObjectName("lblPosition");
    connect(grid, &DataGrid::positionTextChanged, this, [this](const QString& text) { position->setText("位置:" + text); });
    auto* bottom = new ButtonRow(this);
    bottom->addWidget(titleLabel);
    bottom->addWidget(title, 1);
    bottom->addWidget(position);
    btnprn = bottom->add("btnprn", "打印[&R]", [this] {
        GridPrintSettings settings;
        settings.title = title->text();
        settings.footerCentre = "打印日期：&[date]";
        settings.footerRight = "页：&[Page]";
        GridPrinter(*grid, settings).preview(context_.prompter, this);
    });
    bottom->add("btnClose", "返回[&X]", [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(bottom);
    resize(560, 420);
}
