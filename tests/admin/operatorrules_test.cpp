// The operator list's rules on a fresh book: the protected system chief, the
// save checks in their order, the administrator right and the rights text.
#include "admin/operatorrules.h"
#include "database/passwordhash.h"
#include "database/rowset.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

class OperatorRulesTest : public testing::Test {
protected:
    OperatorRulesTest() : rows(t.db()), rules(rows, prompter) {
        t.db().exec("insert into Aczqx (logname, name, pwd, opstate, R1) values ('li', '李四', 'x', True, True)");
        rows.setTable("Aczqx", "Aczqx#PX");
        rows.open();
    }
    // A new operator as typed: login name, name, password and the two rights.
    void typeNew(const QString& login, const QString& name, const QString& password, bool r1, bool r16) {
        ASSERT_TRUE(rows.insert());
        rows.setValue("logname", login);
        rows.setValue("name", name);
        if (!password.isNull()) rules.typePassword(password);
        rows.setValue("R1", r1);
        rows.setValue("R16", r16);
    }
    QVariantList stored(const QString& login) {
        return t.db().rows("select name, opright, R1, R16 from Aczqx where logname = :l", {{"l", login}}).value(0);
    }

    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet rows;
    OperatorRules rules;
};

TEST_F(OperatorRulesTest, RightsTextFollowsTheRightsAndOnlyTheChiefIsAdministrator) {
    typeNew("wang", "王五", "pw", true, false);
    ASSERT_TRUE(rows.post());
    EXPECT_EQ(stored("wang"), (QVariantList{"王五", "1000000000000000", true, false}));
    EXPECT_TRUE(prompter.messages.isEmpty());

    typeNew("zhao", "赵六", "pw", true, true);
    ASSERT_TRUE(rows.post()) << "the right is taken away and the row saved";
    EXPECT_EQ(prompter.messages, QStringList{"除系统总管外，其他任何人不能具有系统管理员权限"});
    EXPECT_EQ(stored("zhao"), (QVariantList{"赵六", "1000000000000000", true, false}));
    EXPECT_EQ(t.db().scalar("select opright from Aczqx where logname = 'admin'").toString(), "0000000000000001");
}

struct BlankCase {
    const char* login;
    const char* name;
    const char* password;  // nullptr: none typed
    const char* message;
};

class OperatorSaveChecks : public OperatorRulesTest, public testing::WithParamInterface<BlankCase> {};

// Checked in order: the name, the login name, the password; a refused row
// stays in editing with what was typed.
TEST_P(OperatorSaveChecks, RefuseABlankNameLoginOrPassword) {
    const BlankCase& c = GetParam();
    typeNew(c.login, c.name, c.password ? QString(c.password) : QString(), true, false);
    EXPECT_FALSE(rows.post());
    EXPECT_EQ(prompter.messages, QStringList{c.message});
    EXPECT_EQ(rows.state(), RowSet::State::Insert);
    EXPECT_EQ(rows.value("logname").toString(), c.login);
    EXPECT_EQ(t.db().scalar("select count(*) from Aczqx").toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(Operators, OperatorSaveChecks,
                         testing::Values(BlankCase{"wang", "   ", "pw", "姓名必须设置，不能为空!"},
                                         BlankCase{"", "", "", "姓名必须设置，不能为空!"},
                                         BlankCase{"  ", "王五", "pw", "登录名必须设置,不能为空!"},
                                         BlankCase{"wang", "王五", "  ", "初始口令必须设置,不能为空!"},
                                         BlankCase{"wang", "王五", nullptr, "初始口令必须设置,不能为空!"}));

// The password is stored as typed, leading blank and all, but only as its hash.
TEST_F(OperatorRulesTest, PasswordIsStoredThroughTheHashAsTyped) {
    typeNew("wang", "王五", " pw", true, false);
    ASSERT_TRUE(rows.post());
    const QString stored = t.db().scalar("select pwd from Aczqx where logname = 'wang'").toString();
    EXPECT_NE(stored, " pw");
    EXPECT_TRUE(passwords::verify(" pw", stored));
    EXPECT_FALSE(passwords::verify("pw", stored));

    // Changing the name keeps the password; a new one typed replaces it.
    ASSERT_TRUE(rows.locate("logname", "wang"));
    rows.edit();
    rows.setValue("name", "王老五");
    ASSERT_TRUE(rows.post());
    EXPECT_EQ(t.db().scalar("select pwd from Aczqx where logname = 'wang'").toString(), stored);
    ASSERT_TRUE(rules.typePassword("new"));
    ASSERT_TRUE(rows.post());
    EXPECT_TRUE(passwords::verify("new", t.db().scalar("select pwd from Aczqx where logname = 'wang'").toString()));
}

// A save the table refuses (the login name is its key) leaves the typed
// password hashed in the row, and saving again keeps that hash.
TEST_F(OperatorRulesTest, ADuplicateLoginNameIsRefusedAndTheRowStaysInEdit) {
    typeNew("LI", "另一个李四", "pw", true, false);
    EXPECT_FALSE(rows.post());
    EXPECT_EQ(prompter.messages, QStringList{"关键字(编码)不能重复!"});
    EXPECT_EQ(rows.state(), RowSet::State::Insert);
    rows.setValue("logname", "li2");
    ASSERT_TRUE(rows.post());
    EXPECT_TRUE(passwords::verify("pw", t.db().scalar("select pwd from Aczqx where logname = 'li2'").toString()));
}

TEST_F(OperatorRulesTest, TheChiefCanBeBrowsedButNeitherChangedNorDeleted) {
    ASSERT_TRUE(rows.locate("logname", "admin"));
    EXPECT_FALSE(rows.edit());
    EXPECT_FALSE(rules.typePassword("x"));
    EXPECT_FALSE(rows.remove());
    EXPECT_EQ(prompter.messages, QStringList(3, OperatorRules::kChiefProtected));
    EXPECT_EQ(t.db().scalar("select count(*) from Aczqx where logname = 'admin'").toInt(), 1);
    EXPECT_FALSE(rules.passwordTyped());
}

// A logged-in operator can be deleted too, after a Yes.
TEST_F(OperatorRulesTest, DeleteAsksAndNoKeepsTheOperator) {
    ASSERT_TRUE(rows.locate("logname", "li"));
    prompter.expectQuestion("是否要删除此操作员?", false);
    EXPECT_FALSE(rows.remove());
    EXPECT_EQ(t.db().scalar("select count(*) from Aczqx where logname = 'li'").toInt(), 1);
    prompter.expectQuestion("是否要删除此操作员?", true);
    EXPECT_TRUE(rows.remove());
    EXPECT_EQ(t.db().scalar("select count(*) from Aczqx where logname = 'li'").toInt(), 0);
}

}  // namespace
