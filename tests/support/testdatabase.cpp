#include "support/testdatabase.h"

#include "database/schema.h"
#include "shell/paths.h"

#include <QDir>

TestDatabase::TestDatabase() {
    QDir(dir_.path()).mkpath("DATA");
    schema::createDatabase(databaseFile(), kAdminPassword);
    db_.open(databaseFile());
    schema::upgrade(db_);
}

QString TestDatabase::databaseFile() const { return paths::databaseFile(dir_.path()); }
