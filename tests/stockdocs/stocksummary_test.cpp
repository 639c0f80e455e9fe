// The stock summaries: which documents a run takes in (dates, numbers,
// poster, posted only), the groupings with their subtotals, and the figures
// computed from the current goods prices.
#include "stockdocs/stocksummary.h"
#include "support/stockbook.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

using namespace stocksummary;

namespace {

class StockSummaryTest : public testing::Test {
protected:
    StockSummaryTest() {
        db.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋'), ('02', '皮鞋')");
        stockbook::addGoods(db, {.code = "S1", .kcjg = 5.375});
        stockbook::addGoods(db, {.code = "S2", .kcjg = 2});
        stockbook::addGoods(db, {.code = "P1", .kcjg = 30});
        stockbook::addGoods(db, {.code = "X1", .kcjg = 1});  // no category row
        db.exec("update ASPKM set Splb = '01', Pfdj = 12 where Spbm in ('S1', 'S2')");
        db.exec("update ASPKM set Splb = '02' where Spbm = 'P1'");
        db.exec("update ASPKM set Splb = '99' where Spbm = 'X1'");
        stockbook::addParty(db, "AGYS", {.code = "G01", .name = "华南鞋业"});
        stockbook::addParty(db, "AGYS", {.code = "G02", .name = "东方皮具"});
    }

    // A stock-in document, posted by `poster` unless left unposted.
    void addStockIn(const QString& number, const QDate& date, const QList<stockbook::Line>& lines,
                 const QString& poster = "张三", const QString& supplier = "G01") {
        stockbook::addDocument(db, "ASPRKD", "asprkdd", number, supplier, lines, date);
        post("ASPRKD", "asprkdd", number, poster);
    }
    void addStockOut(const QString& number, const QDate& date, const QList<stockbook::Line>& lines,
                  const QString& customer = "0000", const QString& way = "零售") {
        stockbook::addDocument(db, "ASPCKD", "ASPCKDD", number, customer, lines, date);
        db.exec("update ASPCKD set SKFS = :way where DJHM = :n", {{"way", way}, {"n", number}});
        post("ASPCKD", "ASPCKDD", number, "张三");
    }
    void post(const QString& header, const QString& lines, const QString& number, const QString& poster) {
        if (poster.isEmpty()) return;
        db.exec(QString("update %1 set BZW = '3', RYJZ = :p, Je = (select sum(JE) from %2 where DJHM = :n) "
                        "where DJHM = :n").arg(header, lines),
                {{"p", poster}, {"n", number}});
        db.exec(QString("update %1 set BZW = '3' where DJHM = :n").arg(lines), {{"n", number}});
    }

    Criteria july() { return {.from = QDate(2003, 7, 1), .to = QDate(2003, 7, 31)}; }
    // The row of a query whose field holds the value; fails when none.
    RowView rowWith(RowSet& rows, const QString& field, const QVariant& value) {
        for (int i = 0; i < rows.recordCount(); ++i)
            if (rows.rowAt(i).value(field) == value) return rows.rowAt(i);
        ADD_FAILURE() << "no row with " << field.toStdString() << " = " << value.toString().toStdString();
        return rows.rowAt(-1);
    }
    double total(SummaryRun& run, int query, const QString& field) {
        RowSet& rows = run.rows(query);
        rows.last();
        return rows.value(field).toDouble();
    }

