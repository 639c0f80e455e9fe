#include "shell/udbm.h"

#include "database/schema.h"
#include "shell/paths.h"
#include "shell/session.h"

#include <QDateTime>

Tfdbm::Tfdbm(Session& session) : config(dbapp), session_(session) { config.setTable("System"); }

Tfdbm::~Tfdbm() { close(); }

QString Tfdbm::databaseFile() const { return paths::databaseFile(session_.workingDirectory()); }

void Tfdbm::open() { reopen(databaseFile()); }

void Tfdbm::reopen(const QString& path) {
    close();
    dbapp.open(path);
    schema::upgrade(dbapp);
    config.open();
}

void Tfdbm::openHistory(const QString& path) {
    close();
    dbapp.openGuarded(path, {{.table = "Agzrz", .insert = true}, {.table = "Aczqx", .updatedColumns = {"opstate"}}});
    config.open();
}

void Tfdbm::close() {
    config.close();
    dbapp.close();
}

void Tfdbm::writeWorkLog(const QString& text) {
    writeWorkLog(session_.loginName(), session_.operatorName(), text);
}

void Tfdbm::writeWorkLog(const QString& loginName, const QString& operatorName, const QString& text) {
    dbapp.exec("insert into Agzrz (logname, name, optime, operation) values (:logname, :name, :optime, :operation)",
               {{"logname", loginName.left(8)},
                {"name", operatorName.left(8)},
                {"optime", QDateTime::currentDateTime()},
                {"operation", text.left(50)}});
}

QString Tfdbm::workState() {
    // Period routines change Sys2 with statements; read the row afresh.
    config.refresh();
    return config.value("Sys2").toString();
}
