#include "admin/worklog.h"

#include "database/database.h"
#include "shell/udbm.h"

namespace worklog {

QStringList operatorNames(Database& db) {
    QStringList names;
    for (const QVariantList& row : db.rows("select name from Aczqx")) names.append(row[0].toString());
    return names;
}

void clear(Tfdbm& dbm) {
    Database::Transaction transaction(dbm.dbapp);
    dbm.dbapp.exec("delete from Agzrz");
    dbm.writeWorkLog(kCleared);
    transaction.commit();
}

}  // namespace worklog
