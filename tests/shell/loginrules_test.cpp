#include "database/passwordhash.h"
#include "shell/loginrules.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

class LoginRulesTest : public testing::Test {
protected:
    LoginRulesTest() : session(t.workingDirectory()), dbm(session), rules(dbm, session, prompter) {
        dbm.open();
        addOperator("clerk", "店员", "pw", {1});
        addOperator("boss", "老板", "pw", {16});
        addOperator("nobody", "无权", "pw", {2, 15});
    }
    void addOperator(const QString& login, const QString& name, const QString& pwd, std::initializer_list<int> rights) {
        Params p{{"l", login}, {"n", name}, {"p", passwords::hash(pwd)}};
        QStringList sets;
        for (int r : rights) sets.append(QString("R%1 = True").arg(r));
        dbm.dbapp.exec("insert into Aczqx (logname, name, pwd, opstate) values (:l, :n, :p, False)", p);
        if (!sets.isEmpty()) dbm.dbapp.exec("update Aczqx set " + sets.join(", ") + " where logname = :l", {{"l", login}});
    }
    QList<QVariantList> workLog() { return dbm.dbapp.rows("select logname, name, operation, opm from Agzrz"); }
    bool opstate(const QString& login) {
        return dbm.dbapp.scalar("select opstate from Aczqx where logname = :l", {{"l", login}}).toBool();
    }

    TestDatabase t;
    ScriptedPrompter prompter;
    Session session;
    Tfdbm dbm;
    LoginRules rules;
};

