#include "tools/admintool.h"

#include "audit/audit.h"
#include "database/displayformat.h"
#include "database/jetdialect.h"
#include "database/rowset.h"
#include "database/schema.h"
#include "documents/posting.h"
#include "moneydocs/moneydocs.h"
#include "moneydocs/moneysummary.h"
#include "period/monthend.h"
#include "period/routine.h"
#include "queries/goodsstock.h"
#include "shell/paths.h"
#include "shell/unattendedprompter.h"
#include "stockdocs/stockin.h"
#include "stockdocs/stockout.h"
#include "stockdocs/stocksummary.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <optional>
#include <vector>

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

// A figure of the kernel's own count of this process's memory, in MB: "VmRSS" now, "VmHWM" at its peak.
double memoryMb(const QByteArray& key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key + ':')) return line.mid(key.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// A statement prepared once and run as often as needed, through the engine
// alone: the bulk inserts that build the book and the plain side of every
// comparison. Parameters are bound by name (":code") or by position.
class Plain {
public:
    Plain(Database& db, const QString& jetSql) : db_(db) {
        const QByteArray sql = translateJetSql(jetSql).toUtf8();
        if (const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &stmt_, nullptr); rc != SQLITE_OK)
            db.fail(rc);
    }
    ~Plain() { sqlite3_finalize(stmt_); }
    Plain(const Plain&) = delete;
    Plain& operator=(const Plain&) = delete;

    Plain& bind(int position, const QVariant& value) {
        int rc = SQLITE_OK;
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong: rc = sqlite3_bind_int64(stmt_, position, value.toLongLong()); break;
        case QMetaType::Double: rc = sqlite3_bind_double(stmt_, position, value.toDouble()); break;
        case QMetaType::QString: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        default: rc = sqlite3_bind_null(stmt_, position);
        }
        if (rc != SQLITE_OK) db_.fail(rc);
        return *this;
    }
    Plain& bind(const QString& name, const QVariant& value) {
        return bind(sqlite3_bind_parameter_index(stmt_, (':' + name).toUtf8().constData()), value);
    }
    Plain& bind(const Params& params) {
        for (auto it = params.cbegin(); it != params.cend(); ++it) bind(it.key(), it.value());
        return *this;
    }
    Plain& values(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
        return *this;
    }

    // Runs a statement that returns no rows, ready for the next values.
    void run() {
        const int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) db_.fail(rc);
    }

    // Every column of every row read in the engine's own representation,
    // nothing copied out: the floor any cursor over the same rows is measured against.
    int stepThrough() {
        int rows = 0;
        int rc;
        while ((rc = sqlite3_step(stmt_)) == SQLITE_ROW) {
            ++rows;
            for (int i = 0, n = sqlite3_column_count(stmt_); i < n; ++i) {
                switch (sqlite3_column_type(stmt_, i)) {
                case SQLITE_INTEGER: sqlite3_column_int64(stmt_, i); break;
                case SQLITE_FLOAT: sqlite3_column_double(stmt_, i); break;
                case SQLITE_TEXT:
                    sqlite3_column_text(stmt_, i);
                    sqlite3_column_bytes(stmt_, i);
                    break;
                default: break;
                }
            }
        }
        sqlite3_reset(stmt_);
        if (rc != SQLITE_DONE) db_.fail(rc);
        return rows;
    }

    double number(int column) const { return sqlite3_column_double(stmt_, column); }
    QString text(int column) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    }
    bool next() { return sqlite3_step(stmt_) == SQLITE_ROW; }
    void reset() { sqlite3_reset(stmt_); }

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

int stepThrough(Database& db, const QString& jetSql, const Params& params = {}) {
    Plain plain(db, jetSql);
    return plain.bind(params).stepThrough();
}

// One row of the table: an operation as the program does it and the same
// work done by plain statements through the engine.
struct Row {
    QString operation;
    double programMs;
    double engineMs;
};

QString goodsCode(int i) { return QString("SP%1").arg(i, 6, 10, QChar('0')); }
QString supplierCode(int i) { return QString("G%1").arg(i, 5, 10, QChar('0')); }
QString customerCode(int i) { return QString("K%1").arg(i, 5, 10, QChar('0')); }
QString day(int dayOfYear) { return QDate(2026, 1, 1).addDays(dayOfYear).toString("yyyy-MM-dd 00:00:00"); }

constexpr int kLinesPerDocument = 10;
const QString kReceiptFlow = "回收欠帐";

// The synthetic book: categories, goods, suppliers and customers; posted
// stock-in and stock-out documents of ten lines spread over 2026, with
// receipts and payments, each with the ledger rows its posting writes and the
// goods' and parties' balances following them; and month totals in the
// goods ledger up to the number of goods-ledger rows asked for. A book the
// audit finds consistent, built in one transaction of prepared inserts.
class BookBuilder {
public:
    BookBuilder(Database& db, const BenchSizes& sizes)
        : db_(db), sizes_(sizes), stock_(size_t(sizes.goods) + 1), value_(size_t(sizes.goods) + 1),
          supplierDebit_(size_t(sizes.suppliers) + 1), supplierCredit_(size_t(sizes.suppliers) + 1),
          customerDebit_(size_t(sizes.customers) + 1), customerCredit_(size_t(sizes.customers) + 1) {}

