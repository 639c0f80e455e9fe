// Files below the working directory, found without regard to letter case.
#pragma once

#include <QString>

namespace paths {

// Joins a path written the Windows way ("DATA\DbVexa.mdb", "data\DB200403.MDB")
// onto the working directory. Each component that exists in another letter
// case resolves to the existing entry, so old spellings reach the same files;
// components that do not exist keep the spelling given (for files to create).
QString resolve(const QString& workingDirectory, const QString& relativePath);

// The working database file below a working directory.
inline QString databaseFile(const QString& workingDirectory) {
    return resolve(workingDirectory, "DATA\\DbVexa.mdb");
}

}  // namespace paths
