// The administration windows on a fresh book, driven as the administrator
// drives them: Alt letters, Enter and Esc, with the questions they ask.
#include "admin/forms/UCzyGl.h"
#include "admin/forms/Uabout.h"
#include "admin/forms/uCompact.h"
#include "admin/forms/uHtTxl.h"
#include "admin/forms/uSysInfo.h"
#include "admin/forms/ugzrz.h"
#include "admin/forms/umdbdemo.h"
#include "admin/forms/ushut.h"
#include "admin/sqlconsole.h"
#include "app/commands.h"
#include "database/passwordhash.h"
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/umain.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class AdminWindowsTest : public testing::Test, protected OpenBook {
protected:
    AdminWindowsTest() { session.setOperator("admin", "系统管理员", adminRights()); }
    static std::array<bool, 16> adminRights() {
        std::array<bool, 16> r{};
        r[15] = true;
        return r;
    }
    QStringList log() {
        QStringList out;
        for (const QVariantList& row : dbm.dbapp.rows("select operation from Agzrz order by optime, rowid"))
            out.append(row[0].toString());
        return out;
    }
    QString activity;  // what the dialogs write into the main window's status panel 1
    std::function<void(const QString&)> status = [this](const QString& t) { activity = t; };
};

// 增加 by its Alt letter, the three boxes with Enter between them, 保存: the
// new operator is saved with its rights text and hashed password, and the
// login name and password are then shown, not typed into.
TEST_F(AdminWindowsTest, OperatorIsAddedFromTheKeyboard) {
    Tfxtczygl dialog(context, status);
    showActive(&dialog);
    EXPECT_EQ(activity, "系统操作员变更.");
    EXPECT_TRUE(dialog.password->text().isEmpty()) << "the stored password is never shown";
    altInDialog('I');
    EXPECT_EQ(QApplication::focusWidget(), dialog.logname);
    typeText("wang");
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), dialog.name);
    typeText("王五");
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), dialog.password);
    typeText(" pw");
    EXPECT_EQ(dialog.password->displayText(), " pw") << "a new operator's password shows as typed";
    dialog.R1->click();
    dialog.R16->click();
    altInDialog('O');
    EXPECT_EQ(prompter.messages, QStringList{"除系统总管外，其他任何人不能具有系统管理员权限"});
    const QVariantList row = dbm.dbapp.rows("select name, opright, pwd from Aczqx where logname = 'wang'").value(0);
    ASSERT_EQ(row.size(), 3);
    EXPECT_EQ(row[0].toString(), "王五");
    EXPECT_EQ(row[1].toString(), "1000000000000000");
    EXPECT_TRUE(passwords::verify(" pw", row[2].toString()));
    EXPECT_FALSE(dialog.keysOpen());
    EXPECT_TRUE(dialog.logname->isReadOnly());
    EXPECT_TRUE(dialog.password->isReadOnly());
    EXPECT_EQ(dialog.password->text(), "************");
    EXPECT_FALSE(dialog.R16->isChecked());
}

// Typing into the chief's row is refused at the first key, and so is 删除.
TEST_F(AdminWindowsTest, TheChiefsRowRefusesTypingAndDeleting) {
    Tfxtczygl dialog(context, status);
    showActive(&dialog);
    ASSERT_EQ(dialog.dbczqx.value("logname").toString(), "admin");
    dialog.name->setFocus();
    typeText("x");
    altInDialog('L');
    EXPECT_EQ(prompter.messages, QStringList(2, OperatorRules::kChiefProtected));
    EXPECT_EQ(dialog.name->text(), "系统管理员");
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from Aczqx").toInt(), 1);
    dialog.close();
    EXPECT_EQ(activity, Tfrmmain::kReady);
}

class WorkLogTest : public AdminWindowsTest {
protected:
    WorkLogTest() {
        dbm.dbapp.exec("insert into Aczqx (logname, name) values ('oneil', 'O''Neil'), ('li', '李四')");
        dbm.writeWorkLog("oneil", "O'Neil", "登录");
        dbm.writeWorkLog("li", "李四", "登录");
        dbm.writeWorkLog("li", "李四", "正常退出本系统");
    }
};

// The operator list holds names; an apostrophe in one filters exactly.
TEST_F(WorkLogTest, FilterByOperatorNameAndPositionText) {
    Tfrmgzrz window(context);
    QStringList positions;
    QObject::connect(&window, &ChildWindow::positionTextChanged, [&positions](const QString& t) { positions.append(t); });
    QStringList names;
    for (int i = 0; i < window.cb01->count(); ++i) names.append(window.cb01->itemText(i));
    EXPECT_EQ(names, (QStringList{"全部", "系统管理员", "O'Neil", "李四"}));
    window.showOperator("O'Neil");
    EXPECT_EQ(window.dbgzrz.recordCount(), 1);
    EXPECT_EQ(positions.last(), "当前位置:1/1");
    window.showOperator("李四");
    EXPECT_EQ(window.dbgzrz.recordCount(), 2);
    window.showOperator("全部");
    EXPECT_EQ(window.dbgzrz.recordCount(), 3);
    EXPECT_EQ(window.printCommands(), ChildWindow::Print);
}

