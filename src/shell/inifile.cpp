#include "shell/inifile.h"

#include "shell/localtext.h"

#include <QFile>
#include <QSaveFile>

IniFile::IniFile(const QString& path) : path_(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    // A file in neither character set is read byte for byte: its sections
    // and keys in plain letters are still found.
    const QByteArray bytes = file.readAll();
    const QString text = decodeLocalText(bytes).value_or(QString::fromLatin1(bytes));
    Section* current = nullptr;
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';')) continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = &findOrAdd(name);
        } else if (current) {
            const int eq = int(line.indexOf('='));
            if (eq > 0) current->entries.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
        }
    }
}

IniFile::Section* IniFile::find(const QString& name) {
    const auto found = index_.constFind(name.toCaseFolded());
    return found == index_.constEnd() ? nullptr : &sections_[*found];
}

IniFile::Section& IniFile::findOrAdd(const QString& name) {
    if (Section* s = find(name)) return *s;
    index_.insert(name.toCaseFolded(), sections_.size());
    sections_.append({name, {}});
    return sections_.last();
}

const IniFile::Section* IniFile::find(const QString& name) const { return const_cast<IniFile*>(this)->find(name); }

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    if (const Section* s = find(section))
        for (const auto& [k, v] : s->entries)
            if (k.compare(key, Qt::CaseInsensitive) == 0) return v;
    return fallback;
}

bool IniFile::boolValue(const QString& section, const QString& key, bool fallback) const {
    const QString v = value(section, key);
    return v == "1" ? true : (v == "0" ? false : fallback);
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    Section& s = findOrAdd(section);
    for (auto& [k, v] : s.entries)
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            v = value;
            return;
        }
    s.entries.append({key, value});
}

QList<QPair<QString, QString>> IniFile::section(const QString& name) const {
    const Section* s = find(name);
    return s ? s->entries : QList<QPair<QString, QString>>{};
}

void IniFile::replaceSection(const QString& name, const QList<QPair<QString, QString>>& entries) {
    findOrAdd(name).entries = entries;
}

bool IniFile::save() const {
    QString text;
    for (const Section& s : sections_) {
        text += '[' + s.name + "]\n";
        for (const auto& [k, v] : s.entries) text += k + '=' + v + '\n';
        text += '\n';
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.toUtf8());
    return file.commit();
}
