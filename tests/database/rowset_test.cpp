#include "database/rowset.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"
#include "support/unknownfieldreports.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class RowSetTest : public testing::Test {
protected:
    void SetUp() override {
        Database& db = t.db();
        db.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋'), ('02', '服装')");
        db.exec("insert into ASPKM (Spbm, Spmc, Splb, Kcsl, kcjg) values "
                "('B2', 'beta', '01', 5, 2), ('a1', 'Alpha', '02', 1, 10), ('C3', 'gamma', '09', 0, 0)");
    }
    QStringList codes(const RowSet& r) {
        QStringList out;
        for (int p = 0; p < r.recordCount(); ++p) out.append(r.rowAt(p).value("spbm").toString());
        return out;
    }
    TestDatabase t;
    ScriptedPrompter prompter;
};

TEST_F(RowSetTest, OpensInTheGivenOrderWithoutRegardToCase) {
    RowSet r(t.db());
    r.setTable("aspkm", "spbm");
    r.open();
    EXPECT_EQ(codes(r), (QStringList{"a1", "B2", "C3"}));
    EXPECT_EQ(r.state(), RowSet::State::Browse);
    EXPECT_EQ(r.position(), 0);
    EXPECT_EQ(r.positionText(), "1/3");
    EXPECT_TRUE(r.field(r.fieldIndex("IDNO")).readOnly);
    EXPECT_EQ(r.field(r.fieldIndex("Spbm")).width, 16);
}

TEST_F(RowSetTest, EditPostWritesAtOnceAndCancelRestores) {
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.open();
    EXPECT_FALSE(r.setValue("Spmc", "x")) << "browse state takes no values";
    ASSERT_TRUE(r.edit());
    EXPECT_EQ(r.state(), RowSet::State::Edit);
    ASSERT_TRUE(r.setValue("Spmc", "阿尔法"));
    EXPECT_EQ(r.value("spmc").toString(), "阿尔法");
    r.cancel();
    EXPECT_EQ(r.value("Spmc").toString(), "Alpha");

    r.edit();
    r.setValue("Kcsl", "12");
    ASSERT_TRUE(r.post());
    EXPECT_EQ(r.state(), RowSet::State::Browse);
    EXPECT_EQ(t.db().scalar("select Kcsl from ASPKM where Spbm = 'a1'").toDouble(), 12);
    EXPECT_EQ(r.value("Kcsl").typeId(), QMetaType::Double);
}

TEST_F(RowSetTest, ValuesThatDoNotFitTheFieldTypeAreRefused) {
    RowSet r(t.db());
    r.setTable("ASPKM");
    r.open();
    r.edit();
    EXPECT_FALSE(r.setValue("Kcsl", "12abc"));
    EXPECT_FALSE(r.setValue("Scale", "1.5"));
    EXPECT_FALSE(r.setValue("lastrkrq", "yesterday"));
    EXPECT_TRUE(r.setValue("Kcsl", ""));
    EXPECT_TRUE(r.value("Kcsl").isNull());
    EXPECT_TRUE(r.setValue("lastrkrq", QDate(2003, 7, 1)));
    EXPECT_EQ(r.value("lastrkrq").toDateTime(), QDateTime(QDate(2003, 7, 1), QTime(0, 0)));
}

TEST_F(RowSetTest, AppendTakesDefaultsAndAutoNumberFromTheDatabase) {
    RowSet r(t.db());
    r.setTable("asprkdd", "FLBH");
    r.hooks.afterInsert = [&] { r.setValue("FLBH", r.recordCount()); };
    r.open();
    ASSERT_TRUE(r.append());
    EXPECT_EQ(r.state(), RowSet::State::Insert);
    EXPECT_EQ(r.value("FLBH").toInt(), 1) << "new-row defaults from the hook";
    r.setValue("DJHM", "000000001");
    ASSERT_TRUE(r.post());
    EXPECT_EQ(r.value("BZW").toString(), "1") << "the column default is read back";

    RowSet s(t.db());
    s.setTable("AGYS");
    s.open();
    s.append();
    s.setValue("Bm", "G1");
    s.post();
    EXPECT_EQ(s.value("IDNO").toInt(), 1);
}

