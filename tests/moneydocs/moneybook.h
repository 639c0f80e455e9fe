// Customers, suppliers and saved receipts or payments put straight into a
// test book.
#pragma once

#include "database/database.h"

#include <QDateTime>

namespace moneybook {

struct Account {
    QString code, name = "华联商厦";
    double bydf = 0, bndf = 0, jyje = 0;
};

inline void addAccount(Database& db, const QString& table, const Account& a) {
    db.exec(QString("insert into %1 (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) "
                    "values (:bm, :mc, 7, 11, :bndf, 13, :bydf, :jyje)")
                .arg(table),
            {{"bm", a.code}, {"mc", a.name}, {"bndf", a.bndf}, {"bydf", a.bydf}, {"jyje", a.jyje}});
}

struct Document {
    QString number, party;
    double je = 0;
    QString status = "1";
    QString poster = {};
    QDateTime date = QDateTime(QDate(2004, 3, 15), QTime());
    QString note = "还货款";
};

// ASKD or AFKD: a receipt or payment as the window saves it.
inline void addMoneyDocument(Database& db, const QString& table, const Document& d) {
    db.exec(QString("insert into %1 (Djhm, RQ, Dwbh, Je, NOTE, BZW, RYZD, RYJZ) "
                    "values (:n, :rq, :party, :je, :note, :bzw, '张三', :poster)")
                .arg(table),
            {{"n", d.number},
             {"rq", d.date},
             {"party", d.party},
             {"je", d.je},
             {"note", d.note},
             {"bzw", d.status},
             {"poster", d.poster.isEmpty() ? QVariant() : QVariant(d.poster)}});
}

}  // namespace moneybook
