#include "period/forms/periodcommands.h"

#include "period/datainit.h"
#include "period/ledgergeneration.h"
#include "period/forms/uSqlYmYc.h"
#include "period/forms/uXtYc.h"
#include "period/forms/uXtYm.h"
#include "period/forms/uYwSjzl.h"
#include "period/forms/uZbInit.h"
#include "period/forms/uxtinit.h"
#include "period/forms/uymyckg.h"
#include "period/monthend.h"
#include "period/monthstart.h"
#include "shell/forms/commandregistry.h"
#include "shell/forms/umain.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

namespace {

template <typename Dialog>
void showDialog(Tfrmmain& main) {
    Dialog dialog(main.context(), &main);
    dialog.exec();
}

// A period command in the work state it needs: refused with `refusal`
// otherwise, then its question and dialog; afterwards daily business follows
// the work state, and `whenClosed` is said while it stays shut.
template <typename Dialog>
CommandRegistry::Action periodWrapper(QString neededState, QString refusal, QString question, QString whenClosed) {
    return [=](Tfrmmain& main) {
        Prompter& prompter = main.context().prompter;
        if (main.context().dbm.workState() != neededState) {
            prompter.message(refusal);
            return;
        }
        if (!prompter.question(question)) return;
        showDialog<Dialog>(main);
        if (!main.refreshWorkState()) prompter.message(whenClosed);
    };
}

}  // namespace

void registerPeriodCommands(CommandRegistry& registry) {
    registry.bind("alXtYm",
                  periodWrapper<TfrmXtYm>("1", period::MonthEnd::kNotWorking, "是否确定要进行系统月末数据处理？",
                                          "月末处理后必须进行开工，才能进行日常业务处理！"),
                  {.whenChildrenOpen = "若要进行系统月末数据处理,请先结束其他操作!"});
    registry.bind("alXtYc",
                  periodWrapper<TfrmXtYc>("2", period::MonthStart::kNoMonthEnd, "是否确定要进行月初数据处理？",
                                          "月初数据处理后还没有开工，不能进行日常业务处理！"),
                  {.whenChildrenOpen = "若要进行月初数据处理,请先结束其他操作!"});
    // The work log is written before any check, a refusal included.
    registry.bind(
        "alxtymyckg",
        [](Tfrmmain& main) {
            if (main.context().dbm.workState() == "1") {
                main.context().prompter.message(period::StartOfWork::kAlreadyWorking);
                return;
            }
            showDialog<Tfrmxtymyckg>(main);
        },
        {.workLog = period::StartOfWork::kWorkLog, .refreshWorkState = true});
    registry.bind("alXtZbInit", &showDialog<TfrmZbInit>,
                  {.whenChildrenOpen = "若要进行系统帐簿初始化,请先结束其他操作!",
                   .question = period::LedgerGeneration::kQuestion});
    registry.bind("alxtInit", &showDialog<Tfrmxtinit>,
                  {.whenChildrenOpen = "若要进行系统数据初始化,请先结束其他操作!",
                   .question = period::DataInitialisation::kQuestion,
                   .workLog = period::DataInitialisation::kWorkLog});
    registry.bind("alywsjzl", &showDialog<TfrmYwSjzl>);
    registry.bindWindow<TfrmSqlYmYc>("alXtSql");
}
