// IniFile: the INI files of the working directory (SYS_VEXA.INI, VexaStyle.INI),
// with Chinese section and key names.
#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// Written by hand rather than with QSettings, which escapes non-Latin key
// names and so cannot read or write the files older installations left.
// Reads UTF-8, or GB18030 when the file is not valid UTF-8; writes UTF-8.
class IniFile {
public:
    explicit IniFile(const QString& path);

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;
    // "1" is true, "0" false; anything else, or nothing, gives the fallback.
    bool boolValue(const QString& section, const QString& key, bool fallback) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void setBoolValue(const QString& section, const QString& key, bool value) { setValue(section, key, value ? "1" : "0"); }
    QList<QPair<QString, QString>> section(const QString& section) const;
    // Replaces a whole section with the given keys.
    void replaceSection(const QString& section, const QList<QPair<QString, QString>>& entries);
    // Writes the file; false when it cannot be written.
    bool save() const;

private:
    struct Section {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    Section* find(const QString& name);
    const Section* find(const QString& name) const;
    Section& findOrAdd(const QString& name);

    QString path_;
    QList<Section> sections_;
    // Section names, case-folded, to their place in sections_: finding one is
    // not a walk through all of them, so reading a file stays linear in its size.
    QHash<QString, qsizetype> index_;
};
