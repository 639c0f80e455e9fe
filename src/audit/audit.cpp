#include "audit/audit.h"

#include "database/schema.h"
#include "moneydocs/moneydocs.h"
#include "stockdocs/stockin.h"
#include "stockdocs/stockout.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <map>

namespace audit {
namespace {

// Money to half a cent; quantities are counted, so only rounding noise passes.
constexpr double kMoney = 0.005;
constexpr double kQuantity = 1e-6;

// The period routines' rows carry no document number. Of them, only the
// brought-forward row starts a balance: month totals and years to date copy
// whatever the item or party holds at month-end, so ending a comparison there
// would bless a balance typed over before the month closed.
const QString kBroughtForward = "上期结转";
// A receipt's row in the customer flow ledger; stock-out lines carry their way of sale.
const QString kReceiptFlow = "回收欠帐";

QString num(double value) {
    QString text = QString::number(value, 'f', 4);
    if (text.contains('.')) {
        while (text.endsWith('0')) text.chop(1);
        if (text.endsWith('.')) text.chop(1);
    }
    return text == "-0" ? "0" : text;
}

bool differs(double expected, double found, double tolerance) { return std::abs(expected - found) > tolerance; }

// A kind of posted document as the audit sees it: its tables, its party and
// the ledgers its posting writes.
struct Kind {
    QString word;         // 入库单
    QString header;       // ASPRKD
    QString lines;        // asprkdd; empty for receipts and payments
    QString number;       // DJHM or Djhm
    QString partyTable;   // AGYS
    QString partyField;   // KHBM or Dwbh
    QString partyWord;    // 供应商
    QString partyLedger;  // AGYMXZ
    QString counter;      // Ykrkdh
    QString goodsPrefix;  // "R", "C"; empty for money documents
};

Kind auditedKind(const DocumentKind& k, const QString& word, const QString& partyLedger) {
    return {word, k.headerTable, k.lineTable, k.numberField, k.partyTable, k.partyField, k.partyWord, partyLedger,
            k.counter, k.ledgerPrefix};
}

struct Header {
    QString party, status;
    double je = 0;
    QDateTime date;
};

// What a kind's documents hold: headers by number, and per document the
// number of lines of each goods item.
struct Documents {
    QHash<QString, Header> headers;
    QHash<QString, std::map<QString, int>> lineGoods;
    QHash<QString, int> lineCount;
};

// Ledger rows that carry one document number, gathered by the number and by
// the goods item (goods ledgers) or the party (party ledgers).
struct LedgerGroup {
    QString number, key;
    int count = 0;
    qint64 idno = 0;  // the first of the rows
};

class Auditor {
public:
    explicit Auditor(Database& db) : db_(db) {
        kinds_ = {auditedKind(stockin::kind(), "入库单", "AGYMXZ"),
                  auditedKind(stockout::kind(), "出库单", "ABMMXZ"),
                  auditedKind(moneydocs::receipt(), "收款单", "ABMMXZ"),
                  auditedKind(moneydocs::payment(), "付款单", "AGYMXZ")};
    }

    Report run() {
        for (const Kind& kind : kinds_) documents_.insert(kind.word, readDocuments(kind));
        checkGoods();
        checkParty("ABMK", "ABMMXZ", "客户");
        checkParty("AGYS", "AGYMXZ", "供应商");
        for (const Kind& kind : kinds_) checkDocuments(kind);
        checkLedgers();
        checkCounters();
        std::stable_sort(report_.findings.begin(), report_.findings.end(),
                         [](const Finding& a, const Finding& b) { return a.group < b.group; });
        return report_;
    }

private:
    void add(Group group, const QString& text) { report_.findings.append({group, text}); }

    const Kind& kind(const QString& word) const {
        return *std::find_if(kinds_.begin(), kinds_.end(), [&](const Kind& k) { return k.word == word; });
    }

    Documents readDocuments(const Kind& kind) {
        Documents docs;
        Statement headers(db_,
                          QString("select [%1], [%2], BZW, Je, RQ from [%3]").arg(kind.number, kind.partyField, kind.header));
        while (headers.next())
            docs.headers.insert(headers.value(0).toString(),
                                {headers.value(1).toString(), headers.value(2).toString(), headers.value(3).toDouble(),
                                 headers.value(4).toDateTime()});
        if (kind.lines.isEmpty()) return docs;
        Statement lines(db_, QString("select DJHM, Spbm, count(*) from [%1] group by DJHM, Spbm").arg(kind.lines));
        while (lines.next()) {
            const QString number = lines.value(0).toString();
            docs.lineGoods[number][lines.value(1).toString()] = lines.value(2).toInt();
            docs.lineCount[number] += lines.value(2).toInt();
        }
        return docs;
    }