TEST_F(LoginRulesTest, LoginNameMatchesWithoutRegardToCase) {
    EXPECT_EQ(rules.checkPassword("ADMIN", TestDatabase::kAdminPassword, QDate(2004, 3, 5)),
              LoginRules::Outcome::Succeeded);
    EXPECT_EQ(session.loginName(), "admin");
    EXPECT_EQ(session.operatorName(), "系统管理员");
    EXPECT_TRUE(session.isAdministrator());
    EXPECT_FALSE(session.right(1));
    EXPECT_TRUE(opstate("admin"));
    EXPECT_EQ(workLog(), (QList<QVariantList>{{"admin", "系统管理员", "登录进入本系统", QVariant()}}));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(LoginRulesTest, FailedLoginsAreLoggedAndStillTakeTheBusinessDate) {
    QString statusText;
    QObject::connect(&session, &Session::businessDateChanged, [&](const QString& t) { statusText = t; });
    struct Case {
        QString name, password;
        LoginRules::Outcome outcome;
        QString message;
    };
    const Case cases[] = {
        {"stranger", "pw", LoginRules::Outcome::UnknownName, "登录名或口令错误!!!\n您不能对本系统进行操作！"},
        {"clerk", "PW", LoginRules::Outcome::WrongPassword, "登陆名口令输入错误!!!\n您不能对本系统进行操作！"},
        {"Clerk", "pw ", LoginRules::Outcome::WrongPassword, "登陆名口令输入错误!!!\n您不能对本系统进行操作！"},
    };
    for (const Case& c : cases) {
        prompter.messages.clear();
        EXPECT_EQ(rules.checkPassword(c.name, c.password, QDate(2004, 3, 5)), c.outcome) << c.name.toStdString();
        EXPECT_EQ(prompter.messages, QStringList{c.message});
        EXPECT_EQ(workLog().constLast(),
                  (QVariantList{c.name, "未知", "有人试图以登录名:" + c.name + " 登录失败", QVariant()}));
    }
    EXPECT_EQ(session.businessDate(), QDate(2004, 3, 5));
    EXPECT_EQ(statusText, "业务日期:2004年3月");
    EXPECT_EQ(session.loginName(), Session::kNoLoginName);
    EXPECT_FALSE(opstate("clerk"));
}

TEST_F(LoginRulesTest, AnOverlongTypedNameIsStillLoggedCutToTheColumns) {
    const QString typed = "someone-typed-a-very-long-login-name-here";
    rules.checkPassword(typed, "x", QDate(2004, 3, 5));
    const QVariantList row = workLog().constLast();
    EXPECT_EQ(row[0].toString(), typed.left(8));
    EXPECT_EQ(row[2].toString(), ("有人试图以登录名:" + typed + " 登录失败").left(50));
}

TEST_F(LoginRulesTest, AnOperatorWithNeitherRightIsRefusedWithoutALogRow) {
    EXPECT_EQ(rules.checkPassword("nobody", "pw", QDate(2004, 3, 5)), LoginRules::Outcome::NoRight);
    EXPECT_EQ(prompter.messages, QStringList{"对不起,您无权使用本软件系统!!!"});
    EXPECT_TRUE(workLog().isEmpty());
    EXPECT_FALSE(opstate("nobody"));
    EXPECT_EQ(session.operatorName(), "无权") << "name and rights taken at the password check remain";
    EXPECT_TRUE(session.right(15));
    EXPECT_FALSE(session.mayWork());
}

TEST_F(LoginRulesTest, LogoutAndExitMarkTheOperatorLoggedOut) {
    rules.checkPassword("clerk", "pw", QDate(2004, 3, 5));
    session.setLoggedIn(true);
    rules.logout();
    EXPECT_FALSE(session.loggedIn());
    EXPECT_FALSE(opstate("clerk"));
    EXPECT_EQ(prompter.messages, QStringList{"您已经注销!您必须重新登录才能使用本系统"});
    rules.checkPassword("CLERK", "pw", QDate(2004, 3, 5));
    EXPECT_TRUE(opstate("clerk"));
    rules.markLoggedOut();
    EXPECT_FALSE(opstate("clerk"));
}

struct PasswordChange {
    const char* what;
    QStringList answers;  // old, new, confirmation
    QStringList messages;
    QString storedAfter;  // the password that works afterwards
};

class PasswordChangeTest : public LoginRulesTest, public testing::WithParamInterface<PasswordChange> {};

TEST_P(PasswordChangeTest, FollowsTheAnswers) {
    const PasswordChange& c = GetParam();
    rules.checkPassword("clerk", "pw", QDate(2004, 3, 5));
    for (const QString& a : c.answers) prompter.answerPassword(a);
    rules.changePassword();
    EXPECT_EQ(prompter.messages, c.messages);
    const QString stored = dbm.dbapp.scalar("select pwd from Aczqx where logname = 'clerk'").toString();
    EXPECT_TRUE(passwords::verify(c.storedAfter, stored));
    EXPECT_EQ(workLog().constLast()[2].toString(), "修改系统登录口令");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PasswordChangeTest,
    testing::Values(
        PasswordChange{"old wrong", {"PW"}, {"对不起，您没有记住您的老口令,\n您必须输入正确的老口令才能进行口令修改!"}, "pw"},
        PasswordChange{"old empty", {""}, {"对不起，您没有记住您的老口令,\n您必须输入正确的老口令才能进行口令修改!"}, "pw"},
        PasswordChange{"mismatch", {"pw", "new1", "new2"}, {"对不起，新口令两次输入不一致,\n当前口令修改无效!"}, "pw"},
        PasswordChange{"blanks only", {"pw", "   ", "   "}, {"用户口令必须设置,不能为空!", "本次口令修改无效!"}, "pw"},
        PasswordChange{"leading blank kept", {"pw", " new", " new"}, {"口令修改成功,\n请牢记您的新登录口令!"}, " new"}),
    [](const testing::TestParamInfo<PasswordChange>& info) {
        return QString(info.param.what).replace(' ', '_').toStdString();
    });

TEST_F(LoginRulesTest, AnOperatorWithoutAPasswordAnswersWithAnEmptyBox) {
    dbm.dbapp.exec("update Aczqx set pwd = Null where logname = 'clerk'");
    session.setOperator("clerk", "店员", {});
    for (const char* a : {"", "fresh", "fresh"}) prompter.answerPassword(a);
    rules.changePassword();
    EXPECT_EQ(prompter.messages, QStringList{"口令修改成功,\n请牢记您的新登录口令!"});
}

TEST_F(LoginRulesTest, PasswordChangeNeedsALogin) {
    rules.changePassword();
    EXPECT_EQ(prompter.messages, QStringList{"没有登录，无法修改口令...."});
    EXPECT_TRUE(prompter.prompts.isEmpty());
}

TEST(SessionTest, BusinessDateTextHasNoLeadingZeros) {
    EXPECT_EQ(Session::businessDateText(QDate(2004, 3, 5), false), "业务日期:2004年3月");
    EXPECT_EQ(Session::businessDateText(QDate(2004, 3, 5), true), "业务日期:2004年3月5日");
    EXPECT_EQ(Session::businessDateText(QDate(2004, 12, 31), true), "业务日期:2004年12月31日");
    Session s("/tmp/x/");
    EXPECT_EQ(s.loginName(), "登录名");
    EXPECT_EQ(s.operatorName(), "姓　名");
    EXPECT_EQ(s.workingDirectory(), "/tmp/x");
}

}  // namespace
