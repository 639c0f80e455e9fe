#include "period/monthstart.h"
#include "period/periodbook.h"
#include "period/routine.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

using period::MonthStart;
using period::StartOfWork;
using period::Stopped;

class MonthStartTest : public testing::Test {
protected:
    MonthStartTest() {
        periodbook::fill(db(), 2, 2, 1);
        db().exec("update System set Sys2 = '2', Ykrkdh = 41, ykskdh = 17");
    }
    Database& db() { return t.db(); }
    TestDatabase t;
};

// What month-start leaves in the goods, customer and supplier rows.
struct Totals {
    QList<QVariantList> goods, customer, supplier;
};
Totals totals(Database& db) {
    return {db.rows("select byrksl, bycksl, byxsje, bnrksl, bncksl, bnxsje, ncsl, kcsl from aspkm where spbm = 'G002'"),
            db.rows("select byjf, bydf, bnjf, bndf, ncye, jyje from abmk where bm = 'C001'"),
            db.rows("select byjf, bydf, bnjf, bndf, ncye, jyje from agys where bm = 'S001'")};
}

TEST_F(MonthStartTest, MarchClearsTheMonthJanuaryTheYearToo) {
    struct Case {
        QDate date;
        Totals expected;
    };
    const QList<Case> cases = {
        {{2004, 3, 1},
         {{{0.0, 0.0, 0.0, 30.0, 20.0, 2000.0, 1.0, 2.0}},
          {{0.0, 0.0, 500.0, 300.0, 5.0, 205.0}},
          {{0.0, 0.0, 700.0, 400.0, 7.0, 307.0}}}},
        {{2004, 1, 2},
         {{{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 2.0, 2.0}},
          {{0.0, 0.0, 0.0, 0.0, 205.0, 205.0}},
          {{0.0, 0.0, 0.0, 0.0, 307.0, 307.0}}}},
    };
    for (const Case& c : cases) {
        TestDatabase fresh;
        periodbook::fill(fresh.db(), 2, 2, 1);
        period::setWorkState(fresh.db(), "2");
        MonthStart start(fresh.db(), c.date);
        EXPECT_EQ(start.startsYear(), c.date.month() == 1);
        start.run(false);
        const Totals after = totals(fresh.db());
        EXPECT_EQ(after.goods, c.expected.goods) << c.date.toString().toStdString();
        EXPECT_EQ(after.customer, c.expected.customer) << c.date.toString().toStdString();
        EXPECT_EQ(after.supplier, c.expected.supplier) << c.date.toString().toStdString();
        EXPECT_EQ(period::workState(fresh.db()), "0");
    }
}

TEST_F(MonthStartTest, ClearingDeletesPostedAndVoidedDocumentsOnlyAndKeepsTheCounters) {
    periodbook::document(db(), "ASPRKD", "000000001", "3", "asprkdd");
    periodbook::document(db(), "ASPRKD", "000000002", "1", "asprkdd");
    periodbook::document(db(), "ASPCKD", "000000001", "4", "ASPCKDD");
    periodbook::document(db(), "ASPCKD", "000000002", "2", "ASPCKDD");
    periodbook::document(db(), "ASKD", "000000017", "3");
    periodbook::document(db(), "AFKD", "000000001", "1");
    const QString documents = "select (select group_concat(djhm) from asprkd), (select group_concat(djhm) from asprkdd), "
                              "(select group_concat(djhm) from aspckd), (select group_concat(djhm) from aspckdd), "
                              "(select count(*) from askd), (select count(*) from afkd)";
    const auto all = db().rows(documents);

    MonthStart(db(), {2004, 3, 1}).run(false);
    EXPECT_EQ(db().rows(documents), all) << "No to clearing keeps every document";
    EXPECT_EQ(period::workState(db()), "0");

    period::setWorkState(db(), "2");
    MonthStart(db(), {2004, 3, 1}).run(true);
    EXPECT_EQ(db().rows(documents),
              (QList<QVariantList>{{"000000002", "000000002", "000000002", "000000002", 0LL, 1LL}}));
    EXPECT_EQ(db().rows("select Ykrkdh, ykskdh from System"), (QList<QVariantList>{{41LL, 17LL}}))
        << "the next receipt follows the last of the closed month";
}

TEST_F(MonthStartTest, RefusedOutsideStateTwoAndUndoneByAFailure) {
    period::setWorkState(db(), "1");
    auto before = periodbook::picture(db());
    EXPECT_EQ(MonthStart(db(), {2004, 3, 1}).refusal(), MonthStart::kNoMonthEnd);
    EXPECT_THROW(MonthStart(db(), {2004, 3, 1}).run(true), Stopped);
    EXPECT_EQ(periodbook::picture(db()), before);

    period::setWorkState(db(), "2");
    periodbook::document(db(), "ASKD", "000000001", "3");
    before = periodbook::picture(db());
    // The suppliers come after the goods and customers are cleared.
    periodbook::failOn(db(), "update", "AGYS");
    try {
        MonthStart(db(), {2004, 1, 2}).run(true);
        ADD_FAILURE() << "finished";
    } catch (const Stopped& s) {
        EXPECT_EQ(s.text(), MonthStart::kNotCompleted);
    }
    EXPECT_EQ(periodbook::picture(db()), before);
    EXPECT_EQ(period::workState(db()), "2") << "month-start may be run again";
}

TEST_F(MonthStartTest, StartOfWorkFromEachState) {
    struct Case {
        const char* from;
        bool evenFromMonthEnd;
        QStringList refusal;  // empty: starts
    };
    const QList<Case> cases = {
        {"0", false, {}},
        {"2", false, StartOfWork::monthStartSkippedWarning()},
        {"2", true, {}},
        {"1", true, {StartOfWork::kAlreadyWorking}},
    };
    for (const Case& c : cases) {
        period::setWorkState(db(), c.from);
        StartOfWork start(db());
        EXPECT_EQ(start.skipsMonthStart(), QString(c.from) == "2");
        try {
            start.run(c.evenFromMonthEnd);
            EXPECT_TRUE(c.refusal.isEmpty()) << c.from;
            EXPECT_EQ(period::workState(db()), "1");
        } catch (const Stopped& s) {
            EXPECT_EQ(s.lines, c.refusal) << c.from;
            EXPECT_EQ(period::workState(db()), c.from);
        }
    }
}

}  // namespace
