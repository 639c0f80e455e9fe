// Goods, parties and saved documents put straight into a test book, for the
// rules and postings that read them.
#pragma once

#include "database/database.h"
#include "database/schema.h"

#include <QDate>

namespace stockbook {

struct Goods {
    QString code;
    double kcsl = 0, kcje = 0, kcjg = 0;
    QList<double> sizes = {};  // kcslA, kcslB, …
    int scale = 1;
    QString baseUnit = "双", packageUnit = "箱";
    QString name = "跑步鞋";
    double xsdj = 0, pfdj = 0, cbxx = 0;  // retail and wholesale price, stock floor
    QString artNo = "R-1001", colour = "白";
};

inline void addGoods(Database& db, const Goods& g) {
    QStringList columns{"Spbm", "Spmc", "Jldw", "hzdw", "Scale", "Kcsl", "kcje", "kcjg", "Byrksl", "Bnrksl",
                        "Xsdj", "Pfdj", "Cbxx", "ArtNo", "color"};
    QStringList values{":code", ":name", ":jldw", ":hzdw", ":scale", ":kcsl", ":kcje", ":kcjg", "0", "0",
                       ":xsdj", ":pfdj", ":cbxx", ":artno", ":color"};
    Params params{{"code", g.code},   {"name", g.name}, {"jldw", g.baseUnit}, {"hzdw", g.packageUnit},
                  {"scale", g.scale}, {"kcsl", g.kcsl}, {"kcje", g.kcje},     {"kcjg", g.kcjg},
                  {"xsdj", g.xsdj},   {"pfdj", g.pfdj}, {"cbxx", g.cbxx},     {"artno", g.artNo},
                  {"color", g.colour}};
    const QStringList slotColumns = schema::sizeSlotColumns("kcsl");
    for (int i = 0; i < 16; ++i) {
        columns.append(slotColumns[i]);
        values.append(QString::number(g.sizes.value(i)));
    }
    db.exec(QString("insert into ASPKM (%1) values (%2)").arg(columns.join(", "), values.join(", ")), params);
}

struct Party {
    QString code, name = "华南鞋业";
    double byjf = 0, bnjf = 0, jyje = 0;
};

inline void addParty(Database& db, const QString& table, const Party& p) {
    db.exec(QString("insert into %1 (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) values (:bm, :mc, 0, :bnjf, 0, :byjf, 0, :jyje)")
                .arg(table),
            {{"bm", p.code}, {"mc", p.name}, {"bnjf", p.bnjf}, {"byjf", p.byjf}, {"jyje", p.jyje}});
}

struct Line {
    QString code;
    int bzlx = 1;
    double sl = 0, dj = 0;
    QList<double> sizes = {};
    QString status = "1";
    QString ggdw = "双";
    QString remark = {};  // zyxx
};

// A saved, unposted stock document with its lines (JBSL, JBDJ, JE computed).
inline void addDocument(Database& db, const QString& headerTable, const QString& lineTable, const QString& number,
                        const QString& party, const QList<Line>& lines, const QDate& date = QDate(2004, 3, 15),
                        const QString& note = "从华南鞋业进货") {
    db.exec(QString("insert into %1 (DJHM, RQ, KHBM, Je, NOTE, BZW, RYZD) values (:n, :rq, :party, 0, :note, '1', '张三')")
                .arg(headerTable),
            {{"n", number}, {"rq", date}, {"party", party}, {"note", note}});
    int flbh = 0;
    for (const Line& l : lines) {
        QStringList columns{"DJHM", "FLBH", "Spbm", "BzLx", "SL", "DJ", "GGDW", "JBSL", "JBDJ", "JE", "BZW", "zyxx"};
        QStringList values{":n", ":flbh", ":code", ":bzlx", ":sl", ":dj", ":ggdw", ":jbsl", ":dj", ":je", ":bzw", ":zyxx"};
        const QStringList slotColumns = schema::sizeSlotColumns("sl");
        for (int i = 0; i < 16; ++i) {
            columns.append(slotColumns[i]);
            values.append(QString::number(l.sizes.value(i)));
        }
        db.exec(QString("insert into %1 (%2) values (%3)").arg(lineTable, columns.join(", "), values.join(", ")),
                {{"n", number}, {"flbh", ++flbh}, {"code", l.code}, {"bzlx", l.bzlx}, {"sl", l.sl}, {"dj", l.dj},
                 {"ggdw", l.ggdw}, {"jbsl", l.sl * l.bzlx}, {"je", l.sl * l.bzlx * l.dj}, {"bzw", l.status},
                 {"zyxx", l.remark}});
    }
}

// A saved, unposted stock-out document: the customer's name and the way of sale on its header.
inline void addSale(Database& db, const QString& number, const QString& customer, const QString& customerName,
                    const QString& wayOfSale, const QList<Line>& lines, const QString& note = "销售") {
    addDocument(db, "ASPCKD", "ASPCKDD", number, customer, lines, QDate(2004, 3, 15), note);
    db.exec("update ASPCKD set KHMC = :name, SKFS = :way, CKLB = '1' where DJHM = :n",
            {{"name", customerName}, {"way", wayOfSale}, {"n", number}});
}

// Every row of a table, for comparing a book before and after.
inline QList<QVariantList> tableRows(Database& db, const QString& table) {
    return db.rows(QString("select * from %1 order by rowid").arg(table));
}

}  // namespace stockbook
