// The period commands from the main window: their guards, the dialogs'
// questions and messages in order, the wait boxes, and the keys that run them.
#include "app/commands.h"
#include "grid/forms/datagrid.h"
#include "period/forms/uSqlYmYc.h"
#include "period/forms/uXtYc.h"
#include "period/forms/uXtYm.h"
#include "period/forms/uYwSjzl.h"
#include "period/forms/uZbInit.h"
#include "period/forms/uxtinit.h"
#include "period/forms/uymyckg.h"
#include "period/periodbook.h"
#include "period/routine.h"
#include "shell/forms/childwindow.h"
#include "shell/forms/desktoparea.h"
#include "shell/forms/umain.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class PeriodCommandsTest : public testing::Test, protected OpenBook {
protected:
    PeriodCommandsTest() : main(context, registerCommands) {
        periodbook::fill(dbm.dbapp, 3, 2, 1);
        session.setBusinessDate({2004, 3, 31});
        main.show();
    }
    void setState(const char* state) { period::setWorkState(dbm.dbapp, state); }
    QString state() { return period::workState(dbm.dbapp); }
    bool dailyBusinessShown() { return main.menu("MenuYw")->menuAction()->isVisible(); }
    // Presses the dialog's OK by its Alt letter once it is up.
    template <typename Dialog>
    void okByKeyboard() {
        answerModal<Dialog>([](Dialog* d) {
            d->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(d));
            altInDialog('K');
        });
    }
    int workLogRows(const QString& text) {
        return dbm.dbapp.scalar("select count(*) from agzrz where operation = :t", {{"t", text}}).toInt();
    }

    Tfrmmain main;
};

TEST_F(PeriodCommandsTest, CommandsRefuseInTheWrongWorkStateOrWithWindowsOpen) {
    struct Case {
        const char* command;
        const char* state;
        bool childOpen;
        const char* message;
    };
    const QList<Case> cases = {
        {"alXtYm", "1", true, "若要进行系统月末数据处理,请先结束其他操作!"},
        {"alXtYm", "2", false, "现在不是开工状态,不能进行月末数据处理!"},
        {"alXtYm", "0", false, "现在不是开工状态,不能进行月末数据处理!"},
        {"alXtYc", "2", true, "若要进行月初数据处理,请先结束其他操作!"},
        {"alXtYc", "1", false, "没有进行月末数据处理,,不能进行月初数据处理!"},
        {"alxtymyckg", "1", false, "现在已经是开工状态!"},
        {"alXtZbInit", "1", true, "若要进行系统帐簿初始化,请先结束其他操作!"},
        {"alxtInit", "1", true, "若要进行系统数据初始化,请先结束其他操作!"},
    };
    for (const Case& c : cases) {
        setState(c.state);
        if (c.childOpen) main.showChild("other", [] { return new ChildWindow; });
        prompter.messages.clear();
        main.command(c.command)->trigger();
        EXPECT_EQ(prompter.messages, QStringList{c.message}) << c.command;
        EXPECT_EQ(state(), c.state) << c.command;
        if (c.childOpen) main.desktop()->closeAllSubWindows();
    }
    EXPECT_EQ(workLogRows("进行系统月初开工"), 1) << "logged before the refusal";
}

TEST_F(PeriodCommandsTest, MonthEndByKeyboardTellsEachStepAndShutsDailyBusiness) {
    prompter.expectQuestion("是否确定要进行系统月末数据处理？", true);
    prompter.expectQuestion("是否确定要进行月末数据处理？", true);
    okByKeyboard<TfrmXtYm>();
    main.command("alXtYm")->trigger();
    EXPECT_EQ(prompter.messages, (QStringList{"进行系统月末处理必须进行当前系统数据库的备份!", "系统月末数据处理完毕！",
                                              "月末处理后必须进行开工，才能进行日常业务处理！"}));
    EXPECT_EQ(prompter.waitTexts, (QStringList{"正在进行系统数据检查，请等待....", "正在进行月末数据处理，请等待....",
                                               "正在进行数据库备份,请等待...."}));
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(state(), "2");
    EXPECT_FALSE(dailyBusinessShown());
    EXPECT_TRUE(QFile::exists(t.workingDirectory() + "/DATA/DB200403.MDB"));
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from aspmxzm").toInt(), 6);
}

TEST_F(PeriodCommandsTest, MonthEndStopsAtUnpostedDocumentsAndKeepsAnOlderBackupOnNo) {
    periodbook::document(dbm.dbapp, "ASPCKD", "000000001", "4", "ASPCKDD");
    prompter.expectQuestion("是否确定要进行月末数据处理？", true);
    {
        TfrmXtYm dialog(context);
        dialog.btnok->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << "closed whatever came of it";
    }
    EXPECT_EQ(prompter.messages, QStringList{"还有未记帐的出库单,\n现在不能进行月末数据处理!"});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(state(), "1");

    dbm.dbapp.exec("update aspckd set bzw = '3'");
    QFile older(t.workingDirectory() + "/DATA/DB200403.MDB");
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("older");
    older.close();
    prompter.messages.clear();
    prompter.expectQuestion("是否确定要进行月末数据处理？", true);
    prompter.expectQuestion("本月数据备份文件已经存在,是否覆盖?", false);
    TfrmXtYm(context).btnok->click();
    EXPECT_EQ(prompter.messages, (QStringList{"进行系统月末处理必须进行当前系统数据库的备份!", "系统月末数据处理完毕！"}));
    EXPECT_EQ(state(), "2");
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), "older");
}