    QSet<QString> codes(const QString& table, const QString& column) {
        QSet<QString> all;
        Statement st(db_, QString("select [%1] from [%2]").arg(column, table));
        while (st.next()) all.insert(st.value(0).toString());
        return all;
    }

    // The last movement or brought-forward row of each goods item or party:
    // its document number (or the summary text) and the balance columns.
    QHash<QString, QPair<QString, QList<double>>> lastRows(const QString& ledger, const QString& keyColumn,
                                                           const QStringList& columns) {
        QHash<QString, QPair<QString, QList<double>>> last;
        Statement st(db_, QString("select [%1], Djhm, Zyxx, %2 from [%3] where Djhm is not null or Zyxx = :bf order by Idno")
                              .arg(keyColumn, columns.join(", "), ledger),
                     {{"bf", kBroughtForward}});
        while (st.next()) {
            QList<double> values;
            for (int i = 0; i < columns.size(); ++i) values.append(st.value(3 + i).toDouble());
            const QString label = st.value(1).isNull() ? st.value(2).toString() : st.value(1).toString();
            last.insert(st.value(0).toString(), {label, values});
        }
        return last;
    }

    void checkGoods() {
        const int inUse = std::clamp(db_.scalar("select SLY from System").toInt(), 0, 16);
        const QStringList slotColumns = schema::sizeSlotColumns("kcsl").mid(0, inUse);
        const auto last = lastRows("ASPMXZM", "Spbm", {"Kcsl", "Kcje", "Kcjg"});
        Statement st(db_, QString("select Spbm, Kcsl, kcje, kcjg%1 from ASPKM order by Spbm")
                              .arg(slotColumns.isEmpty() ? QString() : ", " + slotColumns.join(", ")));
        while (st.next()) {
            const QString code = st.value(0).toString();
            const double kcsl = st.value(1).toDouble(), kcje = st.value(2).toDouble(), kcjg = st.value(3).toDouble();
            if (const auto row = last.constFind(code); row != last.cend()) {
                const QStringList names{"Kcsl", "kcje", "kcjg"};
                const QList<double> found{kcsl, kcje, kcjg};
                for (int i = 0; i < 3; ++i)
                    if (differs(row->second[i], found[i], i == 0 ? kQuantity : kMoney))
                        add(Group::Goods, QString("商品 %1: %2 应为 %3(商品保管帐末行 %4)，实为 %5")
                                              .arg(code, names[i], num(row->second[i]), row->first, num(found[i])));
            }
            if (std::abs(kcsl) > kQuantity && differs(kcje, kcsl * kcjg, kMoney))
                add(Group::Goods, QString("商品 %1: kcjg 应为 %2(kcje %3 / Kcsl %4)，实为 %5")
                                      .arg(code, num(kcje / kcsl), num(kcje), num(kcsl), num(kcjg)));
            double sum = 0;
            for (int i = 0; i < slotColumns.size(); ++i) sum += st.value(4 + i).toDouble();
            if (differs(kcsl, sum, kQuantity))
                add(Group::Goods,
                    QString("商品 %1: 在用尺码合计应为 %2(Kcsl)，实为 %3").arg(code, num(kcsl), num(sum)));
        }
    }

    void checkParty(const QString& table, const QString& ledger, const QString& word) {
        const auto last = lastRows(ledger, "Dwbh", {"Jyje"});
        Statement st(db_, QString("select Bm, ncye, bnjf, bndf, jyje from [%1] order by Bm").arg(table));
        while (st.next()) {
            const QString code = st.value(0).toString();
            const double jyje = st.value(4).toDouble();
            if (const auto row = last.constFind(code); row != last.cend() && differs(row->second[0], jyje, kMoney))
                add(Group::Parties, QString("%1 %2: jyje 应为 %3(%4末行 %5)，实为 %6")
                                        .arg(word, code, num(row->second[0]), ledger, row->first, num(jyje)));
            const double ncye = st.value(1).toDouble(), bnjf = st.value(2).toDouble(), bndf = st.value(3).toDouble();
            if (differs(ncye + bnjf - bndf, jyje, kMoney))
                add(Group::Parties, QString("%1 %2: jyje 应为 %3(ncye %4 + bnjf %5 − bndf %6)，实为 %7(手工改过余额?)")
                                        .arg(word, code, num(ncye + bnjf - bndf), num(ncye), num(bnjf), num(bndf),
                                             num(jyje)));
        }
    }

