// The import command: goods, suppliers, customers and stock documents from a
// CSV file, through the importer that checks them by the windows' rules.
#include "database/database.h"
#include "database/schema.h"
#include "importing/importer.h"
#include "shell/paths.h"
#include "shell/systemsettings.h"
#include "tools/admintool.h"

#include <QDate>
#include <QFileInfo>

namespace {

// One refusal, one line: where, which column, the rule's words.
QString refusalLine(const importing::Refusal& r) {
    QString where;
    if (r.line > 0) where = QString("第 %1 行").arg(r.line);
    if (!r.column.isEmpty()) where += QString(where.isEmpty() ? "列“%1”" : " 列“%1”").arg(r.column);
    const QString reason = QString(r.reason).replace('\n', ' ');
    return where.isEmpty() ? reason : where + ": " + reason;
}

}  // namespace

int runImportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() < 3) {
        err << "用法: quorvel-admin import <工作目录> goods|suppliers|customers|rkd|ckd <文件.csv> [--post] "
               "[--date YYYY-MM-DD] [--operator <姓名>]\n";
        return 2;
    }
    importing::Options options;
    options.businessDate = QDate::currentDate();
    QString operatorName;
    for (int i = 3; i < args.size(); ++i) {
        const QString& option = args[i];
        if (option == "--post") {
            options.post = true;
            continue;
        }
        if ((option != "--date" && option != "--operator") || i + 1 >= args.size()) {
            err << "不认识的参数: " << option << '\n';
            return 2;
        }
        const QString& value = args[++i];
        if (option == "--operator") {
            operatorName = value;
            continue;
        }
        options.businessDate = QDate::fromString(value, "yyyy-MM-dd");
        if (!options.businessDate.isValid()) {
            err << "日期无效(应为 YYYY-MM-DD): " << value << '\n';
            return 2;
        }
    }
    const std::optional<importing::Kind> kind = importing::kindNamed(args[1]);
    if (!kind) {
        err << "不认识的导入类别: " << args[1] << "(应为 goods、suppliers、customers、rkd 或 ckd)\n";
        return 2;
    }
    if (!QFileInfo(args[2]).isFile()) {
        err << "找不到文件: " << args[2] << '\n';
        return 2;
    }
    Database db;
    try {
        db.open(paths::databaseFile(args[0]));
        schema::upgrade(db);
    } catch (const DbError& e) {
        err << e.message() << '\n';
        return 2;
    }
    options.operatorName =
        operatorName.isEmpty() ? db.scalar("select name from Aczqx where logname = 'admin'").toString() : operatorName;
    options.salesPricesTyped = SystemSettings::load(args[0]).salesPriceRule;
    try {
        const importing::Outcome outcome = importing::importFile(db, *kind, args[2], options);
        for (const importing::Refusal& refusal : outcome.refusals) err << refusalLine(refusal) << '\n';
        if (!outcome.written()) {
            err << QString("有 %1 处错误，没有导入任何数据").arg(outcome.refusals.size()) << '\n';
            return 2;
        }
        out << outcome.summary << '\n';
        return 0;
    } catch (const DbError& e) {
        err << "导入未能完成，没有导入任何数据: " << QString(e.message()).replace('\n', ' ') << '\n';
        return 1;
    }
}
