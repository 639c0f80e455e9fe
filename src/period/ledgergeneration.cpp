#include "period/ledgergeneration.h"

#include "period/routine.h"

#include <algorithm>

namespace period {

const QList<LedgerGeneration::Item>& LedgerGeneration::items() {
    static const QList<Item> all = {
        {"0、商品保管帐",
         {"delete from aspmxzm",
          "insert into  aspmxzm (spbm,rq,zyxx,kcsl,kcje,kcjg) select spbm,:xrq as rq,'上期结转' as zyxx,kcsl,kcje,kcjg from aspkm"}},
        {"1、单位往来帐(应收)",
         {"delete from abmmxz",
          "insert into abmmxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'上期结转' as zyxx,0 as jfje,0 as dfje,jyje from abmk"}},
        {"2、单位往来帐(应付)",
         {"delete from agymxz",
          "insert into agymxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'上期结转' as zyxx,0 as jfje,0 as dfje,jyje from agys"}},
    };
    return all;
}

void LedgerGeneration::run(Database& db, const QDate& businessDate, const QList<Ledger>& ledgers) {
    QStringList statements;
    for (int i = 0; i < items().size(); ++i)
        if (ledgers.contains(Ledger(i))) statements += items()[i].statements;
    runAsOne(db, statements, {{"xrq", businessDate}}, kNotCompleted);
}

}  // namespace period
