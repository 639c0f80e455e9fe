// Ledger generation, system data initialisation and data tidy-up.
#include "period/datainit.h"
#include "period/ledgergeneration.h"
#include "period/periodbook.h"
#include "period/routine.h"
#include "period/tidyup.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

using period::DataInitialisation;
using period::DataTidyUp;
using period::LedgerGeneration;
using period::Stopped;

class BulkRoutinesTest : public testing::Test {
protected:
    BulkRoutinesTest() {
        periodbook::fill(db(), 3, 2, 2);
        db().exec("insert into aspmxzm (spbm, djhm, zyxx, kcsl) values ('G001', 'R000000001', '进货', 4)");
        db().exec("insert into abmmxz (dwbh, djhm, zyxx, jyje) values ('C001', 'C000000001', '销售', 9)");
        db().exec("insert into agymxz (dwbh, djhm, zyxx, jyje) values ('S001', 'R000000001', '进货', 8)");
    }
    Database& db() { return t.db(); }
    int count(const QString& sql) { return db().scalar(sql).toInt(); }
    TestDatabase t;
};

TEST_F(BulkRoutinesTest, LedgersGeneratedTwiceHoldOneOpeningRowPerItem) {
    db().exec("update aspkm set kcsl = null, kcje = null, kcjg = null where spbm = 'G003'");
    const QList all{LedgerGeneration::Goods, LedgerGeneration::Customers, LedgerGeneration::Suppliers};
    LedgerGeneration::run(db(), {2004, 3, 5}, all);
    LedgerGeneration::run(db(), {2004, 3, 5}, all);
    EXPECT_EQ(db().rows("select spbm, rq, zyxx, djhm, kcsl, kcje, kcjg, rksl, sla from aspmxzm order by spbm"),
              (QList<QVariantList>{{"G001", QDateTime({2004, 3, 5}, {}), "上期结转", {}, 1.0, 10.0, 10.0, {}, {}},
                                   {"G002", QDateTime({2004, 3, 5}, {}), "上期结转", {}, 2.0, 20.0, 10.0, {}, {}},
                                   {"G003", QDateTime({2004, 3, 5}, {}), "上期结转", {}, {}, {}, {}, {}, {}}}));
    EXPECT_EQ(db().rows("select dwbh, jfje, dfje, jyje from abmmxz where zyxx = '上期结转' order by dwbh"),
              (QList<QVariantList>{{"0000", 0.0, 0.0, 0.0}, {"C001", 0.0, 0.0, 205.0}}));
    EXPECT_EQ(count("select count(*) from abmmxz"), 2);
    EXPECT_EQ(count("select count(*) from agymxz where zyxx = '上期结转'"), 2);
    EXPECT_EQ(count("select count(*) from agymxz"), 2);
}

TEST_F(BulkRoutinesTest, OnlyTheChosenLedgersAreRewrittenAndAFailureRewritesNone) {
    LedgerGeneration::run(db(), {2004, 3, 5}, {LedgerGeneration::Suppliers});
    EXPECT_EQ(count("select count(*) from aspmxzm where zyxx = '进货'"), 1);
    EXPECT_EQ(count("select count(*) from abmmxz where zyxx = '销售'"), 1);
    EXPECT_EQ(count("select count(*) from agymxz where zyxx = '进货'"), 0);

    const auto before = periodbook::picture(db());
    LedgerGeneration::run(db(), {2004, 3, 5}, {});
    EXPECT_EQ(periodbook::picture(db()), before) << "nothing chosen, nothing done";

    // The customer ledger's opening rows fail after its delete and after the goods ledger was rewritten.
    periodbook::failOn(db(), "insert", "ABMMXZ");
    try {
        LedgerGeneration::run(db(), {2004, 3, 5}, {LedgerGeneration::Goods, LedgerGeneration::Customers});
        ADD_FAILURE() << "finished";
    } catch (const Stopped& s) {
        EXPECT_EQ(s.text(), LedgerGeneration::kNotCompleted);
    }
    EXPECT_EQ(periodbook::picture(db()), before) << "no ledger emptied, none half-rewritten";
}

