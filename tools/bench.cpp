#include "tools/admintool.h"

#include "database/displayformat.h"
#include "database/jetdialect.h"
#include "database/rowset.h"
#include "database/schema.h"
#include "documents/posting.h"
#include "grid/exportwriters.h"
#include "queries/goodsstock.h"
#include "period/monthend.h"
#include "period/routine.h"
#include "shell/paths.h"
#include "shell/prompter.h"
#include "stockdocs/stockin.h"
#include "stockdocs/stockout.h"
#include "stockdocs/stocksummary.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <optional>

namespace {

template <typename Work>
double timeMs(Work&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The fastest of a few runs: the figure least disturbed by whatever else the machine does.
template <typename Work>
double bestMs(int runs, Work&& work) {
    double best = timeMs(work);
    for (int i = 1; i < runs; ++i) best = std::min(best, timeMs(work));
    return best;
}

// What the process holds in memory now, from the kernel's own count.
double residentMb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// The engine alone: the query stepped through with every column of every row
// read in the engine's own representation, nothing copied out. The floor any
// cursor over the same rows is measured against.
void stepThrough(Database& db, const QString& jetSql) {
    const QByteArray sql = translateJetSql(jetSql).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &stmt, nullptr); rc != SQLITE_OK)
        db.fail(rc);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0, n = sqlite3_column_count(stmt); i < n; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER: sqlite3_column_int64(stmt, i); break;
            case SQLITE_FLOAT: sqlite3_column_double(stmt, i); break;
            case SQLITE_TEXT:
                sqlite3_column_text(stmt, i);
                sqlite3_column_bytes(stmt, i);
                break;
            default: break;
            }
        }
    }
    sqlite3_finalize(stmt);
}

// A kind's documents on the large book: `documents` posted ones of five lines
// and, after them, `unposted` documents of 100 lines, numbered on.
void addDocuments(Database& db, const DocumentKind& kind, const QString& party, int documents, int unposted) {
    Database::Transaction tx(db);
    const Params count{{"count", documents}, {"party", party}};
    db.exec(QString("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count) "
                    "insert into [%1] (DJHM, RQ, KHBM, Je, NOTE, BZW, RYZD, RYJZ) "
                    "select printf('%09d', i), '2026-11-01 00:00:00', :party, 600, '业务', '3', '张三', '张三' from n")
                .arg(kind.headerTable),
            count);
    db.exec(QString("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count), "
                    "k(j) as (select 1 union all select j + 1 from k where j < 5) "
                    "insert into [%1] (DJHM, FLBH, Spbm, BzLx, SL, DJ, GGDW, JBSL, JBDJ, JE, BZW, slA) "
                    "select printf('%09d', i), j, printf('SP%06d', (i * 5 + j) % 100000 + 1), 1, 10, 12, '双', 10, "
                    "12, 120, '3', 10 from n, k")
                .arg(kind.lineTable),
            {{"count", documents}});
    for (int d = 0; d < unposted; ++d) {
        const QString number = documentNumber(documents + d);
        db.exec(QString("insert into [%1] (DJHM, RQ, KHBM, Je, NOTE, BZW) values (:n, '2026-11-02 00:00:00', :party, "
                        "0, '业务', '1')")
                    .arg(kind.headerTable),
                {{"n", number}, {"party", party}});
        db.exec(QString("with recursive k(j) as (select 1 union all select j + 1 from k where j < 100) "
                        "insert into [%1] (DJHM, FLBH, Spbm, BzLx, SL, DJ, GGDW, JBSL, JBDJ, JE, BZW, slA) "
                        "select :n, j, printf('SP%06d', (j * 997 + :d * 7919) % 100000 + 1), 12, j, 6.5, '箱(12x)', "
                        "j * 12, 6.5, j * 12 * 6.5, '1', j * 12 from k")
                    .arg(kind.lineTable),
                {{"n", number}, {"d", d}});
    }
    db.exec(QString("update System set [%1] = :count").arg(kind.counter), {{"count", documents + unposted}});
    tx.commit();
}

