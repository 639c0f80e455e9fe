#include "grid/forms/datagrid.h"
#include "masterdata/forms/uxtSpbm.h"
#include "support/openbook.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class GoodsWindowTest : public testing::Test, protected OpenBook {
protected:
    GoodsWindowTest() {
        dbm.dbapp.exec("update System set SLY = 3, SA = '36', SB = '37', SC = '38'");
        dbm.dbapp.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋')");
        dbm.dbapp.exec("insert into ASPKM (Spbm, Spmc, Splb, Kcsl, kcslA, kcslB, kcslC) values "
                       "('B2', '篮球鞋', '01', 3, 1, 1, 1), ('A1', '跑鞋', '01', 0, 0, 0, 0)");
        dbm.config.refresh();
        window = std::make_unique<TfrmxtSpbm>(context);
    }
    std::unique_ptr<TfrmxtSpbm> window;
};

TEST_F(GoodsWindowTest, OpensSortedByCodeWithTheSizeColumnsInUse) {
    DataGrid& grid = *window->grid;
    EXPECT_EQ(window->dbspk.sort(), "Spbm  ASC");
    EXPECT_EQ(grid.model()->index(0, grid.columnIndex("Spbm")).data().toString(), "A1");
    EXPECT_EQ(grid.column("kcslC")->title, "尺码|38");
    EXPECT_EQ(grid.columnIndex("kcslD"), -1);
    EXPECT_EQ(grid.model()->index(1, grid.columnIndex("lbmc")).data().toString(), "运动鞋");
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, grid.columnIndex("kcje"))) & Qt::ItemIsEditable);
}

TEST_F(GoodsWindowTest, EnterOnTheLastRowAppendsAndGoesToTheCode) {
    DataGrid& grid = *window->grid;
    const int last = grid.visibleColumns().last();
    grid.setCurrentIndex(grid.model()->index(1, last));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&grid, &enter);
    EXPECT_EQ(window->dbspk.state(), RowSet::State::Insert);
    EXPECT_EQ(grid.currentIndex().column(), grid.columnIndex("Spbm"));
    EXPECT_EQ(window->dbspk.value("Scale").toInt(), 1);
}

TEST_F(GoodsWindowTest, CopyBoxAndFindButtonsDriveTheRules) {
    window->copyNewRows->setChecked(true);
    EXPECT_TRUE(window->rules.copyIntoNewRows);
    window->findText->setText("篮球");
    window->findChild<QPushButton*>("btnFind")->click();
    EXPECT_EQ(window->dbspk.value("Spbm").toString(), "B2");
    window->findChild<QPushButton*>("btnInsert")->click();
    EXPECT_EQ(window->dbspk.value("Spmc").toString(), "篮球鞋");
    window->findChild<QPushButton*>("btnSave")->click();
    EXPECT_EQ(prompter.messages, QStringList{"关键字(编码)不能重复!"});
    window->findChild<QPushButton*>("btnCancel")->click();
    EXPECT_EQ(window->dbspk.recordCount(), 2);
}

TEST_F(GoodsWindowTest, ARefusedSaveTakesTheCursorToTheCellToCorrect) {
    DataGrid& grid = *window->grid;
    struct Case {
        QString code;
        double stock;
        QString message, column;
    };
    const Case cases[] = {{"", 0, "编码不能为空，请输入编码!", "Spbm"},
                          {"C3", 2, "配码数量与总计数量不一致，请进行纠正！", "Kcsl"}};
    for (const Case& c : cases) {
        prompter.messages.clear();
        window->findChild<QPushButton*>("btnInsert")->click();
        grid.setCurrentIndex(grid.model()->index(window->dbspk.position(), grid.columnIndex("Spmc")));
        window->dbspk.setValue("Spbm", c.code);
        window->dbspk.setValue("Kcsl", c.stock);
        window->findChild<QPushButton*>("btnSave")->click();
        EXPECT_EQ(prompter.messages, QStringList{c.message});
        EXPECT_EQ(grid.currentIndex().column(), grid.columnIndex(c.column)) << c.column.toStdString();
        window->findChild<QPushButton*>("btnCancel")->click();
    }
}

TEST_F(GoodsWindowTest, ActivationShowsStockChangedElsewhere) {
    dbm.dbapp.exec("update ASPKM set Kcsl = 9 where Spbm = 'A1'");
    window->activated();
    EXPECT_EQ(window->dbspk.value("Kcsl").toDouble(), 9);
}

}  // namespace
