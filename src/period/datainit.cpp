#include "period/datainit.h"

#include "database/schema.h"
#include "period/routine.h"

namespace period {

namespace {

// Stock, counters, sales and every size slot to 0; prices, limits, the last
// price and the last dates stay. One statement of two lines.
QString clearStock() {
    QStringList sizes;
    for (const QString& slot : schema::sizeSlotColumns("kcsl")) sizes.append(slot.toLower() + "=0");
    return "update aspkm set ncsl=0,bnrksl=0,byrksl=0,bncksl=0,bycksl=0,kcsl=0,kcje=0,kcjg=0,kcslsj=0,byxsje=0,"
           "bnxsje=0,\n"
           + sizes.join(',');
}

}  // namespace

const QList<DataInitialisation::Item>& DataInitialisation::items() {
    static const QList<Item> all = {
        {"0、清空商品入库单", {"delete from asprkd", "delete from asprkdd"}},
        {"1、清空商品出库单", {"delete from aspckd", "delete from aspckdd"}},
        {"2、清空收款单据", {"delete from askd"}},
        {"3、清空付款单据", {"delete from afkd"}},
        {"4、清空客户流水帐(应收)", {"delete from abmlsz"}},
        {"5、清空往来明细帐(应收)", {"delete from abmmxz"}},
        {"6、清空往来明细帐(应付)", {"delete from agymxz"}},
        {"7、清空商品销售流水帐", {"delete from axslsz"}},
        {"8、清空商品保管帐", {"delete from aspmxzm"}},
        {"9、清空商品库存", {clearStock()}},
        {"A、清空欠帐数据(应收)", {"update abmk set ncye=0,bnjf=0,bndf=0,byjf=0,bydf=0,jyje=0"}},
        {"B、清空欠帐数据(应付)", {"update agys set ncye=0,bnjf=0,bndf=0,byjf=0,bydf=0,jyje=0"}},
    };
    return all;
}

void DataInitialisation::run(Database& db, const QList<int>& chosen) {
    QStringList statements;
    for (int i = 0; i < items().size(); ++i)
        if (chosen.contains(i)) statements += items()[i].statements;
    runAsOne(db, statements, {}, kNotCompleted);
}

}  // namespace period
