#include "shell/inifile.h"
#include "shell/systemsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iconv.h>

namespace {

QByteArray toGb18030(const QString& text) {
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    QByteArray in = text.toUtf8(), out(in.size() * 2, '\0');
    char* ip = in.data();
    char* op = out.data();
    size_t il = size_t(in.size()), ol = size_t(out.size());
    iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    out.truncate(out.size() - qsizetype(ol));
    return out;
}

TEST(SystemSettingsTest, AMissingFileGivesTheDefaults) {
    QTemporaryDir dir;
    const SystemSettings s = SystemSettings::load(dir.path());
    EXPECT_TRUE(s.printRule);
    EXPECT_FALSE(s.salesPriceRule);
    EXPECT_TRUE(s.wallpaper.isEmpty());
}

TEST(SystemSettingsTest, SavedSwitchesSurviveARestartAndKeepOtherKeys) {
    QTemporaryDir dir;
    ASSERT_TRUE(SystemSettings::saveWallpaper(dir.path(), "/pictures/海滩.bmp"));
    ASSERT_TRUE(SystemSettings::saveRules(dir.path(), false, true));
    const SystemSettings s = SystemSettings::load(dir.path());
    EXPECT_FALSE(s.printRule);
    EXPECT_TRUE(s.salesPriceRule);
    EXPECT_EQ(s.wallpaper, "/pictures/海滩.bmp");
    QFile f(dir.path() + "/SYS_VEXA.INI");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("[记帐打印]\n业务单据=0\n")) << text.toStdString();
}

TEST(IniFileTest, ReadsFilesOlderInstallationsWroteInTheGbCharacterSet) {
    QTemporaryDir dir;
    QFile f(dir.path() + "/sys_vexa.ini");  // written on Windows, any letter case
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(toGb18030("[出库价格]\r\n出库单据=1\r\n[系统桌面]\r\n背景图片=C:\\图片\\背景.bmp\r\n"));
    f.close();
    const SystemSettings s = SystemSettings::load(dir.path());
    EXPECT_TRUE(s.salesPriceRule);
    EXPECT_TRUE(s.printRule);
    EXPECT_EQ(s.wallpaper, "C:\\图片\\背景.bmp");
}

TEST(IniFileTest, ReplacingASectionDropsItsOldKeys) {
    QTemporaryDir dir;
    IniFile ini(dir.path() + "/VexaStyle.INI");
    ini.replaceSection("frmsprkdlr", {{"a", "1"}, {"b", "2"}});
    ini.setValue("other", "k", "v");
    ASSERT_TRUE(ini.save());
    IniFile again(dir.path() + "/VexaStyle.INI");
    again.replaceSection("frmsprkdlr", {{"c", "3"}});
    EXPECT_EQ(again.section("FRMSPRKDLR"), (QList<QPair<QString, QString>>{{"c", "3"}}));
    EXPECT_EQ(again.value("other", "k"), "v");
    EXPECT_TRUE(again.boolValue("other", "k", true)) << "a value other than 1 or 0 gives the fallback";
    EXPECT_FALSE(again.boolValue("other", "k", false));
}

// VexaStyle.INI grows by a section per saved layout; reading a large file
// finds every section, by any letter case, and a repeated header adds to the
// section it repeats.
TEST(IniFileTest, ReadsAFileOfTwentyThousandSections) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/VexaStyle.INI";
    QString text;
    for (int i = 0; i < 20000; ++i) text += QString("[frm%1]\n宽度=%1\n").arg(i);
    text += "[FRM7]\n高度=70\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
    f.close();
    const IniFile ini(path);
    EXPECT_EQ(ini.value("frm0", "宽度"), "0");
    EXPECT_EQ(ini.value("Frm12345", "宽度"), "12345");
    EXPECT_EQ(ini.value("FRM19999", "宽度"), "19999");
    EXPECT_EQ(ini.section("frm7"), (QList<QPair<QString, QString>>{{"宽度", "7"}, {"高度", "70"}}));
    EXPECT_EQ(ini.value("frm20000", "宽度", "none"), "none");
}

}  // namespace