// Cleared while showing another operator: the one row left is the current
// operator's, so the grid is empty.
TEST_F(WorkLogTest, ClearingWithAFilterLeavesAnEmptyGridAndOneRow) {
    Tfrmgzrz window(context);
    window.showOperator("李四");
    prompter.expectQuestion("是否要清除所有系统工作日志?", false);
    window.findChild<QPushButton*>("btnDelete")->click();
    EXPECT_EQ(window.dbgzrz.recordCount(), 2);
    prompter.expectQuestion("是否要清除所有系统工作日志?", true);
    window.findChild<QPushButton*>("btnDelete")->click();
    EXPECT_EQ(window.dbgzrz.recordCount(), 0);
    EXPECT_EQ(log(), QStringList{"删除当前的系统工作日志"});
    window.showOperator("全部");
    EXPECT_EQ(window.dbgzrz.recordCount(), 1);

    // Printing asks first; No prints nothing.
    prompter.expectQuestion("是否要打印所有工作日志?", false);
    window.print();
    EXPECT_TRUE(prompter.messages.isEmpty());
}

// Alt+O opens the typed query: one row is 1/1 with the time beside it; Esc
// prints after the title question; closing asks.
TEST_F(AdminWindowsTest, ConsoleOpensAQueryAndPrintsOnEsc) {
    dbm.dbapp.exec("insert into atxl (姓名, 电话) values ('张三', '010'), ('李四', '138')");
    auto* window = new Tfsqldemo(context);
    showActive(window);
    window->sqlstr->setFocus();
    typeText("select * from atxl");
    key(Qt::Key_Return);
    typeText("where 电话 like '13%'");
    alt('O');
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(",").toStdString();
    EXPECT_EQ(window->panels[0]->text(), "1/1");
    EXPECT_TRUE(window->panels[1]->text().startsWith("执行时间:"));
    EXPECT_EQ(window->dbg01->model()->rowCount(), 1);
    EXPECT_EQ(window->dbg01->model()->columnCount(), 9);

    window->dbg01->setFocus();
    prompter.answerInput(std::nullopt);
    key(Qt::Key_Escape);
    EXPECT_EQ(prompter.inputPresets, QStringList{"报表标题"});

    // Execute of a query empties the grid; an empty text fails.
    window->sqlstr->setFocus();
    alt('E');
    EXPECT_EQ(window->dbg01->model()->rowCount(), 0);
    EXPECT_TRUE(window->panels[0]->text().isEmpty());
    alt('N');
    EXPECT_TRUE(window->sqlstr->toPlainText().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), window->sqlstr);
    prompter.messages.clear();
    alt('E');
    EXPECT_EQ(prompter.messages, QStringList{SqlConsole::kFailed});

    prompter.expectQuestion("是否要退出SQL操作?", false);
    EXPECT_FALSE(window->close());
    prompter.expectQuestion("是否要退出SQL操作?", true);
    EXPECT_TRUE(window->close());
    delete window;
}

// A cell typed in the console's grid is written to the book.
TEST_F(AdminWindowsTest, ConsoleGridEditsTheTable) {
    dbm.dbapp.exec("insert into atxl (姓名) values ('张三')");
    Tfsqldemo window(context);
    showActive(&window);
    window.sqlstr->setPlainText("select 姓名, 邮编 from atxl");
    alt('O');
    window.dbg01->setFocus();
    window.dbg01->setCurrentIndex(window.dbg01->model()->index(0, 1));
    typeText("100000");
    key(Qt::Key_Return);
    alt('E');  // leaving the result saves the row
    EXPECT_EQ(dbm.dbapp.scalar("select 邮编 from atxl").toString(), "100000");
}

class AddressBookTest : public AdminWindowsTest {
protected:
    AddressBookTest() {
        dbm.dbapp.exec("insert into atxl (姓名, 电话, 移动电话) values ('张三', '010', null), ('李四', null, '13800001111'), "
                       "('王五', '13812345678', null), ('赵六', null, null)");
    }
};

TEST_F(AddressBookTest, FindAndFindNextFromTheSearchBox) {
    TfrmhtTxl window(context);
    showActive(&window);
    EXPECT_EQ(window.panels[0]->text(), "记录总数:4");
    window.eName->setFocus();
    typeText("138");
    key(Qt::Key_Return);
    EXPECT_EQ(window.dbtxl.value("姓名").toString(), "李四");
    EXPECT_EQ(window.panels[1]->text(), "当前位置:2");
    alt('T');
    EXPECT_EQ(window.dbtxl.value("姓名").toString(), "王五");
    alt('T');
    EXPECT_EQ(window.dbtxl.value("姓名").toString(), "张三") << "wrapped to the first row";
    EXPECT_TRUE(prompter.messages.isEmpty());
}

