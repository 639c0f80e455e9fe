#include "shell/systemsettings.h"

#include "shell/inifile.h"
#include "shell/paths.h"

namespace {
const QString kPrintSection = "记帐打印", kPrintKey = "业务单据";
const QString kPriceSection = "出库价格", kPriceKey = "出库单据";
const QString kDesktopSection = "系统桌面", kWallpaperKey = "背景图片";
}  // namespace

QString SystemSettings::iniFile(const QString& workingDirectory) {
    return paths::resolve(workingDirectory, "SYS_VEXA.INI");
}

SystemSettings SystemSettings::load(const QString& workingDirectory) {
    const IniFile ini(iniFile(workingDirectory));
    SystemSettings s;
    s.printRule = ini.boolValue(kPrintSection, kPrintKey, true);
    s.salesPriceRule = ini.boolValue(kPriceSection, kPriceKey, false);
    s.wallpaper = ini.value(kDesktopSection, kWallpaperKey);
    return s;
}

bool SystemSettings::saveRules(const QString& workingDirectory, bool printRule, bool salesPriceRule) {
    IniFile ini(iniFile(workingDirectory));
    ini.setBoolValue(kPrintSection, kPrintKey, printRule);
    ini.setBoolValue(kPriceSection, kPriceKey, salesPriceRule);
    return ini.save();
}

bool SystemSettings::saveWallpaper(const QString& workingDirectory, const QString& wallpaper) {
    IniFile ini(iniFile(workingDirectory));
    ini.setValue(kDesktopSection, kWallpaperKey, wallpaper);
    return ini.save();
}
