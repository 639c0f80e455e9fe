#include "period/forms/uxtinit.h"

#include "period/datainit.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

namespace {
QStringList captions() {
    QStringList out;
    for (const auto& item : period::DataInitialisation::items()) out.append(item.caption);
    return out;
}
}  // namespace

Tfrmxtinit::Tfrmxtinit(const AppContext& context, QWidget* parent)
    : CheckListDialog(context, "进行系统数据初始处理....", "请指定要清空的内容", captions(), parent) {
    setObjectName("frmxtinit");
}

void Tfrmxtinit::process() {
    using period::DataInitialisation;
    Prompter& prompter = context_.prompter;
    if (!prompter.question(Prompter::lines(kQuestionFirst, kQuestionSecond))) return;
    if (behindWaitBox("正在进行系统数据清空处理，请等待....",
                      [&] { DataInitialisation::run(context_.dbm.dbapp, checkedItems()); }))
        prompter.message(DataInitialisation::kDone);
}
