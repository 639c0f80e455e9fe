#include "admin/forms/Usetdate.h"
#include "app/commands.h"
#include "database/passwordhash.h"
#include "shell/forms/childwindow.h"
#include "shell/forms/desktoparea.h"
#include "shell/forms/uGetPwd.h"
#include "shell/forms/ulogin.h"
#include "shell/forms/umain.h"
#include "shell/forms/uwait.h"
#include "shell/loginrules.h"
#include "shell/session.h"
#include "shell/systemsettings.h"
#include "shell/udbm.h"
#include "support/modal.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() : session(t.workingDirectory()), dbm(session), rules(dbm, session, prompter) {
        dbm.open();
        addOperator("clerk", {1});
        addOperator("boss", {16});
        addOperator("nobody", {});
        window = std::make_unique<Tfrmmain>(AppContext{dbm, session, prompter}, registerCommands);
        window->setLoginRunner([this] {
            ++logins;
            return rules.checkPassword(loginAs, "pw", QDate(2004, 3, 5)) == LoginRules::Outcome::Succeeded;
        });
    }
    void addOperator(const QString& login, std::initializer_list<int> rights) {
        dbm.dbapp.exec("insert into Aczqx (logname, name, pwd) values (:l, :l, :p)",
                       {{"l", login}, {"p", passwords::hash("pw")}});
        for (int r : rights) dbm.dbapp.exec(QString("update Aczqx set R%1 = True where logname = :l").arg(r), {{"l", login}});
    }
    bool visible(const QString& action) { return window->command(action)->isVisible(); }
    bool menuVisible(const QString& menu) { return window->menu(menu)->menuAction()->isVisible(); }
    ChildWindow* openChild(const QString& key) {
        return window->showChild(key, [key] {
            auto* w = new ChildWindow;
            w->setWindowTitle(key);
            return w;
        });
    }

    TestDatabase t;
    ScriptedPrompter prompter;
    Session session;
    Tfdbm dbm;
    LoginRules rules;
    std::unique_ptr<Tfrmmain> window;
    QString loginAs = "clerk";
    int logins = 0;
};

TEST_F(MainWindowTest, DailyBusinessOperatorSeesNoAdministratorCommands) {
    ASSERT_TRUE(window->startUp());
    EXPECT_TRUE(session.loggedIn());
    EXPECT_FALSE(visible("alfsql"));
    EXPECT_FALSE(visible("alxtsetcfg"));
    EXPECT_FALSE(menuVisible("MenuYmYc"));
    for (const char* name : {"alxtczygl", "alxtgzrz", "alxtInit"}) EXPECT_FALSE(window->command(name)->isEnabled());
    EXPECT_TRUE(menuVisible("MenuYw"));
    EXPECT_EQ(window->command("alfLogin")->text(), "注销[&L]");
    EXPECT_EQ(window->command("alfLogin")->statusTip(), "系统注销");
}

TEST_F(MainWindowTest, AdministratorWithoutDailyBusinessRightSeesTheAdministratorCommands) {
    loginAs = "boss";
    ASSERT_TRUE(window->startUp());
    EXPECT_TRUE(visible("alfsql"));
    EXPECT_TRUE(visible("alxtsetcfg"));
    EXPECT_TRUE(menuVisible("MenuYmYc"));
    EXPECT_TRUE(window->command("alxtsetcfg")->isEnabled());
}

TEST_F(MainWindowTest, NobodyWithoutARightGetsIn) {
    loginAs = "nobody";
    EXPECT_FALSE(window->startUp());
    EXPECT_EQ(prompter.messages, (QStringList{LoginRules::kNoRight, LoginRules::kNoRight}))
        << "the dialog's message, then the main window's";
    EXPECT_FALSE(session.loggedIn());
}

TEST_F(MainWindowTest, WorkStateOtherThanOpenHidesDailyBusinessOnce) {
    dbm.dbapp.exec("update System set Sys2 = '2'");
    ASSERT_TRUE(window->startUp());
    EXPECT_FALSE(menuVisible("MenuYw"));
    EXPECT_FALSE(window->businessToolBar()->isVisibleTo(window.get()));
    EXPECT_EQ(prompter.messages, QStringList{"月末处理后还没有开工，不能进行日常业务处理！"});
    dbm.dbapp.exec("update System set Sys2 = '1'");
    EXPECT_TRUE(window->refreshWorkState());
    EXPECT_TRUE(menuVisible("MenuYw"));
    EXPECT_EQ(prompter.messages.size(), 1) << "the refresh has no message";
}

