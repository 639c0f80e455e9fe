#include "shell/paths.h"

#include <QDir>
#include <QFileInfo>

namespace paths {

QString resolve(const QString& workingDirectory, const QString& relativePath) {
    QString current = QDir::cleanPath(workingDirectory);
    const QStringList parts = QString(relativePath).replace('\\', '/').split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString next = current + '/' + part;
        if (!QFileInfo::exists(next)) {
            const QStringList entries =
                QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + '/' + entry;
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

}  // namespace paths