TEST_F(PeriodCommandsTest, JanuaryMonthStartAsksTwiceAndCopiesTheBalances) {
    setState("2");
    session.setBusinessDate({2004, 1, 31});
    const QString january = "现在为1月份，进行月初数据处理同时还要进行年初数据处理.\n是否继续进行月末月初及年末年初的数据处理?";
    // No to the January question: nothing changes.
    prompter.expectQuestion("是否确定要进行月初数据处理？", true);
    prompter.expectQuestion(january, false);
    okByKeyboard<TfrmXtYc>();
    main.command("alXtYc")->trigger();
    EXPECT_EQ(state(), "2");
    EXPECT_EQ(dbm.dbapp.scalar("select ncye from abmk where bm = 'C001'").toDouble(), 5);

    prompter.messages.clear();
    prompter.expectQuestion("是否确定要进行月初数据处理？", true);
    prompter.expectQuestion(january, true);
    prompter.expectQuestion("是否确定要进行月(年)初数据处理？", true);
    prompter.expectQuestion("是否要清空本月的单据？\n即使清空,仍然可以从历史数据中进行查询.", false);
    okByKeyboard<TfrmXtYc>();
    main.command("alXtYc")->trigger();
    EXPECT_EQ(prompter.messages, (QStringList{"进行月初（年初）数据处理要确认上次月末数据处理时数据备份成功！",
                                              "系统月初（年初）数据处理完毕!", "月初数据处理后还没有开工，不能进行日常业务处理！"}));
    EXPECT_EQ(prompter.waitTexts, QStringList{"正在进行月初(年初)数据处理，请等待...."});
    EXPECT_EQ(state(), "0");
    EXPECT_EQ(dbm.dbapp.rows("select ncye, bnjf from abmk where bm = 'C001'"), (QList<QVariantList>{{205.0, 0.0}}));
    EXPECT_EQ(dbm.dbapp.scalar("select ncsl from aspkm where spbm = 'G003'").toDouble(), 3);
}

TEST_F(PeriodCommandsTest, StartOfWorkAfterMonthEndWarnsAndAsks) {
    struct Case {
        const char* from;
        bool yes;
        QStringList messages;
        const char* after;
    };
    const QString warning = "进行完月末数据处理后,还没有进行月初数据里.\n一旦开工则不能再进行月初数据里.";
    const QList<Case> cases = {
        {"0", true, {"开工成功!"}, "1"},
        {"2", false, {warning}, "2"},
        {"2", true, {warning, "开工成功!"}, "1"},
    };
    for (const Case& c : cases) {
        setState(c.from);
        main.refreshWorkState();
        prompter.messages.clear();
        if (QString(c.from) == "2") prompter.expectQuestion("是否仍然要进行系统开工?", c.yes);
        okByKeyboard<Tfrmxtymyckg>();
        main.command("alxtymyckg")->trigger();
        EXPECT_EQ(prompter.messages, c.messages) << c.from;
        EXPECT_EQ(state(), c.after) << c.from;
        EXPECT_EQ(dailyBusinessShown(), QString(c.after) == "1") << c.from;
    }
    EXPECT_EQ(workLogRows("进行系统月初开工"), 3);
}

TEST_F(PeriodCommandsTest, LedgerGenerationTicksByKeyboard) {
    dbm.dbapp.exec("insert into abmmxz (dwbh, zyxx) values ('C001', '销售')");
    prompter.expectQuestion("是否确定要进行系统帐簿初始化处理？\n系统帐簿一旦初始化则不能被恢复！", true);
    prompter.expectQuestion("是否确定要进行系统帐簿初始化处理？\n系统帐簿一旦初始化则不能被恢复！", true);
    answerModal<TfrmZbInit>([](TfrmZbInit* d) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_TRUE(d->checkedItems().isEmpty()) << "none ticked at first";
        d->CheckListBox1->setFocus();
        key(Qt::Key_Space);  // 0、商品保管帐
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        key(Qt::Key_Space);  // 2、单位往来帐(应付)
        EXPECT_EQ(d->checkedItems(), (QList<int>{0, 2}));
        altInDialog('K');
    });
    main.command("alXtZbInit")->trigger();
    EXPECT_EQ(prompter.messages, QStringList{"系统帐簿初始化完毕!"});
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from aspmxzm where zyxx = '上期结转'").toInt(), 3);
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from agymxz where zyxx = '上期结转'").toInt(), 1);
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from abmmxz").toInt(), 1) << "not chosen, not touched";
}