TEST_F(RowSetTest, CancelledInsertLeavesNoRow) {
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.open();
    r.moveTo(1);
    ASSERT_TRUE(r.insert());
    EXPECT_EQ(r.recordCount(), 4);
    EXPECT_EQ(r.position(), 1);
    r.cancel();
    EXPECT_EQ(r.recordCount(), 3);
    EXPECT_EQ(r.value("Spbm").toString(), "B2");
    EXPECT_EQ(t.db().scalar("select count(*) from ASPKM").toInt(), 3);
}

TEST_F(RowSetTest, HooksThatRefuseLeaveTheRowAsItWasOrInEditing) {
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.hooks.beforeEdit = [&] {
        prompter.message("不能修改");
        return false;
    };
    r.hooks.beforeDelete = [&] { return prompter.question("是否删除?"); };
    r.open();
    EXPECT_FALSE(r.edit());
    EXPECT_EQ(r.state(), RowSet::State::Browse);

    prompter.expectQuestion("是否删除?", false);
    EXPECT_FALSE(r.remove());
    EXPECT_EQ(r.recordCount(), 3);

    r.hooks.beforePost = [&] {
        if (r.value("Kcsl").toDouble() >= 0) return true;
        prompter.message("库存不能为负");
        return false;
    };
    r.hooks.beforeEdit = {};
    r.edit();
    r.setValue("Kcsl", -1);
    EXPECT_FALSE(r.post());
    EXPECT_EQ(r.state(), RowSet::State::Edit);
    EXPECT_EQ(r.value("Kcsl").toDouble(), -1) << "the typed value stays";
    EXPECT_FALSE(r.moveTo(2)) << "a refused post keeps the cursor on the row";
    EXPECT_EQ(prompter.messages, (QStringList{"不能修改", "库存不能为负", "库存不能为负"}));

    prompter.expectQuestion("是否删除?", true);
    r.cancel();
    EXPECT_TRUE(r.remove());
    EXPECT_EQ(codes(r), (QStringList{"B2", "C3"}));
    EXPECT_EQ(t.db().scalar("select count(*) from ASPKM").toInt(), 2);
}

TEST_F(RowSetTest, DatabaseRefusalKeepsTheRowInEditingWithWhatWasTyped) {
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    QList<DbError::Kind> errors;
    r.hooks.onWriteError = [&](const DbError& e) { errors.append(e.kind()); };
    r.open();
    r.append();
    r.setValue("Spbm", "A1");  // a1 exists in another letter case
    EXPECT_FALSE(r.post());
    r.setValue("Spbm", QString(17, 'x'));
    EXPECT_FALSE(r.post());
    EXPECT_EQ(errors, (QList<DbError::Kind>{DbError::Kind::DuplicateKey, DbError::Kind::TooLong}));
    EXPECT_EQ(r.state(), RowSet::State::Insert);
    EXPECT_EQ(r.value("Spbm").toString(), QString(17, 'x'));
    r.setValue("Spbm", "D4");
    EXPECT_TRUE(r.post());

    r.hooks.onWriteError = {};
    r.edit();
    r.setValue("Spbm", "b2");
    EXPECT_THROW(r.post(), DbError) << "without a handler the caller sees the error";
    EXPECT_EQ(r.state(), RowSet::State::Edit);
}

// Leaving a row saves what was typed into it; a row nothing was typed into
// (new-row defaults do not count) is dropped, never saved as blanks.
TEST_F(RowSetTest, LeavingANewRowNothingWasTypedIntoDropsIt) {
    RowSet r(t.db());
    r.setTable("ASPLB", "Bm");
    r.hooks.afterInsert = [&r] { r.setValue("Mc", "默认"); };
    r.open();
    struct Leave {
        const char* how;
        std::function<bool(RowSet&)> leave;
    };
    const Leave cases[] = {
        {"move", [](RowSet& rs) { return rs.first(); }},
        {"append again", [](RowSet& rs) { return rs.append() && rs.endEditing(); }},
        {"refresh", [](RowSet& rs) { rs.refresh(); return true; }},
        {"sort", [](RowSet& rs) { return rs.setSort("Mc  DESC"); }},
        {"end editing", [](RowSet& rs) { return rs.endEditing(); }},
    };
    for (const Leave& c : cases) {
        ASSERT_TRUE(r.append()) << c.how;
        EXPECT_FALSE(r.isModified()) << c.how;
        EXPECT_TRUE(c.leave(r)) << c.how;
        EXPECT_EQ(r.state(), RowSet::State::Browse) << c.how;
        EXPECT_EQ(r.recordCount(), 2) << c.how;
        EXPECT_EQ(t.db().scalar("select count(*) from ASPLB").toInt(), 2) << c.how;
    }
    // Once something is typed, leaving saves it (an edit likewise).
    r.append();
    r.setValue("Bm", "03");
    EXPECT_TRUE(r.first());
    EXPECT_EQ(t.db().scalar("select Mc from ASPLB where Bm = '03'").toString(), "默认");
    r.edit();
    EXPECT_TRUE(r.endEditing());
    EXPECT_EQ(r.state(), RowSet::State::Browse);
}