// Posting the unposted 100-line documents one after another: the fastest, the
// figure least disturbed by whatever else the machine does.
double bestPostingMs(Database& db, const DocumentKind& kind, int documents, int unposted) {
    double best = -1;
    for (int d = 0; d < unposted; ++d) {
        const double ms = timeMs([&] { posting::post(db, kind, documentNumber(documents + d), "bench"); });
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

constexpr int kPostingRuns = 5;

// Stock-in on the large book: 10 000 posted documents of five lines, the
// window's cursors opened on them, and 100-line documents posted.
void benchStockIn(Database& db, QTextStream& out) {
    const int documents = 10000;
    db.exec("insert into AGYS (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) values ('G001', '华南鞋业', 0, 0, 0, 0, 0, 0)");
    addDocuments(db, stockin::kind(), "G001", documents, kPostingRuns);

    RowSet suppliers(db), goods(db), headers(db), lines(db);
    const double documentsMs = timeMs([&] {
        suppliers.setTable("AGYS", "bm");
        headers.setTable("ASPRKD", "ASPRKD#PX");
        headers.addLookupField("rfkhmc", "KHBM", &suppliers, "Bm", "Mc");
        lines.setTable("asprkdd", "DJHM", "DJHM = :DJHM");
        lines.setMaster(&headers, {"DJHM"});
        suppliers.open();
        headers.open();
        lines.open();
        headers.last();
    });
    const double goodsMs = timeMs([&] {
        goods.setTable("ASPKM", "spbm");
        goods.open();
    });
    out << QString("打开入库单窗口的单据(%1 张单据, 含最后一张的分录): %2 ms; 其商品游标(%3 种商品): %4 ms\n")
               .arg(headers.recordCount())
               .arg(documentsMs, 0, 'f', 1)
               .arg(goods.recordCount())
               .arg(goodsMs, 0, 'f', 1);

    out << QString("100 行入库单记帐(%1 张中最快的): %2 ms\n")
               .arg(kPostingRuns)
               .arg(bestPostingMs(db, stockin::kind(), documents, kPostingRuns), 0, 'f', 1);
}

// The windows' questions are not asked in a benchmark; nothing it does tells anything.
class SilentPrompter : public Prompter {
public:
    void message(const QString&) override {}
    bool question(const QString&) override { return false; }
    bool confirm(const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&) override { return std::nullopt; }
    QString inputPassword(const QString&) override { return {}; }
    std::optional<FileChoice> chooseSaveFile(const QStringList&, const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const QStringList&) override { return std::nullopt; }
    void showWaitBox(const QString&) override {}
    void hideWaitBox() override {}
};

// The first screen of a grid's rows formatted as the grid shows them.
void formatFirstScreen(const RowSet& rows, int screen = 30) {
    for (int row = 0; row < std::min(screen, rows.recordCount()); ++row)
        for (int f = 0; f < rows.fieldCount(); ++f)
            displayformat::format(rows.valueAt(row, f), rows.field(f).displayFormat);
}

// The goods stock query on the same book: opening it (goods by code with
// their category names and computed columns, the two ledgers of the first
// goods item, the first screens formatted), and a step from one goods item
// to the next, which reads both ledgers of the new item.
void benchGoodsStock(Database& db, QTextStream& out) {
    SilentPrompter prompter;
    std::optional<queries::GoodsStock> query;
    const double openMs = timeMs([&] {
        query.emplace(db, prompter);
        query->open();
        for (const RowSet* rows : {&query->dbspk, &query->sqlmxz, &query->sqllsz}) formatFirstScreen(*rows);
    });
    out << QString("打开商品库存查询(%1 种商品, 两本明细帐, 含首屏显示): %2 ms\n")
               .arg(query->dbspk.recordCount())
               .arg(openMs, 0, 'f', 1);
    const int steps = 1000;
    int ledgerRows = 0;
    query->dbspk.moveTo(query->dbspk.recordCount() / 2);
    const double stepsMs = timeMs([&] {
        for (int i = 0; i < steps; ++i) {
            query->dbspk.next();
            formatFirstScreen(query->sqlmxz);
            formatFirstScreen(query->sqllsz);
            ledgerRows += query->sqlmxz.recordCount() + query->sqllsz.recordCount();
        }
    });
    out << QString("商品库存查询移到下一种商品(重读保管帐和销售明细, 平均每种 %1 行): %2 ms\n")
               .arg(double(ledgerRows) / steps, 0, 'f', 0)
               .arg(stepsMs / steps, 0, 'f', 3);
    const double filterMs = timeMs([&] { query->applyFilter(" [spmc] like '%商品0001%' and [kcsl]>10"); });
    out << QString("商品库存查询按条件筛选(%1 种符合): %2 ms\n").arg(query->dbspk.recordCount()).arg(filterMs, 0, 'f', 1);
}

// Stock-out on the same book: 10 000 posted sales to one customer, and
// 100-line sales on account posted (three ledger rows a line).
void benchStockOut(Database& db, QTextStream& out) {
    const int documents = 10000;
    db.exec("insert into ABMK (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) values ('K001', '阳光体育', 0, 0, 0, 0, 0, 0)");
    addDocuments(db, stockout::kind(), "K001", documents, kPostingRuns);
    db.exec("update ASPCKD set KHMC = '阳光体育', SKFS = '记帐', CKLB = '1'");
    out << QString("100 行出库单记帐(%1 张中最快的): %2 ms\n")
               .arg(kPostingRuns)
               .arg(bestPostingMs(db, stockout::kind(), documents, kPostingRuns), 0, 'f', 1);
}

// Month-end on the large book with 5 000 customers and 1 000 suppliers added:
// the service (checks, the eight inserts, the copy and the state in one unit,
// the copy renamed into place) next to the same eight inserts and a copy made
// by plain statements, each run on the book as it was.
void benchMonthEnd(Database& db, const QString& workingDirectory, QTextStream& out) {
    db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 5000) "
            "insert into ABMK (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) "
            "select printf('K%05d', i), printf('客户%05d', i), 0, i, 0, i, 0, i from n");
    db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000) "
            "insert into AGYS (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) "
            "select printf('G%04d', i), printf('供应商%04d', i), 0, i, 0, i, 0, i from n");
    const QDate date(2026, 11, 30);
    const QString copy = paths::resolve(workingDirectory, "data\\plain.MDB");
    // Back to the book before the month-end: its rows, the state, no copies.
    auto undo = [&] {
        for (const char* table : {"aspmxzm", "axslsz", "abmmxz", "agymxz"})
            db.exec(QString("delete from %1 where zyxx in ('本月合计', '本月累计')").arg(table));
        period::setWorkState(db, "1");
        QFile::remove(copy);
        QFile::remove(period::MonthEnd(db, workingDirectory, date).backupPath());
    };
    const QStringList inserts = period::MonthEnd::summaryStatements();
    const QByteArray attach = QString("attach database '%1' as plain key '%2'").arg(copy, Database::kKey).toUtf8();
    const int runs = 2;
    double plainMs = 0, serviceMs = 0;
    for (int run = 0; run < runs; ++run) {
        undo();
        plainMs += timeMs([&] {
            for (const QString& sql : inserts) db.exec(sql, {{"xrq", date}});
            // The connection creates no files: the copy starts as an empty one.
            QFile(copy).open(QIODevice::WriteOnly);
            for (const QByteArray& sql : {attach, QByteArray("select sqlcipher_export('plain')"), QByteArray("detach database plain")})
                if (const int rc = sqlite3_exec(db.handle(), sql.constData(), nullptr, nullptr, nullptr); rc != SQLITE_OK)
                    db.fail(rc);
        });
        undo();
        serviceMs += timeMs([&] { period::MonthEnd(db, workingDirectory, date).run(true); });
    }
    undo();
    out << QString("月末数据处理(%1 种商品, 5000 个客户, 1000 个供应商, 含数据库备份): %2 ms\n")
               .arg(db.scalar("select count(*) from aspkm").toInt())
               .arg(serviceMs / runs, 0, 'f', 0);
    out << QString("同样八条插入语句加逐条语句备份: %1 ms\n").arg(plainMs / runs, 0, 'f', 0);
    out << QString("月末/逐条语句 比值: %1\n").arg(serviceMs / plainMs, 0, 'f', 2);
}

