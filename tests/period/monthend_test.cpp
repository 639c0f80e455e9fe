#include "period/monthend.h"
#include "period/routine.h"
#include "period/periodbook.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using period::MonthEnd;
using period::Stopped;

class MonthEndTest : public testing::Test {
protected:
    MonthEndTest() { periodbook::fill(db(), 4, 3, 2); }
    Database& db() { return t.db(); }
    MonthEnd monthEnd(const QDate& date = {2004, 3, 31}) { return MonthEnd(db(), t.workingDirectory(), date); }
    QStringList dataFiles() { return QDir(t.workingDirectory() + "/DATA").entryList(QDir::Files); }
    TestDatabase t;
};

struct Refusal {
    const char* what;
    QList<std::tuple<const char*, const char*, const char*>> documents;  // header, lines, status
    QStringList lines;
};

TEST_F(MonthEndTest, DocumentsNotPostedRefuseWithOneLineForEachKind) {
    const QList<Refusal> cases = {
        {"receipts alone", {{"ASKD", "", "1"}, {"ASPRKD", "asprkdd", "3"}, {"AFKD", "", "3"}},
         {"还有未记帐的收款单,", "现在不能进行月末数据处理!"}},
        {"a voided stock-out", {{"ASPCKD", "ASPCKDD", "4"}}, {"还有未记帐的出库单,", "现在不能进行月末数据处理!"}},
        {"an audited stock-in and a payment",
         {{"ASPRKD", "asprkdd", "2"}, {"AFKD", "", "1"}},
         {"还有未记帐的入库单,", "还有未记帐的付款单,", "现在不能进行月末数据处理!"}},
        {"everything posted", {{"ASPRKD", "asprkdd", "3"}, {"ASPCKD", "ASPCKDD", "3"}, {"ASKD", "", "3"}}, {}},
    };
    for (const Refusal& c : cases) {
        TestDatabase fresh;
        int number = 0;
        for (const auto& [header, lines, status] : c.documents)
            periodbook::document(fresh.db(), header, QString("%1").arg(++number, 9, 10, QChar('0')), status, lines);
        MonthEnd check(fresh.db(), fresh.workingDirectory(), {2004, 3, 31});
        EXPECT_EQ(check.refusal(), c.lines) << c.what;
        const auto before = periodbook::picture(fresh.db());
        if (c.lines.isEmpty()) continue;
        try {
            check.run(true);
            ADD_FAILURE() << c.what << ": ran";
        } catch (const Stopped& s) {
            EXPECT_EQ(s.kind, Stopped::Kind::Refused);
            EXPECT_EQ(s.lines, c.lines);
        }
        EXPECT_EQ(periodbook::picture(fresh.db()), before) << c.what;
    }
}

TEST_F(MonthEndTest, OutsideWorkStateOneItRefusesBeforeCountingDocuments) {
    periodbook::document(db(), "ASKD", "000000001", "1");
    for (const char* state : {"2", "0"}) {
        period::setWorkState(db(), state);
        EXPECT_EQ(monthEnd().refusal(), QStringList{MonthEnd::kNotWorking}) << state;
    }
}

TEST_F(MonthEndTest, BackupNamesFollowTheBusinessMonth) {
    EXPECT_EQ(MonthEnd::backupFileName({2004, 1, 31}), "DB200401.MDB");
    EXPECT_EQ(MonthEnd::backupFileName({2004, 12, 5}), "DB200412.MDB");
    EXPECT_EQ(monthEnd({2004, 12, 5}).backupPath(), t.workingDirectory() + "/DATA/DB200412.MDB")
        << "the data folder as it is spelt on disk";
}

TEST(MonthEndSize, EveryGoodsItemAndPartyGetsItsTwoSummaryRows) {
    TestDatabase t;
    periodbook::fill(t.db(), 120, 30, 8);
    MonthEnd(t.db(), t.workingDirectory(), {2004, 3, 31}).run(false);
    for (const auto& [table, rows] : QList<std::pair<const char*, int>>{
             {"ASPMXZM", 240}, {"AXSLSZ", 240}, {"ABMMXZ", 60}, {"AGYMXZ", 16}}) {
        EXPECT_EQ(t.db().scalar(QString("select count(*) from %1 where rq = '2004-03-31 00:00:00'").arg(table)).toInt(),
                  rows)
            << table;
    }
    EXPECT_EQ(period::workState(t.db()), "2");
}

TEST_F(MonthEndTest, SummaryRowsCarryTheMonthAndTheYear) {
    monthEnd().run(false);
    EXPECT_EQ(db().rows("select zyxx, rksl, cksl, kcsl, kcje, kcjg, djhm from aspmxzm where spbm = 'G002' order by idno"),
              (QList<QVariantList>{{"本月合计", 3.0, 2.0, 2.0, 20.0, 10.0, {}}, {"本月累计", 30.0, 20.0, 2.0, 20.0, 10.0, {}}}));
    EXPECT_EQ(db().rows("select zyxx, sl, dj, je from axslsz where spbm = 'G002' order by idno"),
              (QList<QVariantList>{{"本月合计", 2.0, 0.0, 200.0}, {"本月累计", 20.0, 0.0, 2000.0}}));
    EXPECT_EQ(db().rows("select zyxx, jfje, dfje, jyje from abmmxz where dwbh = 'C001' order by idno"),
              (QList<QVariantList>{{"本月合计", 50.0, 30.0, 205.0}, {"本月累计", 500.0, 300.0, 205.0}}));
    EXPECT_EQ(db().rows("select zyxx, jfje, dfje, jyje from agymxz where dwbh = 'S002' order by idno"),
              (QList<QVariantList>{{"本月合计", 70.0, 40.0, 307.0}, {"本月累计", 700.0, 400.0, 307.0}}));
}

