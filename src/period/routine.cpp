#include "period/routine.h"

namespace period {

QString workState(Database& db) { return db.scalar("select Sys2 from System").toString(); }

void setWorkState(Database& db, const QString& state) {
    db.exec("update System set Sys2 = :state", {{"state", state}});
}

void runAsOne(Database& db, const QStringList& statements, const Params& params, const QString& failure) {
    try {
        Database::Transaction tx(db);
        for (const QString& sql : statements) db.exec(sql, params);
        tx.commit();
    } catch (const DbError& e) {
        throw Stopped(Stopped::Kind::Failed, {failure}, e.message());
    }
}

}  // namespace period