// The stock summaries over a month of 200 000 posted lines of each kind:
// every query of a summary run by date over the month, and one poster's.
void benchSummaries(Database& db, QTextStream& out) {
    const int documents = 20000, linesPerDocument = 10;
    {
        Database::Transaction tx(db);
        for (const auto& [header, lines, start] : QList<std::tuple<QString, QString, int>>{
                 {"ASPRKD", "asprkdd", 100000}, {"ASPCKD", "ASPCKDD", 100000}}) {
            db.exec(QString("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count) "
                            "insert into %1 (DJHM, RQ, KHBM, Je, NOTE, BZW, RYZD, RYJZ) "
                            "select printf('%09d', :start + i), printf('2026-12-%02d 00:00:00', i % 28 + 1), "
                            "case when i % 3 = 0 then '0000' else 'G001' end, 1200, '汇总', '3', '张三', "
                            "case when i % 2 = 0 then '张三' else '李四' end from n")
                        .arg(header),
                    {{"count", documents}, {"start", start}});
            db.exec(QString("with recursive n(i) as (select 1 union all select i + 1 from n where i < :count), "
                            "k(j) as (select 1 union all select j + 1 from k where j < :per) "
                            "insert into %1 (DJHM, FLBH, Spbm, BzLx, SL, DJ, GGDW, JBSL, JBDJ, JE, BZW) "
                            "select printf('%09d', :start + i), j, printf('SP%06d', (i * 13 + j * 7919) % 100000 + 1), "
                            "1, 10, 12, '双', 10, 12, 120, '3' from n, k")
                        .arg(lines),
                    {{"count", documents}, {"per", linesPerDocument}, {"start", start}});
        }
        tx.commit();
    }
    using stocksummary::Criteria;
    const Criteria month{.from = QDate(2026, 12, 1), .to = QDate(2026, 12, 31)};
    Criteria onePoster = month;
    onePoster.poster = "张三";
    for (const stocksummary::Kind* kind : {&stocksummary::stockIn(), &stocksummary::stockOut()}) {
        stocksummary::SummaryRun run(db, *kind);
        const double allMs = timeMs([&] { run.run(month); });
        QStringList rows;
        for (int i = 0; i < run.queryCount(); ++i) rows.append(QString::number(run.rows(i).recordCount()));
        const double posterMs = timeMs([&] { run.run(onePoster); });
        out << QString("%1(%2 行已记帐分录, 按日期一个月, 各查询 %3 行): %4 ms; 只汇总一个记帐人: %5 ms\n")
                   .arg(kind->dialogCaption)
                   .arg(documents * linesPerDocument)
                   .arg(rows.join("/"))
                   .arg(allMs, 0, 'f', 0)
                   .arg(posterMs, 0, 'f', 0);
    }
}

}  // namespace

