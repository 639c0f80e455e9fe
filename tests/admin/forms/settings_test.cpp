#include "admin/forms/usetcfg.h"
#include "admin/forms/usetwall.h"
#include "dataaware/fieldeditors.h"
#include "support/openbook.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public testing::Test, protected OpenBook {
protected:
    SettingsTest() {
        dbm.dbapp.exec("update System set ANAME = '老店'");
        dbm.config.refresh();
    }
    FieldEdit* edit(Tfrmsetcfg& d, const char* field) {
        return d.findChild<FieldEdit*>(QString("Edit_") + field);
    }
    // Typing as a user does, Chinese included.
    void type(QLineEdit* e, const QString& text) {
        e->selectAll();
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(e, &key);
    }

};

TEST_F(SettingsTest, CancelAfterTypingLeavesTheOldCompanyName) {
    Tfrmsetcfg dialog(context);
    type(edit(dialog, "ANAME"), "新店");
    EXPECT_TRUE(dbm.config.isEditing());
    dialog.reject();
    EXPECT_EQ(dbm.config.value("ANAME").toString(), "老店");
    EXPECT_EQ(dbm.dbapp.scalar("select ANAME from System").toString(), "老店");
    EXPECT_FALSE(QFile::exists(SystemSettings::iniFile(t.workingDirectory()))) << "the INI file is not touched";
}

TEST_F(SettingsTest, OkSavesTheRowAndTheSwitchesTakeEffectAtOnce) {
    Tfrmsetcfg dialog(context);
    type(edit(dialog, "ANAME"), "新店");
    type(edit(dialog, "Ykrkdh"), "41");
    type(edit(dialog, "SC"), "38");
    dialog.findChild<QSpinBox*>("SLY")->setValue(16);
    dialog.printRule->setChecked(false);
    dialog.salesPriceRule->setChecked(true);
    ASSERT_TRUE(dialog.save());
    EXPECT_EQ(dbm.dbapp.rows("select ANAME, Ykrkdh, SC, SLY from System"),
              (QList<QVariantList>{{"新店", 41LL, "38", 16LL}}));
    EXPECT_FALSE(session.settings.printRule);
    EXPECT_TRUE(session.settings.salesPriceRule);
    const SystemSettings reread = SystemSettings::load(t.workingDirectory());
    EXPECT_FALSE(reread.printRule);
    EXPECT_TRUE(reread.salesPriceRule);
}

TEST_F(SettingsTest, LettersInACounterAreRefusedNamingTheValue) {
    Tfrmsetcfg dialog(context);
    type(edit(dialog, "ykckdh"), "12a");
    EXPECT_FALSE(dialog.save());
    EXPECT_EQ(prompter.messages, QStringList{"'12a' 不是有效的整数"});
    EXPECT_EQ(dbm.dbapp.scalar("select ykckdh from System").toInt(), 0);
    type(edit(dialog, "ykckdh"), "7");
    EXPECT_TRUE(dialog.save());
    EXPECT_EQ(dbm.dbapp.scalar("select ykckdh from System").toInt(), 7);
}

// A counter is a Long column: a number past its range is refused when the
// box is left, naming the box, and the focus stays, before the save would fail.
TEST_F(SettingsTest, ACounterPastItsRangeIsRefusedNamingTheBox) {
    Tfrmsetcfg dialog(context);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    FieldEdit* counter = edit(dialog, "ykckdh");
    counter->setFocus();
    type(counter, "99999999999");
    QTest::keyClick(counter, Qt::Key_Tab);
    QCoreApplication::processEvents();
    const QString refusal = "'99999999999' 超出当前最后出库单号的范围";
    EXPECT_EQ(prompter.messages, QStringList{refusal});
    EXPECT_EQ(dialog.focusWidget(), counter);
    EXPECT_FALSE(dialog.save());
    EXPECT_EQ(prompter.messages, (QStringList{refusal, refusal})) << "not the engine's message";
    type(counter, "2147483647");
    EXPECT_TRUE(dialog.save());
    EXPECT_EQ(dbm.dbapp.scalar("select ykckdh from System").toLongLong(), 2147483647LL);
}

TEST_F(SettingsTest, WallpaperPathIsWrittenAsTyped) {
    Tfrmsetwall dialog(context);
    EXPECT_TRUE(dialog.Edit1->text().isEmpty());
    dialog.Edit1->setText("/no/such/picture.bmp");
    dialog.save();
    EXPECT_EQ(SystemSettings::load(t.workingDirectory()).wallpaper, "/no/such/picture.bmp");
    EXPECT_EQ(prompter.messages, QStringList{"系统桌面背景图形设置完毕，\n你必须重新启动程序才能使设置生效！"});
    Tfrmsetwall again(context);
    EXPECT_EQ(again.Edit1->text(), "/no/such/picture.bmp");
}

}  // namespace
