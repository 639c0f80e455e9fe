#include "database/passwordhash.h"
#include "database/schema.h"
#include "support/testdatabase.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(Schema, NewDatabaseHoldsTheConfigurationAdministratorAndWalkInCustomer) {
    TestDatabase t;
    Database& db = t.db();
    const QVariantList system =
        db.rows("select Sys2, Ykrkdh, ykckdh, ykskdh, YKFKDH, LastOrder, SLY, DjRqEdit from System").value(0);
    ASSERT_EQ(db.scalar("select count(*) from System").toInt(), 1);
    EXPECT_EQ(system[0].toString(), "1");
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(system[i].toInt(), 0) << i;
    EXPECT_EQ(system[7].toBool(), false);

    const QVariantList admin = db.rows("select R1, R16, opstate, pwd from Aczqx where logname = 'ADMIN'").value(0);
    ASSERT_FALSE(admin.isEmpty());
    EXPECT_FALSE(admin[0].toBool());
    EXPECT_TRUE(admin[1].toBool());
    EXPECT_FALSE(admin[2].toBool());
    EXPECT_NE(admin[3].toString(), TestDatabase::kAdminPassword) << "no plain-text passwords";
    EXPECT_TRUE(passwords::verify(TestDatabase::kAdminPassword, admin[3].toString()));

    EXPECT_EQ(db.scalar("select Mc from ABMK where Bm = '0000'").toString(), "散户");
}

TEST(Schema, EveryTableAndColumnIsReachableInAnyLetterCase) {
    TestDatabase t;
    for (const schema::Table& table : schema::tables()) {
        for (const schema::Column& c : table.columns) {
            const QString sql = QString("select %1 from %2").arg(c.name.toLower(), table.name.toUpper());
            EXPECT_NO_THROW(t.db().rows(sql)) << sql.toStdString();
        }
    }
}

TEST(Schema, NewLinesArePendingUnlessPostingSaysOtherwise) {
    TestDatabase t;
    for (const char* table : {"asprkdd", "ASPCKDD", "AOrdersD"}) {
        t.db().exec(QString("insert into %1 (DJHM, FLBH) values ('000000001', 1)").arg(table));
        EXPECT_EQ(t.db().scalar(QString("select BZW from %1").arg(table)).toString(), "1") << table;
    }
}

TEST(Schema, NamedIndexesGiveTheListOrders) {
    EXPECT_EQ(schema::indexColumns("aczqx", "Aczqx#PX"), QStringList{"logname"});
    for (const char* table : {"ASPRKD", "ASKD", "AFKD", "AOrders"})
        EXPECT_EQ(schema::indexColumns(table, "ASPRKD#PX").size(), 1) << table;
    EXPECT_TRUE(schema::indexColumns("ASPKM", "nothing").isEmpty());
}

// A file made before the size slots and the date switch existed.
TEST(Schema, UpgradeAddsTheMissingColumnsOnceAndLeavesAnUpToDateFileAlone) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/old.mdb";
    {
        Database db;
        db.create(file);
        db.exec("create table System (Sys2 Text(1), Ykrkdh Long)");
        db.exec("insert into System (Sys2, Ykrkdh) values ('1', 41)");
    }
    Database db;
    db.open(file);
    schema::upgrade(db);
    EXPECT_EQ(db.scalar("select SLY from system").toInt(), 0);
    EXPECT_EQ(db.scalar("select DjRqEdit from system").toBool(), false);
    EXPECT_FALSE(db.scalar("select DjRqEdit from system").isNull());

    db.exec("update System set SLY = 8, DjRqEdit = True");
    schema::upgrade(db);
    schema::upgrade(db);
    EXPECT_EQ(db.rows("select Sys2, Ykrkdh, SLY, DjRqEdit from System"),
              (QList<QVariantList>{{"1", 41LL, 8LL, true}}));
}

TEST(Schema, CreatingOverAnExistingDatabaseIsRefusedAndLeavesItIntact) {
    TestDatabase t;
    t.db().exec("insert into ASPLB (Bm) values ('keep')");
    EXPECT_THROW(schema::createDatabase(t.databaseFile(), "x"), DbError);
    EXPECT_EQ(t.db().scalar("select count(*) from ASPLB").toInt(), 1);
}

}  // namespace
