#include "grid/forms/datagrid.h"
#include "masterdata/forms/Uxtdmwh.h"
#include "masterdata/forms/uxtbmwl.h"
#include "masterdata/forms/uxtgys.h"
#include "support/openbook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class MasterWindowsTest : public testing::Test, protected OpenBook {
protected:
    void enter(QWidget* w) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};

TEST_F(MasterWindowsTest, CustomerFooterTotalsAllCustomersAfterAnEdit) {
    dbm.dbapp.exec("insert into ABMK (Bm, Mc, jyje, ncye) values ('K1', '甲', 100, 0), ('K2', '乙', 50.5, 0)");
    TfrmxtBmWl window(context);
    DataGrid& grid = *window.grid;
    const int jyje = grid.columnIndex("jyje");
    EXPECT_EQ(grid.footerText(grid.columnIndex("Mc")), "　合　计");
    EXPECT_EQ(grid.footerText(jyje), "150.50") << "the walk-in customer counts with 0";
    window.dbm.locate("Bm", "K2");
    ASSERT_TRUE(grid.model()->setData(grid.model()->index(window.dbm.position(), jyje), "60", Qt::EditRole));
    EXPECT_EQ(grid.footerText(jyje), "160.00");
    window.dbm.post();
    window.dbm.first();
    EXPECT_EQ(grid.footerText(jyje), "160.00") << "whatever row is current";
    EXPECT_EQ(grid.footerText(grid.columnIndex("ncye")), "0.00");
}

TEST_F(MasterWindowsTest, SupplierFormPageEditsTheCurrentRowAndEnterMovesOn) {
    TfrmxtGys window(context);
    EXPECT_FALSE(window.grid->footerVisible());
    EXPECT_NE(window.findChild<QLineEdit*>("Edit_Khyh"), nullptr) << "suppliers have bank boxes";
    window.show();
    window.pages->setCurrentIndex(1);
    window.findChild<QPushButton*>("btnInsert")->click();
    auto* code = window.findChild<QLineEdit*>("Edit_Bm");
    code->setFocus();
    code->setText("G9");
    emit code->textEdited("G9");
    enter(code);
    EXPECT_EQ(window.focusWidget(), window.findChild<QLineEdit*>("Edit_Mc"));
    auto* name = window.findChild<QLineEdit*>("Edit_Mc");
    name->setText("南方鞋厂");
    emit name->textEdited("南方鞋厂");
    window.findChild<QPushButton*>("btnSave")->click();  // as by Alt+O: the box keeps the focus
    EXPECT_EQ(dbm.dbapp.scalar("select Mc from AGYS where Bm = 'G9'").toString(), "南方鞋厂");
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from AGYS where Bm = 'G9' and jyje = 0").toInt(), 1);
    TfrmxtBmWl customers(context);
    EXPECT_EQ(customers.findChild<QLineEdit*>("Edit_Khyh"), nullptr);

    // A balance box shows money, but what is being typed stays as typed.
    auto* balance = window.findChild<QLineEdit*>("Edit_ncye");
    EXPECT_EQ(balance->text(), "0.00");
    window.dbm.edit();
    for (const char* typed : {"1", "12", "12.5"}) {
        balance->setText(typed);
        emit balance->textEdited(typed);
        EXPECT_EQ(balance->text(), typed);
    }
    window.findChild<QPushButton*>("btnSave")->click();
    EXPECT_EQ(dbm.dbapp.scalar("select ncye from AGYS where Bm = 'G9'").toDouble(), 12.5);
    EXPECT_EQ(balance->text(), "12.50");
}

TEST_F(MasterWindowsTest, CodeTablesAppendOnEnterAtTheEndAndButtonsActOnTheFocusedGrid) {
    dbm.dbapp.exec("insert into ASPLB (Bm, Mc) values ('01', '鞋')");
    Tfrmxtdmwh window(context);
    DataGrid& categories = *window.grids[0];
    categories.setCurrentIndex(categories.model()->index(0, 1));
    enter(&categories);
    EXPECT_EQ(window.db01.state(), RowSet::State::Insert);
    EXPECT_EQ(categories.currentIndex().column(), 1) << "to the second column";
    window.findChild<QPushButton*>("btnCancel")->click();
    EXPECT_EQ(window.db01.recordCount(), 1);
    window.pages->setCurrentIndex(2);
    window.findChild<QPushButton*>("btnInsert")->click();
    EXPECT_EQ(window.db03.state(), RowSet::State::Insert);
    EXPECT_EQ(window.db01.state(), RowSet::State::Browse);
}

}  // namespace
