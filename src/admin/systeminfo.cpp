#include "admin/systeminfo.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSysInfo>

namespace systeminfo {

void readMemory(const QString& meminfo, Facts& facts) {
    static const QRegularExpression line(R"(^(MemTotal|MemAvailable):\s*(\d+)\s*kB)",
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(meminfo); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        (m.captured(1) == "MemTotal" ? facts.totalKb : facts.availableKb) = m.captured(2).toLongLong();
    }
}

Facts read() {
    Facts facts;
    facts.hostName = QSysInfo::machineHostName();
    facts.system = QSysInfo::prettyProductName();
    facts.kernel = "Linux " + QSysInfo::kernelVersion();
    QFile meminfo("/proc/meminfo");
    if (meminfo.open(QIODevice::ReadOnly)) readMemory(QString::fromLatin1(meminfo.readAll()), facts);
    return facts;
}

QString kilobytes(qint64 kb) {
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions({});  // with the thousands separators the C locale leaves out
    return grouped.toString(kb).rightJustified(12);
}

QStringList lines(const Facts& facts, const QString& workingDirectory) {
    // What is free of the memory, as the share of resources still available.
    const int available = facts.totalKb > 0 ? int(qRound64(100.0 * double(facts.availableKb) / double(facts.totalKb))) : 0;
    return {"系统可执行程序路径：" + workingDirectory,
            "系统数据路径：" + workingDirectory,
            "计算机名称:" + facts.hostName,
            facts.system,
            facts.kernel,
            "系统物理内存:" + kilobytes(facts.totalKb) + " KB",
            "可用物理内存:" + kilobytes(facts.availableKb) + " KB",
            "系统可用资源:" + QString::number(available).rightJustified(4) + "%"};
}

}  // namespace systeminfo
