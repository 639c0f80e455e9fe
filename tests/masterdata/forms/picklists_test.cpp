#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "masterdata/forms/uAddSp.h"
#include "masterdata/masterdatarules.h"
#include "support/modal.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// A test caller: a stock-in header, its supplier cursor and its goods cursor,
// calling the lists as the document windows do.
class PickListTest : public testing::Test {
protected:
    PickListTest() : header(t.db()), suppliers(t.db()), goods(t.db()) {
        t.db().exec("insert into AGYS (Bm, Mc) values ('G01', '华南鞋业'), ('G02', '东方服饰'), ('H01', '北方体育')");
        t.db().exec("insert into ASPKM (Spbm, Spmc, Kcsl) values ('xz001', '跑步鞋', 0), ('XZ002', '篮球鞋', 0), ('FZ001', '套装', 0)");
        t.db().exec("insert into ASPRKD (DJHM, BZW) values ('000000001', '1')");
        header.setTable("ASPRKD");
        header.open();
        suppliers.setTable("AGYS", "Bm");
        suppliers.open();
        masterdata::installPartyRules(suppliers, prompter);
        suppliers.hooks.beforeDelete = [this] {
            prompter.message("不能在此删除供应商信息！");
            return false;
        };
        goods.setTable("ASPKM", "Spbm");
        goods.open();
    }
    // Steps 4 to 6 of the calling protocol for the supplier list.
    bool pickSupplier(const std::function<void(Tfrmpickgy&)>& user) {
        Tfrmpickgy list(suppliers, prompter, {});
        answerModal<Tfrmpickgy>([&user](Tfrmpickgy* d) { user(*d); });
        if (list.exec() != QDialog::Accepted) return false;
        return takePickedCode(header, "KHBM", suppliers.value("Bm").toString());
    }

    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet header, suppliers, goods;
};

TEST_F(PickListTest, APrefixThatMatchesNothingKeepsTheRowAndOkReturnsIt) {
    ASSERT_TRUE(pickSupplier([](Tfrmpickgy& list) {
        list.Edit1->setText("g0");  // without regard to case
        list.Edit1->setText("g02");
        list.Edit1->setText("g02x");
        list.accept();
    }));
    EXPECT_EQ(header.value("KHBM").toString(), "G02");
    EXPECT_EQ(header.state(), RowSet::State::Edit);
}

TEST_F(PickListTest, CancelAfterInsertingASupplierDiscardsItAndLeavesTheDocument) {
    EXPECT_FALSE(pickSupplier([this](Tfrmpickgy& list) {
        list.findChild<QPushButton*>("btnInsert")->click();
        EXPECT_EQ(suppliers.value("jyje").toDouble(), 0) << "the caller's rule for new rows";
        suppliers.setValue("Bm", "N01");
        list.findChild<QPushButton*>("btnCancel")->click();
    }));
    EXPECT_EQ(suppliers.recordCount(), 3);
    EXPECT_EQ(t.db().scalar("select count(*) from AGYS").toInt(), 3);
    EXPECT_TRUE(header.value("KHBM").isNull());
    EXPECT_EQ(header.state(), RowSet::State::Browse);
}

TEST_F(PickListTest, DeletionIsRefusedByTheCallersRuleAndNameSearchWraps) {
    pickSupplier([this](Tfrmpickgy& list) {
        list.findChild<QPushButton*>("btnDelete")->click();
        list.EditName->setText("鞋业");
        list.findChild<QPushButton*>("btnFind")->click();
        EXPECT_EQ(suppliers.value("Bm").toString(), "G01");
        list.findChild<QPushButton*>("btnFindNext")->click();
        EXPECT_EQ(suppliers.value("Bm").toString(), "G01") << "no further match: the first row";
        list.reject();
    });
    EXPECT_EQ(prompter.messages, QStringList{"不能在此删除供应商信息！"});
    EXPECT_EQ(suppliers.recordCount(), 3);
}

TEST_F(PickListTest, ReadOnlyCallersHideTheNavigator) {
    TfrmpickKh list(suppliers, prompter, {false, true, false});
    EXPECT_TRUE(list.DBNavigator1->isHidden());
    EXPECT_FALSE(list.grid->model()->flags(list.grid->model()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(PickListTest, GoodsListShowsTheSizesInUseAndStartsAtTheLinesCode) {
    goods.field("kcslA").caption = "尺码|36";
    Tfrmpicksp list(t.db(), goods, prompter, 13, {});
    EXPECT_NE(list.grid->columnIndex("kcslM"), -1);
    EXPECT_EQ(list.grid->columnIndex("kcslN"), -1);
    EXPECT_EQ(list.grid->column("kcslA")->title, "尺码|36");
    EXPECT_TRUE(list.btnEdit->isHidden());
    list.startAt("XZ");
    EXPECT_EQ(list.codeBox->text(), "XZ");
    EXPECT_EQ(goods.value("Spbm").toString(), "xz001") << "the code box moves it again, without regard to case";
    list.codeBox->setText("  xz002 ");
    EXPECT_EQ(goods.value("Spbm").toString(), "XZ002") << "the code box trims";
    list.codeBox->setText("Q");
    EXPECT_EQ(goods.value("Spbm").toString(), "XZ002") << "no match: the row stays";
}

TEST_F(PickListTest, GoodsDialogEditsTheCurrentItemAndDiscardsWhatWasNotSaved) {
    goods.locate("Spbm", "FZ001");
    {
        TfrmAddSp dialog(t.db(), goods, prompter);
        auto* name = dialog.findChild<QLineEdit*>("Edit_Spmc");
        EXPECT_EQ(name->text(), "套装");
        name->setText("运动套装");
        emit name->textEdited("运动套装");
        dialog.findChild<QPushButton*>("btnSave")->click();
        dialog.findChild<QPushButton*>("btnInsert")->click();
        EXPECT_EQ(goods.state(), RowSet::State::Insert);
        goods.setValue("Spbm", "NEW1");
        dialog.reject();
    }
    EXPECT_EQ(t.db().scalar("select Spmc from ASPKM where Spbm = 'FZ001'").toString(), "运动套装");
    EXPECT_EQ(t.db().scalar("select count(*) from ASPKM").toInt(), 3) << "the unsaved new goods are discarded";
}

}  // namespace
