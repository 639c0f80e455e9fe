// The master-data windows driven from the keyboard alone, as a clerk types
// all day: Alt letters with a cell still open, Enter held down, refused saves.
#include "app/commands.h"
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/Uxtdmwh.h"
#include "masterdata/forms/picklists.h"
#include "masterdata/forms/uAddSp.h"
#include "masterdata/forms/uxtSpbm.h"
#include "masterdata/forms/uxtgys.h"
#include "masterdata/masterdatarules.h"
#include "shell/forms/umain.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class KeyboardPathsTest : public testing::Test, protected OpenBook {
protected:
    KeyboardPathsTest() {
        dbm.dbapp.exec("update System set SLY = 3, SA = '36', SB = '37', SC = '38'");
        dbm.dbapp.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋')");
        dbm.dbapp.exec("insert into ASPKM (Spbm, Spmc, Splb, Kcsl, kcslA, kcslB, kcslC) values "
                       "('A1', '跑鞋', '01', 0, 0, 0, 0), ('B2', '篮球鞋', '01', 3, 1, 1, 1)");
        dbm.dbapp.exec("insert into AGYS (Bm, Mc, jyje) values ('G01', '华南鞋业', 0), ('G02', '东方服饰', 0)");
        dbm.config.refresh();
    }
    QStringList goodsNames() {
        QStringList out;
        for (const QVariantList& row : dbm.dbapp.rows("select Spbm, Spmc from ASPKM order by Spbm"))
            out.append(row[0].toString() + ":" + row[1].toString());
        return out;
    }
    // Puts the grid on a cell and types into it without Enter: the cell editor stays open.
    void typeInto(DataGrid& grid, int row, const QString& field, const QString& text) {
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(row, grid.columnIndex(field)));
        typeText(text);
        ASSERT_TRUE(grid.isEditingCell());
    }

};

// 增加, a name typed without Enter, then a command by its Alt letter: the
// typed name stays with the new row (dropped with it on 取消 and 删除, saved
// with it on 保存), never in the goods item beside it.
TEST_F(KeyboardPathsTest, AnAltCommandFinishesTheOpenCellIntoItsOwnRow) {
    struct Case {
        char letter;
        QStringList expected;
    };
    const Case cases[] = {
        {'C', {"A1:跑鞋", "B2:篮球鞋"}},                 // 取消
        {'L', {"A1:跑鞋", "B2:篮球鞋"}},                 // 删除
        {'O', {"A1:跑鞋", "B2:篮球鞋", "C3:新鞋"}},      // 保存
    };
    for (const Case& c : cases) {
        dbm.dbapp.exec("delete from ASPKM where Spbm = 'C3'");
        TfrmxtSpbm window(context);
        showActive(&window);
        DataGrid& grid = *window.grid;
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(1, grid.columnIndex("Spmc")));
        alt('I');
        ASSERT_EQ(window.dbspk.state(), RowSet::State::Insert);
        EXPECT_EQ(grid.currentIndex().column(), grid.columnIndex("Spbm")) << "a new row starts at its code";
        if (c.letter == 'O') {
            typeInto(grid, window.dbspk.position(), "Spbm", "C3");
            key(Qt::Key_Tab);
        }
        typeInto(grid, window.dbspk.position(), "Spmc", "新鞋");
        alt(c.letter);
        EXPECT_FALSE(grid.isEditingCell()) << c.letter;
        if (c.letter != 'O') {
            EXPECT_EQ(window.dbspk.value("Spbm").toString(), "B2") << "back on the row it was on, Alt+" << c.letter;
        }
        EXPECT_EQ(grid.currentIndex().row(), window.dbspk.position());
        window.close();  // leaving the window must not bring the text back anywhere
        EXPECT_EQ(goodsNames(), c.expected) << "Alt+" << c.letter;
        EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    }
}

