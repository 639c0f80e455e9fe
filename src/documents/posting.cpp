#include "documents/posting.h"

#include "database/schema.h"

#include <cmath>

PostedRow::PostedRow(const Statement& row) {
    for (int i = 0; i < row.columnCount(); ++i) values_.insert(row.columnName(i).toLower(), row.value(i));
}

void PostingRun::insert(const QString& table, const QList<QPair<QString, QVariant>>& values) {
    QStringList names, markers;
    Params params;
    for (const auto& [column, value] : values) {
        const QString param = QString("p%1").arg(params.size());
        names.append('[' + column + ']');
        markers.append(':' + param);
        params.insert(param, value.typeId() == QMetaType::QString
                                 ? QVariant(schema::fitText(table, column, value.toString()))
                                 : value);
    }
    db.exec(QString("insert into [%1] (%2) values (%3)").arg(table, names.join(", "), markers.join(", ")), params);
}

PostedRow PostingRun::goods(const QString& code) {
    Statement row(db, "select Kcsl, kcje, kcjg, Spmc, ArtNo, color, Jldw from ASPKM where Spbm = :code", {{"code", code}});
    return row.next() ? PostedRow(row) : PostedRow();
}

namespace posting {
namespace {

QList<PostedRow> readRows(Database& db, const QString& sql, const Params& params) {
    QList<PostedRow> rows;
    Statement st(db, sql, params);
    while (st.next()) rows.append(PostedRow(st));
    return rows;
}

// The codes the document names that are no longer in the book: its party and
// the goods of the lines still to apply.
QStringList missingCodes(const PostingRun& run) {
    QStringList missing;
    const QString party = run.partyCode();
    if (!run.db.scalar(QString("select count(*) from [%1] where Bm = :code").arg(run.kind.partyTable), {{"code", party}})
             .toInt())
        missing.append(QString("%1 %2").arg(run.kind.partyWord, party));
    QStringList goods;
    for (const PostedRow& line : run.lines) {
        const QString code = line.text("Spbm");
        if (goods.contains(code)) continue;
        if (!run.db.scalar("select count(*) from ASPKM where Spbm = :code", {{"code", code}}).toInt()) goods.append(code);
    }
    if (!goods.isEmpty()) missing.append("商品 " + goods.join("、"));
    return missing;
}

}  // namespace

Result post(Database& db, const DocumentKind& kind, const QString& number, const QString& operatorName) {
    Database::Transaction unit(db);
    PostingRun run(db, kind, operatorName);
    const QList<PostedRow> headers = readRows(
        db, QString("select * from [%1] where [%2] = :number").arg(kind.headerTable, kind.numberField), {{"number", number}});
    if (headers.isEmpty()) return {Outcome::MissingDocument, QString("单据 %1 不存在!").arg(number)};
    run.header = headers.first();
    if (run.header.text("BZW") != "1") return {Outcome::AlreadyPosted, kAlreadyPosted};

    if (!kind.lineTable.isEmpty()) {
        const QList<PostedRow> lines = readRows(
            db, QString("select * from [%1] where DJHM = :number order by FLBH").arg(kind.lineTable), {{"number", number}});
        if (lines.isEmpty()) return {Outcome::NoLines, kNoLines};
        double total = 0;
        for (const PostedRow& line : lines) {
            total += line.number("JE");
            if (line.text("BZW") != "3") run.lines.append(line);
        }
        // The total as the amount footer kept it: currency, four decimals.
        run.total = std::round(total * 10000) / 10000;
    } else {
        run.total = run.header.number("Je");
    }

    const QStringList missing = missingCodes(run);
    if (!missing.isEmpty())
        return {Outcome::MissingCodes, "单据中的编码已不存在，不能记帐：" + missing.join("；")};
    if (kind.refuse)
        if (const auto refusal = kind.refuse(run)) return {Outcome::Refused, *refusal};

    kind.post(run);
    if (!kind.lineTable.isEmpty())
        db.exec(QString("update [%1] set BZW = '3' where DJHM = :number").arg(kind.lineTable), {{"number", number}});
    db.exec(QString("update [%1] set BZW = '3', RYJZ = :poster, Je = :total where [%2] = :number")
                .arg(kind.headerTable, kind.numberField),
            {{"poster", schema::fitText(kind.headerTable, "RYJZ", operatorName)},
             {"total", run.total},
             {"number", number}});
    unit.commit();
    return {};
}

}  // namespace posting
