// A temporary working directory holding a fresh database, opened.
#pragma once

#include "database/database.h"

#include <QTemporaryDir>

class TestDatabase {
public:
    static constexpr const char* kAdminPassword = "Adm1n-pw";

    TestDatabase();
    QString workingDirectory() const { return dir_.path(); }
    QString databaseFile() const;
    Database& db() { return db_; }

private:
    QTemporaryDir dir_;
    Database db_;
};