// A delete answered No keeps the row and what was typed into it.
TEST_F(RowSetTest, ADeleteRefusedByItsQuestionKeepsTheTypedValues) {
    RowSet r(t.db());
    r.setTable("ASPLB", "Bm");
    r.hooks.beforeDelete = [] { return false; };
    r.open();
    r.edit();
    r.setValue("Mc", "正在输入");
    EXPECT_FALSE(r.remove());
    EXPECT_EQ(r.state(), RowSet::State::Edit);
    EXPECT_EQ(r.value("Mc").toString(), "正在输入");
    r.hooks.beforeDelete = [] { return true; };
    EXPECT_TRUE(r.remove());
    EXPECT_EQ(t.db().scalar("select count(*) from ASPLB").toInt(), 1);
}

// Two workstations on one book: a save or delete of a row the other one
// changed, deleted or replaced (a new row taking its engine id) is refused
// with the message, touches nothing, and the row stays in editing.
TEST_F(RowSetTest, RowsAreWrittenByKeyNeverOverAnotherWorkstationsChange) {
    Database other;
    other.open(t.databaseFile());
    struct Case {
        const char* what;
        const char* otherDoes;
        bool deleting;
    };
    const Case cases[] = {
        {"save over a change", "update ASPLB set Mc = '鞋类' where Bm = '02'", false},
        {"save of a deleted row", "delete from ASPLB where Bm = '02'", false},
        {"save of a row replaced under its id",
         "delete from ASPLB where Bm = '02'; insert into ASPLB (rowid, Bm, Mc) values (2, '05', '帽子')", false},
        {"delete of a replaced row",
         "delete from ASPLB where Bm = '02'; insert into ASPLB (rowid, Bm, Mc) values (2, '05', '帽子')", true},
        {"delete of a deleted row", "delete from ASPLB where Bm = '02'", true},
    };
    for (const Case& c : cases) {
        t.db().exec("delete from ASPLB");
        t.db().exec("insert into ASPLB (rowid, Bm, Mc) values (1, '01', '运动鞋'), (2, '02', '服装')");
        RowSet r(t.db());
        r.setTable("ASPLB", "Bm");
        QStringList told;
        r.hooks.onWriteError = [&told](const DbError& e) { told.append(e.message()); };
        r.open();
        r.locate("Bm", "02");
        for (const QString& statement : QString(c.otherDoes).split("; ")) other.exec(statement);
        const auto before = t.db().rows("select rowid, Bm, Mc from ASPLB order by rowid");
        int going = 0;
        QObject::connect(&r, &RowSet::rowAboutToBeRemoved, [&going] { ++going; });
        if (c.deleting) {
            EXPECT_FALSE(r.remove()) << c.what;
            EXPECT_EQ(going, 0) << "a row the delete did not remove is not told as going";
        } else {
            r.edit();
            r.setValue("Mc", "童装");
            EXPECT_FALSE(r.post()) << c.what;
            EXPECT_EQ(r.state(), RowSet::State::Edit) << c.what;
            EXPECT_EQ(r.value("Mc").toString(), "童装") << c.what;
        }
        EXPECT_EQ(told, QStringList{"记录已被其他操作员修改或删除,请刷新后重试!"}) << c.what;
        EXPECT_EQ(t.db().rows("select rowid, Bm, Mc from ASPLB order by rowid"), before) << c.what;
    }
    // Unchanged by anyone else, both go through.
    RowSet r(t.db());
    r.setTable("ASPLB", "Bm");
    r.open();
    r.edit();
    r.setValue("Mc", "运动");
    EXPECT_TRUE(r.post());
    EXPECT_TRUE(r.remove());
    EXPECT_EQ(other.scalar("select count(*) from ASPLB where Bm = '01'").toInt(), 0);
}