int runBenchmark(const QString& workingDirectory, QTextStream& out) {
    QDir(workingDirectory).mkpath("DATA");
    const QString file = paths::databaseFile(workingDirectory);
    schema::createDatabase(file, "bench");
    Database db;
    db.open(file);

    const int goods = 100000, ledgerPerGoods = 10;
    const int salesPerGoods = 5;
    const double fill = timeMs([&] {
        Database::Transaction tx(db);
        db.exec("insert into ASPLB (Bm, Mc) select printf('%02d', i), printf('类别%02d', i) from "
                "(with recursive n(i) as (select 0 union all select i + 1 from n where i < 19) select i from n)");
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
        db.exec("with recursive k(j) as (select 1 union all select j + 1 from k where j < :per) "
                "insert into AXSLSZ (Spbm, Djhm, Rq, Zyxx, khmc, sl, dj, je) "
                "select a.Spbm, printf('C%09d', a.IDNO * 10 + k.j), '2026-11-02 00:00:00', '销售', '客户', k.j, 100, "
                "k.j * 100 from ASPKM as a, k",
                {{"per", salesPerGoods}});
        tx.commit();
    });
    out << QString("建立 %1 种商品, %2 行商品保管帐和 %3 行销售明细帐: %4 ms\n")
               .arg(goods)
               .arg(goods * ledgerPerGoods)
               .arg(goods * salesPerGoods)
               .arg(fill, 0, 'f', 0);

    // The goods catalogue as its window opens it: the categories for the
    // name column, the goods by code, the title-click order on the code, and
    // the first screen of the grid formatted for display (what the grid's
    // model reads as the rows are painted; the widgets themselves are not built).
    const double residentBefore = residentMb();
    RowSet categories(db);
    categories.setTable("ASPLB", "Bm");
    RowSet catalogue(db);
    catalogue.setTable("ASPKM", "Spbm");
    catalogue.addLookupField("lbmc", "Splb", &categories, "Bm", "Mc");
    const int firstScreen = 30;
    const QString catalogueSql = "select rowid as [$rowid], * from [ASPKM] order by Spbm";
    // The engine first: its runs also bring the file into the system's cache for the open.
    const double engineMs = bestMs(3, [&] { stepThrough(db, catalogueSql); });
    // Once, in a process that has not held the rows before: as the window is opened.
    const double openMs = timeMs([&] {
        categories.open();
        catalogue.open();
        catalogue.setSort("Spbm  ASC");
        for (int row = 0; row < firstScreen; ++row)
            for (int f = 0; f < catalogue.fieldCount(); ++f) {
                const RowSet::Field& field = catalogue.field(f);
                const QString format = field.type == FieldType::Double ? "0.00;-0.00;#" : field.displayFormat;
                displayformat::format(catalogue.valueAt(row, f), format);
            }
    });
    const double refreshMs = bestMs(3, [&] { catalogue.refresh(); });
    const double residentOpen = residentMb();
    const double perRow = (residentOpen - residentBefore) * 1024 * 1024 / catalogue.recordCount();

    out << QString("打开商品档案(%1 行, 按编码排序, 含首屏 %2 行显示): %3 ms\n")
               .arg(catalogue.recordCount())
               .arg(firstScreen)
               .arg(openMs, 0, 'f', 1);
    out << QString("引擎逐行读取同一查询(每行全部列): %1 ms\n").arg(engineMs, 0, 'f', 1);
    out << QString("打开/引擎 比值: %1\n").arg(openMs / engineMs, 0, 'f', 2);
    out << QString("再次激活(数据未变, 重新读取): %1 ms\n").arg(refreshMs, 0, 'f', 3);
    out << QString("打开商品档案时的常驻内存: %1 MB (每行约 %2 字节)\n")
               .arg(residentOpen, 0, 'f', 1)
               .arg(perRow, 0, 'f', 0);

    out << QString("内存中按名称重新排序: %1 ms\n").arg(timeMs([&] { catalogue.setSort("Spmc  DESC"); }), 0, 'f', 1);
    out << QString("内存中按编码重新排序: %1 ms\n").arg(timeMs([&] { catalogue.setSort("Spbm  ASC"); }), 0, 'f', 1);

    QTemporaryDir exportDir;
    QList<RowSetExport::Column> columns;
    for (int i = 0; i < catalogue.fieldCount(); ++i) {
        RowSetExport::Column column;
        column.field = i;
        column.title = catalogue.field(i).name;
        columns.append(column);
    }
    const RowSetExport source(catalogue, columns);
    QFile csv(exportDir.path() + "/goods.csv");
    csv.open(QIODevice::WriteOnly);
    out << QString("导出商品档案到 CSV (%1 行 %2 列): %3 ms\n")
               .arg(goods)
               .arg(columns.size())
               .arg(timeMs([&] { exportwriters::write(exportwriters::Format::Csv, source, csv); }), 0, 'f', 0);

    RowSet ledger(db);
    ledger.setQuery("select * from aspmxzm where spbm = :spbm order by idno");
    ledger.setParam("spbm", "SP054321");
    const double ledgerMs = timeMs([&] { ledger.open(); });
    out << QString("读取一种商品的保管帐(%1 行): %2 ms\n").arg(ledger.recordCount()).arg(ledgerMs, 0, 'f', 2);

    benchStockIn(db, out);
    benchStockOut(db, out);
    benchGoodsStock(db, out);
    benchMonthEnd(db, workingDirectory, out);
    benchSummaries(db, out);
    return 0;
}
