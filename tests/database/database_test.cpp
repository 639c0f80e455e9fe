#include "database/database.h"
#include "support/testdatabase.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <thread>
#include <gtest/gtest.h>

namespace {

TEST(Database, FileIsEncryptedAndOpensOnlyWithTheKey) {
    TestDatabase t;
    const QString file = t.databaseFile();
    t.db().close();

    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_FALSE(raw.read(16).startsWith("SQLite format 3")) << "the file must not be plain SQLite";
    raw.close();

    for (const QByteArray& key : {QByteArray(), QByteArray("736")}) {
        Database other;
        try {
            other.open(file, key);
            FAIL() << "opened with key '" << key.toStdString() << "'";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::NotADatabase) << e.message().toStdString();
            EXPECT_FALSE(e.message().isEmpty());
        }
        EXPECT_FALSE(other.isOpen());
    }
    Database keyed;
    keyed.open(file);
    EXPECT_EQ(keyed.scalar("select count(*) from System").toInt(), 1);
}

TEST(Database, MissingOrDamagedFileIsRefusedWithTheEnginesMessage) {
    TestDatabase t;
    Database db;
    EXPECT_THROW(db.open(t.workingDirectory() + "/DATA/none.mdb"), DbError);
    QFile junk(t.workingDirectory() + "/DATA/junk.mdb");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(db.open(junk.fileName()), DbError);
    EXPECT_FALSE(db.isOpen());
}

TEST(Database, AnEmptyFileIsADamagedBookNotANewOne) {
    TestDatabase t;
    QFile empty(t.workingDirectory() + "/DATA/empty.mdb");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    Database db;
    try {
        db.open(empty.fileName());
        FAIL() << "a zero-byte file opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotADatabase);
        EXPECT_TRUE(e.message().startsWith("数据库文件已损坏")) << e.message().toStdString();
    }
    EXPECT_EQ(QFileInfo(empty.fileName()).size(), 0) << "nothing written into it";
}

// The engine's common failures read in Chinese, its own text kept after them.
TEST(Database, EngineFailuresAreToldInChineseWithTheEnginesText) {
    TestDatabase t;
    try {
        t.db().exec("insert into ASPKM (Spbm, Scale) values ('X', 99999999999)");
        FAIL() << "a Short column took 99999999999";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::OutOfRange);
        EXPECT_TRUE(e.message().contains("ASPKM.Scale")) << e.message().toStdString();
    }

    // A second workstation holds the file for the whole wait: the write gives
    // up as locked, in Chinese.
    Database other;
    other.open(t.databaseFile());
    other.exec("begin exclusive");
    try {
        t.db().exec("insert into ASPLB (Bm, Mc) values ('09', '袜子')");
        FAIL() << "wrote through another workstation's lock";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Locked);
        EXPECT_TRUE(e.message().startsWith("数据库正被其他程序使用")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("locked")) << "the engine's text follows";
    }
    other.exec("rollback");
}

TEST(Database, AWriteWaitsForAShortLockInsteadOfFailing) {
    TestDatabase t;
    Database other;
    other.open(t.databaseFile());
    other.exec("begin exclusive");
    std::thread release([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("commit");
    });
    EXPECT_NO_THROW(t.db().exec("insert into ASPLB (Bm, Mc) values ('09', '袜子')"));
    release.join();
    EXPECT_EQ(other.scalar("select Mc from ASPLB where Bm = '09'").toString(), "袜子");
}

TEST(Database, CreateRefusesAnExistingFile) {
    TestDatabase t;
    Database db;
    EXPECT_THROW(db.create(t.databaseFile()), DbError);
}

