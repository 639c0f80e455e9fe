#include "period/forms/uYwSjzl.h"

#include "period/tidyup.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

TfrmYwSjzl::TfrmYwSjzl(const AppContext& context, QWidget* parent)
    : PeriodDialog(context, "进行系统数据整理....", parent) {
    setObjectName("frmYwSjzl");
    addLabel("进行系统数据整理....");
}

void TfrmYwSjzl::process() {
    using period::DataTidyUp;
    Prompter& prompter = context_.prompter;
    if (!prompter.question("是否确定要进行系统数据整理？")) return;
    if (behindWaitBox("正在进行系统数据整理，请等待....", [&] { DataTidyUp::run(context_.dbm.dbapp); }))
        prompter.message(DataTidyUp::kDone);
}
