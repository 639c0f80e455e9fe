// quorvel-admin: what has no window. Creates a working database, loads demo
// data, runs a statement, resets a password, measures speed.
#include "database/database.h"
#include "database/passwordhash.h"
#include "database/schema.h"
#include "shell/paths.h"
#include "tools/admintool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

const char* kUsage =
    "用法:\n"
    "  quorvel-admin init <工作目录> --admin-password <口令>   建立新的数据库 DATA/DbVexa.mdb\n"
    "  quorvel-admin demo <工作目录>                            建立带示例数据的工作目录(口令显示在屏幕上)\n"
    "  quorvel-admin sql <工作目录> \"<SQL 语句>\"               执行一条语句\n"
    "  quorvel-admin passwd <工作目录> <登录名> <新口令>         重设操作员口令\n"
    "  quorvel-admin bench [<目录>]                             性能测试(在空目录中建立大数据量帐套)\n";

int fail(const QString& message) {
    err << message << '\n';
    return 2;
}

// A new database in an existing directory; refuses to overwrite.
QString newDatabaseFile(const QString& dir) {
    if (!QFileInfo(dir).isDir()) throw DbError(DbError::Kind::Other, QString("目录不存在: %1").arg(dir));
    const QString file = paths::databaseFile(dir);
    if (QFileInfo::exists(file)) throw DbError(DbError::Kind::Other, QString("数据库已经存在: %1").arg(file));
    QDir(dir).mkpath(QFileInfo(file).dir().dirName());
    return file;
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

int init(const QStringList& args) {
    if (args.size() != 3 || args[1] != "--admin-password") return fail(kUsage);
    if (args[2].isEmpty()) return fail("口令不能为空");
    const QString file = newDatabaseFile(args[0]);
    schema::createDatabase(file, args[2]);
    copyReportTemplates(args[0]);
    out << "已建立数据库: " << file << '\n';
    return 0;
}

int demo(const QStringList& args) {
    if (args.size() != 1) return fail(kUsage);
    QDir().mkpath(args[0]);
    const QString file = newDatabaseFile(args[0]);
    const QString password = QString::number(QRandomGenerator::system()->bounded(100000, 1000000));
    schema::createDatabase(file, password);
    Database db;
    loadDemoData(openExisting(db, args[0]));
    copyReportTemplates(args[0]);
    out << "已建立示例数据库: " << file << '\n'
        << "登录名: admin    口令: " << password << '\n';
    return 0;
}

int sql(const QStringList& args) {
    if (args.size() != 2) return fail(kUsage);
    Database db;
    openExisting(db, args[0]);
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

int bench(const QStringList& args) {
    if (args.size() > 1) return fail(kUsage);
    QTemporaryDir temp;
    const QString dir = args.isEmpty() ? temp.path() : args[0];
    if (!args.isEmpty() && !QDir(dir).isEmpty()) return fail(QString("性能测试需要一个空目录: %1").arg(dir));
    return runBenchmark(dir, out);
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
        if (command == "bench") return bench(args);
        return fail(kUsage);
    } catch (const DbError& e) {
        return fail(e.message());
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
}