// A title click orders names as Chinese readers look them up, by pinyin,
// Latin names after them without regard to case (the Chinese collation's
// order), numbers by value, and empty values first.
TEST_F(RowSetTest, TextSortsInPinyinOrderNumbersByValue) {
    t.db().exec("delete from ASPKM");
    const struct {
        const char* code;
        const char* name;
        double price;
    } goods[] = {{"G1", "足球", 9},    {"G2", "帆布鞋", 100}, {"G3", "板鞋", 20},  {"G4", "儿童鞋", 5.5},
                 {"G5", "阿迪跑鞋", 10}, {"G6", "跑步鞋", 1000}, {"G7", "nike", 3}, {"G8", "Adidas", 4}};
    for (const auto& g : goods)
        t.db().exec("insert into ASPKM (Spbm, Spmc, Xsdj) values (:c, :n, :p)", {{"c", g.code}, {"n", g.name}, {"p", g.price}});
    t.db().exec("insert into ASPKM (Spbm) values ('G9')");
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.open();
    auto column = [&r](const char* field) {
        QStringList out;
        for (int p = 0; p < r.recordCount(); ++p) out.append(r.rowAt(p).value(field).toString());
        return out;
    };
    ASSERT_TRUE(r.setSort("Spmc  ASC"));
    EXPECT_EQ(column("Spmc"), (QStringList{"", "阿迪跑鞋", "板鞋", "儿童鞋", "帆布鞋", "跑步鞋", "足球", "Adidas", "nike"}));
    ASSERT_TRUE(r.setSort("Xsdj  DESC"));
    EXPECT_EQ(column("Spbm"), (QStringList{"G6", "G2", "G3", "G5", "G1", "G4", "G8", "G7", "G9"}));
}

TEST_F(RowSetTest, SortTextAlternatesAndKeepsTheCurrentRow) {
    RowSet r(t.db());
    r.setTable("ASPKM", "IDNO");
    r.open();
    r.moveTo(1);  // a1
    ASSERT_TRUE(r.setSort("Spmc  ASC"));
    EXPECT_EQ(r.sort(), "Spmc  ASC");
    EXPECT_EQ(codes(r), (QStringList{"a1", "B2", "C3"})) << "text sorts without regard to case";
    EXPECT_EQ(r.value("Spbm").toString(), "a1");
    ASSERT_TRUE(r.setSort("Kcsl  DESC"));
    EXPECT_EQ(codes(r), (QStringList{"B2", "a1", "C3"}));
    EXPECT_FALSE(r.setSort("nosuch  ASC"));
    EXPECT_EQ(r.sort(), "Kcsl  DESC") << "a refused sort changes nothing";
    r.addCalculatedField("kcje2", [](const RowView& v) { return v.value("Kcsl").toDouble() * 2; });
    EXPECT_FALSE(r.setSort("kcje2  ASC")) << "only data fields sort";
    ASSERT_TRUE(r.setSort(""));
    EXPECT_EQ(codes(r), (QStringList{"B2", "a1", "C3"}));
}

TEST_F(RowSetTest, LocateExactPrefixAndCaseInsensitive) {
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.open();
    struct Case {
        QString value;
        RowSet::LocateOptions options;
        QString found;  // empty: not found, the cursor stays
    };
    const Case cases[] = {
        {"B2", {}, "B2"},
        {"b2", {}, ""},
        {"b2", {true, false}, "B2"},
        {"c", {true, true}, "C3"},
        {"C", {false, true}, "C3"},
        {"A", {false, true}, ""},
        {"", {false, true}, "a1"},
    };
    for (const Case& c : cases) {
        r.first();
        r.moveTo(1);
        const QString before = r.value("Spbm").toString();
        const bool found = r.locate("Spbm", c.value, c.options);
        EXPECT_EQ(found, !c.found.isEmpty()) << c.value.toStdString();
        EXPECT_EQ(r.value("Spbm").toString(), found ? c.found : before);
    }
    EXPECT_TRUE(r.locate(QStringList{"Splb", "Kcsl"}, QVariantList{"01", 5}));
    EXPECT_EQ(r.value("Spbm").toString(), "B2");
}

