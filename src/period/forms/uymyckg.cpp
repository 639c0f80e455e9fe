#include "period/forms/uymyckg.h"

#include "period/monthstart.h"
#include "period/routine.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

Tfrmxtymyckg::Tfrmxtymyckg(const AppContext& context, QWidget* parent)
    : PeriodDialog(context, "Quorvel商业信息系统...", parent) {
    setObjectName("frmxtymyckg");
    addLabel("进行系统开工处理....");
    addBusinessDate();
}

void Tfrmxtymyckg::process() {
    using period::StartOfWork;
    Prompter& prompter = context_.prompter;
    StartOfWork start(context_.dbm.dbapp);
    if (const QString refused = start.refusal(); !refused.isEmpty()) {
        prompter.message(refused);
        return;
    }
    const bool fromMonthEnd = start.skipsMonthStart();
    if (fromMonthEnd) {
        prompter.message(StartOfWork::monthStartSkippedWarning().join('\n'));
        if (!prompter.question(StartOfWork::kStartAnyway)) return;
    }
    try {
        start.run(fromMonthEnd);
    } catch (const period::Stopped& stopped) {
        prompter.message(stopped.text());
        return;
    }
    prompter.message(StartOfWork::kDone);
}