TEST(Database, ReopenPointsTheConnectionAtAnotherFileWithTheSameKey) {
    TestDatabase t;
    t.db().exec("insert into ASPLB (Bm, Mc) values ('01', '鞋')");
    const QString copy = t.workingDirectory() + "/DATA/DB200403.MDB";
    t.db().close();
    ASSERT_TRUE(QFile::copy(t.databaseFile(), copy));
    t.db().open(t.databaseFile());
    t.db().exec("delete from ASPLB");
    t.db().reopen(copy);
    EXPECT_EQ(t.db().scalar("select Mc from asplb where bm = '01'").toString(), "鞋");
}

// A month's history copy opened for looking at: nothing changes the file
// but the work-log rows and the operators' logged-in state.
TEST(Database, AGuardedFileTakesOnlyTheWritesAllowedIt) {
    TestDatabase t;
    t.db().exec("insert into ASPLB (Bm, Mc) values ('01', '鞋')");
    t.db().exec("insert into Agzrz (logname, name, operation) values ('admin', '管理员', '登录')");
    const QString file = t.databaseFile();
    t.db().close();
    auto bytes = [&file] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    };
    const QByteArray before = bytes();
    Database& db = t.db();
    db.openGuarded(file, {{.table = "Agzrz", .insert = true}, {.table = "aczqx", .updatedColumns = {"OPSTATE"}}});
    EXPECT_TRUE(db.isGuarded());

    for (const char* sql : {"insert into ASPLB (Bm, Mc) values ('02', '帽')", "update ASPLB set Mc = 'x'",
                            "delete from ASPLB", "delete from Agzrz", "update Agzrz set operation = 'x'",
                            "update Aczqx set pwd = 'x'", "update Aczqx set opstate = True, name = 'x'",
                            "create table T (a)", "drop table ASPLB", "alter table ASPLB add column c Text(2)",
                            "create index I on ASPLB (Mc)", "pragma user_version = 7", "pragma rekey = 'other'", "vacuum",
                            "attach 'other.db' as o", "create temp table T (a)"}) {
        try {
            db.exec(sql);
            ADD_FAILURE() << "not refused: " << sql;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().startsWith("历史数据只能查询，不能修改。")) << sql << ": " << e.message().toStdString();
        }
    }
    EXPECT_EQ(bytes(), before) << "every refusal came before anything was written";

    // Reading goes on as usual, the allowed writes go through.
    EXPECT_EQ(db.scalar("select Mc from ASPLB where Bm = '01'").toString(), "鞋");
    EXPECT_EQ(db.rows("pragma table_info(ASPLB)").size(), 2);
    db.exec("insert into Agzrz (logname, name, operation) values ('admin', '管理员', '正常退出本系统')");
    EXPECT_EQ(db.exec("update Aczqx set opstate = False where logname = 'admin'"), 1);
    EXPECT_EQ(db.scalar("select count(*) from Agzrz").toInt(), 2);
    // A typed query's shape is asked without lifting the guard.
    db.queryShape("select * from ASPLB");
    EXPECT_THROW(db.exec("delete from ASPLB"), DbError);

    // The next opening is an ordinary one again.
    db.open(file);
    EXPECT_FALSE(db.isGuarded());
    EXPECT_EQ(db.exec("delete from ASPLB"), 1);
}

TEST(Database, DuplicateKeysAreRefusedInEitherLetterCase) {
    TestDatabase t;
    Database& db = t.db();
    db.exec("insert into ASPKM (Spbm) values ('ab01')");
    const char* duplicates[] = {
        "insert into ASPKM (Spbm) values ('ab01')",    "insert into aspkm (spbm) values ('AB01')",
        "insert into Aczqx (logname, pwd) values ('ADMIN', 'x')", "insert into ABMK (Bm) values ('0000')",
        "insert into asprkdd (DJHM, FLBH) values ('1', 1), ('1', 1)",
        "insert into ASqlYmYc (LbBm, Bm) values (10, 1), (10, 1)",
    };
    for (const char* sql : duplicates) {
        SCOPED_TRACE(sql);
        try {
            db.exec(sql);
            FAIL() << "accepted";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isDuplicateKey()) << e.message().toStdString();
        }
    }
    EXPECT_NO_THROW(db.exec("insert into ASqlYmYc (LbBm, Bm) values (10, 2), (20, 1)"));
}