    void checkDocuments(const Kind& kind) {
        const Documents& docs = documents_[kind.word];
        const QSet<QString> parties = codes(kind.partyTable, "Bm");
        QStringList numbers = docs.headers.keys();
        numbers.sort();
        for (const QString& number : numbers) {
            const Header& h = docs.headers[number];
            if (!parties.contains(h.party))
                add(Group::Documents, QString("%1 %2: %3 %4 不存在").arg(kind.word, number, kind.partyWord, h.party));
        }
        if (kind.lines.isEmpty()) return;

        const QSet<QString> goods = codes("ASPKM", "Spbm");
        QHash<QString, double> totals;
        Statement lines(db_, QString("select DJHM, FLBH, Spbm, BZW, JE from [%1] order by DJHM, FLBH").arg(kind.lines));
        while (lines.next()) {
            const QString number = lines.value(0).toString();
            const QString where = QString("%1 %2 第 %3 行").arg(kind.word, number, lines.value(1).toString());
            const QString status = lines.value(3).toString();
            totals[number] += lines.value(4).toDouble();
            const auto header = docs.headers.constFind(number);
            if (header == docs.headers.cend())
                add(Group::Documents, where + ": 单据头不存在");
            else if (header->status == "3" && status != "3")
                add(Group::Documents, QString("%1: 单据已记帐，分录 BZW 应为 \"3\"，实为 \"%2\"").arg(where, status));
            else if (header->status != "3" && status == "3")
                add(Group::Documents, QString("%1: 分录已记帐，单据头 BZW 实为 \"%2\"").arg(where, header->status));
            if (!goods.contains(lines.value(2).toString()))
                add(Group::Documents, QString("%1: 商品 %2 不存在").arg(where, lines.value(2).toString()));
        }
        for (const QString& number : numbers) {
            const Header& h = docs.headers[number];
            if (h.status != "3") continue;
            if (!docs.lineCount.contains(number))
                add(Group::Documents, QString("%1 %2: 单据已记帐，没有分录").arg(kind.word, number));
            else if (differs(totals[number], h.je, kMoney))
                add(Group::Documents, QString("%1 %2: Je 应为 %3(各分录 JE 合计)，实为 %4")
                                          .arg(kind.word, number, num(totals[number]), num(h.je)));
        }
    }

    QList<LedgerGroup> ledgerGroups(const QString& ledger, const QString& keyColumn, const QString& condition,
                                     const Params& params = {}) {
        QList<LedgerGroup> groups;
        Statement st(db_, QString("select Djhm, [%1], count(*), min(Idno) from [%2] where Djhm is not null%3 "
                                  "group by Djhm, [%1] order by min(Idno)")
                              .arg(keyColumn, ledger, condition.isEmpty() ? QString() : " and " + condition),
                     params);
        while (st.next())
            groups.append({st.value(0).toString(), st.value(1).toString(), st.value(2).toInt(), st.value(3).toLongLong()});
        return groups;
    }