TEST_F(PeriodCommandsTest, InitialisationLogsBeforeTheDialogAndClearsWhatIsTicked) {
    const QString question = "是否确定要进行系统数据清空处理？\n系统数据一旦清空则不能被恢复！";
    prompter.expectQuestion(question, true);
    answerModal<Tfrmxtinit>([](Tfrmxtinit* d) { d->btncancel->click(); });
    main.command("alxtInit")->trigger();
    EXPECT_EQ(workLogRows("进行系统数据初始化"), 1) << "whatever the user then does";
    EXPECT_EQ(dbm.dbapp.scalar("select sum(kcsl) from aspkm").toDouble(), 6);

    prompter.expectQuestion(question, true);
    prompter.expectQuestion(question, true);
    answerModal<Tfrmxtinit>([](Tfrmxtinit* d) {
        d->btnAll->click();
        EXPECT_EQ(d->checkedItems().size(), 12);
        d->btnNone->click();
        d->CheckListBox1->item(9)->setCheckState(Qt::Checked);  // 9、清空商品库存
        d->btnok->click();
    });
    main.command("alxtInit")->trigger();
    EXPECT_EQ(prompter.messages, QStringList{"系统数据清空完毕!"});
    EXPECT_EQ(prompter.waitTexts, QStringList{"正在进行系统数据清空处理，请等待...."});
    EXPECT_EQ(dbm.dbapp.scalar("select sum(kcsl) from aspkm").toDouble(), 0);
    EXPECT_EQ(dbm.dbapp.scalar("select sum(jyje) from abmk").toDouble(), 205) << "balances not ticked";
}

TEST_F(PeriodCommandsTest, TidyUpThatFailsSaysSoAndRemovesNothing) {
    periodbook::document(dbm.dbapp, "ASPRKD", "000000001", "1");
    dbm.dbapp.exec("insert into abmlsz (dwbh) values ('GONE')");
    periodbook::failOn(dbm.dbapp, "delete", "ABMLSZ");
    prompter.expectQuestion("是否确定要进行系统数据整理？", true);
    okByKeyboard<TfrmYwSjzl>();
    main.command("alywsjzl")->trigger();
    EXPECT_EQ(prompter.messages, QStringList{"系统数据整理未能完成!"});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from asprkd").toInt(), 1);

    dbm.dbapp.exec("drop trigger forced_failure");
    prompter.messages.clear();
    prompter.expectQuestion("是否确定要进行系统数据整理？", true);
    TfrmYwSjzl(context).btnok->click();
    EXPECT_EQ(prompter.messages, QStringList{"系统数据整理完毕!"});
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from asprkd").toInt(), 0);
}

TEST_F(PeriodCommandsTest, TheSqlCatalogueNamesCategoriesAndRefusesElevenFromTheKeyboard) {
    EXPECT_FALSE(main.command("alXtSql")->isVisible()) << "not offered from the menu";
    showActive(&main);
    main.command("alXtSql")->trigger();
    auto* window = main.findChild<TfrmSqlYmYc*>();
    ASSERT_NE(window, nullptr);
    DataGrid& grid = *window->dbgSql;
    grid.setFocus();
    alt('I');
    ASSERT_TRUE(window->dbSql.isEditing());
    grid.setCurrentIndex(grid.model()->index(window->dbSql.position(), grid.columnIndex("LbBm")));
    key(Qt::Key_F2);
    typeText("11");
    key(Qt::Key_Return);
    EXPECT_EQ(window->dbSql.value("LbMc").toString(), "月末单据结转");
    alt('V');
    EXPECT_EQ(prompter.messages, QStringList{"无效的SQL类别,\n不能保存"});
    EXPECT_TRUE(window->dbSql.isEditing());

    window->dbSql.setValue("LbBm", 40);
    window->dbSql.setValue("Bm", 1);
    // Enter from the last column of the last row starts a new row at the first column.
    grid.setCurrentIndex(grid.model()->index(window->dbSql.position(), grid.columnIndex("Sql")));
    key(Qt::Key_Return);
    EXPECT_EQ(dbm.dbapp.rows("select LbBm, LbMc, Bm from ASqlYmYc"), (QList<QVariantList>{{40LL, "月末单据结转", 1LL}}));
    EXPECT_EQ(window->dbSql.recordCount(), 2);
    EXPECT_EQ(grid.currentIndex().column(), 0);
    window->dbSql.cancel();

    window->dbSql.first();
    emit grid.doubleClicked(grid.model()->index(0, grid.columnIndex("Inuse")));
    EXPECT_TRUE(window->dbSql.value("Inuse").toBool());
    alt('V');
    EXPECT_EQ(dbm.dbapp.scalar("select Inuse from ASqlYmYc").toInt(), 1);
}

}  // namespace
