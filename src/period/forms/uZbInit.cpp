#include "period/forms/uZbInit.h"

#include "period/ledgergeneration.h"
#include "shell/session.h"
#include "shell/udbm.h"

namespace {

using period::LedgerGeneration;

QStringList captions() {
    QStringList out;
    for (const auto& item : LedgerGeneration::items()) out.append(item.caption);
    return out;
}

}  // namespace

TfrmZbInit::TfrmZbInit(const AppContext& context, QWidget* parent)
    : CheckListDialog(context, "进行系统初始帐簿形成....", "请指定要初始形成的帐簿", captions(),
                      {LedgerGeneration::kQuestion, "正在进行系统帐簿初始化处理，请等待....", LedgerGeneration::kDone,
                       [context](const QList<int>& ticked) {
                           QList<LedgerGeneration::Ledger> ledgers;
                           for (int i : ticked) ledgers.append(LedgerGeneration::Ledger(i));
                           LedgerGeneration::run(context.dbm.dbapp, context.session.businessDate(), ledgers);
                       }},
                      parent) {
    setObjectName("frmZbInit");
}