TEST_F(RowSetTest, FilterTextMatchesNamesWithApostrophesExactly) {
    t.db().exec("insert into Agzrz (logname, name, operation) values "
                "('a', 'O''Neil', '1'), ('b', 'ONeil', '2'), ('c', 'o''neil', '3'), ('d', 'X', '4')");
    RowSet log(t.db());
    log.setTable("Agzrz");
    log.open();
    EXPECT_EQ(RowSet::filterText("name", "O'Neil"), "name='O''Neil'");
    ASSERT_TRUE(log.setFilterText(RowSet::filterText("name", "O'Neil")));
    EXPECT_EQ(log.recordCount(), 2) << "Jet compares text without regard to case";
    ASSERT_TRUE(log.setFilterText("name='X' and operation='4'"));
    EXPECT_EQ(log.recordCount(), 1);
    EXPECT_FALSE(log.setFilterText("name='unterminated"));
    EXPECT_FALSE(log.setFilterText("nosuch='x'"));
    log.clearFilter();
    EXPECT_EQ(log.recordCount(), 4);
    log.setFilter([](const RowView& v) { return v.value("logname").toString() > "b"; });
    EXPECT_EQ(log.recordCount(), 2);
}

// Stock-in headers and their lines, the lines following the header.
struct HeaderAndLines {
    explicit HeaderAndLines(Database& db) : dbm(db), dbd(db) {
        dbm.setTable("ASPRKD", "ASPRKD#PX");
        dbd.setTable("asprkdd", "FLBH", "DJHM = :DJHM");
        dbd.setMaster(&dbm, {"DJHM"});
        dbm.open();
        dbd.open();
    }
    RowSet dbm, dbd;
};

TEST_F(RowSetTest, DetailFollowsTheMasterRow) {
    t.db().exec("insert into ASPRKD (DJHM) values ('000000001'), ('000000002'), ('000000003')");
    t.db().exec("insert into asprkdd (DJHM, FLBH) values ('000000001', 1), ('000000001', 2), ('000000002', 1)");
    HeaderAndLines document(t.db());
    RowSet& dbm = document.dbm;
    RowSet& dbd = document.dbd;
    EXPECT_EQ(dbd.recordCount(), 2);
    dbm.next();
    EXPECT_EQ(dbd.recordCount(), 1);
    dbm.next();
    EXPECT_EQ(dbd.recordCount(), 0);
    dbm.append();
    EXPECT_EQ(dbd.recordCount(), 0) << "a new header has no lines";
    dbm.cancel();
    EXPECT_EQ(dbd.recordCount(), 0);
    dbm.first();
    EXPECT_EQ(dbd.recordCount(), 2);
}

TEST_F(RowSetTest, ALineBeingTypedIsSavedWhenTheMasterMoves) {
    t.db().exec("insert into ASPRKD (DJHM) values ('000000001'), ('000000002')");
    HeaderAndLines document(t.db());
    RowSet& dbm = document.dbm;
    RowSet& dbd = document.dbd;
    dbd.append();
    dbd.setValue("DJHM", "000000001");
    dbd.setValue("FLBH", 1);
    dbm.next();
    EXPECT_EQ(t.db().scalar("select count(*) from asprkdd").toInt(), 1) << "saved, not lost";
    dbd.append();
    dbd.setValue("DJHM", "000000002");
    dbd.refresh();
    EXPECT_EQ(t.db().scalar("select count(*) from asprkdd").toInt(), 2);
    dbm.first();
    EXPECT_EQ(dbd.recordCount(), 1);
}

