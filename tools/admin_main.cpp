// quorvel-admin: what has no window. Creates a working database, loads demo
// data, runs a statement, resets a password, posts a document, runs the
// period routines, audits a book, measures speed.
#include "audit/audit.h"
#include "database/database.h"
#include "database/jetdialect.h"
#include "database/passwordhash.h"
#include "database/schema.h"
#include "documents/posting.h"
#include "moneydocs/moneydocs.h"
#include "shell/paths.h"
#include "stockdocs/stockin.h"
#include "stockdocs/stockout.h"
#include "tools/admintool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

const char* kUsage =
    "用法:\n"
    "  quorvel-admin init <工作目录> --admin-password <口令>   建立新的数据库 DATA/DbVexa.mdb\n"
    "  quorvel-admin demo <工作目录>                            建立带示例数据的工作目录(口令显示在屏幕上)\n"
    "  quorvel-admin sql <工作目录> \"<SQL 语句>\"               执行一条语句\n"
    "  quorvel-admin passwd <工作目录> <登录名> <新口令>         重设操作员口令\n"
    "  quorvel-admin post <工作目录> rkd|ckd|skd|fkd <单据号码> [--operator <姓名>]   单据记帐(默认以系统管理员的姓名)\n"
    "  quorvel-admin audit <工作目录>                           检查帐套的一致性(有问题时退出码为 1)\n"
    "  quorvel-admin bench [<目录>] [--goods N] [--customers N] [--suppliers N] [--lines N] [--ledger-rows N]\n"
    "                                                           性能测试(在空目录中建立大数据量帐套)\n"
    "  quorvel-admin month-end <工作目录> --date YYYY-MM-DD [--overwrite-backup]   月末数据处理\n"
    "  quorvel-admin month-start <工作目录> --date YYYY-MM-DD [--clear-documents]  月初数据处理\n"
    "  quorvel-admin start-work <工作目录> [--yes]                                系统月初开工\n"
    "  quorvel-admin ledgers <工作目录> --date YYYY-MM-DD [--goods] [--customers] [--suppliers]   生成系统帐簿\n"
    "  quorvel-admin tidy <工作目录>                                              系统数据整理\n"
    "  quorvel-admin import <工作目录> goods|suppliers|customers|rkd|ckd <文件.csv> [--post] [--date YYYY-MM-DD]   导入 CSV 文件\n"
    "  (月末月初等处理: 拒绝执行时退出码为 2, 执行失败为 1, 两种情况都不改变帐套)\n";

int fail(const QString& message) {
    err << message << '\n';
    return 2;
}

Database& openExisting(Database& db, const QString& dir) {
    db.open(paths::databaseFile(dir));
    schema::upgrade(db);
    return db;
}

