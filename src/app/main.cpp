// Program entry of the window program: opens the working database below the
// current directory and brings its schema up to date.
#include "database/database.h"
#include "database/schema.h"
#include "shell/paths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    const QString file = paths::databaseFile(QDir::currentPath());
    Database db;
    try {
        db.open(file);
        schema::upgrade(db);
    } catch (const DbError& e) {
        err << e.message() << '\n';
        if (!QFileInfo::exists(file))
            err << "请先用 quorvel-admin init <工作目录> --admin-password <口令> 建立数据库。\n";
        return 1;
    }
    out << "数据库已打开: " << file << '\n';
    return 0;
}