TEST_F(RowSetTest, CalculatedLookupAndChangeHooks) {
    RowSet categories(t.db());
    categories.setTable("ASPLB", "Bm");
    categories.open();
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.addLookupField("lbmc", "Splb", &categories, "Bm", "Mc");
    r.addCalculatedField("kcje2", [](const RowView& v) { return v.value("Kcsl").toDouble() * v.value("kcjg").toDouble(); });
    r.open();
    r.onFieldChange("kcsl", [&] { r.setValue("kcje", r.value("Kcsl").toDouble() * r.value("kcjg").toDouble()); });
    EXPECT_EQ(r.value("lbmc").toString(), "服装");
    EXPECT_DOUBLE_EQ(r.value("kcje2").toDouble(), 10);
    r.locate("Spbm", "C3");
    EXPECT_TRUE(r.value("lbmc").isNull()) << "an unknown category shows nothing";

    r.first();
    r.edit();
    r.setValue("Kcsl", 3);
    EXPECT_DOUBLE_EQ(r.value("kcje").toDouble(), 30);
    EXPECT_DOUBLE_EQ(r.value("kcje2").toDouble(), 30) << "calculated fields see the row being edited";
    r.setValue("Splb", "01");
    EXPECT_EQ(r.value("lbmc").toString(), "运动鞋");
    r.post();

    categories.first();
    categories.edit();
    categories.setValue("Mc", "鞋类");
    categories.post();
    EXPECT_EQ(r.value("lbmc").toString(), "鞋类") << "a changed category shows at once";
}

// A name the row set does not know is the window's mistake: told once, as
// soon as the fields are read, whether it was given before or after; the row
// set goes on as if the field were always Null.
TEST_F(RowSetTest, UnknownFieldNamesAreReportedOnce) {
    RowSet categories(t.db());
    categories.setTable("ASPLB", "Bm");
    categories.open();
    struct Case {
        const char* what;
        std::function<void(RowSet&)> beforeOpen, afterOpen;
        QStringList reported;
    };
    const QString goods = R"(row set ASPKM: no field "nosuch")";
    const Case cases[] = {
        {"known names only", [&](RowSet& r) { r.addLookupField("lbmc", "Splb", &categories, "Bm", "Mc"); },
         [](RowSet& r) {
             r.value("Spbm");
             r.rowAt(0).value("lbmc");
             r.edit();
             r.setValue("Spmc", "x");
             r.locate("Spbm", "C3");
         },
         {}},
        {"a value asked for twice", [](RowSet&) {},
         [](RowSet& r) {
             EXPECT_TRUE(r.value("nosuch").isNull());
             r.value("NoSuch");
         },
         {goods}},
        {"a row's value", [](RowSet&) {}, [](RowSet& r) { EXPECT_TRUE(r.rowAt(0).value("nosuch").isNull()); }, {goods}},
        {"a value set", [](RowSet&) {},
         [](RowSet& r) {
             r.edit();
             EXPECT_FALSE(r.setValue("nosuch", 1));
         },
         {goods}},
        {"a caption given", [](RowSet&) {}, [](RowSet& r) { r.field("nosuch").caption = "无"; }, {goods}},
        {"a lookup's key field, given before the fields were read",
         [&](RowSet& r) { r.addLookupField("lbmc", "nosuch", &categories, "Bm", "Mc"); },
         [](RowSet& r) { EXPECT_TRUE(r.value("lbmc").isNull()); }, {goods}},
        {"a lookup's result in the looked-up rows", [](RowSet&) {},
         [&](RowSet& r) {
             r.addLookupField("lbmc", "Splb", &categories, "Bm", "nosuch");
             EXPECT_TRUE(r.value("lbmc").isNull());
         },
         {R"(row set ASPLB: no field "nosuch")"}},
        {"a change handler, given before the fields were read",
         [](RowSet& r) { r.onFieldChange("nosuch", [] {}); }, [](RowSet&) {}, {goods}},
    };
    for (const Case& c : cases) {
        UnknownFieldReports told;
        RowSet r(t.db());
        r.setTable("ASPKM", "Spbm");
        c.beforeOpen(r);
        r.open();
        c.afterOpen(r);
        EXPECT_EQ(told.reports, c.reported) << c.what;
    }
}

TEST_F(RowSetTest, RefreshRereadsAndStaysOnTheSameRow) {
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.open();
    r.locate("Spbm", "C3");
    t.db().exec("insert into ASPKM (Spbm, Spmc) values ('0A', 'new')");
    t.db().exec("update ASPKM set Spmc = 'changed' where Spbm = 'C3'");
    r.refresh();
    EXPECT_EQ(r.recordCount(), 4);
    EXPECT_EQ(r.value("Spbm").toString(), "C3");
    EXPECT_EQ(r.value("Spmc").toString(), "changed");
}

