#include "shell/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Paths, WindowsSpellingsReachTheExistingFilesWhateverTheCase) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("DATA");
    for (const char* name : {"DATA/DbVexa.mdb", "DATA/DB200403.MDB"}) {
        QFile f(dir.path() + '/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString root = dir.path();
    EXPECT_EQ(paths::resolve(root, "DATA\\DbVexa.mdb"), root + "/DATA/DbVexa.mdb");
    EXPECT_EQ(paths::resolve(root, "data\\dbvexa.mdb"), root + "/DATA/DbVexa.mdb");
    EXPECT_EQ(paths::resolve(root, "data\\DB200403.MDB"), root + "/DATA/DB200403.MDB");
    EXPECT_EQ(paths::resolve(root, "data/db200403.mdb"), root + "/DATA/DB200403.MDB");
    EXPECT_EQ(paths::databaseFile(root + "/"), root + "/DATA/DbVexa.mdb");
    // What does not exist yet keeps the spelling given, below the existing folders.
    EXPECT_EQ(paths::resolve(root, "data\\dbtmp.mdb"), root + "/DATA/dbtmp.mdb");
    EXPECT_EQ(paths::resolve(root, "reports\\repsprkd.frf"), root + "/reports/repsprkd.frf");
}

}  // namespace
