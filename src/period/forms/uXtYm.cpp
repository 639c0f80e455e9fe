#include "period/forms/uXtYm.h"

#include "period/monthend.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

TfrmXtYm::TfrmXtYm(const AppContext& context, QWidget* parent)
    : PeriodDialog(context, "Quorvel商业信息系统...", parent) {
    setObjectName("frmXtYm");
    addLabel("进行系统月末数据处理....");
    addBusinessDate();
}

// The backup and its overwrite question come before the summary rows are
// written, so that the rows, the copy and the work state are one unit that
// no question holds open.
void TfrmXtYm::process() {
    Prompter& prompter = context_.prompter;
    if (!prompter.question("是否确定要进行月末数据处理？")) return;
    period::MonthEnd monthEnd(context_.dbm.dbapp, context_.session.workingDirectory(), context_.session.businessDate());
    QStringList unposted;
    if (!behindWaitBox("正在进行系统数据检查，请等待....", [&] { unposted = monthEnd.unpostedDocuments(); })) return;
    if (!unposted.isEmpty()) {
        prompter.message(unposted.join('\n'));
        return;
    }
    prompter.message("进行系统月末处理必须进行当前系统数据库的备份!");
    const bool withBackup = !monthEnd.backupExists() || prompter.question("本月数据备份文件已经存在,是否覆盖?");
    const bool done = behindWaitBox("正在进行月末数据处理，请等待....", [&] {
        monthEnd.run(withBackup, [&prompter](period::MonthEnd::Stage stage) {
            if (stage != period::MonthEnd::Stage::Backup) return;
            prompter.hideWaitBox();
            prompter.showWaitBox("正在进行数据库备份,请等待....");
        });
    });
    if (done) prompter.message(period::MonthEnd::kDone);
}