// Tab ends a cell and opens the next one: what is typed there next is the
// cell being typed when Alt+O comes, on a new row as on a stored one.
TEST_F(KeyboardPathsTest, AltOAfterTabSavesTheCellTabOpened) {
    Tfrmxtdmwh window(context);
    showActive(&window);
    DataGrid& grid = *window.grids[0];
    grid.setFocus();
    alt('I');
    EXPECT_EQ(grid.currentIndex().column(), 0) << "a new row starts at its code";
    typeText("07");
    key(Qt::Key_Tab);
    ASSERT_TRUE(grid.isEditingCell()) << "Tab opened the name";
    typeText("围巾");
    alt('O');
    EXPECT_EQ(dbm.dbapp.scalar("select Mc from ASPLB where Bm = '07'").toString(), "围巾");
    EXPECT_FALSE(grid.isEditingCell());
}

TEST_F(KeyboardPathsTest, AltOSavesTheValueOfTheCellStillBeingTyped) {
    TfrmxtSpbm window(context);
    showActive(&window);
    typeInto(*window.grid, 0, "Spmc", "慢跑鞋");
    alt('O');
    EXPECT_EQ(dbm.dbapp.scalar("select Spmc from ASPKM where Spbm = 'A1'").toString(), "慢跑鞋");
    EXPECT_EQ(window.dbspk.state(), RowSet::State::Browse);
}

// Enter held down past the last row: the grids offer a new row each time
// the cursor arrives there, but a row nothing was typed into is never saved.
TEST_F(KeyboardPathsTest, HoldingEnterOverNewRowsSavesNothing) {
    dbm.dbapp.exec("insert into ASPLB (Bm, Mc) values ('02', '服装')");
    auto goods = std::make_unique<TfrmxtSpbm>(context);
    auto codes = std::make_unique<Tfrmxtdmwh>(context);
    auto suppliers = std::make_unique<TfrmxtGys>(context);
    struct Case {
        ChildWindow* window;
        DataGrid* grid;
        const char* table;
    };
    const Case cases[] = {
        {goods.get(), goods->grid, "ASPKM"},
        {codes.get(), codes->grids[0], "ASPLB"},
        {suppliers.get(), suppliers->grid, "AGYS"},
    };
    for (const Case& c : cases) {
        const int stored = dbm.dbapp.scalar(QString("select count(*) from %1").arg(c.table)).toInt();
        showActive(c.window);
        DataGrid& grid = *c.grid;
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(grid.rows().recordCount() - 1, grid.visibleColumns().last()));
        for (int i = 0; i < 40; ++i) key(Qt::Key_Return);
        EXPECT_LE(grid.rows().recordCount(), stored + 1) << c.table;
        c.window->close();
        EXPECT_EQ(dbm.dbapp.scalar(QString("select count(*) from %1").arg(c.table)).toInt(), stored) << c.table;
        EXPECT_EQ(grid.rows().state(), RowSet::State::Browse) << c.table;
    }
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
}

// The code tables' Enter lands on the name of a new row; saved without a
// code it is refused, and the highlight stays on the row still in editing
// while the user corrects it.
TEST_F(KeyboardPathsTest, ARefusedSaveKeepsTheHighlightOnTheRowInEditing) {
    Tfrmxtdmwh window(context);
    showActive(&window);
    DataGrid& grid = *window.grids[0];
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 1));
    key(Qt::Key_Return);  // past the last column of the last row: a new row, at the name
    ASSERT_EQ(window.db01.state(), RowSet::State::Insert);
    typeText("袜子");
    key(Qt::Key_Return);  // on to a further new row: this one is saved first, and refused
    key(Qt::Key_Up);
    EXPECT_EQ(prompter.messages, QStringList(2, masterdata::kEmptyCode));
    const int editing = window.db01.position();
    EXPECT_EQ(window.db01.state(), RowSet::State::Insert);
    EXPECT_EQ(grid.currentIndex().row(), editing);
    const QModelIndexList highlighted = grid.selectionModel()->selectedIndexes();
    ASSERT_FALSE(highlighted.isEmpty());
    for (const QModelIndex& cell : highlighted) EXPECT_EQ(cell.row(), editing) << "the highlight stays";
    // What is typed now still goes into that row: the code, and the save goes through.
    grid.setCurrentIndex(grid.model()->index(editing, 0));
    typeText("09");
    alt('O');
    EXPECT_EQ(dbm.dbapp.scalar("select Mc from ASPLB where Bm = '09'").toString(), "袜子");
}

