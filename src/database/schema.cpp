#include "database/schema.h"

#include "database/passwordhash.h"

#include <QFile>

namespace schema {
namespace {

Column text(const QString& name, int width, const QString& def = {}) { return {name, JetType::Text, width, def}; }
Column memo(const QString& name) { return {name, JetType::Memo, 0, {}}; }
Column shortInt(const QString& name, const QString& def = {}) { return {name, JetType::Short, 0, def}; }
Column longInt(const QString& name) { return {name, JetType::Long, 0, {}}; }
Column dbl(const QString& name) { return {name, JetType::Double, 0, {}}; }
Column yesNo(const QString& name, const QString& def = {}) { return {name, JetType::YesNo, 0, def}; }
Column dateTime(const QString& name) { return {name, JetType::DateTime, 0, {}}; }
Column autoNumber(const QString& name) { return {name, JetType::AutoNumber, 0, {}}; }

QList<Column> doubles(const QStringList& names) {
    QList<Column> out;
    for (const QString& n : names) out.append(dbl(n));
    return out;
}

// Document lines of stock-in and stock-out share one layout.
QList<Column> documentLineColumns() {
    return QList<Column>{text("DJHM", 9), shortInt("FLBH"), text("Spbm", 16), shortInt("BzLx"), dbl("SL"),
                         dbl("DJ"), text("GGDW", 12), dbl("JBSL"), dbl("JBDJ"), dbl("JE"), text("zyxx", 12),
                         text("BZW", 1, "'1'")}
           + doubles(sizeSlotColumns("sl"));
}

// Receipts and payments share one layout.
QList<Column> moneyDocumentColumns() {
    return {text("Djhm", 9), dateTime("RQ"), text("PJHM", 9), text("Dwbh", 16), dbl("Je"), text("NOTE", 24),
            text("BZW", 1), text("RYJZ", 8), text("RYZD", 8)};
}

// Party accounts of customers (ABMK) and suppliers (AGYS).
QList<Column> partyColumns(bool withBank) {
    QList<Column> cols{autoNumber("IDNO"), text("Bm", 10), text("Mc", 24), text("Fzry", 16), dbl("ncye"),
                       dbl("bnjf"), dbl("bndf"), dbl("byjf"), dbl("bydf"), dbl("jyje"), text("Addr", 24),
                       text("Yzbm", 6), text("lxdh", 24), text("FaxNo", 12)};
    if (withBank) cols += QList<Column>{text("Khyh", 24), text("Yhzh", 24)};
    cols.append(memo("bzxx"));
    return cols;
}

// Party detail ledgers: receivables (ABMMXZ) and payables (AGYMXZ).
QList<Column> partyLedgerColumns() {
    return {autoNumber("Idno"), text("Dwbh", 10), text("Djhm", 10), dateTime("Rq"), text("Zyxx", 24),
            dbl("Jfje"),        dbl("Dfje"),       dbl("Jyje")};
}

QList<Index> documentHeaderIndexes(const QString& keyColumn) {
    // Every document list opens its table in "ASPRKD#PX" order, the number order.
    return {{"ASPRKD#PX", {keyColumn}, true}, {"RQ", {"RQ"}}, {"BZW", {"BZW"}}};
}

QList<Table> buildTables() {
    QList<Table> t;

    QList<Column> system{shortInt("Sys1"),       text("Sys2", 1),      text("TELNO", 40),   text("FAXNO", 12),
                         text("LXRY", 8),        text("ZIPCODE", 8),   yesNo("DJZL"),       text("Sphsfs", 8),
                         text("WallPaper", 80),  text("FacePaper", 80), yesNo("DWall"),      yesNo("DFace"),
                         yesNo("Hjsf"),          longInt("LastYjZh"),  longInt("LastDjhm"), text("ANAME", 60),
                         text("ADDRESS", 60),    shortInt("Xsws"),     longInt("Ykrkdh"),   longInt("ykckdh"),
                         longInt("ykjsdh"),      longInt("ykskdh"),    longInt("yfrkdh"),   longInt("yfckdh"),
                         longInt("yfjsdh"),      longInt("YKFKDH"),    longInt("LastOrder")};
    for (const QString& s : sizeSlotColumns("S")) system.append(text(s, 8));
    system += QList<Column>{shortInt("SLY", "0"), yesNo("DjRqEdit", "0")};
    t.append({"System", system, {}});

    // pwd holds a salted PBKDF2 hash, not the password itself, hence its width.
    QList<Column> operators{text("logname", 8), text("name", 8),  text("pwd", 100),
                            text("opright", 16), yesNo("opstate")};
    for (int r = 1; r <= 16; ++r) operators.append(yesNo(QString("R%1").arg(r)));
    t.append({"Aczqx", operators, {{"Aczqx#PX", {"logname"}, true}}});

    t.append({"Agzrz",
              {text("logname", 8), text("name", 8), dateTime("optime"), text("operation", 50), text("opm", 1)},
              {{"optime", {"optime"}}}});

    t.append({"ASPKM",
              QList<Column>{autoNumber("IDNO"), text("Spbm", 16),  text("Spmc", 24),   text("ArtNo", 12),
                            text("color", 6),   text("Ggxh", 24),  text("Spzj", 16),   text("Spcd", 12),
                            text("Splb", 10),   text("Jldw", 8),   text("hzdw", 8),    shortInt("Scale"),
                            dbl("Xsdj"),        dbl("Pfdj"),       dbl("JhjgH"),       dbl("JhjgL"),
                            dbl("lastprice"),   dateTime("lastrkrq"), dateTime("lastckrq"), dbl("Kcsl"),
                            dbl("kcjg"),        dbl("kcje"),       dbl("KcslSj"),      dbl("Ncsl"),
                            dbl("Bnrksl"),      dbl("Byrksl"),     dbl("Bncksl"),      dbl("Bycksl"),
                            dbl("bnxsje"),      dbl("byxsje"),     dbl("Cbsx"),        dbl("Cbxx")}
                  + doubles(sizeSlotColumns("kcsl")),
              {{"Spbm", {"Spbm"}, true}, {"Spmc", {"Spmc"}}, {"Splb", {"Splb"}}}});

    t.append({"ASPLB", {text("Bm", 10), text("Mc", 24)}, {{"Bm", {"Bm"}, true}}});
    t.append({"AXSBM", {text("Bm", 10), text("Mc", 12), text("Fzry", 8)}, {{"Bm", {"Bm"}, true}}});
    t.append({"ARYDM", {text("BM", 4), text("MC", 8), text("BMDM", 4), text("ZW", 4)}, {{"BM", {"BM"}, true}}});
    t.append({"AGYS", partyColumns(true), {{"Bm", {"Bm"}, true}}});
    t.append({"ABMK", partyColumns(false), {{"Bm", {"Bm"}, true}}});
    t.append({"atxl",
              {autoNumber("IDNO"), text("代码", 6), text("姓名", 8), text("电话", 24), text("传真", 12),
               text("移动电话", 12), text("地址", 24), text("邮编", 6), text("工作单位", 24)},
              {}});

    t.append({"ASPRKD",
              {text("DJHM", 9), dateTime("RQ"), text("KHBM", 16), text("FPHM", 9), dbl("Je"), text("NOTE", 24),
               text("BZW", 1), text("RYJZ", 8), text("RYZD", 8), text("RYBG", 8), text("RYCG", 8), text("RYKJ", 8)},
              documentHeaderIndexes("DJHM")});
    t.append({"asprkdd", documentLineColumns(), {{"DJHM", {"DJHM", "FLBH"}, true}, {"Spbm", {"Spbm"}}}});
    t.append({"ASPCKD",
              {text("DJHM", 9), dateTime("RQ"), text("KHBM", 16), text("KHMC", 24), dbl("Je"), text("NOTE", 24),
               text("SKFS", 4), text("CKLB", 1), text("BZW", 1), text("RYJZ", 8), text("RYZD", 8), text("RYBG", 8),
               text("RYCG", 8), text("RYKJ", 8)},
              documentHeaderIndexes("DJHM")});
    t.append({"ASPCKDD", documentLineColumns(), {{"DJHM", {"DJHM", "FLBH"}, true}, {"Spbm", {"Spbm"}}}});
    t.append({"ASKD", moneyDocumentColumns(), documentHeaderIndexes("Djhm")});
    t.append({"AFKD", moneyDocumentColumns(), documentHeaderIndexes("Djhm")});

    t.append({"ASPMXZM",
              QList<Column>{autoNumber("Idno"), text("Spbm", 16), text("Djhm", 10), dateTime("Rq"),
                            text("Zyxx", 24),   text("GGDW", 12), dbl("Rksl"),      dbl("Rkje"),
                            dbl("Cksl"),        dbl("Ckje"),      dbl("Kcsl"),      dbl("Kcje"),
                            dbl("Kcjg")}
                  + doubles(sizeSlotColumns("sl")),
              {{"Spbm", {"Spbm", "Idno"}}}});
    t.append({"AXSLSZ",
              QList<Column>{autoNumber("Idno"), text("Spbm", 16), text("Djhm", 10), dateTime("Rq"),
                            text("Zyxx", 24),   text("khmc", 12), text("bzxx", 12), dbl("sl"),
                            dbl("dj"),          dbl("je")}
                  + doubles(sizeSlotColumns("sl")),
              {{"Spbm", {"Spbm", "Idno"}}}});
    t.append({"ABMMXZ", partyLedgerColumns(), {{"Dwbh", {"Dwbh", "Idno"}}}});
    t.append({"AGYMXZ", partyLedgerColumns(), {{"Dwbh", {"Dwbh", "Idno"}}}});
    t.append({"ABMLSZ",
              QList<Column>{autoNumber("Idno"), text("Dwbh", 10), text("Djhm", 10), dateTime("Rq"),
                            text("jsfs", 6),    text("spmc", 12), text("artno", 12), text("color", 6),
                            text("jldw", 4),    dbl("sl"),        dbl("dj"),         dbl("je")}
                  + doubles(sizeSlotColumns("sl")),
              {{"Dwbh", {"Dwbh", "Idno"}}}});

    t.append({"AOrders",
              {text("DJHM", 9), dateTime("RQ"), text("KHBM", 16), text("KHMC", 24), text("DWMC", 24),
               text("ADDR", 24), text("TELNO", 12), text("FAXNO", 12), text("LXRY", 8), text("YZBM", 6),
               text("RYJZ", 8), text("RYZD", 8), text("NOTE", 24), text("BZW", 1), memo("BZXX")},
              documentHeaderIndexes("DJHM")});
    QList<Column> orderLines{text("DJHM", 9), shortInt("FLBH"), text("Spbm", 16), shortInt("BzLx"), dbl("SL"),
                             dbl("DJ"),       text("GGDW", 12), dbl("JBDJ"),      dbl("JBSL"),      dbl("JE"),
                             text("zyxx", 12), text("BZW", 1, "'1'")};
    for (int i = 0; i <= 9; ++i) orderLines.append(longInt(QString("A%1").arg(i)));
    for (const char c : {'A', 'B', 'C', 'D', 'E', 'F'}) orderLines.append(dbl(QString("A") + c));
    t.append({"AOrdersD", orderLines, {{"DJHM", {"DJHM", "FLBH"}, true}}});

    t.append({"ASqlYmYc",
              {text("Xt", 5), shortInt("Bm"), shortInt("LbBm"), text("LbMc", 24), yesNo("Inuse"), text("Mc", 24),
               memo("Sql")},
              {{"PrimaryKey", {"LbBm", "Bm"}, true}}});
    return t;
}

// Declared in the Jet dialect; the dialect step turns these into the engine's
// types (text compared without regard to case, as Jet did).
QString declaredType(const Column& c) {
    switch (c.type) {
    case JetType::Text: return QString("Text(%1)").arg(c.width);
    case JetType::Memo: return "Memo";
    case JetType::Short: return "Short";
    case JetType::Long: return "Long";
    case JetType::Double: return "Double";
    case JetType::YesNo: return "Yes/No";
    case JetType::DateTime: return "DateTime";
    case JetType::AutoNumber: return "Counter PRIMARY KEY AUTOINCREMENT";
    }
    return {};
}

// The engine itself refuses what the Jet file refused: text longer than its
// column and integers outside Short or Long. The constraint's name is what
// the data layer turns into a readable message.
QString columnCheck(const QString& table, const Column& c) {
    const QString name = QString("[%1.%2:%3]").arg(table, c.name);
    switch (c.type) {
    case JetType::Text:
        return QString(" CONSTRAINT %1 CHECK (length([%2]) <= %3)").arg(name.arg(c.width), c.name).arg(c.width);
    case JetType::Short:
        return QString(" CONSTRAINT %1 CHECK ([%2] BETWEEN -32768 AND 32767)").arg(name.arg("range"), c.name);
    case JetType::Long:
        return QString(" CONSTRAINT %1 CHECK ([%2] BETWEEN -2147483648 AND 2147483647)").arg(name.arg("range"), c.name);
    default: return {};
    }
}

}  // namespace

static void fillNewDatabase(Database& db, const QString& adminPasswordHash);

QStringList sizeSlotColumns(const QString& prefix) {
    QStringList out;
    for (char c = 'A'; c <= 'P'; ++c) out.append(prefix + c);
    return out;
}

const QList<Table>& tables() {
    static const QList<Table> all = buildTables();
    return all;
}

const Table* findTable(const QString& name) {
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

QString fitText(const QString& table, const QString& column, const QString& text) {
    if (const Table* t = findTable(table))
        for (const Column& c : t->columns)
            if (c.type == JetType::Text && c.name.compare(column, Qt::CaseInsensitive) == 0) return text.left(c.width);
    return text;
}

QStringList indexColumns(const QString& table, const QString& indexName) {
    if (const Table* t = findTable(table))
        for (const Index& i : t->indexes)
            if (i.name.compare(indexName, Qt::CaseInsensitive) == 0) return i.columns;
    return {};
}

QString createTableSql(const Table& table) {
    QStringList defs;
    for (const Column& c : table.columns) {
        QString def = QString("[%1] %2").arg(c.name, declaredType(c));
        if (!c.defaultValue.isEmpty()) def += " DEFAULT " + c.defaultValue;
        def += columnCheck(table.name, c);
        defs.append(def);
    }
    return QString("CREATE TABLE [%1] (\n  %2\n)").arg(table.name, defs.join(",\n  "));
}

QStringList createIndexSql(const Table& table) {
    QStringList out;
    for (const Index& i : table.indexes) {
        QStringList cols;
        for (const QString& c : i.columns) cols.append('[' + c + ']');
        // Index names are per table in the Jet file but per file in this engine.
        out.append(QString("CREATE %1INDEX [%2$%3] ON [%2] (%4)")
                       .arg(i.unique ? "UNIQUE " : "", table.name, i.name, cols.join(", ")));
    }
    return out;
}

void upgrade(Database& db) {
    for (const char* statement : {"alter table  system add SLY Short  default 0",
                                  "alter table  system add DjRqEdit logical default False"}) {
        try {
            db.exec(statement);
        } catch (const DbError&) {
            // The column exists already: the normal case after the first opening.
        }
    }
}

void createDatabase(const QString& path, const QString& adminPassword) {
    const QString hash = passwords::hash(adminPassword);
    Database db;
    db.create(path);
    try {
        fillNewDatabase(db, hash);
    } catch (...) {
        db.close();
        QFile::remove(path);  // never leave a half-made book behind
        throw;
    }
}

static void fillNewDatabase(Database& db, const QString& adminPasswordHash) {
    Database::Transaction tx(db);
    for (const Table& t : tables()) {
        db.exec(createTableSql(t));
        for (const QString& sql : createIndexSql(t)) db.exec(sql);
    }
    db.exec("insert into System (Sys1, Sys2, Ykrkdh, ykckdh, ykjsdh, ykskdh, yfrkdh, yfckdh, yfjsdh, YKFKDH, "
            "LastOrder, LastYjZh, LastDjhm, Xsws, DJZL, DWall, DFace, Hjsf, SLY, DjRqEdit) "
            "values (0, '1', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, False, False, False, False, 0, False)");
    QStringList rights;
    for (int r = 1; r <= 16; ++r) rights.append(QString("R%1").arg(r));
    db.exec(QString("insert into Aczqx (logname, name, pwd, opright, opstate, %1) "
                    "values ('admin', '系统管理员', :pwd, '0000000000000001', False, %2True)")
                .arg(rights.join(", "), QString("False, ").repeated(15)),
            {{"pwd", adminPasswordHash}});
    db.exec("insert into ABMK (Bm, Mc, ncye, bnjf, bndf, byjf, bydf, jyje) values ('0000', '散户', 0, 0, 0, 0, 0, 0)");
    tx.commit();
}

}  // namespace schema
