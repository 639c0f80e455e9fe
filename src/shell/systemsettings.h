// The three switches of SYS_VEXA.INI in the working directory.
#pragma once

#include <QString>

struct SystemSettings {
    bool printRule = true;         // a document not yet posted may not be printed
    bool salesPriceRule = false;   // the price of stock-out lines may be typed
    QString wallpaper;             // picture painted behind the child windows

    // A missing file or key gives the default.
    static SystemSettings load(const QString& workingDirectory);
    // The settings dialog writes the two rules; the wallpaper dialog the picture.
    static bool saveRules(const QString& workingDirectory, bool printRule, bool salesPriceRule);
    static bool saveWallpaper(const QString& workingDirectory, const QString& wallpaper);
    static QString iniFile(const QString& workingDirectory);
};
