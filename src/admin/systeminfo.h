// The facts the system-information box shows: paths, the computer's name,
// the operating system and its kernel, and the memory.
#pragma once

#include <QString>
#include <QStringList>

namespace systeminfo {

struct Facts {
    QString hostName;
    QString system;  // the distribution's name and release
    QString kernel;  // "Linux 6.1.0-18-amd64"
    qint64 totalKb = 0;
    qint64 availableKb = 0;
};

Facts read();
// MemTotal and MemAvailable of /proc/meminfo, in KB; 0 when missing.
void readMemory(const QString& meminfo, Facts& facts);

// "1,234,567" right-aligned in 12 characters.
QString kilobytes(qint64 kb);
// The box's lines under "系统:"; the version takes two.
QStringList lines(const Facts& facts, const QString& workingDirectory);

}  // namespace systeminfo