TEST_F(MainWindowTest, LogoutThenReloginSwapTheCommandsCaptions) {
    ASSERT_TRUE(window->startUp());
    QAction* login = window->command("alfLogin");
    login->trigger();
    EXPECT_FALSE(session.loggedIn());
    EXPECT_EQ(login->text(), "系统登录[&L]...");
    EXPECT_EQ(login->statusTip(), "重新登陆本系统[Ctrl+Alt+L]");
    EXPECT_FALSE(menuVisible("MenuYw"));
    EXPECT_FALSE(menuVisible("MenuXt"));
    EXPECT_FALSE(window->command("alfPWD")->isEnabled());
    EXPECT_EQ(prompter.messages.constLast(), "您已经注销!您必须重新登录才能使用本系统");

    loginAs = "stranger";
    login->trigger();
    EXPECT_EQ(prompter.messages.constLast(), "登录失败");
    EXPECT_EQ(login->text(), "系统登录[&L]...");

    loginAs = "clerk";
    login->trigger();
    EXPECT_TRUE(session.loggedIn());
    EXPECT_EQ(login->text(), "系统注销[&L]....");
    EXPECT_EQ(login->statusTip(), "注销本系统[Ctrl+Alt+L]");
    EXPECT_TRUE(menuVisible("MenuYw"));
    EXPECT_TRUE(window->command("alfPWD")->isEnabled());
    EXPECT_FALSE(visible("alxtsetcfg")) << "the administrator right is applied again";
}

// Between month-end and start of work daily business stays shut, whoever
// logs in and however: a logout and login bring back what start-up showed.
TEST_F(MainWindowTest, LoggingInAgainAppliesTheWorkStateAsAtStartUp) {
    const QString notStarted = "月末处理后还没有开工，不能进行日常业务处理！";
    dbm.dbapp.exec("update System set Sys2 = '2'");
    ASSERT_TRUE(window->startUp());
    QAction* login = window->command("alfLogin");
    login->trigger();
    login->trigger();
    ASSERT_TRUE(session.loggedIn());
    EXPECT_FALSE(menuVisible("MenuYw"));
    EXPECT_FALSE(window->businessToolBar()->isVisibleTo(window.get()));
    EXPECT_TRUE(menuVisible("MenuCx")) << "the rest of the session comes back";
    EXPECT_EQ(prompter.messages, (QStringList{notStarted, "您已经注销!您必须重新登录才能使用本系统", notStarted}));

    dbm.dbapp.exec("update System set Sys2 = '1'");
    login->trigger();
    login->trigger();
    EXPECT_TRUE(menuVisible("MenuYw"));
    EXPECT_TRUE(window->businessToolBar()->isVisibleTo(window.get()));
}

// A toolbar button reads as the command, without the menu's accelerator and dots.
TEST_F(MainWindowTest, ToolbarButtonsShowTheCaptionWithoutTheMenusTrimmings) {
    ASSERT_TRUE(window->startUp());
    auto* bar = window->findChild<QToolBar*>("ToolBarXt");
    auto button = [&](const char* name) {
        return qobject_cast<QToolButton*>(bar->widgetForAction(window->command(name)))->text();
    };
    const QList<QPair<const char*, QString>> buttons = {
        {"alfLogin", "注销"}, {"alfSetPrn", "设置打印机"}, {"alfAbout", "关于"}, {"alfClose", "关闭"}, {"alfprint", "打印输出"}};
    for (const auto& [name, text] : buttons) EXPECT_EQ(button(name), text) << name;
    QAction* login = window->command("alfLogin");
    login->trigger();
    EXPECT_EQ(button("alfLogin"), "系统登录");
    login->trigger();
    EXPECT_EQ(button("alfLogin"), "系统注销");
    EXPECT_EQ(login->text(), "系统注销[&L]....") << "the menu keeps the whole caption";
}

TEST_F(MainWindowTest, ArrangeLinesUpTheMinimisedWindowsOnly) {
    ASSERT_TRUE(window->startUp());
    window->resize(1000, 700);
    window->show();
    QList<QMdiSubWindow*> subs;
    for (const char* key : {"a", "b", "c"}) subs.append(qobject_cast<QMdiSubWindow*>(openChild(key)->parentWidget()));
    subs[0]->setGeometry(50, 40, 300, 200);
    subs[1]->showMinimized();
    subs[2]->showMinimized();
    subs[1]->move(400, 30);  // icons dragged about
    subs[2]->move(120, 90);
    window->command("WindowArrange1")->trigger();
    EXPECT_EQ(subs[0]->geometry(), QRect(50, 40, 300, 200)) << "an open window stays where it is";
    const int bottom = window->desktop()->viewport()->height();
    EXPECT_EQ(subs[1]->geometry().topLeft(), QPoint(0, bottom - subs[1]->height()));
    EXPECT_EQ(subs[2]->geometry().topLeft(), QPoint(subs[1]->width(), bottom - subs[2]->height()));
    EXPECT_TRUE(subs[1]->isMinimized());
}