TEST_F(KeyboardPathsTest, CellEditorsStopTooLongTextAndRefuseLettersInNumbers) {
    TfrmxtSpbm window(context);
    showActive(&window);
    DataGrid& grid = *window.grid;
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, grid.columnIndex("Spbm")));
    alt('I');
    typeInto(grid, window.dbspk.position(), "Spbm", QString(20, 'X'));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QString(16, 'X')) << "the column holds 16 characters";
    key(Qt::Key_Return);
    // Letters in the price of the new row: told, the cell keeps its old value.
    typeInto(grid, window.dbspk.position(), "Xsdj", "12a");
    key(Qt::Key_Return);
    EXPECT_EQ(prompter.messages, QStringList{"'12a' 不是有效的值"});
    EXPECT_FALSE(grid.isEditingCell());
    EXPECT_EQ(grid.currentIndex().column(), grid.columnIndex("Xsdj")) << "the cursor stays to type it again";
    EXPECT_TRUE(window.dbspk.value("Xsdj").isNull());
    EXPECT_EQ(window.dbspk.state(), RowSet::State::Insert);
    EXPECT_EQ(window.dbspk.value("Spbm").toString(), QString(16, 'X'));

    // The same letters when Alt+O comes with the cell still open: told, and
    // nothing is saved with the old value in their place.
    prompter.messages.clear();
    typeInto(grid, window.dbspk.position(), "Xsdj", "3x");
    alt('O');
    EXPECT_EQ(prompter.messages, QStringList{"'3x' 不是有效的值"});
    EXPECT_EQ(window.dbspk.state(), RowSet::State::Insert) << "the save did not go on";
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from ASPKM").toInt(), 2);
}

// In the main window: the goods window's own Alt letters win over the main
// menu's; a letter the window gives two buttons only moves the focus; Enter
// in the name box finds.
TEST_F(KeyboardPathsTest, AChildWindowsAltLettersWinOverTheMainMenu) {
    Tfrmmain main(context, registerCommands);
    showActive(&main);
    main.command("alxtYpDm")->trigger();
    auto* window = main.findChild<TfrmxtSpbm*>();
    ASSERT_NE(window, nullptr);
    window->findText->setFocus();
    typeText("篮球");
    key(Qt::Key_Return);
    EXPECT_EQ(window->dbspk.value("Spbm").toString(), "B2") << "Enter in the name box finds";

    window->dbspk.first();
    window->findText->setFocus();
    // Held down, the letter's repeats stay the window's too.
    QTest::simulateEvent(window->findText, true, Qt::Key_B, Qt::AltModifier, "b", true);
    QApplication::processEvents();
    EXPECT_FALSE(main.menu("MenuCx")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window->findText);
    alt('B');  // 导出[&B] and 查找[&B]; the main menu has 综合查询[&B]
    EXPECT_FALSE(main.menu("MenuCx")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QPushButton*>("btnFind"));
    EXPECT_EQ(window->dbspk.value("Spbm").toString(), "A1") << "focus only, nothing run";
    key(Qt::Key_Space);
    EXPECT_EQ(window->dbspk.value("Spbm").toString(), "B2");
    alt('B');
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QPushButton*>("btnExport"));

    // A letter only the window has: its button runs.
    window->grid->setFocus();
    alt('P');
    EXPECT_EQ(window->dbspk.value("Spbm").toString(), "A1");
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();

    // A menu command (打印) with a cell still open prints what was typed.
    typeInto(*window->grid, 0, "Spmc", "慢跑鞋");
    prompter.answerInput(std::nullopt);  // the title question: keep the preset
    main.command("alfprint")->trigger();
    EXPECT_FALSE(window->grid->isEditingCell());
    EXPECT_EQ(window->dbspk.value("Spmc").toString(), "慢跑鞋");
}