// The monthly copy is what history mode opens: keyed as the book, holding
// the closed month's documents and its summary rows, and nothing is left
// lying about under a temporary name.
TEST_F(MonthEndTest, TheBackupOpensWithTheKeyAndHoldsTheMonth) {
    periodbook::document(db(), "ASPRKD", "000000007", "3", "asprkdd");
    MonthEnd closing = monthEnd({2004, 1, 31});
    closing.run(true);
    EXPECT_EQ(dataFiles(), (QStringList{"DB200401.MDB", "DbVexa.mdb"}));
    Database copy;
    copy.open(closing.backupPath());
    EXPECT_EQ(copy.rows("select DJHM, BZW from ASPRKD"), (QList<QVariantList>{{"000000007", "3"}}));
    EXPECT_EQ(copy.scalar("select count(*) from asprkdd").toInt(), 1);
    EXPECT_EQ(copy.scalar("select count(*) from aspmxzm where zyxx = '本月合计'").toInt(), 4);
    EXPECT_EQ(copy.scalar("select Sys2 from System").toString(), "1") << "copied before the state moved";
    // The copy takes new rows as the book does: its counters and keys came along.
    copy.exec("insert into ABMMXZ (Dwbh) values ('X')");
    EXPECT_EQ(copy.lastInsertId(), db().scalar("select max(Idno) from ABMMXZ").toLongLong() + 1);
    EXPECT_THROW(copy.exec("insert into ASPRKD (DJHM) values ('000000007')"), DbError);
    copy.close();
    EXPECT_THROW(copy.open(closing.backupPath(), "wrong key"), DbError);
}

TEST_F(MonthEndTest, KeepingAnOlderBackupStillClosesTheMonth) {
    QDir().mkpath(t.workingDirectory() + "/DATA");
    const QString older = monthEnd().backupPath();
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("older copy");
    file.close();
    ASSERT_TRUE(monthEnd().backupExists());
    monthEnd().run(false);
    EXPECT_EQ(period::workState(db()), "2");
    QFile kept(older);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "older copy");

    // Written anew, it replaces the older file.
    period::setWorkState(db(), "1");
    monthEnd().run(true);
    Database copy;
    EXPECT_NO_THROW(copy.open(older));
    EXPECT_EQ(dataFiles().size(), 2);
}

// One unit: a failure anywhere leaves the book as it was and no monthly
// copy, so the month-end can simply be run again.
TEST_F(MonthEndTest, AFailurePartWayLeavesTheBookAsItWas) {
    struct Failure {
        const char* where;
        const char* event;
        const char* table;
        const char* message;
    };
    for (const Failure& f : {Failure{"customer summaries", "insert", "ABMMXZ", MonthEnd::kNotCompleted},
                             Failure{"work state, after the copy", "update", "System", MonthEnd::kNotCompleted}}) {
        const auto before = periodbook::picture(db());
        periodbook::failOn(db(), f.event, f.table);
        try {
            monthEnd().run(true);
            ADD_FAILURE() << f.where << ": finished";
        } catch (const Stopped& s) {
            EXPECT_EQ(s.kind, Stopped::Kind::Failed);
            EXPECT_EQ(s.text(), f.message) << f.where;
            EXPECT_TRUE(s.detail.contains("forced failure")) << s.detail.toStdString();
        }
        EXPECT_EQ(periodbook::picture(db()), before) << f.where;
        EXPECT_EQ(dataFiles(), QStringList{"DbVexa.mdb"}) << f.where;
        db().exec("drop trigger forced_failure");
    }
    monthEnd().run(true);
    EXPECT_EQ(db().scalar("select count(*) from abmmxz").toInt(), 6) << "written once";
}

TEST_F(MonthEndTest, ABackupThatCannotBeWrittenChangesNothingAndMayBeRunAgain) {
    const auto before = periodbook::picture(db());
    // Something in the way of the copy's place.
    QDir().mkpath(monthEnd().backupPath());
    try {
        monthEnd().run(true);
        ADD_FAILURE() << "finished";
    } catch (const Stopped& s) {
        EXPECT_EQ(s.text(), MonthEnd::kBackupFailed);
    }
    EXPECT_EQ(periodbook::picture(db()), before);
    QDir().rmdir(monthEnd().backupPath());
    monthEnd().run(true);
    EXPECT_EQ(db().scalar("select count(*) from aspmxzm").toInt(), 8) << "the month's rows once";
}

}  // namespace