TEST_F(MainWindowTest, PasswordBoxesShowStars) {
    Tfrmlogin login(rules, session, prompter, {});
    TfGetPwd prompt;
    for (QLineEdit* box : {login.Edit2, prompt.Edit1}) {
        box->setText("pw1");
        EXPECT_EQ(box->displayText(), "***") << box->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, CloseTakesChildrenOneByOneThenAsks) {
    ASSERT_TRUE(window->startUp());
    window->show();
    openChild("a");
    openChild("b");
    QAction* close = window->command("alfClose");
    close->trigger();
    EXPECT_EQ(window->childCount(), 1);
    close->trigger();
    EXPECT_EQ(window->childCount(), 0);
    prompter.expectQuestion("是否要退出本系统？", false);
    close->trigger();
    EXPECT_TRUE(window->isVisible());
    prompter.expectQuestion("是否要退出本系统？", true);
    close->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dbm.dbapp.scalar("select operation from Agzrz order by optime desc, rowid desc").toString(),
              "正常退出本系统");
    EXPECT_FALSE(dbm.dbapp.scalar("select opstate from Aczqx where logname = 'clerk'").toBool());
}

TEST_F(MainWindowTest, ChildWindowsAreSingleInstanceUntilClosed) {
    ASSERT_TRUE(window->startUp());
    window->show();
    ChildWindow* first = openChild("goods");
    openChild("other");
    EXPECT_EQ(openChild("goods"), first);
    EXPECT_EQ(window->childCount(), 2);
    EXPECT_EQ(window->statusText(1), "goods");
    first->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(openChild("goods"), nullptr);
    EXPECT_EQ(window->childCount(), 2);

    // A window wider than the desktop's free room still shows its right edge.
    ChildWindow* wide = window->showChild("wide", [] {
        auto* w = new ChildWindow;
        w->resize(5000, 100);
        return w;
    });
    const QRect area = window->desktop()->viewport()->rect();
    EXPECT_TRUE(area.contains(wide->parentWidget()->geometry()));

    // Ctrl+F4 closes the active child window from the keyboard.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->childCount(), 2);
}

TEST_F(MainWindowTest, BusinessDateShowsMonthAfterLoginAndDayAfterSetDate) {
    ASSERT_TRUE(window->startUp());
    EXPECT_EQ(window->statusText(2), "业务日期:2004年3月");
    EXPECT_EQ(window->statusText(3), "工作目录:" + t.workingDirectory());

    openChild("busy");
    window->command("alxtsetdate")->trigger();
    EXPECT_EQ(prompter.messages.constLast(), "请先结束当前的操作，再更改系统日期！");
    window->desktop()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    answerModal<Tfrmsetsysdate>([](Tfrmsetsysdate* d) {
        d->ndate->setDate(QDate(2004, 3, 5));
        d->accept();
    });
    window->command("alxtsetdate")->trigger();
    EXPECT_EQ(window->statusText(2), "业务日期:2004年3月5日");
    EXPECT_EQ(session.businessDate(), QDate(2004, 3, 5));

    answerModal<Tfrmsetsysdate>([](Tfrmsetsysdate* d) {
        d->ndate->setDate(QDate(2005, 1, 1));
        d->reject();
    });
    window->command("alxtsetdate")->trigger();
    EXPECT_EQ(session.businessDate(), QDate(2004, 3, 5)) << "cancel changes nothing";
}

TEST_F(MainWindowTest, AMissingWallpaperLeavesTheLogoTwoThirdsIn) {
    SystemSettings::saveWallpaper(t.workingDirectory(), t.workingDirectory() + "/none.bmp");
    ASSERT_TRUE(window->startUp());
    EXPECT_FALSE(window->desktop()->hasWallpaper());
    EXPECT_TRUE(session.settings.wallpaper.isEmpty()) << "forgotten for this run";
    EXPECT_EQ(DesktopArea::logoPosition(QSize(900, 600), QSize(300, 120)), QPoint(400, 320));
}

