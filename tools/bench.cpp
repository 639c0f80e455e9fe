#include "tools/admintool.h"

#include "database/rowset.h"
#include "database/schema.h"
#include "grid/exportwriters.h"
#include "shell/paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

template <typename Work>
double timeMs(Work&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int runBenchmark(const QString& workingDirectory, QTextStream& out) {
    QDir(workingDirectory).mkpath("DATA");
    const QString file = paths::databaseFile(workingDirectory);
    schema::createDatabase(file, "bench");
    Database db;
    db.open(file);

    const int goods = 100000, ledgerPerGoods = 10;
    const double fill = timeMs([&] {
        Database::Transaction tx(db);
        db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count) "
                "insert into ASPKM (Spbm, Spmc, ArtNo, Splb, Jldw, Scale, Xsdj, Pfdj, Kcsl, kcjg, kcje) "
                "select printf('SP%06d', i), printf('商品%06d', (i * 7919) % :count), printf('A%05d', i % 99999), "
                "printf('%02d', i % 20), '双', 12, 100 + i % 50, 80 + i % 40, i % 300, 50, (i % 300) * 50 from n",
                {{"count", goods}});
        db.exec("with recursive k(j) as (select 1 union all select j + 1 from k where j < :per) "
                "insert into ASPMXZM (Spbm, Djhm, Rq, Zyxx, Rksl, Rkje, Kcsl, Kcje, Kcjg) "
                "select a.Spbm, printf('R%09d', a.IDNO * 10 + k.j), '2026-11-01 00:00:00', '进货', k.j, k.j * 50, "
                "k.j, k.j * 50, 50 from ASPKM as a, k",
                {{"per", ledgerPerGoods}});
        tx.commit();
    });
    out << QString("建立 %1 种商品和 %2 行商品保管帐: %3 ms\n").arg(goods).arg(goods * ledgerPerGoods).arg(fill, 0, 'f', 0);

    RowSet catalogue(db);
    catalogue.setTable("ASPKM", "Spbm");
    out << QString("打开商品档案(按编码排序, %1 行): %2 ms\n")
               .arg(goods)
               .arg(timeMs([&] { catalogue.open(); }), 0, 'f', 1);
    out << QString("内存中按名称重新排序: %1 ms\n").arg(timeMs([&] { catalogue.setSort("Spmc  DESC"); }), 0, 'f', 1);
    out << QString("内存中按编码重新排序: %1 ms\n").arg(timeMs([&] { catalogue.setSort("Spbm  ASC"); }), 0, 'f', 1);

    QTemporaryDir exportDir;
    QList<int> fields;
    QStringList titles;
    for (int i = 0; i < catalogue.fieldCount(); ++i) {
        fields.append(i);
        titles.append(catalogue.field(i).name);
    }
    const RowSetExport source(catalogue, fields, titles);
    QFile csv(exportDir.path() + "/goods.csv");
    csv.open(QIODevice::WriteOnly);
    out << QString("导出商品档案到 CSV (%1 行 %2 列): %3 ms\n")
               .arg(goods)
               .arg(fields.size())
               .arg(timeMs([&] { exportwriters::write(exportwriters::Format::Csv, source, csv); }), 0, 'f', 0);

    RowSet ledger(db);
    ledger.setQuery("select * from aspmxzm where spbm = :spbm order by idno");
    ledger.setParam("spbm", "SP054321");
    const double ledgerMs = timeMs([&] { ledger.open(); });
    out << QString("读取一种商品的保管帐(%1 行): %2 ms\n").arg(ledger.recordCount()).arg(ledgerMs, 0, 'f', 2);
    return 0;
}
