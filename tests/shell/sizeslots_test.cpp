#include "database/rowset.h"
#include "shell/sizeslots.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

TEST(SizeSlots, InUseLabelsAndTheSumOfTheSlotsInUse) {
    TestDatabase t;
    t.db().exec("update System set SLY = 3, SA = '36', SB = '37', SC = '38', SD = '39'");
    t.db().exec("insert into ASPKM (Spbm, Kcsl, kcslA, kcslB, kcslC, kcslD) values ('A1', 5, 2, NULL, 3, 100)");
    RowSet config(t.db());
    config.setTable("System");
    config.open();
    RowSet goods(t.db());
    goods.setTable("ASPKM");
    goods.open();

    const SizeSlots sizes = SizeSlots::of(config);
    EXPECT_EQ(sizes.inUse, 3);
    EXPECT_EQ(sizes.labels.size(), 16);
    EXPECT_EQ(sizes.labels.mid(0, 4), (QStringList{"36", "37", "38", "39"}));
    EXPECT_EQ(sizes.columnsInUse("sl"), (QStringList{"slA", "slB", "slC"}));

    const struct {
        int inUse;
        double sum;
    } cases[] = {{0, 0}, {1, 2}, {3, 5}, {4, 105}, {16, 105}, {-1, 0}, {20, 105}};
    for (const auto& c : cases) EXPECT_EQ(sizeSlotSum(goods, "kcsl", c.inUse), c.sum) << c.inUse;

    t.db().exec("update System set SLY = 40");
    config.refresh();
    EXPECT_EQ(SizeSlots::of(config).inUse, 16) << "a damaged count stays within the sixteen slots";
}

}  // namespace