    // Ledger rows of one kind of document against the documents still in the
    // book: each points at a posted document (of the same party, for party
    // ledgers), and each posted document has the rows its posting writes —
    // one per line of each goods item, one per line, or one per document.
    enum class Rows { PerGoodsLine, PerLine, PerDocument };
    // Ledger generation restarts a detail ledger from the current balances,
    // dropping the rows of documents still in the book: an item or party whose
    // ledger was restarted is not asked for rows of documents dated up to the
    // restart (the business date it ran on); later ones posted after it.
    void matchLedger(const Kind& kind, const QString& ledger, const QList<LedgerGroup>& groups, Rows rows,
                     const QString& prefix = {}) {
        const QHash<QString, QDateTime> restarted = restartedKeys(ledger);
        auto owesRows = [&restarted](const QString& key, const Header& header) {
            const auto restart = restarted.constFind(key);
            return restart == restarted.cend() || header.date > *restart;
        };
        Documents& docs = documents_[kind.word];
        QSet<QString> seen;
        for (const LedgerGroup& g : groups) {
            const QString number = g.number.mid(prefix.size());
            noteNumber(kind.word, number);
            const auto header = docs.headers.constFind(number);
            if (header == docs.headers.cend()) continue;  // deleted at a month start; the ledger keeps the history
            const QString where = QString("%1 Idno %2 (%3 %4)").arg(ledger).arg(g.idno).arg(g.number, g.key);
            if (header->status != "3") {
                add(Group::Ledgers, QString("%1: 指向的%2 %3 未记帐(BZW \"%4\")").arg(where, kind.word, number, header->status));
                continue;
            }
            if (rows != Rows::PerGoodsLine && g.key != header->party) {
                add(Group::Ledgers,
                    QString("%1: 指向的%2 %3 属于%4 %5").arg(where, kind.word, number, kind.partyWord, header->party));
                continue;
            }
            seen.insert(number + '\n' + (rows == Rows::PerGoodsLine ? g.key : QString()));
            int expected = 1;
            if (rows == Rows::PerLine) expected = docs.lineCount.value(number);
            if (rows == Rows::PerGoodsLine) {
                const auto& goods = docs.lineGoods[number];
                const auto it = goods.find(g.key);
                expected = it == goods.end() ? 0 : it->second;
            }
            if (expected != g.count)
                add(Group::Ledgers, QString("%1 %2%3: %4 应有 %5 行，实有 %6 行")
                                        .arg(kind.word, number, rows == Rows::PerGoodsLine ? " 商品 " + g.key : QString(),
                                             ledger)
                                        .arg(expected)
                                        .arg(g.count));
        }
        QStringList numbers = docs.headers.keys();
        numbers.sort();
        for (const QString& number : numbers) {
            if (docs.headers[number].status != "3") continue;
            if (rows == Rows::PerGoodsLine) {
                for (const auto& [code, count] : docs.lineGoods.value(number))
                    if (!seen.contains(number + '\n' + code) && owesRows(code, docs.headers[number]))
                        add(Group::Ledgers, QString("%1 %2 商品 %3: %4 应有 %5 行，实有 0 行")
                                                .arg(kind.word, number, code, ledger)
                                                .arg(count));
            } else if (const int owed = rows == Rows::PerLine ? docs.lineCount.value(number) : 1;
                       owed > 0 && !seen.contains(number + '\n') &&
                       owesRows(docs.headers[number].party, docs.headers[number])) {
                // A posted document without lines owes no line rows: "没有分录" tells of it.
                add(Group::Ledgers, QString("%1 %2: %3 应有 %4 行，实有 0 行").arg(kind.word, number, ledger).arg(owed));
            }
        }
    }

    // The latest restart of each goods item's or party's ledger.
    QHash<QString, QDateTime> restartedKeys(const QString& ledger) {
        QHash<QString, QDateTime> keys;
        if (ledger != "ASPMXZM" && ledger != "ABMMXZ" && ledger != "AGYMXZ") return keys;
        Statement st(db_, QString("select [%1], Rq from [%2] where Djhm is null and Zyxx = :bf")
                              .arg(ledger == "ASPMXZM" ? "Spbm" : "Dwbh", ledger),
                     {{"bf", kBroughtForward}});
        while (st.next()) {
            QDateTime& latest = keys[st.value(0).toString()];
            latest = std::max(latest, st.value(1).toDateTime());
        }
        return keys;
    }

