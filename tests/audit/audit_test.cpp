#include "audit/audit.h"
#include "documents/posting.h"
#include "moneydocs/moneydocs.h"
#include "stockdocs/stockin.h"
#include "stockdocs/stockout.h"
#include "support/stockbook.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

using namespace stockbook;

namespace {

// A small posted book: one stock-in of two goods, a sale on account and a
// walk-in retail sale, everything as posting left it.
class AuditTest : public testing::Test {
protected:
    void SetUp() override {
        Database& db = t.db();
        db.exec("update System set SLY = 2, Ykrkdh = 1, ykckdh = 2");
        addGoods(db, {.code = "G1", .kcsl = 10, .kcje = 50, .kcjg = 5, .sizes = {6, 4}});
        addGoods(db, {.code = "G2"});
        addParty(db, "AGYS", {.code = "S1"});
        addParty(db, "ABMK", {.code = "K1", .name = "东方商场"});
        addDocument(db, "ASPRKD", "asprkdd", "000000001", "S1",
                    {{.code = "G1", .bzlx = 1, .sl = 20, .dj = 6, .sizes = {10, 10}},
                     {.code = "G2", .bzlx = 1, .sl = 8, .dj = 3.3, .sizes = {8}}});
        addSale(db, "000000001", "K1", "东方商场", "记帐", {{.code = "G1", .sl = 5, .dj = 9, .sizes = {2, 3}}});
        addSale(db, "000000002", "0000", "王先生", "零售",
                {{.code = "G1", .sl = 1, .dj = 10, .sizes = {1}}, {.code = "G2", .sl = 2, .dj = 7, .sizes = {0, 2}}});
        ASSERT_TRUE(posting::post(db, stockin::kind(), "000000001", "李会计").posted());
        ASSERT_TRUE(posting::post(db, stockout::kind(), "000000001", "李会计").posted());
        ASSERT_TRUE(posting::post(db, stockout::kind(), "000000002", "李会计").posted());
    }

    QString findings() { return audit::run(t.db()).lines().join('\n'); }

    TestDatabase t;
};

TEST_F(AuditTest, PostedBookIsClean) {
    const audit::Report report = audit::run(t.db());
    EXPECT_TRUE(report.clean()) << findings().toStdString();
    EXPECT_EQ(report.lines(), QStringList{"帐套一致，未发现问题"});
}

// Month-end's summary rows, ledger generation's brought-forward rows and
// month-start's deletion of posted documents keep a book consistent.
TEST_F(AuditTest, PeriodRoutinesKeepTheBookClean) {
    Database& db = t.db();
    const Params at{{"xrq", QDate(2004, 3, 31)}};
    db.exec("insert into  aspmxzm (spbm,rq,zyxx,rksl,cksl,kcsl,kcje,kcjg) select spbm,:xrq as rq,'本月合计' as zyxx,byrksl,bycksl,kcsl,kcje,kcjg from aspkm", at);
    db.exec("insert into abmmxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'本月累计' as zyxx,bnjf,bndf,jyje from abmk", at);
    EXPECT_TRUE(audit::run(db).clean()) << findings().toStdString();

    db.exec("delete from aspmxzm");
    db.exec("insert into  aspmxzm (spbm,rq,zyxx,kcsl,kcje,kcjg) select spbm,:xrq as rq,'上期结转' as zyxx,kcsl,kcje,kcjg from aspkm", at);
    EXPECT_TRUE(audit::run(db).clean()) << "a restarted ledger owes no rows of earlier documents\n"
                                        << findings().toStdString();

    for (const char* table : {"ASPRKD", "asprkdd", "ASPCKD", "ASPCKDD"}) db.exec(QString("delete from %1").arg(table));
    EXPECT_TRUE(audit::run(db).clean()) << findings().toStdString();
}

// A ledger restarted before the documents' date: their rows were written
// after it, so rows missing are still found.
TEST_F(AuditTest, ARestartedLedgerStillOwesTheRowsOfLaterDocuments) {
    Database& db = t.db();
    const Params before{{"xrq", QDate(2004, 3, 10)}};
    db.exec("insert into  aspmxzm (spbm,rq,zyxx,kcsl,kcje,kcjg) select spbm,:xrq as rq,'上期结转' as zyxx,kcsl,kcje,kcjg from aspkm", before);
    db.exec("insert into abmmxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'上期结转' as zyxx,0,0,jyje from abmk", before);
    ASSERT_TRUE(audit::run(db).clean()) << findings().toStdString();
    db.exec("delete from ASPMXZM where Djhm = 'R000000001' and Spbm = 'G2'");
    db.exec("delete from ABMMXZ where Djhm = '000000002'");
    EXPECT_TRUE(findings().contains("入库单 000000001 商品 G2: ASPMXZM 应有 1 行，实有 0 行")) << findings().toStdString();
    EXPECT_TRUE(findings().contains("出库单 000000002: ABMMXZ 应有 1 行，实有 0 行")) << findings().toStdString();
}

// A receipt from K1, saved with number 000000001 like the sale on account.
const QStringList kPostedReceipt{
    "update System set ykskdh = 1",
    "insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000001', #03/16/2004#, 'K1', 10, '收款', '1')"};

TEST_F(AuditTest, PostedReceiptIsToldFromTheSaleOfTheSameNumber) {
    for (const QString& sql : kPostedReceipt) t.db().exec(sql);
    ASSERT_TRUE(posting::post(t.db(), moneydocs::receipt(), "000000001", "李会计").posted());
    EXPECT_TRUE(audit::run(t.db()).clean()) << findings().toStdString();
}

// A stock changed by hand after month-end is still found: the month's summary
// rows copied it, but the last movement did not.
TEST_F(AuditTest, SummaryRowsDoNotHideAHandChangedStock) {
    t.db().exec("update ASPKM set Kcsl = 30, kcslA = 26 where Spbm = 'G1'");
    t.db().exec("insert into  aspmxzm (spbm,rq,zyxx,rksl,cksl,kcsl,kcje,kcjg) select spbm,:xrq as rq,'本月合计' as zyxx,byrksl,bycksl,kcsl,kcje,kcjg from aspkm",
                {{"xrq", QDate(2004, 3, 31)}});
    EXPECT_TRUE(findings().contains("商品 G1: Kcsl 应为 24(商品保管帐末行 C000000002)，实为 30")) << findings().toStdString();
}

struct Planted {
    const char* name;
    QStringList sql;
    QString finding;   // the line the audit must show
    QString heading;   // the group it is shown under
};

class PlantedInconsistency : public AuditTest, public testing::WithParamInterface<Planted> {};

TEST_P(PlantedInconsistency, IsFoundWithItsRows) {
    for (const QString& sql : GetParam().sql) t.db().exec(sql);
    const audit::Report report = audit::run(t.db());
    ASSERT_FALSE(report.clean());
    const QStringList lines = report.lines();
    const qsizetype at = lines.indexOf("  " + GetParam().finding);
    ASSERT_GE(at, 0) << lines.join('\n').toStdString();
    // Under its own group's heading.
    qsizetype heading = at;
    while (heading > 0 && lines[heading].startsWith("  ")) --heading;
    EXPECT_TRUE(lines[heading].startsWith("【" + GetParam().heading + "】")) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.last(), QString("共发现 %1 处不一致").arg(report.findings.size()));
    EXPECT_FALSE(lines.join('\n').contains("应有 0 行，实有 0 行")) << "a finding that finds nothing";
}

