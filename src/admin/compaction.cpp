#include "admin/compaction.h"

#include "database/database.h"
#include "shell/paths.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace compaction {
namespace {

void fail(const QString& what) { throw DbError(DbError::Kind::Other, what); }

// The copy is compacted in place: the engine rewrites it page by page under
// the key it was opened with, so the compacted file keeps the book's key.
void compactCopy(const QString& file, const QString& into) {
    if (QFileInfo::exists(into) && !QFile::remove(into)) fail("cannot delete " + into);
    if (!QFile::copy(file, into)) fail("cannot copy to " + into);
    Database copy;
    copy.open(into);
    copy.exec("vacuum");
    if (copy.scalar("pragma integrity_check").toString() != "ok") fail("the compacted copy is damaged");
    copy.close();
}

}  // namespace

bool compact(Tfdbm& dbm, Prompter& prompter) {
    const QString file = dbm.databaseFile();
    const QString temporary = paths::resolve(QFileInfo(file).path(), kTemporaryFile);
    dbm.close();
    prompter.showWaitBox("正在进行系统数据库压缩处理，请等待....");
    bool compacted = false;
    try {
        compactCopy(file, temporary);
        // One rename puts the compacted file in place of the old one: there
        // is no moment without a database file, and a failed rename leaves
        // the old file as it was.
        std::filesystem::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(file).constData());
        compacted = true;
    } catch (const std::exception&) {
        QFile::remove(temporary);
    }
    prompter.hideWaitBox();
    prompter.message(compacted ? "数据库压缩完成!" : "数据库压缩失败！");
    dbm.open();
    return compacted;
}

}  // namespace compaction
