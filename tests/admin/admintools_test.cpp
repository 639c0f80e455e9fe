// The small headless pieces of the administration tools: the work log's
// clearing, the address book's search text, the session requests and the
// system facts.
#include "admin/addressbook.h"
#include "admin/sessionend.h"
#include "admin/systeminfo.h"
#include "admin/worklog.h"
#include "database/rowset.h"
#include "masterdata/namesearch.h"
#include "support/openbook.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkLog, ClearingLeavesOnlyTheRowTellingSoForTheCurrentOperator) {
    OpenBook book;
    book.session.setOperator("li", "李四", {});
    book.dbm.writeWorkLog("admin", "系统管理员", "登录");
    book.dbm.writeWorkLog("进行系统工作日志管理");
    worklog::clear(book.dbm);
    EXPECT_EQ(book.dbm.dbapp.rows("select logname, name, operation from Agzrz"),
              (QList<QVariantList>{{"li", "李四", "删除当前的系统工作日志"}}));
}

TEST(WorkLog, OperatorNamesAreListedAsStoredTwinsTwice) {
    OpenBook book;
    book.dbm.dbapp.exec("insert into Aczqx (logname, name) values ('b', '王五'), ('a', '王五')");
    EXPECT_EQ(worklog::operatorNames(book.dbm.dbapp), (QStringList{"系统管理员", "王五", "王五"}));
}

class AddressBookSearch : public testing::Test {
protected:
    AddressBookSearch() : contacts(t.db()) {
        t.db().exec("insert into atxl (姓名, 电话, 传真, 移动电话, 地址, 邮编, 工作单位) values "
                    "('张三', '010-6', null, null, '北京', null, 'ABC公司'), "
                    "('李四', null, null, '13800000001', null, null, null), "
                    "('王五', '021-5', '1380', null, '上海路', '200000', 'Shoes Co'), "
                    "('赵六', null, null, null, null, null, null)");
        contacts.setTable("atxl");
        addressbook::addSearchField(contacts);
        contacts.open();
    }
    QString current() { return contacts.value("姓名").toString(); }
    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet contacts;
};

TEST_F(AddressBookSearch, SearchTextJoinsTheSevenColumnsLeavingOutEmptyOnes) {
    contacts.first();
    EXPECT_EQ(contacts.value("ALL").toString(), "张三010-6北京ABC公司");
    contacts.moveTo(2);
    EXPECT_EQ(contacts.value("ALL").toString(), "王五021-51380上海路200000Shoes Co");
}

// "138" finds the first contact with it anywhere; find next goes on from the
// row after and wraps to the first row, which need not match.
TEST_F(AddressBookSearch, FindAndFindNextWrapToTheFirstRow) {
    contacts.moveTo(3);
    namesearch::find(contacts, "ALL", " 138 ", prompter);
    EXPECT_EQ(current(), "李四");
    namesearch::findNext(contacts, "ALL", "138");
    EXPECT_EQ(current(), "王五") << "found in the fax";
    namesearch::findNext(contacts, "ALL", "138");
    EXPECT_EQ(current(), "张三") << "past the last match: the first row";
    EXPECT_TRUE(prompter.messages.isEmpty());

    // Letter case counts: nothing found, the last row and the message.
    namesearch::find(contacts, "ALL", "shoes", prompter);
    EXPECT_EQ(current(), "赵六");
    EXPECT_EQ(prompter.messages, QStringList{"没有匹配的记录!"});
}

// Beyond the 60th character the text is searched too.
TEST_F(AddressBookSearch, TheWholeTextIsSearched) {
    t.db().exec("insert into atxl (姓名, 地址, 工作单位) values ('孙七', :a, '远方公司')", {{"a", QString(24, QChar(0x8DEF))}});
    contacts.refresh();
    namesearch::find(contacts, "ALL", "远方", prompter);
    EXPECT_EQ(current(), "孙七");
}

TEST(SessionEnd, EachRequestIsTriedUntilOneIsGranted) {
    EXPECT_EQ(sessionend::requests(sessionend::Action::PowerOff, "3", "li"), (QList<QStringList>{{"systemctl", "poweroff"}}));
    EXPECT_EQ(sessionend::requests(sessionend::Action::Restart, "3", "li"), (QList<QStringList>{{"systemctl", "reboot"}}));
    const QList<QStringList> logoff = sessionend::requests(sessionend::Action::LogOff, "3", "li");
    EXPECT_EQ(logoff.first(), (QStringList{"loginctl", "terminate-session", "3"}));
    EXPECT_EQ(logoff.last(), (QStringList{"loginctl", "terminate-user", "li"}));
    EXPECT_EQ(sessionend::requests(sessionend::Action::LogOff, "", "").first().first(), "gnome-session-quit");

    QStringList asked;
    auto refuseAll = [&asked](const QString& program, const QStringList&) { return asked.append(program), false; };
    EXPECT_FALSE(sessionend::request(sessionend::Action::Restart, refuseAll));
    EXPECT_EQ(asked, QStringList{"systemctl"});
    int calls = 0;
    auto grantSecond = [&calls](const QString&, const QStringList&) { return ++calls == 2; };
    EXPECT_TRUE(sessionend::request(sessionend::Action::LogOff, grantSecond));
    EXPECT_EQ(calls, 2);
}

TEST(SystemInfo, LinesShowTheMemoryInKilobytesAndTheFreeShare) {
    systeminfo::Facts facts{"shop-pc", "Debian GNU/Linux 12 (bookworm)", "Linux 6.1.0", 0, 0};
    systeminfo::readMemory("MemTotal:       16314588 kB\nMemFree:  100 kB\nMemAvailable:    4078647 kB\n", facts);
    EXPECT_EQ(facts.totalKb, 16314588);
    EXPECT_EQ(facts.availableKb, 4078647);
    EXPECT_EQ(systeminfo::lines(facts, "/home/shop"),
              (QStringList{"系统可执行程序路径：/home/shop", "系统数据路径：/home/shop", "计算机名称:shop-pc",
                           "Debian GNU/Linux 12 (bookworm)", "Linux 6.1.0", "系统物理内存:  16,314,588 KB",
                           "可用物理内存:   4,078,647 KB", "系统可用资源:  25%"}));
    const systeminfo::Facts here = systeminfo::read();
    EXPECT_GT(here.totalKb, 0);
    EXPECT_FALSE(here.hostName.isEmpty());
}

}  // namespace
