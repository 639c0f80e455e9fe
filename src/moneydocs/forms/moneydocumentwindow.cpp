#include "moneydocs/forms/moneydocumentwindow.h"

#include "dataaware/fieldeditors.h"
#include "masterdata/forms/picklists.h"
#include "moneydocs/moneydocs.h"
#include "shell/session.h"
#include "shell/udbm.h"

const MoneyWindowKind& receiptWindowKind() {
    static const MoneyWindowKind kind{moneydocs::receipt(), "frmskdlr",  "收款单据录入....", "欠帐回收业务",
                                      "欠帐回收单据[&1]",     "交款单位", "收款金额",         "收款凭证",
                                      true};
    return kind;
}

const MoneyWindowKind& paymentWindowKind() {
    static const MoneyWindowKind kind{moneydocs::payment(), "frmfkdlr",  "支款凭证录入....", "付款单录入",
                                      "付款凭证[&1]",         "支款单位", "支款金额",         "支款凭证",
                                      false};
    return kind;
}

void captionMoneyColumns(RowSet& documents, const MoneyWindowKind& money) {
    documents.field("RQ").displayFormat = "yyyy-mm-dd";
    documents.field("Je").displayFormat = "￥0.00;￥-0.00;￥0.00";
    for (const auto& [field, caption] : QList<QPair<QString, QString>>{{"Djhm", "单据号码"},
                                                                       {"RQ", "日期"},
                                                                       {"Dwbh", "单位编号"},
                                                                       {"dwmc", money.partyCaption},
                                                                       {"Je", money.amountCaption},
                                                                       {"NOTE", "摘要"},
                                                                       {"RYZD", "制单"},
                                                                       {"RYJZ", "记帐"},
                                                                       {"BZW", "标志"}})
        documents.field(field).caption = caption;
}

MoneyDocumentWindow::MoneyDocumentWindow(const AppContext& context, const MoneyWindowKind& money, QWidget* parent)
    : DocumentWindow(context, money.kind,
                     {.headerGroup = money.group,
                      .linesGroup = {},
                      .printHint = "打印[F8]",
                      .reportTitle = money.reportTitle,
                      .findCaption = {},
                      .layoutSection = {},
                      .findButton = "查找"},
                     parent),
      money_(money) {
    setObjectName(money.objectName);
    setWindowTitle(money.caption);
    dbm.addLookupField("dwmc", "Dwbh", &dbkhk, "Bm", "Mc");
    moneydocs::addAmountInCapitals(dbm);
    openCursors();
    captionMoneyColumns(dbm, money);

    addHeaderBox("日　　期", "RQ", 0, 0);
    addHeaderBox("单据号码", "Djhm", 0, 1)->setReadOnly(true);
    FieldEdit* code = addPartyBox("单位编码", "Dwbh", 1, 0, 1);
    FieldEdit* name = addHeaderBox("单位名称", "dwmc", 1, 1);
    name->setReadOnly(true);
    choosesParty(name);
    addHeaderBox(money.amountCaption, "Je", 2, 0);
    FieldEdit* note = addHeaderBox("摘　　要", "NOTE", 3, 0, 2);
    addHeaderBox("记帐", "RYJZ", 4, 0)->setEnabled(false);
    addHeaderBox("制单", "RYZD", 4, 1)->setEnabled(false);

    finishLayout(note, code);
    setRules(std::make_unique<MoneyDocumentRules>(
        money.kind,
        rulesContext(),
        dbm, dbspk, dbkhk));
    resize(620, 300);
}

bool MoneyDocumentWindow::pickParty() {
    const PickOptions options{.navigator = false, .readOnly = true};
    if (money_.customers) return TfrmpickKh(dbkhk, context_.prompter, options, this).exec() == QDialog::Accepted;
    return Tfrmpickgy(dbkhk, context_.prompter, options, this).exec() == QDialog::Accepted;
}

void MoneyDocumentWindow::showFindDialog() {
    if (money_.customers) Tfrmpickskd(dbm, context_.prompter, this).exec();
    else Tfrmpickfkd(dbm, context_.prompter, this).exec();
}

Tfrmskdlr::Tfrmskdlr(const AppContext& context, QWidget* parent)
    : MoneyDocumentWindow(context, receiptWindowKind(), parent) {}

Tfrmfkdlr::Tfrmfkdlr(const AppContext& context, QWidget* parent)
    : MoneyDocumentWindow(context, paymentWindowKind(), parent) {}

namespace {
const QList<const char*> kFindColumns{"BZW", "Djhm", "dwmc", "NOTE", "Je"};
}

Tfrmpickskd::Tfrmpickskd(RowSet& receipts, Prompter& prompter, QWidget* parent)
    : DocumentFindDialog({"frmpickskd", "请选择收款单据", "指定单据号码:", "请选择收款单据[&1]", kFindColumns}, receipts,
                         "Djhm", prompter, parent) {}

// The caption's stray "f" is the one the payment window has always shown.
Tfrmpickfkd::Tfrmpickfkd(RowSet& payments, Prompter& prompter, QWidget* parent)
    : DocumentFindDialog({"frmpickfkd", "请选择f付款单据", "指定单据号码:", "请选择付款单据[&1]", kFindColumns}, payments,
                         "Djhm", prompter, parent) {}