    TestDatabase t;
    Database& db = t.db();
};

TEST_F(StockSummaryTest, ByDateTheLastDayCountsWholeAndTheNextMonthNot) {
    addStockIn("000000001", QDate(2003, 6, 30), {{.code = "S1", .sl = 1, .dj = 10}});
    addStockIn("000000002", QDate(2003, 7, 1), {{.code = "S1", .sl = 2, .dj = 10}});
    stockbook::addDocument(db, "ASPRKD", "asprkdd", "000000003", "G01", {{.code = "S1", .sl = 4, .dj = 10}});
    db.exec("update ASPRKD set RQ = '2003-07-31 23:59:59' where DJHM = '000000003'");
    post("ASPRKD", "asprkdd", "000000003", "张三");
    addStockIn("000000004", QDate(2003, 8, 1), {{.code = "S1", .sl = 8, .dj = 10}});

    const Condition w = condition(july());
    EXPECT_EQ(w.text, " and (rq>=#2003-07-01# and rq<#2003-08-01#)");

    SummaryRun run(db, stockIn());
    run.run(july());
    EXPECT_EQ(total(run, 0, "sl"), 6);   // Q1 grand total
    EXPECT_EQ(total(run, 0, "je"), 60);
    EXPECT_EQ(run.rows(1).value("rksl").toDouble(), 6);  // Q2: one goods row
    EXPECT_EQ(total(run, 2, "je"), 60);  // Q3 grand total
}

TEST_F(StockSummaryTest, ByNumberTheTypedNumbersArePaddedAndBothEndsCount) {
    for (const char* n : {"000000011", "000000012", "000000030", "000000031"})
        addStockIn(n, QDate(2003, 7, 5), {{.code = "S1", .sl = 1, .dj = QString(n).toDouble()}});
    EXPECT_EQ(paddedNumber(" 12 "), "000000012");
    EXPECT_EQ(paddedNumber("1234567890"), "1234567890");

    SummaryRun run(db, stockIn());
    run.run({.by = Criteria::By::Number, .numberFrom = "12", .numberTo = "30"});
    EXPECT_EQ(total(run, 0, "sl"), 2);
    EXPECT_EQ(total(run, 0, "je"), 42);
}

TEST_F(StockSummaryTest, APosterNameCountsOnlyHisDocumentsWhateverItsCharacters) {
    addStockIn("000000001", QDate(2003, 7, 5), {{.code = "S1", .sl = 1, .dj = 10}}, "张三");
    addStockIn("000000002", QDate(2003, 7, 5), {{.code = "S1", .sl = 2, .dj = 10}}, "O'Neil");
    addStockIn("000000003", QDate(2003, 7, 5), {{.code = "S1", .sl = 4, .dj = 10}}, "O'Neil ");

    SummaryRun run(db, stockIn());
    struct Case {
        QString poster;
        double quantity;
    };
    for (const Case& c : {Case{"", 7}, Case{"张三", 1}, Case{"O'Neil", 2}, Case{"' or ''='", 0}}) {
        Criteria criteria = july();
        criteria.poster = c.poster;
        run.run(criteria);
        EXPECT_EQ(total(run, 0, "sl"), c.quantity) << c.poster.toStdString();
        EXPECT_EQ(run.rows(2).recordCount(), c.quantity ? 2 : 1) << c.poster.toStdString();  // supplier and total
    }
}

TEST_F(StockSummaryTest, UnpostedDocumentsAndLinesAreNeverCounted) {
    addStockIn("000000001", QDate(2003, 7, 5), {{.code = "S1", .sl = 1, .dj = 10}});
    addStockIn("000000002", QDate(2003, 7, 5), {{.code = "S1", .sl = 2, .dj = 10}}, "");  // saved, not posted
    addStockOut("000000001", QDate(2003, 7, 5), {{.code = "S1", .sl = 3, .dj = 10}});
    stockbook::addDocument(db, "ASPCKD", "ASPCKDD", "000000002", "0000", {{.code = "S1", .sl = 5, .dj = 10}},
                           QDate(2003, 7, 6));

    SummaryRun in(db, stockIn());
    in.run(july());
    EXPECT_EQ(total(in, 0, "sl"), 1);
    EXPECT_EQ(in.rows(1).value("rksl").toDouble(), 1);
    EXPECT_EQ(total(in, 2, "je"), 10);

    SummaryRun out(db, stockOut());
    out.run(july());
    EXPECT_EQ(total(out, 0, "sl"), 3);
    EXPECT_EQ(rowWith(out.rows(1), "skfs", "合计").value("je").toDouble(), 30);
    EXPECT_EQ(rowWith(out.rows(2), "khbm", "ZZZZZ").value("je").toDouble(), 30);
    EXPECT_EQ(out.rows(3).value("rksl").toDouble(), 3);
}

TEST_F(StockSummaryTest, WithoutGoodsDetailOnlyCategorySubtotalsAndTheTotalShow) {
    addStockIn("000000001", QDate(2003, 7, 5),
            {{.code = "S1", .sl = 1, .dj = 10}, {.code = "S2", .sl = 2, .dj = 5}, {.code = "P1", .sl = 1, .dj = 50},
             {.code = "X1", .sl = 7, .dj = 1}});
    SummaryRun run(db, stockIn());
    run.run(july());
    RowSet& q1 = run.rows(0);
    // Each category's goods, then its subtotal; the goods of no category
    // first (under no subtotal); the grand total last.
    QStringList order;
    for (int i = 0; i < q1.recordCount(); ++i)
        order.append(q1.rowAt(i).value("spbm").toString() + "/" + q1.rowAt(i).value("spmc").toString());
    EXPECT_EQ(order, (QStringList{"S1/跑步鞋", "S2/跑步鞋", "/运动鞋", "P1/跑步鞋", "/皮鞋", "X1/跑步鞋", "/　合　　计"}));

    run.showDetail(0, false);
    ASSERT_EQ(q1.recordCount(), 3);
    EXPECT_EQ(q1.rowAt(0).value("spmc"), "运动鞋");
    EXPECT_EQ(q1.rowAt(0).value("artno"), "　小　　计");
    EXPECT_EQ(q1.rowAt(0).value("sl").toDouble(), 3);
    EXPECT_EQ(q1.rowAt(1).value("spmc"), "皮鞋");
    EXPECT_EQ(q1.rowAt(2).value("spmc"), "　合　　计");
    EXPECT_EQ(q1.rowAt(2).value("sl").toDouble(), 11);  // the goods without a category count here only
    EXPECT_EQ(q1.rowAt(2).value("je").toDouble(), 77);
    run.showDetail(0, true);
    EXPECT_EQ(q1.recordCount(), 7);
}

TEST_F(StockSummaryTest, WholesaleValueOfWhatCameInUsesTheCurrentWholesalePrice) {
    addStockIn("000000001", QDate(2003, 7, 5), {{.code = "S1", .sl = 10, .dj = 9.5}});
    SummaryRun run(db, stockIn());
    run.run(july());
    RowSet& q2 = run.rows(1);
    EXPECT_DOUBLE_EQ(q2.value("pfje").toDouble(), 120);
    EXPECT_DOUBLE_EQ(q2.value("jpcj").toDouble(), 25);
    RowSet& q3 = run.rows(2);
    EXPECT_EQ(rowWith(q3, "bm", "G01").value("mc"), "华南鞋业");
    EXPECT_EQ(rowWith(q3, "bm", "9999").value("mc"), "　合 　计");
}

TEST_F(StockSummaryTest, CostIsTheCurrentAverageCostAndProfitFollowsIt) {
    addStockOut("000000001", QDate(2003, 7, 5), {{.code = "S1", .sl = 10, .dj = 9.5}});
    SummaryRun run(db, stockOut());
    run.run(july());
    const RowView goods = rowWith(run.rows(0), "spbm", "S1");
    EXPECT_DOUBLE_EQ(goods.value("je").toDouble(), 95.00);
    EXPECT_DOUBLE_EQ(goods.value("jhje").toDouble(), 53.75);
    EXPECT_DOUBLE_EQ(goods.value("mlje").toDouble(), 41.25);
    EXPECT_DOUBLE_EQ(run.rows(3).value("jhje").toDouble(), 53.75);
    EXPECT_DOUBLE_EQ(run.rows(3).value("mlje").toDouble(), 41.25);

    // A later stock-in changes the average cost: the next run follows it.
    db.exec("update ASPKM set kcjg = 6 where Spbm = 'S1'");
    run.run(july());
    EXPECT_DOUBLE_EQ(rowWith(run.rows(0), "spbm", "S1").value("mlje").toDouble(), 35);
    EXPECT_DOUBLE_EQ(run.rows(3).value("mlje").toDouble(), 35);
}

TEST_F(StockSummaryTest, CustomerRowsNameRegisteredCustomersWhileTheTotalTakesEveryDocument) {
    stockbook::addParty(db, "ABMK", {.code = "K01", .name = "城东商场"});
    addStockOut("000000001", QDate(2003, 7, 5), {{.code = "S1", .sl = 1, .dj = 10}}, "0000", "零售");
    addStockOut("000000002", QDate(2003, 7, 5), {{.code = "S1", .sl = 2, .dj = 10}}, "K01", "记帐");
    addStockOut("000000003", QDate(2003, 7, 5), {{.code = "S1", .sl = 4, .dj = 10}}, "GONE", "现金");
    SummaryRun run(db, stockOut());
    run.run(july());
    RowSet& c3 = run.rows(2);
    EXPECT_EQ(c3.recordCount(), 3);
    EXPECT_EQ(rowWith(c3, "khbm", "0000").value("khmc"), "散户");
    EXPECT_EQ(rowWith(c3, "khbm", "K01").value("je").toDouble(), 20);
    EXPECT_EQ(rowWith(c3, "khbm", "ZZZZZ").value("je").toDouble(), 70);
    RowSet& c2 = run.rows(1);
    EXPECT_EQ(rowWith(c2, "skfs", "现金").value("je").toDouble(), 40);
    c2.last();
    EXPECT_EQ(c2.value("skfs"), "合计");
}

TEST_F(StockSummaryTest, AQueryTheBookRefusesIsThrown) {
    db.exec("drop table ASPLB");
    SummaryRun run(db, stockIn());
    EXPECT_THROW(run.run(july()), DbError);
}

}  // namespace
