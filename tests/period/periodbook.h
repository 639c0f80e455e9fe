// A small book for the period routines: goods, customers, suppliers with
// running totals, documents in a chosen status, and a picture of every
// table to tell whether a routine changed anything.
#pragma once

#include "database/database.h"
#include "database/schema.h"

#include <QString>

namespace periodbook {

// `goods` goods items G001.. with stock and month/year totals; `customers`
// customers C001.. and `suppliers` suppliers S001.. with balances. The
// walk-in customer the new book has counts among the customers.
inline void fill(Database& db, int goods, int customers, int suppliers) {
    db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count) "
            "insert into ASPKM (Spbm, Spmc, Kcsl, kcje, kcjg, Ncsl, Byrksl, Bycksl, Bnrksl, Bncksl, byxsje, bnxsje, "
            "kcslA, Xsdj) select printf('G%03d', i), '鞋' || i, i, i * 10, 10, 1, 3, 2, 30, 20, 200, 2000, i, 99 from n",
            {{"count", goods}});
    db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count) "
            "insert into ABMK (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) "
            "select printf('C%03d', i), '客户' || i, 5, 500, 300, 50, 30, 205 from n",
            {{"count", customers - 1}});
    db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count) "
            "insert into AGYS (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) "
            "select printf('S%03d', i), '供应商' || i, 7, 700, 400, 70, 40, 307 from n",
            {{"count", suppliers}});
}

// A stock-in or stock-out document (header table and its lines) or a
// receipt or payment (no lines) in the given status.
inline void document(Database& db, const QString& header, const QString& number, const QString& status,
                     const QString& lines = {}) {
    db.exec(QString("insert into %1 (DJHM, RQ, BZW) values (:n, '2004-03-05 00:00:00', :s)").arg(header),
            {{"n", number}, {"s", status}});
    if (!lines.isEmpty())
        db.exec(QString("insert into %1 (DJHM, FLBH, Spbm, SL, BZW) values (:n, 1, 'G001', 1, :s)").arg(lines),
                {{"n", number}, {"s", status}});
}

// Every row of every table, in storage order: equal pictures, equal books.
inline QList<QList<QVariantList>> picture(Database& db) {
    QList<QList<QVariantList>> out;
    for (const schema::Table& t : schema::tables()) out.append(db.rows(QString("select * from [%1] order by rowid").arg(t.name)));
    return out;
}

// Makes every `event` ("insert", "update", "delete") on `table` fail, as a
// full disk or a damaged file would, part-way through a routine.
inline void failOn(Database& db, const QString& event, const QString& table) {
    db.exec(QString("create trigger forced_failure before %1 on %2 begin select raise(abort, 'forced failure'); end")
                .arg(event, table));
}

}  // namespace periodbook
