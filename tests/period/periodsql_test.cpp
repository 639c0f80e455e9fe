#include "database/rowset.h"
#include "period/periodsql.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

namespace periodsql = period::periodsql;

TEST(PeriodSqlCategories, NamesAndAcceptedCodes) {
    struct Case {
        int code;
        std::optional<QString> name;
        bool accepted;
    };
    const QList<Case> cases = {{0, "系统数据初始", true},  {10, "月末数据结转", true}, {11, "月末单据结转", false},
                               {20, "月初数据处理", true}, {30, "年初数据处理", true}, {40, std::nullopt, true},
                               {50, "有关帐簿生成", true}, {60, "系统数据整理", true}, {70, std::nullopt, false},
                               {-1, std::nullopt, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(periodsql::categoryName(c.code), c.name) << c.code;
        EXPECT_EQ(periodsql::categoryAccepted(c.code), c.accepted) << c.code;
    }
}

class PeriodSqlRowsTest : public testing::Test {
protected:
    PeriodSqlRowsTest() : rows(t.db()) {
        rows.setTable("ASqlYmYc", "LbBm,Bm");
        periodsql::installRules(rows, prompter);
        rows.open();
    }
    bool add(const QVariant& code, int number, const QString& name = {}) {
        rows.append();
        if (!name.isEmpty()) rows.setValue("LbMc", name);
        rows.setValue("LbBm", code);
        rows.setValue("Bm", number);
        return rows.post();
    }
    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet rows;
};

TEST_F(PeriodSqlRowsTest, CodeElevenIsNamedButRefusedAndFortyKeepsItsName) {
    EXPECT_FALSE(add(11, 1));
    EXPECT_EQ(rows.value("LbMc").toString(), "月末单据结转");
    EXPECT_TRUE(rows.isEditing()) << "the row stays to be corrected";
    EXPECT_EQ(prompter.messages, QStringList{"无效的SQL类别,\n不能保存"});
    rows.setValue("LbBm", 40);
    EXPECT_TRUE(rows.post());
    EXPECT_EQ(t.db().rows("select LbBm, LbMc from ASqlYmYc"), (QList<QVariantList>{{40LL, "月末单据结转"}}));
}

TEST_F(PeriodSqlRowsTest, ACategoryAndNumberAreSavedOnce) {
    EXPECT_TRUE(add(10, 1));
    EXPECT_TRUE(add(10, 2));
    EXPECT_FALSE(add(10, 1));
    EXPECT_EQ(prompter.messages, QStringList{"关键字(SQL类别码+编码)不能重复!"});
    EXPECT_TRUE(rows.isEditing());
    EXPECT_FALSE(add(QVariant(), 3)) << "a row without a category";
    EXPECT_EQ(t.db().scalar("select count(*) from ASqlYmYc").toInt(), 2);
}

}  // namespace