TEST(Database, TextLongerThanItsColumnIsRefusedNeverCut) {
    TestDatabase t;
    Database& db = t.db();
    EXPECT_NO_THROW(db.exec("insert into ASPLB (Bm, Mc) values ('1234567890', :mc)", {{"mc", QString(24, QChar(0x978B))}}));
    try {
        db.exec("insert into ASPLB (Bm, Mc) values ('12345678901', 'x')");
        FAIL() << "an eleven-character code was stored";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::TooLong);
        EXPECT_FALSE(e.isDuplicateKey());
        EXPECT_EQ(e.message().toStdString(), "数据太长：字段 ASPLB.Bm 最多 10 个字符");
    }
    EXPECT_THROW(db.exec("update ASPLB set Mc = :mc", {{"mc", QString(25, QChar(0x978B))}}), DbError);
    EXPECT_EQ(db.scalar("select count(*) from ASPLB").toInt(), 1);
}

TEST(Database, AutoNumbersIncreaseAndAreNeverReused) {
    TestDatabase t;
    Database& db = t.db();
    for (const char* code : {"a", "b", "c"}) db.exec("insert into AGYS (Bm) values (:bm)", {{"bm", code}});
    db.exec("delete from AGYS where Bm = 'c'");
    db.exec("insert into AGYS (Bm) values ('d')");
    EXPECT_EQ(db.scalar("select IDNO from AGYS where Bm = 'd'").toInt(), 4);
    EXPECT_EQ(db.scalar("select IDNO from AGYS where Bm = 'b'").toInt(), 2);
}

TEST(Database, ValuesKeepTheirTypesThroughTheEngine) {
    TestDatabase t;
    Database& db = t.db();
    const QDateTime when(QDate(2003, 7, 1), QTime(9, 30, 5));
    db.exec("insert into Agzrz (logname, name, optime, operation) values (:l, :n, :t, :o)",
            {{"l", "admin"}, {"n", "王"}, {"t", when}, {"o", "登录进入本系统"}});
    const QVariantList row = db.rows("select optime, opm, logname from Agzrz").value(0);
    EXPECT_EQ(row[0].toDateTime(), when);
    EXPECT_TRUE(row[1].isNull());
    EXPECT_EQ(db.scalar("select optime from Agzrz").typeId(), QMetaType::QDateTime);
    EXPECT_EQ(db.scalar("select DjRqEdit from System").typeId(), QMetaType::Bool);
    db.exec("insert into ASPKM (Spbm, Kcsl) values ('x', 0.1)");
    db.exec("update ASPKM set Kcsl = Kcsl + 0.2");
    EXPECT_DOUBLE_EQ(db.scalar("select Kcsl from ASPKM").toDouble(), 0.1 + 0.2) << "Double is stored unrounded";
}

TEST(Database, ParametersAreNamedWithoutRegardToCaseAndMissingOnesAreAnError) {
    TestDatabase t;
    EXPECT_EQ(t.db().scalar("select :Xrq", {{"XRQ", 5}}).toInt(), 5);
    EXPECT_THROW(t.db().scalar("select :xrq"), DbError);
}

TEST(Database, TransactionRollsBackUnlessCommitted) {
    TestDatabase t;
    Database& db = t.db();
    {
        Database::Transaction tx(db);
        db.exec("insert into ASPLB (Bm) values ('1')");
    }
    EXPECT_EQ(db.scalar("select count(*) from ASPLB").toInt(), 0);
    {
        Database::Transaction tx(db);
        db.exec("insert into ASPLB (Bm) values ('1')");
        tx.commit();
    }
    EXPECT_EQ(db.scalar("select count(*) from ASPLB").toInt(), 1);
}

}  // namespace