    void checkLedgers() {
        const Kind& in = kind("入库单");
        const Kind& out = kind("出库单");
        // Goods ledgers: the number's first letter names the kind.
        for (const QString& ledger : {QString("ASPMXZM"), QString("AXSLSZ")}) {
            QList<LedgerGroup> ins, outs;
            for (const LedgerGroup& g : ledgerGroups(ledger, "Spbm", {})) {
                if (g.number.startsWith(out.goodsPrefix))
                    outs.append(g);
                else if (ledger == "ASPMXZM" && g.number.startsWith(in.goodsPrefix))
                    ins.append(g);
                else
                    add(Group::Ledgers, QString("%1 Idno %2 (%3 %4): 单据号不是%5的号码")
                                            .arg(ledger).arg(g.idno)
                                            .arg(g.number, g.key,
                                                 ledger == "ASPMXZM" ? QString("入库单(R…)或出库单(C…)")
                                                                     : QString("出库单(C…)")));
            }
            if (ledger == "ASPMXZM") matchLedger(in, ledger, ins, Rows::PerGoodsLine, in.goodsPrefix);
            matchLedger(out, ledger, outs, Rows::PerGoodsLine, out.goodsPrefix);
        }
        // The customer flow ledger: receipts by their business text, stock-out lines by their way of sale.
        matchLedger(out, "ABMLSZ", ledgerGroups("ABMLSZ", "Dwbh", "coalesce(jsfs, '') <> :r", {{"r", kReceiptFlow}}),
                    Rows::PerLine);
        matchLedger(kind("收款单"), "ABMLSZ", ledgerGroups("ABMLSZ", "Dwbh", "jsfs = :r", {{"r", kReceiptFlow}}),
                    Rows::PerDocument);
        // Party detail ledgers: money documents enter the credit side alone.
        const QString money = "coalesce(Jfje, 0) = 0 and coalesce(Dfje, 0) <> 0";
        matchLedger(out, "ABMMXZ", ledgerGroups("ABMMXZ", "Dwbh", "not (" + money + ")"), Rows::PerDocument);
        matchLedger(kind("收款单"), "ABMMXZ", ledgerGroups("ABMMXZ", "Dwbh", money), Rows::PerDocument);
        matchLedger(in, "AGYMXZ", ledgerGroups("AGYMXZ", "Dwbh", "not (" + money + ")"), Rows::PerDocument);
        matchLedger(kind("付款单"), "AGYMXZ", ledgerGroups("AGYMXZ", "Dwbh", money), Rows::PerDocument);
    }

    // The highest number of a kind used anywhere: in its documents or in the
    // ledgers, which keep numbers after month-start has deleted the documents.
    void noteNumber(const QString& word, const QString& number) {
        bool ok = false;
        const qint64 value = number.toLongLong(&ok);
        if (!ok) return;
        auto& [highest, text] = highest_[word];
        if (value > highest) {
            highest = value;
            text = number;
        }
    }

    void checkCounter(const QString& counter, const QString& word, qint64 value) {
        const auto [highest, number] = highest_.value(word);
        if (highest > value)
            add(Group::Counters, QString("计数器 %1: 应不小于 %2(%3 %4)，实为 %5")
                                     .arg(counter)
                                     .arg(highest)
                                     .arg(word, number)
                                     .arg(value));
    }

    void checkCounters() {
        const QList<QVariantList> system = db_.rows("select * from System");
        if (system.isEmpty()) {
            add(Group::Counters, "System: 没有系统参数行");
            return;
        }
        for (const Kind& kind : kinds_) {
            for (const QString& number : documents_[kind.word].headers.keys()) noteNumber(kind.word, number);
            checkCounter(kind.counter, kind.word, db_.scalar(QString("select [%1] from System").arg(kind.counter)).toLongLong());
        }
        Statement orders(db_, "select DJHM from AOrders");
        while (orders.next()) noteNumber("定单", orders.value(0).toString());
        checkCounter("LastOrder", "定单", db_.scalar("select LastOrder from System").toLongLong());
        const QString state = db_.scalar("select Sys2 from System").toString();
        if (state != "0" && state != "1" && state != "2")
            add(Group::Counters, QString("工作状态 Sys2: 应为 \"0\"、\"1\" 或 \"2\"，实为 \"%1\"").arg(state));
    }

    Database& db_;
    QList<Kind> kinds_;
    QHash<QString, Documents> documents_;
    QHash<QString, QPair<qint64, QString>> highest_;
    Report report_;
};

}  // namespace

QString groupTitle(Group group) {
    switch (group) {
    case Group::Goods: return "商品库存";
    case Group::Parties: return "往来单位";
    case Group::Documents: return "单据";
    case Group::Ledgers: return "帐簿";
    case Group::Counters: return "计数器与工作状态";
    }
    return {};
}

QStringList Report::lines() const {
    QStringList out;
    for (int i = 0; i < findings.size(); ++i) {
        if (i == 0 || findings[i].group != findings[i - 1].group) {
            const Group group = findings[i].group;
            const auto count = std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.group == group; });
            out.append(QString("【%1】%2 处").arg(groupTitle(group)).arg(count));
        }
        out.append("  " + findings[i].text);
    }
    out.append(summary());
    return out;
}

QString Report::summary() const {
    return clean() ? QString("帐套一致，未发现问题") : QString("共发现 %1 处不一致").arg(findings.size());
}

Report run(Database& db) { return Auditor(db).run(); }

}  // namespace audit
