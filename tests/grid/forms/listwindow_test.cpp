// The list windows' shared frame, checked on every list window.
#include "grid/forms/datagrid.h"
#include "masterdata/forms/Uxtdmwh.h"
#include "masterdata/forms/uxtSpbm.h"
#include "masterdata/forms/uxtbmwl.h"
#include "masterdata/forms/uxtgys.h"
#include "support/openbook.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct ListWindowCase {
    const char* name;
    std::function<ListWindow*(const AppContext&)> open;
    const char* printTitle;
    const char* table;           // changed behind the window's back
    const char* changedField;
    RowSet& (*rows)(ListWindow&);
    bool rereadsOnActivation;    // postings elsewhere change what it shows
};

const ListWindowCase kCases[] = {
    {"goods", [](const AppContext& c) { return new TfrmxtSpbm(c); }, "商品编码表", "ASPKM", "Spmc",
     [](ListWindow& w) -> RowSet& { return static_cast<TfrmxtSpbm&>(w).dbspk; }, true},
    {"codes", [](const AppContext& c) { return new Tfrmxtdmwh(c); }, "商品类别编码表", "ASPLB", "Mc",
     [](ListWindow& w) -> RowSet& { return static_cast<Tfrmxtdmwh&>(w).db01; }, false},
    {"suppliers", [](const AppContext& c) { return new TfrmxtGys(c); }, "供货单位往来信息表", "AGYS", "Mc",
     [](ListWindow& w) -> RowSet& { return static_cast<TfrmxtGys&>(w).dbm; }, true},
    {"customers", [](const AppContext& c) { return new TfrmxtBmWl(c); }, "单位往来信息表", "ABMK", "Mc",
     [](ListWindow& w) -> RowSet& { return static_cast<TfrmxtBmWl&>(w).dbm; }, true},
};

class ListWindowTest : public testing::TestWithParam<ListWindowCase>, protected OpenBook {
protected:
    ListWindowTest() {
        dbm.dbapp.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋')");
        dbm.dbapp.exec("insert into ASPKM (Spbm, Spmc, Kcsl) values ('A1', '跑鞋', 0)");
        dbm.dbapp.exec("insert into AGYS (Bm, Mc) values ('G01', '华南鞋业')");
        dbm.dbapp.exec("delete from ABMK");
        dbm.dbapp.exec("insert into ABMK (Bm, Mc) values ('K01', '东方商场')");
        dbm.config.refresh();
        window.reset(GetParam().open(context));
    }
    std::unique_ptr<ListWindow> window;
};

TEST_P(ListWindowTest, PrintsItsGridUnderTheTitleTheUserConfirms) {
    EXPECT_EQ(window->printCommands(), ChildWindow::Print | ChildWindow::Preview);
    prompter.answerInput(std::nullopt);  // Cancel keeps the preset title
    window->print();
    EXPECT_EQ(prompter.inputPresets, QStringList{GetParam().printTitle});
}

TEST_P(ListWindowTest, ActivationShowsWhatWasWrittenElsewhere) {
    const ListWindowCase& c = GetParam();
    RowSet& rows = c.rows(*window);
    dbm.dbapp.exec(QString("update %1 set %2 = '改过的'").arg(c.table, c.changedField));
    window->activated();
    EXPECT_EQ(rows.value(c.changedField).toString() == "改过的", c.rereadsOnActivation);

    // A row being typed is not re-read away.
    if (!c.rereadsOnActivation) return;
    rows.edit();
    rows.setValue(c.changedField, "正在输入");
    window->activated();
    EXPECT_EQ(rows.value(c.changedField).toString(), "正在输入");
    EXPECT_TRUE(rows.isEditing());
}

TEST_P(ListWindowTest, RecordButtonsActOnTheRowSetAndCancelDropsWhatIsTyped) {
    RowSet& rows = GetParam().rows(*window);
    const int count = rows.recordCount();
    window->findChild<QPushButton*>("btnInsert")->click();
    EXPECT_EQ(rows.state(), RowSet::State::Insert);
    rows.setValue(GetParam().changedField, "新的");
    window->findChild<QPushButton*>("btnCancel")->click();
    EXPECT_EQ(rows.recordCount(), count);
    EXPECT_EQ(rows.state(), RowSet::State::Browse);
}

INSTANTIATE_TEST_SUITE_P(EveryListWindow, ListWindowTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