    int stockDocuments() const { return std::max(1, sizes_.lines / 2 / kLinesPerDocument); }

    void build() {
        Database::Transaction tx(db_);
        masterData();
        monthTotals();
        documents();
        balances();
        tx.commit();
    }

private:
    // One size slot in use, "均码": every quantity is counted in it.
    void masterData() {
        db_.exec("update System set SLY = 1, SA = '均码'");
        Plain category(db_, "insert into ASPLB (Bm, Mc) values (?, ?)");
        for (int i = 0; i < 20; ++i)
            category.values({QString("%1").arg(i, 2, 10, QChar('0')), QString("类别%1").arg(i, 2, 10, QChar('0'))}).run();
        Plain goods(db_, "insert into ASPKM (Spbm, Spmc, ArtNo, color, Ggxh, Splb, Jldw, Scale, Xsdj, Pfdj) "
                         "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 1; i <= sizes_.goods; ++i)
            goods.values({goodsCode(i), QString("商品%1").arg(qint64(i) * 7919 % sizes_.goods, 6, 10, QChar('0')),
                          QString("A%1").arg(i % 99999, 5, 10, QChar('0')), QString("色%1").arg(i % 9),
                          QString("%1码").arg(36 + i % 8), QString("%1").arg(i % 20, 2, 10, QChar('0')), QString("双"),
                          12, 100.0 + i % 50, 80.0 + i % 40})
                .run();
        for (const auto& [table, count, code] : {std::tuple{"AGYS", sizes_.suppliers, &supplierCode},
                                                 std::tuple{"ABMK", sizes_.customers, &customerCode}}) {
            Plain party(db_, QString("insert into %1 (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) "
                                     "values (?, ?, 0, 0, 0, 0, 0, 0)")
                                 .arg(table));
            for (int i = 1; i <= count; ++i) party.values({(*code)(i), QString("单位%1").arg(i)}).run();
        }
    }

    // What earlier month-ends left in the goods ledger: a month's total
    // rows, with no document number, before this year's movements.
    void monthTotals() {
        Plain total(db_, "insert into ASPMXZM (Spbm, Rq, Zyxx, Rksl, Rkje, Cksl, Ckje) values (?, ?, ?, ?, ?, ?, ?)");
        const int rows = std::max(0, sizes_.ledgerRows - 2 * stockDocuments() * kLinesPerDocument);
        for (int k = 0; k < rows; ++k)
            total.values({goodsCode(k % sizes_.goods + 1), QString("2025-%1-28 00:00:00").arg(k / sizes_.goods % 12 + 1, 2, 10, QChar('0')),
                          k / sizes_.goods % 2 ? QString("本月累计") : QString("本月合计"), 10.0, 500.0, 8.0, 400.0})
                .run();
    }

    void documents() {
        Plain inHeader(db_, "insert into ASPRKD (DJHM, RQ, KHBM, FPHM, Je, NOTE, BZW, RYJZ, RYZD) "
                            "values (?, ?, ?, ?, ?, '进货', '3', ?, '张三')");
        Plain outHeader(db_, "insert into ASPCKD (DJHM, RQ, KHBM, KHMC, Je, NOTE, SKFS, CKLB, BZW, RYJZ, RYZD) "
                             "values (?, ?, ?, ?, ?, '销售', ?, '1', '3', ?, '张三')");
        Plain inLine(db_, "insert into asprkdd (DJHM, FLBH, Spbm, BzLx, SL, DJ, GGDW, JBSL, JBDJ, JE, BZW, slA) "
                          "values (?, ?, ?, 1, ?, ?, '双', ?, ?, ?, '3', ?)");
        Plain outLine(db_, "insert into ASPCKDD (DJHM, FLBH, Spbm, BzLx, SL, DJ, GGDW, JBSL, JBDJ, JE, BZW, slA) "
                           "values (?, ?, ?, 1, ?, ?, '双', ?, ?, ?, '3', ?)");
        Plain goodsLedger(db_, "insert into ASPMXZM (Djhm, Spbm, Rq, Zyxx, GGDW, Rksl, Rkje, Cksl, Ckje, Kcsl, Kcje, Kcjg) "
                               "values (?, ?, ?, ?, '双', ?, ?, ?, ?, ?, ?, ?)");
        Plain salesLedger(db_, "insert into AXSLSZ (Djhm, Spbm, Rq, Zyxx, khmc, sl, dj, je) values (?, ?, ?, '销售', ?, ?, ?, ?)");
        Plain flowLedger(db_, "insert into ABMLSZ (Dwbh, Djhm, Rq, jsfs, spmc, jldw, sl, dj, je) values (?, ?, ?, ?, ?, '双', ?, ?, ?)");
        Plain supplierLedger(db_, "insert into AGYMXZ (Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje) values (?, ?, ?, ?, ?, ?, ?)");
        Plain customerLedger(db_, "insert into ABMMXZ (Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje) values (?, ?, ?, ?, ?, ?, ?)");
        Plain receipt(db_, "insert into ASKD (Djhm, RQ, PJHM, Dwbh, Je, NOTE, BZW, RYJZ, RYZD) values (?, ?, '', ?, ?, '收款', '3', '张三', '张三')");
        Plain payment(db_, "insert into AFKD (Djhm, RQ, PJHM, Dwbh, Je, NOTE, BZW, RYJZ, RYZD) values (?, ?, '', ?, ?, '付款', '3', '张三', '张三')");

        const int documents = stockDocuments();
        int receipts = 0, payments = 0;
        for (int i = 1; i <= documents; ++i) {
            const QString number = documentNumber(i - 1);
            const QString date = day(int(qint64(i - 1) * 365 / documents));
            const QString poster = i % 2 ? "张三" : "李四";

            // A purchase from a supplier.
            const int supplier = i % sizes_.suppliers + 1;
            double total = 0;
            for (int j = 1; j <= kLinesPerDocument; ++j) {
                const int goods = int((qint64(i) * kLinesPerDocument + j) * 7919 % sizes_.goods) + 1;
                const double quantity = 1 + (i + j) % 20, price = 10 + (i * j) % 90, amount = quantity * price;
                inLine.values({number, j, goodsCode(goods), quantity, price, quantity, price, amount, quantity}).run();
                stock_[goods] += quantity;
                value_[goods] += amount;
                goodsLedger.values({"R" + number, goodsCode(goods), date, "进货", quantity, amount, {}, {},
                                    stock_[goods], value_[goods], cost(goods)})
                    .run();
                total += amount;
            }
            inHeader.values({number, date, supplierCode(supplier), number, total, poster}).run();
            supplierDebit_[supplier] += total;
            supplierLedger.values({supplierCode(supplier), number, date, "进货", total, 0.0, supplierBalance(supplier)}).run();

            // A sale to a customer, on account or for cash by turns.
            const int customer = i % sizes_.customers + 1;
            const bool onAccount = i % 2;
            const QString way = onAccount ? stockout::kOnAccount : QString("现金");
            total = 0;
            for (int j = 1; j <= kLinesPerDocument; ++j) {
                const int goods = int(((qint64(i) * kLinesPerDocument + j) * 7919 + 12345) % sizes_.goods) + 1;
                const double quantity = 1 + (i * j) % 5, price = 120 + (i + j) % 80, amount = quantity * price;
                outLine.values({number, j, goodsCode(goods), quantity, price, quantity, price, amount, quantity}).run();
                const double atCost = quantity * cost(goods);
                stock_[goods] -= quantity;
                value_[goods] = stock_[goods] * cost(goods);
                goodsLedger.values({"C" + number, goodsCode(goods), date, "销售", {}, {}, quantity, atCost,
                                    stock_[goods], value_[goods], cost(goods)})
                    .run();
                salesLedger.values({"C" + number, goodsCode(goods), date, QString("单位%1").arg(customer), quantity, price, amount}).run();
                flowLedger.values({customerCode(customer), number, date, way, QString("商品%1").arg(goods), quantity, price, amount}).run();
                total += amount;
            }
            outHeader.values({number, date, customerCode(customer), QString("单位%1").arg(customer), total, way, poster}).run();
            customerDebit_[customer] += total;
            if (!onAccount) customerCredit_[customer] += total;
            customerLedger.values({customerCode(customer), number, date, "销售", total, onAccount ? 0.0 : total,
                                   customerBalance(customer)})
                .run();

            // Every other sale on account is paid in, every other purchase paid for.
            if (i % 4 == 1) {
                const QString paid = documentNumber(receipts++);
                customerCredit_[customer] += total / 2;
                receipt.values({paid, date, customerCode(customer), total / 2}).run();
                customerLedger.values({customerCode(customer), paid, date, "收款", 0.0, total / 2, customerBalance(customer)}).run();
                flowLedger.values({customerCode(customer), paid, date, kReceiptFlow, {}, {}, {}, total / 2}).run();
            }
            if (i % 2 == 0) {
                const QString paid = documentNumber(payments++);
                const double amount = supplierDebit_[supplier] - supplierCredit_[supplier];
                supplierCredit_[supplier] += amount / 2;
                payment.values({paid, date, supplierCode(supplier), amount / 2}).run();
                supplierLedger.values({supplierCode(supplier), paid, date, "付款", 0.0, amount / 2, supplierBalance(supplier)}).run();
            }
        }
        for (const auto& [counter, value] : {std::pair{stockin::kind().counter, documents},
                                             std::pair{stockout::kind().counter, documents},
                                             std::pair{moneydocs::receipt().counter, receipts},
                                             std::pair{moneydocs::payment().counter, payments}})
            db_.exec(QString("update System set [%1] = :n").arg(counter), {{"n", value}});
    }

    // The goods' stock and the parties' balances as their ledgers' last rows leave them.
    void balances() {
        Plain goods(db_, "update ASPKM set Kcsl = ?, kcslA = ?, kcje = ?, kcjg = ? where Spbm = ?");
        for (int i = 1; i <= sizes_.goods; ++i)
            goods.values({stock_[size_t(i)], stock_[size_t(i)], value_[size_t(i)], cost(i), goodsCode(i)}).run();
        for (const auto& [table, count, code, debit, credit] :
             {std::tuple{"AGYS", sizes_.suppliers, &supplierCode, &supplierDebit_, &supplierCredit_},
              std::tuple{"ABMK", sizes_.customers, &customerCode, &customerDebit_, &customerCredit_}}) {
            Plain party(db_, QString("update %1 set bnjf = ?, bndf = ?, jyje = ? where Bm = ?").arg(table));
            for (int i = 1; i <= count; ++i) {
                const double d = (*debit)[size_t(i)], c = (*credit)[size_t(i)];
                party.values({d, c, d - c, (*code)(i)}).run();
            }
        }
    }

    double cost(int goods) const { return stock_[size_t(goods)] != 0 ? value_[size_t(goods)] / stock_[size_t(goods)] : 0; }
    double supplierBalance(int i) const { return supplierDebit_[size_t(i)] - supplierCredit_[size_t(i)]; }
    double customerBalance(int i) const { return customerDebit_[size_t(i)] - customerCredit_[size_t(i)]; }

    Database& db_;
    const BenchSizes& sizes_;
    std::vector<double> stock_, value_;
    std::vector<double> supplierDebit_, supplierCredit_, customerDebit_, customerCredit_;
};

// The first screen of a grid's rows formatted as the grid shows them.
void formatFirstScreen(const RowSet& rows, int screen = 30) {
    for (int row = 0; row < std::min(screen, rows.recordCount()); ++row)
        for (int f = 0; f < rows.fieldCount(); ++f)
            displayformat::format(rows.valueAt(row, f), rows.field(f).displayFormat);
}

const QString kCatalogueSql = "select rowid as [$rowid], * from [ASPKM] order by Spbm";
const QString kGoodsLedgerSql = "select * from aspmxzm\nwhere spbm=:spbm\norder by idno";
const QString kSalesLedgerSql = "select * from axslsz\nwhere spbm=:spbm\norder by idno";

// The goods catalogue as its window opens it (the categories for the name
// column, the goods by code, the first screen formatted), and a title click
// on the name column, which sorts the rows held in memory.
void benchCatalogue(Database& db, QList<Row>& table) {
    std::optional<RowSet> categories, catalogue;
    const double openMs = bestMs(3, [&] {
        catalogue.reset();
        categories.emplace(db);
        catalogue.emplace(db);
        categories->setTable("ASPLB", "Bm");
        categories->open();
        catalogue->setTable("ASPKM", "Spbm");
        catalogue->addLookupField("lbmc", "Splb", &*categories, "Bm", "Mc");
        catalogue->open();
        catalogue->setSort("Spbm  ASC");
        formatFirstScreen(*catalogue);
    });
    const double engineMs = bestMs(3, [&] {
        stepThrough(db, "select * from ASPLB order by Bm");
        stepThrough(db, kCatalogueSql);
    });
    table.append({QString("打开商品档案(%1 种商品)").arg(catalogue->recordCount()), openMs, engineMs});

    bool descending = false;
    const double sortMs = bestMs(3, [&] {
        descending = !descending;
        catalogue->setSort(descending ? "Spmc  DESC" : "Spmc  ASC");
        formatFirstScreen(*catalogue);
    });
    const double engineSortMs = bestMs(3, [&] { stepThrough(db, "select rowid as [$rowid], * from [ASPKM] order by Spmc desc"); });
    table.append({"商品档案点击标题按名称排序", sortMs, engineSortMs});
}

// One goods item's ledgers, the goods ledger and the sales ledger as the
// goods stock query reads them, over a few hundred items.
void benchItemLedgers(Database& db, int goods, QList<Row>& table) {
    const int items = std::min(goods, 200);
    auto code = [&](int k) { return goodsCode(int(qint64(k) * 7907 % goods) + 1); };
    const double programMs = timeMs([&] {
        for (int k = 0; k < items; ++k) {
            RowSet ledger(db), sales(db);
            ledger.setQuery(kGoodsLedgerSql);
            ledger.setParam("spbm", code(k));
            ledger.open();
            sales.setQuery(kSalesLedgerSql);
            sales.setParam("spbm", code(k));
            sales.open();
            formatFirstScreen(ledger);
            formatFirstScreen(sales);
        }
    });
    const double engineMs = timeMs([&] {
        for (int k = 0; k < items; ++k) {
            stepThrough(db, kGoodsLedgerSql, {{"spbm", code(k)}});
            stepThrough(db, kSalesLedgerSql, {{"spbm", code(k)}});
        }
    });
    table.append({"一种商品的保管帐和销售明细帐(平均)", programMs / items, engineMs / items});
}

// Each query of the stock summaries over the year, run by the summary's own
// class alone, next to its statement stepped through.
void benchStockSummaries(Database& db, QList<Row>& table) {
    using stocksummary::Criteria;
    Criteria year;
    year.from = QDate(2026, 1, 1);
    year.to = QDate(2026, 12, 31);
    const stocksummary::Condition condition = stocksummary::condition(year);
    for (const stocksummary::Kind* kind : {&stocksummary::stockIn(), &stocksummary::stockOut()}) {
        for (const stocksummary::Query& query : kind->queries) {
            stocksummary::Kind one = *kind;
            one.queries = {query};
            stocksummary::SummaryRun run(db, one);
            const double programMs = bestMs(2, [&] { run.run(year); });
            const double engineMs =
                bestMs(2, [&] { stepThrough(db, stocksummary::statement(query, condition.text), condition.params); });
            table.append({QString("%1 %2(全年, %3 行)")
                               .arg(kind == &stocksummary::stockIn() ? "入库汇总" : "出库汇总", query.name)
                               .arg(run.rows(0).recordCount()),
                          programMs, engineMs});
        }
    }
}

// The receipt and payment summaries over the year, as their dialog runs them.
void benchMoneySummaries(Database& db, QList<Row>& table) {
    const moneydocs::SummaryRange year{.fromDate = QDate(2026, 1, 1), .toDate = QDate(2026, 12, 31)};
    for (const auto& [name, kind] : {std::pair{"收款汇总", &moneydocs::receiptSummary()},
                                     std::pair{"付款汇总", &moneydocs::paymentSummary()}}) {
        const moneydocs::SummaryStatement statement = moneydocs::summaryStatement(*kind, year);
        int rows = 0;
        const double programMs = bestMs(3, [&] {
            RowSet totals(db);
            totals.setQuery(statement.sql);
            for (auto it = statement.params.cbegin(); it != statement.params.cend(); ++it) totals.setParam(it.key(), it.value());
            totals.open();
            rows = totals.recordCount();
        });
        const double engineMs = bestMs(3, [&] { stepThrough(db, statement.sql, statement.params); });
        table.append({QString("%1(全年, %2 行)").arg(name).arg(rows), programMs, engineMs});
    }
}

// The goods stock query: opening it (goods by code with their category
// names and computed columns, the two ledgers of the first goods item, the
// first screens formatted), and a step from one goods item to the next,
// which reads both ledgers of the new item.
void benchGoodsStock(Database& db, QList<Row>& table) {
    UnattendedPrompter prompter;  // the windows' questions are not asked in a benchmark
    std::optional<queries::GoodsStock> query;
    const double openMs = bestMs(3, [&] {
        query.reset();
        query.emplace(db, prompter);
        query->open();
        for (const RowSet* rows : {&query->dbspk, &query->sqlmxz, &query->sqllsz}) formatFirstScreen(*rows);
    });
    const QString first = query->dbspk.value("spbm").toString();
    const double engineOpenMs = bestMs(3, [&] {
        stepThrough(db, "select * from ASPLB order by Bm");
        stepThrough(db, kCatalogueSql);
        stepThrough(db, kGoodsLedgerSql, {{"spbm", first}});
        stepThrough(db, kSalesLedgerSql, {{"spbm", first}});
    });
    table.append({"打开商品库存查询", openMs, engineOpenMs});

    const int steps = std::min(1000, query->dbspk.recordCount() / 2 - 1);
    const int start = query->dbspk.recordCount() / 2;
    query->dbspk.moveTo(start);
    QStringList codes;
    const double stepsMs = timeMs([&] {
        for (int i = 0; i < steps; ++i) {
            query->dbspk.next();
            codes.append(query->dbspk.value("spbm").toString());
            formatFirstScreen(query->sqlmxz);
            formatFirstScreen(query->sqllsz);
        }
    });
    const double engineStepsMs = timeMs([&] {
        for (const QString& code : codes) {
            stepThrough(db, kGoodsLedgerSql, {{"spbm", code}});
            stepThrough(db, kSalesLedgerSql, {{"spbm", code}});
        }
    });
    table.append({"商品库存查询移到下一种商品(平均)", stepsMs / steps, engineStepsMs / steps});
}

// 100-line documents for posting, unposted, numbered after the book's.
void addUnposted(Database& db, const DocumentKind& kind, int first, int count, int goods) {
    const bool out = kind.headerTable == stockout::kind().headerTable;
    Plain header(db, out ? "insert into ASPCKD (DJHM, RQ, KHBM, KHMC, Je, NOTE, SKFS, CKLB, BZW, RYZD) "
                           "values (?, '2026-12-20 00:00:00', 'K00001', '单位1', 0, '销售', '记帐', '1', '1', '张三')"
                         : "insert into ASPRKD (DJHM, RQ, KHBM, Je, NOTE, BZW, RYZD) "
                           "values (?, '2026-12-20 00:00:00', 'G00001', 0, '进货', '1', '张三')");
    // Stock comes in by the package of twelve; the stock-out window only counts single pieces.
    Plain line(db, QString("insert into [%1] (DJHM, FLBH, Spbm, BzLx, SL, DJ, GGDW, JBSL, JBDJ, JE, BZW, slA) "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, 6.5, ?, '1', ?)")
                       .arg(kind.lineTable));
    Database::Transaction tx(db);
    for (int d = first; d < first + count; ++d) {
        const QString number = documentNumber(d - 1);
        header.values({number}).run();
        for (int j = 1; j <= 100; ++j)
            line.values({number, j, goodsCode(int((qint64(j) * 997 + qint64(d) * 7919) % goods) + 1), out ? 1 : 12,
                         out ? j * 12 : j, out ? 6.5 : 78.0, out ? "双" : "箱(12x)", j * 12, j * 12 * 6.5, j * 12})
                .run();
    }
    db.exec(QString("update System set [%1] = :n").arg(kind.counter), {{"n", first + count - 1}});
    tx.commit();
}

// The same posting written as plain statements, prepared once and run in one
// transaction: the goods updated and read back, the ledger rows inserted,
// the lines and the header marked, the party's balance and its ledger row.
void postPlain(Database& db, const DocumentKind& kind, const QString& number) {
    const bool out = kind.headerTable == stockout::kind().headerTable;
    Database::Transaction tx(db);
    Plain lines(db, QString("select Spbm, JBSL, JE, DJ, GGDW, slA from [%1] where DJHM = ? order by FLBH").arg(kind.lineTable));
    Plain update(db, out ? "update ASPKM set Bycksl = coalesce(Bycksl, 0) + :q, Bncksl = coalesce(Bncksl, 0) + :q, "
                           "Kcsl = coalesce(Kcsl, 0) - :q, kcje = (coalesce(Kcsl, 0) - :q) * coalesce(kcjg, 0), "
                           "kcslA = coalesce(kcslA, 0) - :s, byxsje = coalesce(byxsje, 0) + :je, "
                           "bnxsje = coalesce(bnxsje, 0) + :je, lastckrq = '2026-12-20 00:00:00' where Spbm = :code"
                         : "update ASPKM set Byrksl = coalesce(Byrksl, 0) + :q, Bnrksl = coalesce(Bnrksl, 0) + :q, "
                           "Kcsl = coalesce(Kcsl, 0) + :q, kcslA = coalesce(kcslA, 0) + :s, kcje = coalesce(kcje, 0) + :je, "
                           "kcjg = case when coalesce(Kcsl, 0) + :q <> 0 "
                           "then (coalesce(kcje, 0) + :je) / (coalesce(Kcsl, 0) + :q) else 0 end, "
                           "lastprice = :p, lastrkrq = '2026-12-20 00:00:00' where Spbm = :code");
    Plain goods(db, "select Kcsl, kcje, kcjg, Spmc, ArtNo, color, Jldw from ASPKM where Spbm = ?");
    Plain ledger(db, "insert into ASPMXZM (Djhm, Spbm, Rq, Zyxx, GGDW, Rksl, Rkje, Cksl, Ckje, Kcsl, Kcje, Kcjg, slA) "
                     "values (?, ?, '2026-12-20 00:00:00', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    Plain sales(db, "insert into AXSLSZ (Djhm, Spbm, Rq, Zyxx, khmc, sl, dj, je, slA) "
                    "values (?, ?, '2026-12-20 00:00:00', '销售', '单位1', ?, ?, ?, ?)");
    Plain flow(db, "insert into ABMLSZ (Dwbh, Djhm, Rq, jsfs, spmc, artno, color, jldw, sl, dj, je, slA) "
                   "values ('K00001', ?, '2026-12-20 00:00:00', '记帐', ?, ?, ?, ?, ?, ?, ?, ?)");
    struct Line {
        QString code, unit;
        double quantity, amount, price, slot;
    };
    QList<Line> read;
    lines.bind(1, number);
    while (lines.next())
        read.append({lines.text(0), lines.text(4), lines.number(1), lines.number(2), lines.number(3), lines.number(5)});
    lines.reset();
    const QString prefixed = kind.ledgerPrefix + number;
    double total = 0;
    for (const Line& l : read) {
        update.bind({{"q", l.quantity}, {"je", l.amount}, {"s", l.slot}, {"code", l.code}});
        if (!out) update.bind("p", l.price);
        update.run();
        goods.bind(1, l.code);
        goods.next();
        const double stock = goods.number(0), value = goods.number(1), cost = goods.number(2);
        const QString name = goods.text(3), article = goods.text(4), colour = goods.text(5), unit = goods.text(6);
        goods.reset();
        ledger.values({prefixed, l.code, out ? "销售" : "进货", l.unit, out ? QVariant() : l.quantity,
                       out ? QVariant() : l.amount, out ? l.quantity : QVariant(), out ? l.quantity * cost : QVariant(),
                       stock, value, cost, l.slot})
            .run();
        if (out) {
            sales.values({prefixed, l.code, l.quantity, l.price, l.amount, l.slot}).run();
            flow.values({number, name, article, colour, unit, l.quantity, l.price, l.amount, l.slot}).run();
        }
        total += l.amount;
    }
    Plain(db, QString("update [%1] set BZW = '3' where DJHM = ?").arg(kind.lineTable)).values({number}).run();
    Plain(db, QString("update [%1] set BZW = '3', RYJZ = 'bench', Je = ? where DJHM = ?").arg(kind.headerTable))
        .values({total, number})
        .run();
    const QString party = out ? "ABMK" : "AGYS";
    const QString code = out ? "K00001" : "G00001";
    Plain(db, QString("update %1 set byjf = coalesce(byjf, 0) + ?, bnjf = coalesce(bnjf, 0) + ?, "
                      "jyje = coalesce(jyje, 0) + ? where Bm = ?").arg(party))
        .values({total, total, total, code})
        .run();
    Plain balance(db, QString("select jyje from %1 where Bm = ?").arg(party));
    balance.bind(1, code);
    balance.next();
    const double jyje = balance.number(0);
    balance.reset();
    Plain(db, QString("insert into %1 (Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje) "
                      "values (?, ?, '2026-12-20 00:00:00', ?, ?, 0, ?)").arg(out ? "ABMMXZ" : "AGYMXZ"))
        .values({code, number, out ? "销售" : "进货", total, jyje})
        .run();
    tx.commit();
}

// 100-line documents posted by the posting service and, on copies of them,
// by the same statements written plainly; the fastest of a few of each.
void benchPosting(Database& db, int goods, int bookDocuments, QList<Row>& table) {
    const int runs = 3;
    for (const DocumentKind* kind : {&stockin::kind(), &stockout::kind()}) {
        const int first = bookDocuments + 1;
        addUnposted(db, *kind, first, 2 * runs, goods);
        double programMs = -1, engineMs = -1;
        for (int r = 0; r < runs; ++r) {
            const double p = timeMs([&] {
                const posting::Result result = posting::post(db, *kind, documentNumber(first + 2 * r - 1), "bench");
                if (!result.posted()) throw DbError(DbError::Kind::Other, "性能测试的单据未能记帐: " + result.message);
            });
            const double e = timeMs([&] { postPlain(db, *kind, documentNumber(first + 2 * r)); });
            programMs = programMs < 0 ? p : std::min(programMs, p);
            engineMs = engineMs < 0 ? e : std::min(engineMs, e);
        }
        table.append({kind == &stockin::kind() ? "100 行入库单记帐" : "100 行出库单记帐", programMs, engineMs});
    }
}

// Month-end with its backup: the service (checks, the eight inserts, the
// copy and the state in one unit, the copy renamed into place) next to the
// same eight inserts and a copy made by plain statements, each run on the
// book as it was.
void benchMonthEnd(Database& db, const QString& workingDirectory, QList<Row>& table) {
    const QDate date(2026, 12, 31);
    const QString copy = paths::resolve(workingDirectory, "data\\plain.MDB");
    // Back to the book before the month-end: its rows, the state, no copies.
    auto undo = [&] {
        for (const char* ledger : {"aspmxzm", "axslsz", "abmmxz", "agymxz"})
            db.exec(QString("delete from %1 where zyxx in ('本月合计', '本月累计') and Rq = :d").arg(ledger),
                    {{"d", date.toString("yyyy-MM-dd 00:00:00")}});
        period::setWorkState(db, "1");
        QFile::remove(copy);
        QFile::remove(period::MonthEnd(db, workingDirectory, date).backupPath());
    };
    const QStringList inserts = period::MonthEnd::summaryStatements();
    const QString attach = QString("attach database '%1' as plain key '%2'").arg(copy, Database::kKey);
    const int runs = 2;
    double engineMs = -1, programMs = -1;
    for (int run = 0; run < runs; ++run) {
        undo();
        // As the service orders it: the copy attached without a journal, the
        // inserts and the export in one transaction, committed together.
        const double e = timeMs([&] {
            // The connection creates no files: the copy starts as an empty one.
            QFile(copy).open(QIODevice::WriteOnly);
            Plain(db, attach).run();
            Plain(db, "pragma plain.journal_mode = off").stepThrough();
            {
                Database::Transaction tx(db);
                for (const QString& sql : inserts) Plain(db, sql).bind("xrq", date.toString("yyyy-MM-dd 00:00:00")).run();
                Plain(db, "select sqlcipher_export('plain')").stepThrough();
                tx.commit();
            }
            Plain(db, "detach database plain").run();
        });
        undo();
        const double p = timeMs([&] { period::MonthEnd(db, workingDirectory, date).run(true); });
        engineMs = engineMs < 0 ? e : std::min(engineMs, e);
        programMs = programMs < 0 ? p : std::min(programMs, p);
    }
    undo();
    table.append({"月末数据处理(含数据库备份)", programMs, engineMs});
}

// The audit next to its reads stepped through: the documents and their
// lines, the goods' and parties' balances and ledgers' last rows, the ledger
// rows grouped by document, the codes and the counters.
void benchAudit(Database& db, QList<Row>& table) {
    int findings = 0;
    const double programMs = timeMs([&] { findings = int(audit::run(db).findings.size()); });
    QStringList reads;
    for (const DocumentKind* kind : {&stockin::kind(), &stockout::kind(), &moneydocs::receipt(), &moneydocs::payment()}) {
        reads.append(QString("select [%1], [%2], BZW, Je from [%3]").arg(kind->numberField, kind->partyField, kind->headerTable));
        reads.append(QString("select Bm from [%1]").arg(kind->partyTable));
        if (kind->lineTable.isEmpty()) continue;
        reads.append(QString("select DJHM, Spbm, count(*) from [%1] group by DJHM, Spbm").arg(kind->lineTable));
        reads.append(QString("select DJHM, FLBH, Spbm, BZW, JE from [%1] order by DJHM, FLBH").arg(kind->lineTable));
    }
    reads.append("select Spbm, Kcsl, kcje, kcjg from ASPKM order by Spbm");
    reads.append("select Spbm from ASPKM");
    for (const char* party : {"ABMK", "AGYS"}) reads.append(QString("select Bm, ncye, bnjf, bndf, jyje from [%1] order by Bm").arg(party));
    for (const auto& [ledger, key, balances] : {std::tuple{"ASPMXZM", "Spbm", "Kcsl, Kcje, Kcjg"},
                                                std::tuple{"ABMMXZ", "Dwbh", "Jyje"}, std::tuple{"AGYMXZ", "Dwbh", "Jyje"}}) {
        reads.append(QString("select [%1], Djhm, Zyxx, %2 from [%3] where Djhm is not null or Zyxx = '上期结转' order by Idno")
                         .arg(key, balances, ledger));
        reads.append(QString("select distinct [%1] from [%2] where Djhm is null and Zyxx = '上期结转'").arg(key, ledger));
    }
    for (const auto& [ledger, key] : {std::pair{"ASPMXZM", "Spbm"}, std::pair{"AXSLSZ", "Spbm"}, std::pair{"ABMLSZ", "Dwbh"},
                                      std::pair{"ABMMXZ", "Dwbh"}, std::pair{"AGYMXZ", "Dwbh"}})
        reads.append(QString("select Djhm, [%1], count(*), min(Idno) from [%2] where Djhm is not null "
                             "group by Djhm, [%1] order by min(Idno)").arg(key, ledger));
    reads.append("select * from System");
    reads.append("select DJHM from AOrders");
    const double engineMs = timeMs([&] {
        for (const QString& sql : reads) stepThrough(db, sql);
    });
    table.append({QString("帐套一致性检查(%1 处问题)").arg(findings), programMs, engineMs});
}

QString figure(double ms) { return QString::number(ms, 'f', ms < 10 ? 2 : ms < 100 ? 1 : 0); }

}  // namespace