// The shipped report templates, copied into a new working directory's reports/
// (an existing template is kept: it may have been redesigned).
void copyReportTemplates(const QString& dir) {
    const QString target = paths::resolve(dir, "reports");
    QDir().mkpath(target);
    for (const QString& name : QDir(":/reports").entryList()) {
        const QString file = target + "/" + name;
        if (QFileInfo::exists(file)) continue;
        QFile::copy(":/reports/" + name, file);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

// A new book for a working directory, made (with the directory and its DATA
// folder when they are missing) under a temporary name beside its final place
// and renamed into place only when it is complete, so the program never finds
// a half-made book and a later init is not refused because of one; a failure
// removes the temporary file. `fill` adds to the new book. Refuses to
// overwrite an existing book.
QString makeBook(const QString& dir, const QString& adminPassword, const std::function<void(Database&)>& fill = {}) {
    const QString file = paths::databaseFile(dir);
    if (QFileInfo::exists(file)) throw DbError(DbError::Kind::Other, QString("数据库已经存在: %1").arg(file));
    const QString folder = QFileInfo(file).path();
    if (!QDir().mkpath(folder)) throw DbError(DbError::Kind::Other, QString("无法建立目录: %1").arg(folder));
    const QString temporary = QString("%1.%2.tmp").arg(file).arg(QCoreApplication::applicationPid());
    try {
        schema::createDatabase(temporary, adminPassword);
        if (fill) {
            Database db;
            db.open(temporary);
            schema::upgrade(db);
            fill(db);
        }
        copyReportTemplates(dir);
        // Refuses to replace a book another run put there meanwhile.
        if (!QFile::rename(temporary, file))
            throw DbError(DbError::Kind::Other, QString("数据库已经存在: %1").arg(file));
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    return file;
}

int init(const QStringList& args) {
    if (args.size() != 3 || args[1] != "--admin-password") return fail(kUsage);
    if (args[2].isEmpty()) return fail("口令不能为空");
    const QString file = makeBook(args[0], args[2]);
    out << "已建立数据库: " << file << '\n';
    return 0;
}

int demo(const QStringList& args) {
    if (args.size() != 1) return fail(kUsage);
    const QString password = QString::number(QRandomGenerator::system()->bounded(100000, 1000000));
    const QString file = makeBook(args[0], password, loadDemoData);
    out << "已建立示例数据库: " << file << '\n'
        << "登录名: admin    口令: " << password << '\n';
    return 0;
}

// What the sql command checks before it runs anything. SQLCipher carries out
// "pragma key" and "pragma rekey" while the statement is being prepared, so
// they are refused there, by the engine's authorizer: a book keyed anew no
// longer opens in the program. While the rest of a text is looked at for a
// second statement, everything is refused, so looking runs nothing.
struct StatementGuard {
    bool probing = false;
    bool keyPragma = false;

    static int authorize(void* self, int action, const char* name, const char*, const char*, const char*) {
        auto& guard = *static_cast<StatementGuard*>(self);
        if (guard.probing) return SQLITE_DENY;
        static const QByteArrayList keyPragmas = {"key", "rekey", "hexkey", "hexrekey"};
        if (action == SQLITE_PRAGMA && keyPragmas.contains(QByteArray(name).toLower())) {
            guard.keyPragma = true;
            return SQLITE_DENY;
        }
        return SQLITE_OK;
    }
};

// Why a text must not run; empty when it may. The engine's own parser finds
// where the first statement ends, so semicolons in literals and comments count
// as it counts them; a trailing semicolon, blanks and comments are no second
// statement.
QString statementRefusal(Database& db, StatementGuard& guard, const QString& text) {
    const QByteArray sql = translateJetSql(text).toUtf8();
    const char* end = sql.constData() + sql.size();
    sqlite3_stmt* statement = nullptr;
    const char* tail = end;
    const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &statement, &tail);
    const bool empty = rc == SQLITE_OK && !statement;
    sqlite3_finalize(statement);
    if (guard.keyPragma) return "不能执行 PRAGMA key/rekey：更改数据库口令后，程序将无法打开帐套";
    if (empty) return "没有要执行的 SQL 语句";
    if (rc != SQLITE_OK) return {};  // the engine's own message, when it runs
    guard.probing = true;
    statement = nullptr;
    const int rest = sqlite3_prepare_v2(db.handle(), tail, int(end - tail), &statement, nullptr);
    const bool second = rest != SQLITE_OK || statement;
    sqlite3_finalize(statement);
    guard.probing = false;
    return second ? "一次只能执行一条语句" : QString();
}

int sql(const QStringList& args) {
    if (args.size() != 2) return fail(kUsage);
    Database db;
    openExisting(db, args[0]);
    StatementGuard guard;
    sqlite3_set_authorizer(db.handle(), &StatementGuard::authorize, &guard);
    if (const QString refusal = statementRefusal(db, guard, args[1]); !refusal.isEmpty()) return fail(refusal);
    bool isQuery = false;
    {
        const Statement probe(db, args[1]);
        isQuery = probe.columnCount() > 0;
    }
    if (!isQuery) {
        out << db.exec(args[1]) << " 行受影响\n";
        return 0;
    }
    Statement st(db, args[1]);
    bool header = false;
    while (st.next()) {
        QStringList cells;
        if (!header) {
            for (int i = 0; i < st.columnCount(); ++i) cells.append(st.columnName(i));
            out << cells.join('\t') << '\n';
            cells.clear();
            header = true;
        }
        for (int i = 0; i < st.columnCount(); ++i) cells.append(st.value(i).toString());
        out << cells.join('\t') << '\n';
    }
    return 0;
}

int passwd(const QStringList& args) {
    if (args.size() != 3) return fail(kUsage);
    if (args[2].isEmpty()) return fail("口令不能为空");
    Database db;
    openExisting(db, args[0]);
    if (db.exec("update Aczqx set pwd = :pwd where logname = :name",
                {{"pwd", passwords::hash(args[2])}, {"name", args[1]}}) == 0)
        return fail(QString("没有这个操作员: %1").arg(args[1]));
    out << "口令已更改\n";
    return 0;
}

// The kinds of document the post command knows, by their short names.
const DocumentKind* documentKind(const QString& code) {
    for (const DocumentKind* kind : {&stockin::kind(), &stockout::kind(), &moneydocs::receipt(), &moneydocs::payment()})
        if (kind->code == code) return kind;
    return nullptr;
}

int post(QStringList args) {
    QString poster;
    if (const int at = int(args.indexOf("--operator")); at >= 0) {
        if (at + 1 >= args.size() || args[at + 1].isEmpty()) return fail(kUsage);
        poster = args[at + 1];
        args.remove(at, 2);
    }
    if (args.size() != 3) return fail(kUsage);
    const DocumentKind* kind = documentKind(args[1]);
    if (!kind) return fail(QString("不认识的单据类别: %1").arg(args[1]));
    // Typed as on the find dialogs: "42" is document 000000042.
    const QString number = args[2].size() < 9 ? args[2].rightJustified(9, '0') : args[2];
    Database db;
    openExisting(db, args[0]);
    if (poster.isEmpty()) poster = db.scalar("select name from Aczqx where logname = 'admin'").toString();
    const posting::Result result = posting::post(db, *kind, number, poster);
    if (!result.posted()) return fail(result.message);
    out << "单据 " << number << " 已记帐\n";
    return 0;
}

// Every violation found, grouped by kind; exit 1 when there is any, so a
// script can tell a clean book from one that needs looking at.
int auditBook(const QStringList& args) {
    if (args.size() != 1) return fail(kUsage);
    Database db;
    openExisting(db, args[0]);
    const audit::Report report = audit::run(db);
    for (const QString& line : report.lines()) out << line << '\n';
    return report.clean() ? 0 : 1;
}

int bench(QStringList args) {
    BenchSizes sizes;
    const QList<std::pair<QString, int*>> options{{"--goods", &sizes.goods},
                                                  {"--customers", &sizes.customers},
                                                  {"--suppliers", &sizes.suppliers},
                                                  {"--lines", &sizes.lines},
                                                  {"--ledger-rows", &sizes.ledgerRows}};
    QStringList places;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        const auto option = std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.first == arg; });
        if (option == options.end()) {
            if (arg.startsWith("--")) return fail(kUsage);
            places.append(arg);
            continue;
        }
        bool ok = false;
        const int value = args.isEmpty() ? 0 : args.takeFirst().toInt(&ok);
        // Every size at least one: the documents need a party and goods, and a
        // year of posted documents at least one of each kind.
        if (!ok || value < 1) return fail(QString("%1 需要一个正整数").arg(arg));
        *option->second = value;
    }
    if (places.size() > 1) return fail(kUsage);
    QTemporaryDir temp;
    const QString dir = places.isEmpty() ? temp.path() : places[0];
    if (!places.isEmpty() && !QDir(dir).isEmpty()) return fail(QString("性能测试需要一个空目录: %1").arg(dir));
    return runBenchmark(dir, sizes, out);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return fail(kUsage);
    const QString command = args.takeFirst();
    try {
        if (command == "init") return init(args);
        if (command == "demo") return demo(args);
        if (command == "sql") return sql(args);
        if (command == "passwd") return passwd(args);
        if (command == "post") return post(args);
        if (command == "audit") return auditBook(args);
        if (command == "bench") return bench(args);
        if (command == "import") return runImportCommand(args, out, err);
        if (isPeriodCommand(command)) return runPeriodCommand(command, args, out, err);
        return fail(kUsage);
    } catch (const DbError& e) {
        return fail(e.message());
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
}
