#include "moneydocs/forms/moneybrowser.h"

#include "dataaware/fieldeditors.h"
#include "documents/forms/headernavigator.h"
#include "moneydocs/forms/moneydocumentwindow.h"
#include "moneydocs/forms/moneysummarywindows.h"
#include "shell/forms/buttonrow.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/udbm.h"
#include "shell/upublic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

MoneyBrowser::MoneyBrowser(const AppContext& context, const MoneyBrowserKind& browser, QWidget* parent)
    : ChildWindow(parent), dbm(context.dbm.dbapp), dbkhk(context.dbm.dbapp), context_(context), browser_(browser) {
    setObjectName(browser.objectName);
    setWindowTitle(browser.caption);
    const DocumentKind& kind = browser.document.kind;
    dbkhk.setTable(kind.partyTable, "bm");
    dbm.setTable(kind.headerTable, "ASPRKD#PX");
    dbm.addLookupField("dwmc", "Dwbh", &dbkhk, "Bm", "Mc");
    dbkhk.open();
    dbm.open();
    captionMoneyColumns(dbm, browser.document);
    for (int i = 0; i < dbm.fieldCount(); ++i) dbm.field(dbm.field(i).name).readOnly = true;

    auto* group = new QGroupBox(browser.group, this);
    auto* strip = new ButtonRow(this);
    addHeaderNavigator(*strip, dbm);
    strip->addSpacing(12);
    btnLocate = strip->add("btnLocate", "查找[&B]", [this] { find(); });
    btnSum = strip->add("btnSum", "汇总[&A]", [this] { showSummary(); });
    strip->addStretch();

    auto* grid = new QGridLayout;
    auto add = [&](const QString& label, const QString& field, int row, int column, int span = 1) {
        auto* box = new FieldEdit(dbm, field, context_.prompter, group);
        box->setObjectName(field);
        box->setReadOnly(true);
        auto* caption = new QLabel(label, group);
        caption->setBuddy(box);
        grid->addWidget(caption, row, column * 2, Qt::AlignRight);
        grid->addWidget(box, row, column * 2 + 1, 1, span * 2 - 1);
        boxes_.append(box);
        return box;
    };
    FieldEdit* number = add("单据号码", "Djhm", 0, 0);
    FieldEdit* date = add("日　　期", "RQ", 0, 1);
    FieldEdit* code = add("单位编码", "Dwbh", 1, 0);
    add("单位名称", "dwmc", 1, 1);
    FieldEdit* amount = add(browser.document.amountCaption, "Je", 2, 0);
    add("摘　　要", "NOTE", 3, 0, 2);
    add("记帐", "RYJZ", 4, 0)->setEnabled(false);
    add("制单", "RYZD", 4, 1)->setEnabled(false);
    for (QWidget* box : {number, date, code, amount}) EnterMovesFocus::install({box});
    ljzbz = new QLineEdit("记帐标志", group);
    ljzbz->setObjectName("ljzbz");
    ljzbz->setReadOnly(true);
    ljzbz->setFocusPolicy(Qt::NoFocus);
    ljzbz->setStyleSheet("QLineEdit { background: #c0c0c0; }");
    grid->addWidget(new QLabel("状态", group), 5, 0, Qt::AlignRight);
    grid->addWidget(ljzbz, 5, 1);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(strip);
    groupLayout->addLayout(grid);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);

    auto showStatus = [this] {
        ljzbz->setText(dbm.isEmpty() ? QString("记帐标志") : "单据" + DocumentStatusText(dbm.value("BZW").toString()));
    };
    connect(&dbm, &RowSet::currentChanged, this, showStatus);
    connect(&dbm, &RowSet::reset, this, showStatus);
    dbm.last();
    showStatus();
    resize(600, 280);
}

FieldEdit* MoneyBrowser::box(const QString& field) const {
    for (FieldEdit* b : boxes_)
        if (b->objectName().compare(field, Qt::CaseInsensitive) == 0) return b;
    return nullptr;
}

void MoneyBrowser::activated() {
    dbkhk.refresh();
    dbm.refresh();
}

void MoneyBrowser::find() {
    if (browser_.document.customers) Tfrmpickskd(dbm, context_.prompter, this).exec();
    else Tfrmpickfkd(dbm, context_.prompter, this).exec();
}

namespace {
const MoneyBrowserKind& receipts() {
    static const MoneyBrowserKind kind{receiptWindowKind(), "frmskdcx", "历史收款单据查询....",
                                       "历史欠帐回收单据[&1]"};
    return kind;
}
const MoneyBrowserKind& payments() {
    static const MoneyBrowserKind kind{paymentWindowKind(), "frmfkdcx", "历史付款凭证查询....",
                                       "历史付款凭证[&1]"};
    return kind;
}
}  // namespace

Tfrmskdcx::Tfrmskdcx(const AppContext& context, QWidget* parent) : MoneyBrowser(context, receipts(), parent) {}
Tfrmfkdcx::Tfrmfkdcx(const AppContext& context, QWidget* parent) : MoneyBrowser(context, payments(), parent) {}

void Tfrmskdcx::showSummary() { Tfrmhzskd(context_, this).exec(); }
void Tfrmfkdcx::showSummary() { Tfrmhzfkd(context_, this).exec(); }
