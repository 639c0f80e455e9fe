#include "period/forms/uXtYc.h"

#include "period/monthstart.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

TfrmXtYc::TfrmXtYc(const AppContext& context, QWidget* parent)
    : PeriodDialog(context, "Quorvel商业信息系统...", parent) {
    setObjectName("frmXtYc");
    addLabel("进行系统月(年)初数据初始化....");
    addBusinessDate();
}

// The clearing question is asked with the others, before anything is
// changed, so that the whole month-start is one unit no question holds open.
void TfrmXtYc::process() {
    Prompter& prompter = context_.prompter;
    period::MonthStart monthStart(context_.dbm.dbapp, context_.session.businessDate());
    prompter.message("进行月初（年初）数据处理要确认上次月末数据处理时数据备份成功！");
    if (monthStart.startsYear()
        && !prompter.question(Prompter::lines("现在为1月份，进行月初数据处理同时还要进行年初数据处理.",
                                              "是否继续进行月末月初及年末年初的数据处理?")))
        return;
    if (!prompter.question("是否确定要进行月(年)初数据处理？")) return;
    const bool clear = prompter.question(Prompter::lines("是否要清空本月的单据？", "即使清空,仍然可以从历史数据中进行查询."));
    if (behindWaitBox("正在进行月初(年初)数据处理，请等待....", [&] { monthStart.run(clear); }))
        prompter.message(period::MonthStart::kDone);
}
