#include "database/rowset.h"
#include "masterdata/goodscatalogue.h"
#include "masterdata/masterdatarules.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

class PartyRulesTest : public testing::TestWithParam<const char*> {
protected:
    PartyRulesTest() : parties(t.db()) {
        parties.setTable(GetParam());
        parties.open();
        masterdata::installPartyRules(parties, prompter);
    }
    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet parties;
};

TEST_P(PartyRulesTest, EmptyBalancesAreSavedAsZerosAndNothingIsDerived) {
    parties.append();
    EXPECT_EQ(parties.value("jyje").toDouble(), 0) << "a new row starts at zero";
    parties.setValue("Bm", "P1");
    for (const char* f : {"ncye", "jyje", "bnjf", "bndf", "byjf", "bydf"}) parties.setValue(f, "");
    ASSERT_TRUE(parties.post());
    const QVariantList saved =
        t.db().rows(QString("select ncye, jyje, bnjf, bndf, byjf, bydf from %1 where Bm = 'P1'").arg(GetParam())).value(0);
    for (const QVariant& v : saved) EXPECT_TRUE(!v.isNull() && v.toDouble() == 0);

    parties.edit();
    parties.setValue("ncye", 100);
    parties.setValue("bnjf", 50);
    parties.setValue("jyje", 7);  // not ncye + bnjf - bndf: kept as typed
    ASSERT_TRUE(parties.post());
    EXPECT_EQ(t.db().scalar(QString("select jyje from %1 where Bm = 'P1'").arg(GetParam())).toDouble(), 7);
}

TEST_P(PartyRulesTest, DuplicateCodesInEitherCaseAreRefusedAndKeptInEdit) {
    parties.append();
    parties.setValue("Bm", "x1");
    ASSERT_TRUE(parties.post());
    parties.append();
    parties.setValue("Bm", "X1");
    EXPECT_FALSE(parties.post());
    EXPECT_EQ(prompter.messages, QStringList{"关键字(编码)不能重复!"});
    parties.setValue("Bm", "toolongcode1");
    EXPECT_FALSE(parties.post());
    EXPECT_TRUE(prompter.messages.constLast().startsWith("记录不能保存！\n数据太长"));
    EXPECT_EQ(parties.value("Bm").toString(), "toolongcode1");
}

INSTANTIATE_TEST_SUITE_P(SuppliersAndCustomers, PartyRulesTest, testing::Values("AGYS", "ABMK"));

TEST(CodeTableRules, DeletingACategoryInUseLeavesTheGoodsAlone) {
    TestDatabase t;
    ScriptedPrompter prompter;
    t.db().exec("insert into ASPLB (Bm, Mc) values ('01', '鞋')");
    t.db().exec("insert into ASPKM (Spbm, Splb) values ('A1', '01')");
    RowSet categories(t.db());
    categories.setTable("ASPLB", "bm");
    categories.open();
    masterdata::installCodeTableRules(categories, prompter);
    prompter.expectQuestion("是否要删除当前记录？", true);
    EXPECT_TRUE(categories.remove());
    EXPECT_EQ(t.db().scalar("select Splb from ASPKM").toString(), "01");
}

}  // namespace

namespace {

// Master data is keyed by its code: whichever list it is, a row without one
// (or with blanks only) is refused and stays in editing with what was typed.
TEST(MasterDataCodes, ARowWithoutACodeIsRefusedAndStaysInEditing) {
    TestDatabase t;
    ScriptedPrompter prompter;
    struct List {
        const char* table;
        const char* code;
        std::function<void(RowSet&)> install;
    };
    std::unique_ptr<GoodsCatalogue> goodsRules;
    const List lists[] = {
        {"ASPLB", "Bm", [&](RowSet& r) { masterdata::installCodeTableRules(r, prompter); }},
        {"ARYDM", "BM", [&](RowSet& r) { masterdata::installCodeTableRules(r, prompter); }},
        {"AGYS", "Bm", [&](RowSet& r) { masterdata::installPartyRules(r, prompter); }},
        {"ABMK", "Bm", [&](RowSet& r) { masterdata::installPartyRules(r, prompter); }},
        {"ASPKM", "Spbm", [&](RowSet& r) { goodsRules = std::make_unique<GoodsCatalogue>(r, prompter, [] { return 0; }); }},
    };
    for (const List& list : lists) {
        RowSet rows(t.db());
        rows.setTable(list.table);
        list.install(rows);
        rows.open();
        const int count = rows.recordCount();
        for (const char* code : {"", "   "}) {
            prompter.messages.clear();
            rows.append();
            rows.setValue(list.code, code);
            rows.setValue(QString(list.table) == "ASPKM" ? "Spmc" : "Mc", "无编码");
            EXPECT_FALSE(rows.post()) << list.table;
            EXPECT_EQ(prompter.messages, QStringList{masterdata::kEmptyCode}) << list.table;
            EXPECT_EQ(rows.state(), RowSet::State::Insert) << list.table;
            EXPECT_EQ(rows.value(QString(list.table) == "ASPKM" ? "Spmc" : "Mc").toString(), "无编码");
            rows.cancel();
        }
        EXPECT_EQ(t.db().scalar(QString("select count(*) from %1").arg(list.table)).toInt(), count) << list.table;
    }
}

}  // namespace
