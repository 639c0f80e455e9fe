#include "shell/inifile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <iconv.h>

namespace {

// Files written by the Windows program are in the GB character set; glibc's
// iconv reads them whatever Qt was built with.
QString fromGb18030(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == iconv_t(-1)) return QString::fromLatin1(bytes);
    QByteArray in = bytes, out(bytes.size() * 2 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = size_t(in.size()), outLeft = size_t(out.size());
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return QString::fromUtf8(out.constData(), int(out.size() - qsizetype(outLeft)));
}

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? fromGb18030(bytes) : text;
}

}  // namespace

IniFile::IniFile(const QString& path) : path_(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    QString text = decode(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
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
