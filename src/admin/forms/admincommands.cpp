#include "admin/forms/admincommands.h"

#include "admin/forms/UCzyGl.h"
#include "admin/forms/Uabout.h"
#include "admin/forms/Usetdate.h"
#include "admin/forms/uCompact.h"
#include "admin/forms/uHtTxl.h"
#include "admin/forms/ugzrz.h"
#include "admin/forms/umdbdemo.h"
#include "admin/forms/ushut.h"
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

    registry.bind(
        "alxtczygl",
        [](Tfrmmain& main) {
            Tfxtczygl dialog(main.context(), [&main](const QString& t) { main.setStatusText(1, t); }, &main);
            dialog.exec();
        },
        {.workLog = "进行系统操作员管理"});
    registry.bindWindow<Tfrmgzrz>("alxtgzrz", {.workLog = "进行系统工作日志管理"});
    // Every use opens one more console.
    registry.bind(
        "alfsql",
        [](Tfrmmain& main) {
            static int opened = 0;
            main.showChild(QString("Tfsqldemo#%1").arg(++opened),
                           [&main] { return new Tfsqldemo(main.context()); });
        },
        {.workLog = "进行SQL操作"});
    // The address book is logged once it is on screen.
    registry.bind("alfTxl", [](Tfrmmain& main) {
        main.showChild(TfrmhtTxl::staticMetaObject.className(), [&main] { return new TfrmhtTxl(main.context()); });
        main.context().dbm.writeWorkLog("查看系统通讯录");
    });
    // Compaction renumbers the rows of the tables it rewrites: no window may
    // hold rows read before it.
    registry.bind(
        "alxtCompact",
        [](Tfrmmain& main) {
            TfrmCompact dialog(main.context(), &main);
            dialog.exec();
        },
        {.whenChildrenOpen = "若要进行数据库压缩,请先关闭当前其他活动窗口!"});
    registry.bind(
        "alfShut",
        [](Tfrmmain& main) {
            Tfrmshut dialog(main.context().prompter, sessionend::systemRunner(), &main);
            dialog.exec();
        },
        {.whenChildrenOpen = "若要关闭计算机,请先关闭当前其他活动窗口!"});
    registry.bind("alfAbout", [](Tfrmmain& main) {
        Tfrmabout dialog(main.context().session, [&main](const QString& t) { main.setStatusText(1, t); }, &main);
        dialog.exec();
    });
}
