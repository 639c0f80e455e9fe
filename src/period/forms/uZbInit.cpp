#include "period/forms/uZbInit.h"

#include "period/ledgergeneration.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

namespace {
QStringList captions() {
    QStringList out;
    for (const auto& item : period::LedgerGeneration::items()) out.append(item.caption);
    return out;
}
}  // namespace

TfrmZbInit::TfrmZbInit(const AppContext& context, QWidget* parent)
    : CheckListDialog(context, "进行系统初始帐簿形成....", "请指定要初始形成的帐簿", captions(), parent) {
    setObjectName("frmZbInit");
}

void TfrmZbInit::process() {
    using period::LedgerGeneration;
    Prompter& prompter = context_.prompter;
    if (!prompter.question(Prompter::lines(kQuestionFirst, kQuestionSecond))) return;
    QList<LedgerGeneration::Ledger> ledgers;
    for (int i : checkedItems()) ledgers.append(LedgerGeneration::Ledger(i));
    if (behindWaitBox("正在进行系统帐簿初始化处理，请等待....", [&] {
            LedgerGeneration::run(context_.dbm.dbapp, context_.session.businessDate(), ledgers);
        }))
        prompter.message(LedgerGeneration::kDone);
}