// The supplier window gives 返回[&C] and 取消[&C]: Alt+C neither closes the
// window nor drops the row being typed.
TEST_F(KeyboardPathsTest, ALetterGivenTwiceNeverClosesOrDiscards) {
    TfrmxtGys window(context);
    showActive(&window);
    typeInto(*window.grid, 0, "Mc", "华南鞋业集团");
    alt('C');
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.dbm.value("Mc").toString(), "华南鞋业集团");
    EXPECT_EQ(window.dbm.state(), RowSet::State::Edit);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QPushButton*>("btnClose"));
    alt('C');
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QPushButton*>("btnCancel"));
    alt('O');
    EXPECT_EQ(dbm.dbapp.scalar("select Mc from AGYS where Bm = 'G01'").toString(), "华南鞋业集团");
}

// In the supplier pick list: 插入, a code typed in the grid, Enter. Enter ends
// the cell (the list stays); OK then closes, discarding the unsaved new
// supplier, and no existing supplier is touched.
TEST_F(KeyboardPathsTest, EnterInAPickListCellEndsTheCellNotTheList) {
    RowSet suppliers(dbm.dbapp);
    suppliers.setTable("AGYS", "Bm");
    suppliers.open();
    masterdata::installPartyRules(suppliers, prompter);
    Tfrmpickgy list(suppliers, prompter, {});
    showActive(&list);
    list.findChild<QPushButton*>("btnInsert")->click();
    typeInto(*list.grid, suppliers.position(), "bm", "G9");
    key(Qt::Key_Return);
    EXPECT_TRUE(list.isVisible()) << "Enter in the cell is not OK";
    EXPECT_EQ(suppliers.value("Bm").toString(), "G9");
    EXPECT_EQ(suppliers.state(), RowSet::State::Insert);
    typeInto(*list.grid, suppliers.position(), "mc", "新厂");
    key(Qt::Key_Return);  // the cell ends
    EXPECT_TRUE(list.isVisible());
    key(Qt::Key_Return);  // Enter in the grid is OK
    EXPECT_EQ(list.result(), QDialog::Accepted);
    const auto rows = dbm.dbapp.rows("select Bm, Mc from AGYS order by Bm");
    EXPECT_EQ(rows, (QList<QVariantList>{{"G01", "华南鞋业"}, {"G02", "东方服饰"}}));
}

// Goods added through the goods dialog start as the catalogue's do, so a
// stock-in line never meets a Null package size; a code is required.
TEST_F(KeyboardPathsTest, GoodsAddedThroughTheDialogGetTheCataloguesDefaults) {
    RowSet goods(dbm.dbapp);
    goods.setTable("ASPKM", "Spbm");
    goods.open();
    {
        TfrmAddSp dialog(dbm.dbapp, goods, prompter);
        showActive(&dialog);
        altInDialog('I');  // a new row, the focus in the code box
        key(Qt::Key_Return);
        typeText("跑步袜");
        altInDialog('O');
        EXPECT_EQ(prompter.messages, QStringList{masterdata::kEmptyCode});
        dialog.boxes.first()->setFocus();
        typeText("W1");
        altInDialog('O');
    }
    const auto row = dbm.dbapp.rows("select Spmc, Scale, Kcsl, kcslA, kcslP from ASPKM where Spbm = 'W1'");
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0], (QVariantList{"跑步袜", 1, 0.0, 0.0, 0.0}));
    EXPECT_FALSE(goods.hooks.beforePost) << "the caller's own rules come back";
}

}  // namespace
