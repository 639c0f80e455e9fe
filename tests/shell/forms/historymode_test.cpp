// The history-data mode: entering a month's copy, changing the period,
// returning, and what the main window shows and writes meanwhile.
#include "app/commands.h"
#include "shell/forms/childwindow.h"
#include "shell/forms/desktoparea.h"
#include "shell/forms/umain.h"
#include "shell/forms/usethis.h"
#include "period/monthend.h"
#include "shell/paths.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"

#include <QAction>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class HistoryModeTest : public testing::Test {
protected:
    HistoryModeTest() {
        book.session.setBusinessDate(QDate(2004, 5, 6));
        main = std::make_unique<Tfrmmain>(book.context, registerCommands);
        main->show();
    }
    Database& db() { return book.dbm.dbapp; }
    QString monthFile(int year, int month) {
        return paths::resolve(book.t.workingDirectory(), "data\\" + period::MonthEnd::backupFileName(QDate(year, month, 1)));
    }
    // The month's copy of the book as it stands, with a goods category naming the month.
    QString copyMonth(int year, int month) {
        const QString file = monthFile(year, month);
        db().exec("insert into ASPLB (Bm, Mc) values ('M', :m)", {{"m", QString("%1月").arg(month)}});
        EXPECT_TRUE(QFile::copy(book.dbm.databaseFile(), file));
        db().exec("delete from ASPLB where Bm = 'M'");
        return file;
    }
    QString damagedMonth(int year, int month) {
        const QString file = monthFile(year, month);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        return file;
    }
    QString monthShown() { return db().scalar("select Mc from ASPLB where Bm = 'M'").toString(); }
    // Runs a command whose period dialog is answered with the month (or cancelled).
    void run(const QString& command, int year = 0, int month = 0) {
        answerModal<TfrmSetHis>([year, month](TfrmSetHis* d) {
            if (!year) return d->reject();
            d->spyy->setValue(year);
            d->spmm->setValue(month);
            d->accept();
        });
        main->command(command)->trigger();
    }
    bool shown(const char* name) { return main->findChild<QWidget*>(name)->isVisibleTo(main.get()); }
    ChildWindow* openChild(const QString& key) {
        return main->showChild(key, [] { return new ChildWindow; });
    }

    OpenBook book;
    std::unique_ptr<Tfrmmain> main;
};

TEST_F(HistoryModeTest, TheDialogOffersTheBusinessMonthAndAMissingMonthLeavesTheBookAlone) {
    answerModal<TfrmSetHis>([](TfrmSetHis* d) {
        EXPECT_EQ(d->windowTitle(), "请指定要查询的数据期间....");
        EXPECT_EQ(d->spyy->value(), 2004);
        EXPECT_EQ(d->spmm->value(), 5);
        EXPECT_EQ(d->spyy->maximum(), 3000);
        d->spmm->setValue(3);
        d->accept();
    });
    main->command("alcxlssj")->trigger();
    EXPECT_EQ(book.prompter.messages, (QStringList{"查询数据期间:2004年03月", "指定期间数据不存在"}));
    EXPECT_EQ(db().path(), book.dbm.databaseFile());
    EXPECT_FALSE(main->historyMode());

    run("alcxlssj");  // cancelled: nothing at all
    EXPECT_EQ(book.prompter.messages.size(), 2);
    EXPECT_FALSE(main->historyMode());
}

TEST_F(HistoryModeTest, MarchOpensItsCopyUnderTheHistoryMenuAndAltXReturns) {
    copyMonth(2004, 3);
    copyMonth(2004, 12);
    run("alcxlssj", 2004, 3);
    EXPECT_EQ(book.prompter.messages, QStringList{"查询数据期间:2004年03月"});
    EXPECT_TRUE(db().path().endsWith("/DATA/DB200403.MDB")) << db().path().toStdString();
    EXPECT_EQ(monthShown(), "3月");
    EXPECT_TRUE(main->historyMode());
    EXPECT_TRUE(shown("MenuLssj"));
    EXPECT_FALSE(shown("MenuMain"));
    EXPECT_FALSE(shown("mCtrlBar"));
    EXPECT_EQ(main->statusText(2), "历史数据:2004年5月");
    EXPECT_EQ(main->command("alcxHzrkd")->text(), "历史入库单汇总");
    EXPECT_EQ(main->menu("MenuCxLs")->actions().contains(main->command("alLsRkd")), true);
    for (const char* browser : {"alLsRkd", "alLsCkd", "alLsSkd", "alLsFkd"})
        EXPECT_TRUE(main->command(browser)->isEnabled()) << browser;

    // The copy is looked at, not changed; the work log still goes into it.
    EXPECT_THROW(db().exec("delete from ASPLB"), DbError);
    book.dbm.writeWorkLog("进行SQL操作");
    EXPECT_EQ(db().scalar("select count(*) from Agzrz where operation = '进行SQL操作'").toInt(), 1);
    EXPECT_EQ(book.dbm.config.value("Sys2").toString(), "1");
    run("alLsSetPeriod", 2004, 12);
    EXPECT_TRUE(db().path().endsWith("/DATA/DB200412.MDB")) << db().path().toStdString();
    EXPECT_EQ(monthShown(), "12月");

    // Daily business is shut in the working book meanwhile (month-end done).
    {
        Database working;
        working.open(book.dbm.databaseFile());
        working.exec("update System set Sys2 = '2'");
    }
    book.prompter.messages.clear();
    showActive(main.get());
    QTest::keyClick(main.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(main->isVisible()) << "Alt+X returns, it does not close the program";
    EXPECT_EQ(book.prompter.messages, QStringList{"现在进行的是正常业务处理."});
    EXPECT_EQ(db().path(), book.dbm.databaseFile());
    EXPECT_FALSE(db().isGuarded());
    EXPECT_FALSE(main->historyMode());
    EXPECT_TRUE(shown("MenuMain"));
    EXPECT_TRUE(shown("mCtrlBar"));
    EXPECT_TRUE(shown("ToolBarXt"));
    EXPECT_FALSE(shown("ToolBarYw")) << "the business toolbar follows Sys2";
    EXPECT_FALSE(main->menu("MenuYw")->menuAction()->isVisible());
    EXPECT_EQ(main->statusText(2), "业务日期:2004年5月6日");
    EXPECT_EQ(main->command("alcxHzrkd")->text(), "入库单汇总");
    EXPECT_EQ(main->command("alfClose")->shortcut(), QKeySequence("Alt+X"));
    EXPECT_TRUE(main->command("alLsClose")->shortcut().isEmpty());
}

TEST_F(HistoryModeTest, ThePeriodIsTypedWithEnterBetweenTheBoxesAndOnOK) {
    copyMonth(2003, 12);
    answerModal<TfrmSetHis>([](TfrmSetHis* d) {
        d->spyy->setFocus();
        key(Qt::Key_A, Qt::ControlModifier);
        typeText("2003");
        key(Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), d->spmm);
        key(Qt::Key_A, Qt::ControlModifier);
        typeText("12");
        key(Qt::Key_Return);
        key(Qt::Key_Return);
    });
    main->command("alcxlssj")->trigger();
    EXPECT_EQ(book.prompter.messages, QStringList{"查询数据期间:2003年12月"});
    EXPECT_EQ(monthShown(), "12月");
}