// Enter walks the columns; from the last column of the last row it appends a
// new row and moves to it; Esc prints without asking anything.
TEST_F(AddressBookTest, EnterAtTheEndAppendsARowAndEscPrintsWithoutAQuestion) {
    TfrmhtTxl window(context);
    showActive(&window);
    DataGrid* grid = window.dbg01;
    grid->setFocus();
    const int lastColumn = grid->model()->columnCount() - 1;
    grid->setCurrentIndex(grid->model()->index(3, lastColumn));
    key(Qt::Key_Return);
    EXPECT_EQ(window.dbtxl.recordCount(), 5);
    EXPECT_EQ(window.dbtxl.state(), RowSet::State::Insert);
    EXPECT_EQ(grid->currentIndex().row(), 4);
    EXPECT_EQ(grid->currentIndex().column(), 0);
    window.dbtxl.cancel();
    grid->setCurrentIndex(grid->model()->index(0, 2));
    key(Qt::Key_Escape);
    EXPECT_TRUE(prompter.inputPresets.isEmpty());
}

// The commands as the main window runs them.
TEST_F(AdminWindowsTest, EveryConsoleIsANewWindowAndTheAddressBookIsLoggedWhenShown) {
    Tfrmmain main(context, registerCommands);
    main.show();
    main.command("alfsql")->trigger();
    main.command("alfsql")->trigger();
    EXPECT_EQ(main.childCount(), 2);
    main.command("alfTxl")->trigger();
    main.command("alfTxl")->trigger();
    EXPECT_EQ(main.childCount(), 3);
    EXPECT_EQ(log(), (QStringList{"进行SQL操作", "进行SQL操作", "查看系统通讯录", "查看系统通讯录"}));

    // Compaction and shutdown wait for the windows to be closed.
    main.command("alxtCompact")->trigger();
    main.command("alfShut")->trigger();
    EXPECT_EQ(prompter.messages,
              (QStringList{"若要进行数据库压缩,请先关闭当前其他活动窗口!", "若要关闭计算机,请先关闭当前其他活动窗口!"}));
    prompter.expectQuestion("是否要退出SQL操作?", true);
    prompter.expectQuestion("是否要退出SQL操作?", true);
    while (main.childCount() > 0) {
        main.command("alfClose")->trigger();
        QApplication::processEvents();
    }
}

TEST_F(AdminWindowsTest, ShutdownAsksTheChosenEntrysQuestionAndTellsARefusal) {
    QList<QStringList> asked;
    sessionend::Runner refuse = [&asked](const QString& program, const QStringList& arguments) {
        asked.append(QStringList{program} + arguments);
        return false;
    };
    Tfrmshut dialog(prompter, refuse);
    showActive(&dialog);
    EXPECT_EQ(dialog.hint->text(), "结束会话并关闭Windows,这样就\n可以安全地关闭电源了。");
    dialog.choice->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(dialog.choice->currentText(), "重新启动");
    EXPECT_EQ(dialog.hint->text(), "结束会话, 关闭Windows,重新启\n动计算机。");
    prompter.expectQuestion("是否要重新启动计算机?", false);
    altInDialog('K');
    EXPECT_TRUE(asked.isEmpty());
    prompter.expectQuestion("是否要重新启动计算机?", true);
    altInDialog('K');
    EXPECT_EQ(asked, (QList<QStringList>{{"systemctl", "reboot"}}));
    EXPECT_EQ(prompter.messages, QStringList{"不能重新启动计算机!"});
    altInDialog('C');
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(asked.size(), 1) << "cancel asks nothing of the system";
}

TEST_F(AdminWindowsTest, AboutBoxTellsWhoAndWhereAndOpensTheSystemInformation) {
    Tfrmabout about(session, status);
    showActive(&about);
    EXPECT_EQ(activity, "关于本系统....");
    EXPECT_EQ(about.operatorLine->text(), "当前操作员姓名:系统管理员,登录名:admin");
    EXPECT_EQ(about.programPath->text(), "系统可执行程序路径：" + t.workingDirectory());
    EXPECT_EQ(about.dataPath->text(), "系统数据路径：" + t.workingDirectory());
    QString shown;
    answerModal<TfrmSysInfo>([&shown](TfrmSysInfo* box) {
        shown = box->windowTitle() + "|" + box->lines->text();
        box->accept();
    });
    about.findChild<QPushButton*>("btninfo")->click();
    EXPECT_TRUE(shown.startsWith("系统信息...|系统可执行程序路径：")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("系统物理内存:"));
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AdminWindowsTest, CompactionDialogCancelsOrCompacts) {
    {
        TfrmCompact dialog(context);
        showActive(&dialog);
        altInDialog('C');
        EXPECT_TRUE(prompter.messages.isEmpty());
    }
    TfrmCompact dialog(context);
    showActive(&dialog);
    altInDialog('K');
    EXPECT_EQ(prompter.messages, QStringList{"数据库压缩完成!"});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dbm.dbapp.isOpen());
}

}  // namespace