// A window re-reads on every activation: that costs nothing while nothing
// was written, and shows every write as soon as there was one, whoever made it.
TEST_F(RowSetTest, RefreshRereadsOnlyWhenTheBookChanged) {
    const QString copy = t.workingDirectory() + "/history.db";
    t.db().exec("update ASPKM set Spmc = 'history' where Spbm = 'a1'");
    ASSERT_TRUE(QFile::copy(t.databaseFile(), copy));
    Database other;
    other.open(t.databaseFile());
    struct Case {
        const char* what;
        std::function<void()> change;
        bool rereads;
        const char* shownName;  // the name of goods a1 shown afterwards
    };
    const Case cases[] = {
        {"nothing written", [] {}, false, "Alpha"},
        {"this connection wrote a row", [&] { t.db().exec("update ASPKM set Spmc = 'own' where Spbm = 'a1'"); },
         true, "own"},
        {"another connection wrote a row",
         [&] { other.exec("update ASPKM set Spmc = 'other' where Spbm = 'a1'"); }, true, "other"},
        // Everything the engine counts is as it was here; only the file is another.
        {"the connection now points at another file, as the history mode does, with as much written there",
         [&] {
             t.db().reopen(copy);
             t.db().exec("update ASPKM set Spmc = 'history' where Spbm = 'a1'");
         },
         true, "history"},
        {"this connection changed the table's columns",
         [&] { t.db().exec("alter table ASPKM add column Bz Text(8)"); }, true, "Alpha"},
    };
    for (const Case& c : cases) {
        t.db().reopen(t.databaseFile());
        t.db().exec("update ASPKM set Spmc = 'Alpha' where Spbm = 'a1'");
        RowSet r(t.db());
        r.setTable("ASPKM", "Spbm");
        r.open();
        r.locate("Spbm", "B2");
        int resets = 0;
        QObject::connect(&r, &RowSet::reset, [&resets] { ++resets; });
        c.change();
        r.refresh();
        EXPECT_EQ(resets, c.rereads ? 1 : 0) << c.what;
        EXPECT_EQ(r.value("Spbm").toString(), "B2") << c.what;
        EXPECT_EQ(r.rowAt(0).value("Spmc").toString(), c.shownName) << c.what;
    }

    // Rows read inside a transaction that is then rolled back are read again.
    {
        auto transaction = std::make_unique<Database::Transaction>(t.db());
        t.db().exec("update ASPKM set Spmc = 'undone' where Spbm = 'a1'");
        RowSet r(t.db());
        r.setTable("ASPKM", "Spbm");
        r.open();
        EXPECT_EQ(r.rowAt(0).value("Spmc").toString(), "undone");
        transaction.reset();
        r.refresh();
        EXPECT_EQ(r.rowAt(0).value("Spmc").toString(), "Alpha");
    }

    // The same rows under other parameters are another read, written or not.
    RowSet q(t.db());
    q.setQuery("select spbm from aspkm where splb = :lb");
    q.setParam("lb", "01");
    q.open();
    q.setParam("lb", "02");
    q.refresh();
    EXPECT_EQ(q.value("spbm").toString(), "a1");
}

// Rows are kept compact, not as the engine's values: every declared type
// with every kind of value the engine may hold in it (a file from an older
// installation, the SQL console) must come back as a statement reads it.
TEST_F(RowSetTest, RowsGiveBackEveryValueAsTheEngineHoldsIt) {
    Database& db = t.db();
    db.exec("create table Mixed (t TEXT, n INTEGER, d REAL, b BOOLEAN, w DATETIME, u, m NUMERIC)");
    db.exec("insert into Mixed values ('双', 5, 2.5, 1, '2026-11-01 10:20:30', 7, 5)");
    db.exec("insert into Mixed values ('', 'abc', 'x', 'yes', '2026-11-01', 'text', 2.5)");
    db.exec("insert into Mixed values (null, 2.75, 3, 0, 20261101, 1.5, 'abc')");
    db.exec("insert into Mixed values (x'00ff', x'01', x'02', x'03', 'not a date', x'04', x'05')");
    db.exec("insert into Mixed values ('双', null, null, null, null, null, null)");
    // More different texts in a column than are remembered for sharing, each repeated.
    db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000) "
            "insert into Mixed (t, u) select printf('T%d', i % 300), printf('商品%d', i % 7) from n");
    const QList<QVariantList> engine = db.rows("select * from Mixed");
    RowSet r(db);
    r.setQuery("select * from Mixed");
    r.open();
    ASSERT_EQ(r.recordCount(), engine.size());
    for (int p = 0; p < r.recordCount(); ++p)
        for (int f = 0; f < r.fieldCount(); ++f) {
            const QVariant kept = r.valueAt(p, f), read = engine[p][f];
            EXPECT_EQ(kept.typeId(), read.typeId()) << "row " << p << " field " << f;
            EXPECT_EQ(kept, read) << "row " << p << " field " << f;
            EXPECT_EQ(kept.isNull(), read.isNull()) << "row " << p << " field " << f;
        }
}

