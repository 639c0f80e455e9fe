// The consistency check in the window program: opened from the keyboard, its
// findings read in the grid with their count, checked again, and run on a
// month's history copy that refuses every write.
#include "app/commands.h"
#include "audit/forms/auditwindow.h"
#include "grid/forms/datagrid.h"
#include "period/monthend.h"
#include "shell/forms/umain.h"
#include "shell/forms/usethis.h"
#include "shell/paths.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"
#include "support/stockbook.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

class AuditWindowTest : public testing::Test, protected OpenBook {
protected:
    QString cell(const AuditWindow& window, int row, int column) {
        return window.dbg01->model()->index(row, column).data().toString();
    }
};

// Alt+E, J: the window opens over the clean new book under the wait box; Esc closes it.
TEST_F(AuditWindowTest, OpensFromTheMenuByItsLettersAndEscClosesIt) {
    Tfrmmain main(context, registerCommands);
    showActive(&main);
    QAction* command = main.command("alxtZtjc");
    ASSERT_TRUE(command->isEnabled());
    EXPECT_TRUE(main.menu("MenuCjgl")->actions().contains(command));

    alt('E');
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_EQ(menu, main.menu("MenuCjgl"));
    QTest::keyClick(menu, Qt::Key_J);
    QApplication::processEvents();
    ASSERT_EQ(main.childCount(), 1);
    auto* window = main.findChild<AuditWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->lblResult->text(), "帐套一致，未发现问题");
    EXPECT_EQ(window->dbg01->model()->rowCount(), 0);
    EXPECT_EQ(prompter.waitTexts, QStringList{AuditWindow::kWaitText});
    EXPECT_EQ(prompter.waitBoxesShown, 0);

    window->dbg01->setFocus();
    key(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(main.childCount(), 0);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(",").toStdString();
}

// Two planted faults in the grid under their kinds; mended, Alt+J checks
// again and the book is consistent; the printout is titled as the window.
TEST_F(AuditWindowTest, ShowsEachFindingUnderItsKindAndChecksAgainOnAltJ) {
    dbm.dbapp.exec("update System set SLY = 2, Sys2 = '9'");
    stockbook::addGoods(dbm.dbapp, {.code = "G1", .kcsl = 5, .kcje = 10, .kcjg = 2, .sizes = {2, 2}});
    AuditWindow window(context);
    showActive(&window);
    ASSERT_EQ(window.dbg01->model()->rowCount(), 2);
    EXPECT_EQ(window.dbg01->model()->headerData(0, Qt::Horizontal).toString(), "类别");
    EXPECT_EQ(window.dbg01->model()->headerData(1, Qt::Horizontal).toString(), "内容");
    EXPECT_EQ(cell(window, 0, 0), "商品库存");
    EXPECT_EQ(cell(window, 0, 1), "商品 G1: 在用尺码合计应为 5(Kcsl)，实为 4");
    EXPECT_EQ(cell(window, 1, 0), "计数器与工作状态");
    EXPECT_EQ(cell(window, 1, 1), "工作状态 Sys2: 应为 \"0\"、\"1\" 或 \"2\"，实为 \"9\"");
    EXPECT_EQ(window.lblResult->text(), "共发现 2 处不一致");

    prompter.answerInput(std::nullopt);  // Cancel keeps the preset title
    window.print();
    EXPECT_EQ(prompter.inputPresets, QStringList{AuditWindow::kPrintTitle});
    prompter.messages.clear();  // this machine may have no printer

    dbm.dbapp.exec("update System set Sys2 = '1'");
    dbm.dbapp.exec("update ASPKM set kcslA = 3");
    window.dbg01->setFocus();
    alt('J');
    EXPECT_EQ(window.dbg01->model()->rowCount(), 0);
    EXPECT_EQ(window.lblResult->text(), "帐套一致，未发现问题");
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(",").toStdString();
}

// It only reads: on a month's history copy, which refuses every change, it
// runs from the history menu and finds what that copy holds.
TEST_F(AuditWindowTest, RunsOnAHistoryCopyFromTheHistoryMenu) {
    session.setBusinessDate(QDate(2004, 4, 6));
    dbm.dbapp.exec("update System set Sys2 = '2', ykckdh = 0");
    dbm.dbapp.exec("insert into ASPCKD (DJHM, KHBM, BZW) values ('000000003', '0000', '1')");
    ASSERT_TRUE(QFile::copy(dbm.databaseFile(),
                            paths::resolve(t.workingDirectory(),
                                           "data\\" + period::MonthEnd::backupFileName(QDate(2004, 3, 1)))));
    dbm.dbapp.exec("delete from ASPCKD");
    Tfrmmain main(context, registerCommands);
    main.show();
    answerModal<TfrmSetHis>([](TfrmSetHis* d) {
        d->spyy->setValue(2004);
        d->spmm->setValue(3);
        d->accept();
    });
    main.command("alcxlssj")->trigger();
    ASSERT_TRUE(dbm.showsHistory());
    QAction* command = main.command("alxtZtjc");
    EXPECT_TRUE(main.menu("MenuFileLs")->actions().contains(command));
    prompter.messages.clear();

    command->trigger();
    auto* window = main.findChild<AuditWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(",").toStdString();
    ASSERT_EQ(window->dbg01->model()->rowCount(), 1);
    EXPECT_EQ(cell(*window, 0, 1), "计数器 ykckdh: 应不小于 3(出库单 000000003)，实为 0");
}

}  // namespace
