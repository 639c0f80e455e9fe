// The SQL console's rules on a fresh book: statements run, queries opened
// (editable where they read one table), failures told as one message, and
// the statements it will not pass on.
#include "admin/sqlconsole.h"
#include "database/rowset.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

class SqlConsoleTest : public testing::Test {
protected:
    SqlConsoleTest() : console(t.db(), prompter) {
        t.db().exec("insert into atxl (姓名, 电话) values ('张三', '010-1'), ('李四', '13800000000')");
    }
    TestDatabase t;
    ScriptedPrompter prompter;
    SqlConsole console;
};

TEST_F(SqlConsoleTest, TimeTextIsRightAlignedInSixteenWithThreeDecimals) {
    EXPECT_EQ(SqlConsole::elapsedText(1.5), "执行时间:           1.500秒");
    EXPECT_EQ(SqlConsole::elapsedText(12345.0004), "执行时间:       12345.000秒");
}

TEST_F(SqlConsoleTest, ExecuteRunsAStatementAndShowsNoRowsOfAQuery) {
    ASSERT_TRUE(console.execute("update atxl\nset 传真 = '8' & '9'\nwhere 姓名 = '张三'"));
    EXPECT_EQ(t.db().scalar("select 传真 from atxl where 姓名 = '张三'").toString(), "89");
    EXPECT_TRUE(console.timeText().startsWith("执行时间:"));
    ASSERT_TRUE(console.execute("select * from atxl"));
    EXPECT_EQ(console.result(), nullptr) << "a query run with Execute shows no rows";
    EXPECT_TRUE(prompter.messages.isEmpty());
}

// Any failure is told as "SQL 操作失败...." and leaves the time text as it was.
TEST_F(SqlConsoleTest, EmptyTextAndEngineErrorsFailWithOneMessage) {
    ASSERT_TRUE(console.execute("delete from atxl where 1 = 0"));
    const QString time = console.timeText();
    for (const char* text : {"", "  \n ", "select * from nosuchtable", "update atxl set nosuch = 1", "select :x"}) {
        SCOPED_TRACE(text);
        prompter.messages.clear();
        EXPECT_FALSE(console.execute(text));
        EXPECT_FALSE(console.open(text));
        EXPECT_EQ(prompter.messages, QStringList(2, SqlConsole::kFailed));
        EXPECT_EQ(console.timeText(), time);
        EXPECT_EQ(console.result(), nullptr);
    }
}

// Open on a statement that returns no rows fails without running it.
TEST_F(SqlConsoleTest, OpenRunsNothingThatIsNotAQuery) {
    EXPECT_FALSE(console.open("delete from atxl"));
    EXPECT_EQ(prompter.messages, QStringList{SqlConsole::kFailed});
    EXPECT_EQ(t.db().scalar("select count(*) from atxl").toInt(), 2);
}

TEST_F(SqlConsoleTest, OneRowIsPositionOneOfOne) {
    ASSERT_TRUE(console.open("select 姓名, 电话 from atxl where 电话 like '138%'"));
    ASSERT_NE(console.result(), nullptr);
    EXPECT_EQ(console.result()->positionText(), "1/1");
    EXPECT_EQ(console.resultColumns(), (QStringList{"姓名", "电话"}));
}

// Rows of one table are written back when edited; a join's are not.
TEST_F(SqlConsoleTest, OneTablesRowsCanBeEditedOtherResultsAreReadOnly) {
    ASSERT_TRUE(console.open("select * from atxl where 姓名 = \"李四\" order by IDNO desc"));
    ASSERT_TRUE(console.resultEditable());
    RowSet& rows = *console.result();
    EXPECT_EQ(rows.recordCount(), 1);
    ASSERT_TRUE(rows.edit());
    rows.setValue("邮编", "100000");
    ASSERT_TRUE(rows.post());
    EXPECT_EQ(t.db().scalar("select 邮编 from atxl where 姓名 = '李四'").toString(), "100000");

    // Too long for its column: the database's own message, the row stays in edit.
    rows.edit();
    rows.setValue("邮编", "1234567890");
    EXPECT_FALSE(rows.post());
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("记录不能保存！")) << prompter.messages[0].toStdString();
    rows.cancel();

    for (const char* query : {"select a.姓名, b.Mc from atxl a, ABMK b", "select count(*) as n from atxl",
                              "select 姓名 from atxl group by 姓名", "select 姓名 & 电话 as t from atxl"}) {
        SCOPED_TRACE(query);
        ASSERT_TRUE(console.open(query));
        EXPECT_FALSE(console.resultEditable());
        EXPECT_FALSE(console.result()->edit());
    }
}

TEST_F(SqlConsoleTest, ReadsTheTableOfASimpleQuery) {
    const auto q = SqlConsole::tableQuery("SELECT Spbm, [Spmc] FROM [ASPKM] WHERE kcsl > 0\nORDER BY Spbm desc");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->table, "ASPKM");
    EXPECT_EQ(q->where, "kcsl > 0");
    EXPECT_EQ(q->order, "Spbm desc");
    EXPECT_EQ(q->columns, (QStringList{"Spbm", "Spmc"}));
    EXPECT_FALSE(SqlConsole::tableQuery("select * from aspkm a where a.kcsl > 0"));
    EXPECT_FALSE(SqlConsole::tableQuery("select * from aspkm union select * from aspkm"));
}

struct RefusedCase {
    const char* text;
    const char* message;
};

class SqlConsoleRefusals : public SqlConsoleTest, public testing::WithParamInterface<RefusedCase> {};

// Re-keying or attaching would lock every operator out of the book; several
// statements are never run as just the first.
TEST_P(SqlConsoleRefusals, AreToldAndNothingRuns) {
    EXPECT_FALSE(console.execute(GetParam().text));
    EXPECT_FALSE(console.open(GetParam().text));
    EXPECT_EQ(prompter.messages, QStringList(2, GetParam().message));
    EXPECT_EQ(t.db().scalar("select count(*) from atxl").toInt(), 2);
    // The book still opens with its key.
    Database again;
    EXPECT_NO_THROW(again.open(t.databaseFile()));
}

INSTANTIATE_TEST_SUITE_P(
    Console, SqlConsoleRefusals,
    testing::Values(RefusedCase{"pragma rekey = 'abc'", SqlConsole::kLocksOut},
                    RefusedCase{"  PRAGMA main.key='x'", SqlConsole::kLocksOut},
                    RefusedCase{"/* new key */ pragma hexrekey = '00'", SqlConsole::kLocksOut},
                    RefusedCase{"attach database 'x.db' as x key ''", SqlConsole::kLocksOut},
                    RefusedCase{"detach x", SqlConsole::kLocksOut},
                    RefusedCase{"delete from atxl; delete from abmk", SqlConsole::kSeveral},
                    RefusedCase{"select 1;\nselect 2;", SqlConsole::kSeveral},
                    RefusedCase{"begin transaction", SqlConsole::kTransaction},
                    RefusedCase{"rollback", SqlConsole::kTransaction}));

TEST_F(SqlConsoleTest, ATrailingSemicolonIsOneStatement) {
    EXPECT_TRUE(console.execute("update atxl set 代码 = 'a;b';  -- done"));
    EXPECT_EQ(t.db().scalar("select count(*) from atxl where 代码 = 'a;b'").toInt(), 2);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

}  // namespace