TEST_F(HistoryModeTest, OpenChildWindowsStopEnteringAndChangingAndReturningClosesThemOneByOne) {
    copyMonth(2004, 3);
    openChild("a");
    main->command("alcxlssj")->trigger();  // no dialog may come
    EXPECT_EQ(book.prompter.messages, QStringList{"请先结束当前业务处理再进行历史数据查询!"});
    EXPECT_FALSE(main->historyMode());
    main->desktop()->closeAllSubWindows();

    run("alcxlssj", 2004, 3);
    openChild("a");
    openChild("b");
    book.prompter.messages.clear();
    main->command("alLsSetPeriod")->trigger();
    EXPECT_EQ(book.prompter.messages, QStringList{"请先结束当前查询处理再改变数据查询期间!"});
    main->command("alLsClose")->trigger();
    EXPECT_EQ(main->childCount(), 1);
    main->command("alLsClose")->trigger();
    EXPECT_EQ(main->childCount(), 0);
    EXPECT_TRUE(main->historyMode());
    main->command("alLsClose")->trigger();
    EXPECT_FALSE(main->historyMode());
}

TEST_F(HistoryModeTest, ChangingThePeriodKeepsTheViewedMonthWhenTheNewOneFails) {
    copyMonth(2004, 3);
    copyMonth(2004, 4);
    damagedMonth(2004, 6);
    run("alcxlssj", 2004, 3);
    book.prompter.messages.clear();

    run("alLsSetPeriod", 2004, 4);
    EXPECT_TRUE(book.prompter.messages.isEmpty()) << "changing tells no period";
    EXPECT_EQ(monthShown(), "4月");
    EXPECT_EQ(main->statusText(2), "历史数据:2004年5月");

    run("alLsSetPeriod", 2004, 2);
    EXPECT_EQ(book.prompter.messages, QStringList{"指定期间数据不存在"});
    EXPECT_EQ(monthShown(), "4月");

    book.prompter.messages.clear();
    run("alLsSetPeriod", 2004, 6);
    EXPECT_EQ(book.prompter.messages, QStringList{"无法打开指定期间数据,\n指定期间无效!"});
    EXPECT_EQ(monthShown(), "4月");
    EXPECT_TRUE(db().isGuarded());
    EXPECT_TRUE(main->historyMode());
    EXPECT_FALSE(shown("mCtrlBar"));
}

TEST_F(HistoryModeTest, AMonthThatCannotBeOpenedFallsBackToTheWorkingBook) {
    damagedMonth(2004, 3);
    run("alcxlssj", 2004, 3);
    EXPECT_EQ(book.prompter.messages, (QStringList{"查询数据期间:2004年03月", "无法打开指定期间数据,\n指定期间无效!"}));
    EXPECT_EQ(db().path(), book.dbm.databaseFile());
    EXPECT_FALSE(db().isGuarded());
    EXPECT_TRUE(book.dbm.config.isOpen());
    EXPECT_FALSE(main->historyMode());
    EXPECT_TRUE(shown("mCtrlBar"));
}

TEST_F(HistoryModeTest, LeavingTheProgramFromHistoryModeLogsInTheViewedMonth) {
    book.session.setOperator("admin", "系统管理员", {});
    book.session.setLoggedIn(true);
    db().exec("update Aczqx set opstate = True where logname = 'admin'");
    const QString march = copyMonth(2004, 3);
    run("alcxlssj", 2004, 3);
    book.prompter.expectQuestion("是否要退出本系统？", true);
    EXPECT_TRUE(main->close());

    Database copy;
    copy.open(march);
    EXPECT_EQ(copy.scalar("select count(*) from Agzrz where operation = '正常退出本系统'").toInt(), 1);
    EXPECT_FALSE(copy.scalar("select opstate from Aczqx where logname = 'admin'").toBool());
    Database working;
    working.open(book.dbm.databaseFile());
    EXPECT_EQ(working.scalar("select count(*) from Agzrz where operation = '正常退出本系统'").toInt(), 0);
}

}  // namespace