int runBenchmark(const QString& workingDirectory, const BenchSizes& sizes, QTextStream& out) {
    QDir(workingDirectory).mkpath("DATA");
    const QString file = paths::databaseFile(workingDirectory);
    schema::createDatabase(file, "bench");
    Database db;
    db.open(file);

    BookBuilder book(db, sizes);
    const double buildMs = timeMs([&] { book.build(); });
    const auto count = [&](const char* table) { return db.scalar(QString("select count(*) from %1").arg(table)).toInt(); };
    out << QString("帐套: %1 种商品, %2 个客户, %3 个供应商, %4 行已记帐分录(%5 张入库单和出库单, 2026 全年), "
                   "%6 行商品保管帐, %7 张收款单和付款单; 建立用时 %8 ms\n\n")
               .arg(count("ASPKM"))
               .arg(count("ABMK"))
               .arg(count("AGYS"))
               .arg(count("asprkdd") + count("ASPCKDD"))
               .arg(count("ASPRKD") + count("ASPCKD"))
               .arg(count("ASPMXZM"))
               .arg(count("ASKD") + count("AFKD"))
               .arg(buildMs, 0, 'f', 0);
    out.flush();

    QList<Row> table;
    benchCatalogue(db, table);
    benchItemLedgers(db, sizes.goods, table);
    benchStockSummaries(db, table);
    benchMoneySummaries(db, table);
    benchGoodsStock(db, table);
    benchPosting(db, sizes.goods, book.stockDocuments(), table);
    benchAudit(db, table);
    benchMonthEnd(db, workingDirectory, table);

    out << "| 操作 | 程序 ms | 引擎 ms | 比值 |\n|---|---:|---:|---:|\n";
    for (const Row& row : table)
        out << QString("| %1 | %2 | %3 | %4 |\n")
                   .arg(row.operation, figure(row.programMs), figure(row.engineMs),
                        QString::number(row.programMs / row.engineMs, 'f', 2));
    out << QString("\n常驻内存 VmRSS %1 MB, 峰值 VmHWM %2 MB\n").arg(memoryMb("VmRSS"), 0, 'f', 0).arg(memoryMb("VmHWM"), 0, 'f', 0);
    return 0;
}