TEST_F(BulkRoutinesTest, InitialisingEverythingKeepsMasterDataOrdersAndCounters) {
    periodbook::document(db(), "ASPRKD", "000000001", "3", "asprkdd");
    periodbook::document(db(), "ASPCKD", "000000001", "1", "ASPCKDD");
    periodbook::document(db(), "ASKD", "000000001", "3");
    periodbook::document(db(), "AFKD", "000000001", "3");
    db().exec("insert into abmlsz (dwbh, djhm) values ('C001', 'C000000001')");
    db().exec("insert into axslsz (spbm, djhm) values ('G001', 'C000000001')");
    db().exec("insert into AOrders (DJHM) values ('000000003')");
    db().exec("update aspkm set lastprice = 12, Cbsx = 5, KcslSj = 3, kcslP = 1");
    db().exec("update System set Ykrkdh = 1, ykckdh = 1, ykskdh = 1, YKFKDH = 1, LastOrder = 3");
    const auto system = db().rows("select * from System");

    QList<int> every;
    for (int i = 0; i < DataInitialisation::items().size(); ++i) every.append(i);
    ASSERT_EQ(every.size(), 12);
    DataInitialisation::run(db(), every);

    for (const char* table : {"ASPRKD", "asprkdd", "ASPCKD", "ASPCKDD", "ASKD", "AFKD", "ABMLSZ", "ABMMXZ", "AGYMXZ",
                              "AXSLSZ", "ASPMXZM"})
        EXPECT_EQ(count(QString("select count(*) from %1").arg(table)), 0) << table;
    QStringList stockColumns{"ncsl", "bnrksl", "byrksl", "bncksl", "bycksl", "kcsl", "kcje", "kcjg", "kcslsj", "byxsje", "bnxsje"};
    stockColumns += schema::sizeSlotColumns("kcsl");
    for (const QString& column : stockColumns)
        EXPECT_EQ(count(QString("select count(*) from aspkm where %1 <> 0 or %1 is null").arg(column)), 0) << column.toStdString();
    for (const char* parties : {"abmk", "agys"})
        EXPECT_EQ(count(QString("select count(*) from %1 where ncye + bnjf + bndf + byjf + bydf + jyje <> 0").arg(parties)), 0);
    EXPECT_EQ(db().rows("select lastprice, Cbsx, Xsdj from aspkm where spbm = 'G001'"), (QList<QVariantList>{{12.0, 5.0, 99.0}}));
    EXPECT_EQ(count("select count(*) from aspkm"), 3);
    EXPECT_EQ(count("select count(*) from abmk"), 2);
    EXPECT_EQ(count("select count(*) from AOrders"), 1);
    EXPECT_EQ(db().rows("select * from System"), system) << "the next numbers go on from the old ones";
}

TEST_F(BulkRoutinesTest, InitialisingTheLedgersLeavesStockAndAFailureLeavesAll) {
    DataInitialisation::run(db(), {4, 5, 6, 7, 8});
    EXPECT_EQ(count("select count(*) from aspmxzm") + count("select count(*) from abmmxz"), 0);
    EXPECT_EQ(count("select sum(kcsl) from aspkm"), 6);
    EXPECT_EQ(count("select sum(jyje) from abmk"), 205);

    const auto before = periodbook::picture(db());
    DataInitialisation::run(db(), {});
    EXPECT_EQ(periodbook::picture(db()), before);
    periodbook::failOn(db(), "update", "AGYS");
    EXPECT_THROW(DataInitialisation::run(db(), {9, 10, 11}), Stopped);
    EXPECT_EQ(periodbook::picture(db()), before);
}

TEST_F(BulkRoutinesTest, TidyUpRemovesWhatBelongsToNothing) {
    periodbook::document(db(), "ASPRKD", "000000001", "1");  // its lines all deleted
    periodbook::document(db(), "ASPRKD", "000000002", "1", "asprkdd");
    periodbook::document(db(), "ASPCKD", "000000001", "3");
    db().exec("insert into abmlsz (dwbh, djhm) values ('C001', 'C000000001')");
    db().exec("insert into abmlsz (dwbh, djhm) values ('0000', 'C000000002')");
    db().exec("insert into abmmxz (dwbh, zyxx) values ('0000', '本月合计')");
    db().exec("insert into axslsz (spbm, djhm) values ('GONE', 'C000000001')");
    db().exec("delete from abmk where bm = 'C001'");

    periodbook::failOn(db(), "delete", "AGYMXZ");
    db().exec("insert into agymxz (dwbh) values ('GONE')");
    const auto withOrphanSupplierRow = periodbook::picture(db());
    EXPECT_THROW(DataTidyUp::run(db()), Stopped);
    EXPECT_EQ(periodbook::picture(db()), withOrphanSupplierRow) << "the deletes before the failing one are undone";
    db().exec("drop trigger forced_failure");

    DataTidyUp::run(db());
    EXPECT_EQ(db().rows("select djhm from asprkd"), (QList<QVariantList>{{"000000002"}}));
    EXPECT_EQ(count("select count(*) from aspckd"), 0);
    EXPECT_EQ(db().rows("select dwbh, zyxx from abmmxz"), (QList<QVariantList>{{"0000", "本月合计"}}));
    EXPECT_EQ(db().rows("select dwbh from abmlsz"), (QList<QVariantList>{{"0000"}}));
    EXPECT_EQ(count("select count(*) from axslsz"), 0);
    EXPECT_EQ(count("select count(*) from agymxz where dwbh = 'GONE'"), 0);
    EXPECT_EQ(count("select count(*) from agymxz"), 1);
}

}  // namespace
