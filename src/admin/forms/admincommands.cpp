#include "admin/forms/admincommands.h"

#include "admin/forms/Usetdate.h"
#include "admin/forms/usetcfg.h"
#include "admin/forms/usetwall.h"
#include "shell/forms/commandregistry.h"
#include "shell/forms/umain.h"
#include "shell/session.h"
#include "shell/udbm.h"

#include <QDateEdit>

void registerAdminCommands(CommandRegistry& registry) {
    registry.bind(
        "alxtsetdate",
        [](Tfrmmain& main) {
            Session& session = main.context().session;
            Tfrmsetsysdate dialog(session.businessDate(), [&main](const QString& t) { main.setStatusText(1, t); }, &main);
            if (dialog.exec() != QDialog::Accepted) return;
            main.context().dbm.writeWorkLog("更改系统处理日期.");
            session.setBusinessDate(dialog.ndate->date(), true);
        },
        {.whenChildrenOpen = "请先结束当前的操作，再更改系统日期！"});
    registry.bind(
        "alxtsetcfg",
        [](Tfrmmain& main) {
            Tfrmsetcfg dialog(main.context(), &main);
            dialog.exec();
        },
        {.workLog = "改变系统设置信息"});
    registry.bind("alxtsetwall", [](Tfrmmain& main) {
        Tfrmsetwall dialog(main.context(), &main);
        dialog.exec();
    });
}
