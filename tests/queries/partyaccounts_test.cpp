// The account queries without their windows: the ledgers of the party under
// the cursor, the flow ledger's double-click filter and the print texts.
#include "queries/partyaccounts.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace queries;

class PartyAccountsTest : public testing::Test {
protected:
    PartyAccountsTest() : customers(PartyAccountKind::customers(), t.db(), prompter) {
        Database& db = t.db();
        db.exec("delete from ABMK");
        db.exec("insert into ABMK (Bm, Mc, jyje) values ('K001', '阳光体育用品店', 120), ('K002', '奔跑者专卖店', -20)");
        // Flow-ledger rows as stock-out and receipt postings write them.
        db.exec("insert into ABMLSZ (Dwbh, Djhm, Rq, jsfs, spmc, sl, je) values "
                "('K001', '000000001', '2026-03-01 00:00:00', '记帐', '跑步鞋', 6, 2388), "
                "('K001', '000000001', '2026-03-01 00:00:00', '记帐', '篮球鞋', 2, 1136), "
                "('K001', '000000002', '2026-03-05 00:00:00', '回收欠帐', NULL, NULL, 3404), "
                "('K002', '000000003', '2026-03-06 00:00:00', '现金', '运动袜', 10, 250)");
        db.exec("insert into ABMMXZ (Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje) values "
                "('K001', '000000001', '2026-03-01 00:00:00', '销售', 3524, 0, 3524), "
                "('K001', '000000002', '2026-03-05 00:00:00', '收款', 0, 3404, 120)");
        customers.open();
    }
    QStringList flowKinds() {
        QStringList out;
        for (int p = 0; p < customers.sqllsz.recordCount(); ++p)
            out.append(customers.sqllsz.rowAt(p).value("jsfs").toString());
        return out;
    }
    TestDatabase t;
    ScriptedPrompter prompter;
    PartyAccounts customers;
};

TEST_F(PartyAccountsTest, LedgersAreThoseOfThePartyUnderTheCursor) {
    EXPECT_EQ(customers.dbbmk.value("bm").toString(), "K001");
    EXPECT_EQ(customers.sqlmxz.recordCount(), 2);
    EXPECT_EQ(flowKinds(), (QStringList{"记帐", "记帐", "回收欠帐"}));
    customers.dbbmk.next();
    EXPECT_EQ(customers.sqlmxz.recordCount(), 0);
    EXPECT_EQ(flowKinds(), QStringList{"现金"});
}

TEST_F(PartyAccountsTest, DoubleClickFilterShowsOneKindAndGoesWhenThePartyMoves) {
    customers.toggleFlowFilter("jsfs", "回收欠帐");
    EXPECT_EQ(flowKinds(), QStringList{"回收欠帐"});
    customers.toggleFlowFilter("jsfs", "回收欠帐");  // the second double-click: all rows again
    EXPECT_EQ(flowKinds().size(), 3);

    customers.toggleFlowFilter("sl", "6");  // by the text the cell shows
    EXPECT_EQ(customers.sqllsz.recordCount(), 1);
    customers.toggleFlowFilter("sl", "6");

    customers.toggleFlowFilter("Rq", "2026-03-01");  // a date column filters nothing…
    EXPECT_EQ(customers.sqllsz.recordCount(), 3);
    EXPECT_TRUE(customers.flowFiltered());           // …but the next double-click removes it
    customers.toggleFlowFilter("jsfs", "记帐");
    EXPECT_EQ(customers.sqllsz.recordCount(), 3);

    customers.toggleFlowFilter("jsfs", "回收欠帐");
    customers.sqllsz.refresh();  // read again for the same customer: the filter stays
    EXPECT_EQ(flowKinds(), QStringList{"回收欠帐"});
    customers.dbbmk.next();
    EXPECT_FALSE(customers.flowFiltered());
    EXPECT_EQ(flowKinds(), QStringList{"现金"});
    customers.dbbmk.prior();
    EXPECT_EQ(flowKinds().size(), 3);
}

TEST(PartyAccountKinds, PrintTitlesAndFootersByPage) {
    struct Case {
        const PartyAccountKind& kind;
        int page;
        const char* title;
        const char* footer;
    };
    const PartyAccountKind& c = PartyAccountKind::customers();
    const PartyAccountKind& s = PartyAccountKind::suppliers();
    const Case cases[] = {
        {c, 0, "往来单位余额表（应收）　　", "单位名称:示例商店"}, {c, 1, "单位往来明细帐（应收）　　", "客户名称:阳光"},
        {c, 2, "单位业务流水帐　　", "客户名称:阳光"},             {c, 3, "往来单位余额表（应收）　　", "单位名称:示例商店"},
        {s, 0, "往来单位余额表（应付）　　", "单位名称:示例商店"}, {s, 1, "单位往来明细帐（应付）　　", "客户名称:阳光"},
        {s, 2, "往来单位余额表（应付）　　", "单位名称:示例商店"},
    };
    EXPECT_EQ(c.pages.size(), 4);
    EXPECT_EQ(s.pages.size(), 3);
    for (const Case& k : cases) {
        const AccountPage& page = k.kind.pages[k.page];
        EXPECT_EQ(page.printTitle, k.title) << page.caption.toStdString();
        EXPECT_EQ(printFooterLeft(page, "示例商店", "阳光"), k.footer) << page.caption.toStdString();
    }
}

}  // namespace