const QString kPlantStockIn =
    "insert into ASPRKD (DJHM, RQ, KHBM, Je, NOTE, BZW) values ('000000002', #03/16/2004#, 'S1', 0, '', '1')";

INSTANTIATE_TEST_SUITE_P(
    Audit, PlantedInconsistency,
    testing::Values(
        Planted{"GoodsStockAgainstLedger", {"update ASPKM set kcje = 100 where Spbm = 'G1'"},
                "商品 G1: kcje 应为 136(商品保管帐末行 C000000002)，实为 100", "商品库存"},
        Planted{"AverageCost", {"update ASPKM set kcjg = 4, kcje = 120 where Spbm = 'G1'", "update ASPMXZM set Kcjg = 4"},
                "商品 G1: kcjg 应为 5(kcje 120 / Kcsl 24)，实为 4", "商品库存"},
        Planted{"SlotsInUse", {"update ASPKM set kcslB = kcslB + 1 where Spbm = 'G2'"},
                "商品 G2: 在用尺码合计应为 6(Kcsl)，实为 7", "商品库存"},
        Planted{"PartyBalanceAgainstLedger", {"update ABMK set jyje = 40, ncye = -5 where Bm = 'K1'"},
                "客户 K1: jyje 应为 45(ABMMXZ末行 000000001)，实为 40", "往来单位"},
        Planted{"PartyBalanceHandCorrected", {"update AGYS set bnjf = 100 where Bm = 'S1'"},
                "供应商 S1: jyje 应为 100(ncye 0 + bnjf 100 − bndf 0)，实为 146.4(手工改过余额?)", "往来单位"},
        Planted{"UnpostedLineUnderPostedHeader", {"update asprkdd set BZW = '1' where FLBH = 2"},
                "入库单 000000001 第 2 行: 单据已记帐，分录 BZW 应为 \"3\"，实为 \"1\"", "单据"},
        Planted{"PostedLineUnderUnpostedHeader", {"update ASPCKD set BZW = '1' where DJHM = '000000002'"},
                "出库单 000000002 第 1 行: 分录已记帐，单据头 BZW 实为 \"1\"", "单据"},
        Planted{"PostedWithoutLines", {"delete from ASPCKDD where DJHM = '000000001'", "delete from ABMLSZ where Djhm = '000000001'"},
                "出库单 000000001: 单据已记帐，没有分录", "单据"},
        Planted{"HeaderTotal", {"update ASPCKD set Je = 45.01 where DJHM = '000000001'"},
                "出库单 000000001: Je 应为 45(各分录 JE 合计)，实为 45.01", "单据"},
        Planted{"LineWithoutHeader",
                {"insert into asprkdd (DJHM, FLBH, Spbm, BzLx, SL, JE, BZW) values ('000000007', 1, 'G1', 1, 1, 1, '1')"},
                "入库单 000000007 第 1 行: 单据头不存在", "单据"},
        Planted{"MissingGoods", {"delete from ASPKM where Spbm = 'G2'"}, "入库单 000000001 第 2 行: 商品 G2 不存在", "单据"},
        Planted{"MissingParty", {"delete from AGYS"}, "入库单 000000001: 供应商 S1 不存在", "单据"},
        Planted{"LedgerRowOfUnpostedDocument",
                {kPlantStockIn, "update System set Ykrkdh = 2",
                 "insert into ASPMXZM (Spbm, Djhm, Zyxx, Kcsl, Kcje, Kcjg) select Spbm, 'R000000002', '', Kcsl, Kcje, Kcjg from ASPMXZM where Djhm = 'C000000002' and Spbm = 'G1'"},
                "ASPMXZM Idno 6 (R000000002 G1): 指向的入库单 000000002 未记帐(BZW \"1\")", "帐簿"},
        Planted{"LedgerNumberOfNoKind", {"update AXSLSZ set Djhm = 'X000000001' where Djhm = 'C000000001'"},
                "AXSLSZ Idno 1 (X000000001 G1): 单据号不是出库单(C…)的号码", "帐簿"},
        Planted{"GoodsLedgerRowMissing", {"delete from ASPMXZM where Djhm = 'R000000001' and Spbm = 'G2'"},
                "入库单 000000001 商品 G2: ASPMXZM 应有 1 行，实有 0 行", "帐簿"},
        Planted{"SalesLedgerRowMissing", {"delete from AXSLSZ where Djhm = 'C000000002' and Spbm = 'G2'"},
                "出库单 000000002 商品 G2: AXSLSZ 应有 1 行，实有 0 行", "帐簿"},
        Planted{"FlowLedgerRowTwice",
                {"insert into ABMLSZ (Dwbh, Djhm, jsfs, je) select Dwbh, Djhm, jsfs, je from ABMLSZ where Djhm = '000000001'"},
                "出库单 000000001: ABMLSZ 应有 1 行，实有 2 行", "帐簿"},
        Planted{"PartyLedgerOfAnotherParty", {"update AGYMXZ set Dwbh = 'S9'"},
                "AGYMXZ Idno 1 (000000001 S9): 指向的入库单 000000001 属于供应商 S1", "帐簿"},
        Planted{"PartyLedgerRowMissing", {"delete from ABMMXZ where Djhm = '000000002'"},
                "出库单 000000002: ABMMXZ 应有 1 行，实有 0 行", "帐簿"},
        Planted{"ReceiptPostedWithoutLedgerRows",
                {"update System set ykskdh = 1",
                 "insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000001', #03/16/2004#, 'K1', 10, '', '3')"},
                "收款单 000000001: ABMLSZ 应有 1 行，实有 0 行", "帐簿"},
        Planted{"ReceiptOfAMissingCustomer",
                {"update System set ykskdh = 1",
                 "insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000001', #03/16/2004#, 'K9', 10, '', '1')"},
                "收款单 000000001: 客户 K9 不存在", "单据"},
        Planted{"PaymentRowOfAnotherSupplier",
                {"update System set YKFKDH = 1",
                 "insert into AFKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000001', #03/16/2004#, 'S1', 10, '', '3')",
                 "insert into AGYMXZ (Dwbh, Djhm, Jfje, Dfje, Jyje) values ('S9', '000000001', 0, 10, 0)"},
                "AGYMXZ Idno 2 (000000001 S9): 指向的付款单 000000001 属于供应商 S1", "帐簿"},
        Planted{"CounterBehindDocuments", {"update System set ykckdh = 1"},
                "计数器 ykckdh: 应不小于 2(出库单 000000002)，实为 1", "计数器与工作状态"},
        Planted{"CounterBehindLedgerAfterMonthStart",
                {"delete from asprkdd", "delete from ASPRKD", "update System set Ykrkdh = 0"},
                "计数器 Ykrkdh: 应不小于 1(入库单 000000001)，实为 0", "计数器与工作状态"},
        Planted{"WorkState", {"update System set Sys2 = '9'"}, "工作状态 Sys2: 应为 \"0\"、\"1\" 或 \"2\"，实为 \"9\"",
                "计数器与工作状态"}),
    [](const testing::TestParamInfo<Planted>& info) { return info.param.name; });

}  // namespace
