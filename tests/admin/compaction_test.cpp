// Compacting the book: the file shrinks under the same key, a stale
// temporary file does not stand in the way, and a failure keeps the file.
#include "admin/compaction.h"
#include "support/openbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class CompactionTest : public testing::Test, protected OpenBook {
protected:
    CompactionTest() {
        Database::Transaction tx(dbm.dbapp);
        for (int i = 0; i < 3000; ++i)
            dbm.dbapp.exec("insert into atxl (姓名, 地址) values (:n, :a)",
                           {{"n", QString("联系人%1").arg(i)}, {"a", QString(20, QChar(0x8DEF))}});
        tx.commit();
        dbm.dbapp.exec("delete from atxl where IDNO > 10");
        dbm.dbapp.exec("insert into Agzrz (logname, operation) values ('admin', '压缩前')");
    }
    QString file() const { return dbm.databaseFile(); }
    QString temporary() const { return QFileInfo(file()).dir().filePath("dbtmp.mdb"); }
};

TEST_F(CompactionTest, ShrinksTheFileUnderItsKeyOverAStaleTemporaryFile) {
    {
        QFile stale(temporary());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("left over from an earlier attempt");
    }
    const qint64 before = QFileInfo(file()).size();
    EXPECT_TRUE(compaction::compact(dbm, prompter));
    EXPECT_EQ(prompter.messages, QStringList{"数据库压缩完成!"});
    EXPECT_EQ(prompter.waitTexts, QStringList{"正在进行系统数据库压缩处理，请等待...."});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_LT(QFileInfo(file()).size(), before / 2);
    EXPECT_FALSE(QFileInfo::exists(temporary()));

    // The program goes on with the compacted file, configuration row and all.
    EXPECT_TRUE(dbm.dbapp.isOpen());
    EXPECT_EQ(dbm.dbapp.path(), file());
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from atxl").toInt(), 10);
    EXPECT_EQ(dbm.dbapp.scalar("select operation from Agzrz").toString(), "压缩前");
    EXPECT_TRUE(dbm.config.isOpen());
    dbm.writeWorkLog("压缩后");
    // Still the book's key: it opens with it and not without.
    Database keyed;
    EXPECT_NO_THROW(keyed.open(file()));
    Database bare;
    EXPECT_THROW(bare.open(file(), ""), DbError);
}

// A temporary file that cannot be replaced (a folder of that name) fails the
// compaction; the database file is the one it was and the book is open again.
TEST_F(CompactionTest, AFailureKeepsTheDatabaseFile) {
    ASSERT_TRUE(QDir().mkpath(temporary() + "/inside"));
    QFile original(file());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    dbm.close();
    const QByteArray bytes = original.readAll();
    original.close();
    dbm.open();

    EXPECT_FALSE(compaction::compact(dbm, prompter));
    EXPECT_EQ(prompter.messages, QStringList{"数据库压缩失败！"});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), bytes);
    EXPECT_TRUE(dbm.dbapp.isOpen());
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from atxl").toInt(), 10);
}

}  // namespace