// Equal texts read from many rows are kept once: a change to one row's
// text is that row's alone, and the values written stay as they were given.
TEST_F(RowSetTest, ARowsChangeStaysInThatRow) {
    t.db().exec("update ASPKM set Jldw = '双', lastrkrq = '2026-11-01 00:00:00'");
    RowSet r(t.db());
    r.setTable("ASPKM", "Spbm");
    r.open();
    r.locate("Spbm", "B2");
    r.edit();
    r.setValue("Jldw", "件");
    r.setValue("lastrkrq", QDate(2026, 12, 5));
    r.setValue("Kcsl", "7");
    ASSERT_TRUE(r.post());
    EXPECT_EQ(r.value("Jldw").toString(), "件");
    EXPECT_EQ(r.value("lastrkrq").toDateTime(), QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
    EXPECT_EQ(r.value("Kcsl").typeId(), QMetaType::Double);
    for (const QString code : {"a1", "C3"}) {
        r.locate("Spbm", code);
        EXPECT_EQ(r.value("Jldw").toString(), "双") << code.toStdString();
        EXPECT_EQ(r.value("lastrkrq").toDateTime(), QDateTime(QDate(2026, 11, 1), QTime(0, 0)));
    }
}

TEST_F(RowSetTest, QueriesAreReadOnlyAndTakeParameters) {
    RowSet q(t.db());
    q.setQuery("select spbm, kcsl * kcjg as je from aspkm where splb = :lb order by spbm");
    q.setParam("lb", "01");
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_DOUBLE_EQ(q.value("je").toDouble(), 10);
    EXPECT_FALSE(q.edit());
    EXPECT_FALSE(q.append());
    EXPECT_FALSE(q.remove());
}

// Rows a rule made (a check's findings): shown, sorted and filtered like
// read ones, never written, kept by a re-read, replaced when given again.
TEST_F(RowSetTest, GivenRowsAreReadOnlyAndStayUntilReplaced) {
    RowSet r(t.db());
    r.setRows({"类别", "内容"}, {{"商品库存", "商品 G2"}, {"单据", "入库单 1"}});
    r.open();
    ASSERT_EQ(r.recordCount(), 2);
    EXPECT_EQ(r.value("内容").toString(), "商品 G2");
    EXPECT_TRUE(r.setSort("类别  ASC"));
    EXPECT_EQ(r.rowAt(0).value("类别").toString(), "单据") << "by pinyin: dan before shang";
    EXPECT_FALSE(r.edit());
    EXPECT_FALSE(r.append());
    EXPECT_FALSE(r.remove());
    t.db().exec("delete from ASPKM");
    r.refresh();
    EXPECT_EQ(r.recordCount(), 2);

    int resets = 0;
    QObject::connect(&r, &RowSet::reset, [&resets] { ++resets; });
    r.setRows({"类别", "内容"}, {{"帐簿", "R000000001"}});
    EXPECT_EQ(resets, 1);
    ASSERT_EQ(r.recordCount(), 1);
    EXPECT_EQ(r.position(), 0);
    EXPECT_EQ(r.value("内容").toString(), "R000000001");
    r.setQuery("select spbm from aspkm");
    r.refresh();
    EXPECT_EQ(r.recordCount(), 0) << "a query given afterwards is read from the book";
}

}  // namespace