// Only a regular file is read as a wallpaper: a directory, or a named pipe
// whose reader would wait for a writer for ever, leaves the logo at once.
TEST(DesktopAreaTest, AWallpaperThatIsNoRegularFileIsNotRead) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(qPrintable(pipe), 0600), 0);
    // Stands by as the pipe's writer: should the area open the pipe, it is let
    // go (the test must not hang) and the opening is caught.
    std::atomic<bool> done = false, opened = false;
    std::thread writer([&] {
        while (!done) {
            const int fd = ::open(qPrintable(pipe), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                opened = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    DesktopArea area;
    for (const QString& path : {dir.path(), pipe}) EXPECT_FALSE(area.setWallpaper(path)) << path.toStdString();
    done = true;
    writer.join();
    EXPECT_FALSE(opened) << "the pipe was opened for reading";

    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath("wall.bmp")));
    EXPECT_TRUE(area.setWallpaper(dir.filePath("wall.bmp")));
}

// A window offering print and preview, like the lists; another offering nothing.
class PrintingChild : public ChildWindow {
public:
    int printCommands() const override { return Print | Preview; }
    void print() override { ++printed; }
    QString activityText() const override { return "商品编码维护."; }
    int printed = 0;
};

TEST_F(MainWindowTest, ThePrintCommandsFollowTheActiveChild) {
    ASSERT_TRUE(window->startUp());
    window->show();
    QAction* print = window->command("alfprint");
    QAction* preview = window->command("alfPreview");
    QAction* design = window->command("alfModiRep");
    EXPECT_FALSE(print->isEnabled());
    PrintingChild* lister = nullptr;
    window->showChild("list", [&] { return lister = new PrintingChild; });
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(preview->isEnabled());
    EXPECT_FALSE(design->isEnabled()) << "a list has no template to design";
    EXPECT_EQ(window->statusText(1), "商品编码维护.");
    print->trigger();
    EXPECT_EQ(lister->printed, 1);

    ChildWindow* plain = openChild("plain");
    EXPECT_FALSE(print->isEnabled());
    print->trigger();
    EXPECT_EQ(lister->printed, 1) << "unplugged from the inactive window";

    window->showChild("list", [] { return new PrintingChild; });
    EXPECT_TRUE(print->isEnabled());
    lister->parentWidget()->close();
    plain->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(print->isEnabled());
    EXPECT_EQ(window->statusText(1), Tfrmmain::kReady);
}

TEST(WaitBoxTest, ASecondBoxReplacesTheReferenceAndHideIsSafe) {
    HideWaitBox();
    ShowWaitBox("一");
    Tfrmwait* first = currentWaitBox();
    ShowWaitBox("二");
    Tfrmwait* second = currentWaitBox();
    ASSERT_NE(first, second);
    EXPECT_TRUE(first->isVisible());
    HideWaitBox();
    EXPECT_EQ(currentWaitBox(), nullptr);
    EXPECT_TRUE(first->isVisible()) << "only the box shown last goes";
    HideWaitBox();
    HideWaitBox();
    delete first;
}

}  // namespace

namespace {

// A registered command's guards run in their order before it; each stops it
// the way the command table says.
TEST_F(MainWindowTest, RegisteredCommandsRunBehindTheirGuards) {
    ASSERT_TRUE(window->startUp());
    auto logRows = [this] { return dbm.dbapp.scalar("select count(*) from agzrz").toInt(); };
    int ran = 0;
    int logRowsWhenRun = -1;
    CommandRegistry registry;
    registry.bind(
        "alxtsetdate",
        [&](Tfrmmain&) {
            ++ran;
            logRowsWhenRun = logRows();
            dbm.dbapp.exec("update System set Sys2 = '2'");
        },
        {.whenChildrenOpen = "请先关闭其他窗口!", .question = "继续吗？", .workLog = "测试命令", .refreshWorkState = true});

    ChildWindow* child = openChild("A");
    registry.run("alxtsetdate", *window);
    EXPECT_EQ(prompter.messages.value(prompter.messages.size() - 1), "请先关闭其他窗口!");
    child->parentWidget()->close();
    QApplication::processEvents();

    prompter.expectQuestion("继续吗？", false);
    const int before = logRows();
    registry.run("alxtsetdate", *window);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(logRows(), before) << "No writes nothing";

    prompter.expectQuestion("继续吗？", true);
    registry.run("alxtsetdate", *window);
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(logRowsWhenRun, before + 1) << "the work log is written before the command";
    EXPECT_FALSE(menuVisible("MenuYw")) << "the work state is applied afterwards";
    registry.run("alfNoSuchCommand", *window);  // nothing bound: nothing happens
}

// Every command a subsystem binds sits in the main window's layout, so a
// misspelt name cannot leave a window unreachable.
TEST_F(MainWindowTest, EveryRegisteredCommandHasItsPlaceInTheMenus) {
    CommandRegistry registry;
    registerCommands(registry);
    ASSERT_FALSE(registry.commands().isEmpty());
    for (const QString& name : registry.commands()) {
        ASSERT_NE(window->command(name), nullptr) << name.toStdString();
        // The period SQL catalogue's entry is hidden (a hidden action reads as disabled).
        if (name == "alXtSql") continue;
        EXPECT_TRUE(window->command(name)->isEnabled()) << name.toStdString();
    }
}

}  // namespace
