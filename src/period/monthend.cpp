#include "period/monthend.h"

#include "period/routine.h"
#include "shell/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace period {

namespace {

// Each count compares the status with the text 3, so every document not
// posted counts, voided and audited ones included.
struct DocumentCount {
    const char* sql;
    const char* line;
};
const DocumentCount kCounts[] = {
    {"select count(*) as djcc from asprkd where bzw<>\"3\"", "还有未记帐的入库单,"},
    {"select count(*) as djcc from aspckd where bzw<>\"3\"", "还有未记帐的出库单,"},
    {"select count(*) as djcc from askd where bzw<>\"3\"", "还有未记帐的收款单,"},
    {"select count(*) as djcc from afkd where bzw<>\"3\"", "还有未记帐的付款单,"},
};

const char* const kSummaries[] = {
    "insert into  aspmxzm (spbm,rq,zyxx,rksl,cksl,kcsl,kcje,kcjg) select spbm,:xrq as rq,'本月合计' as zyxx,byrksl,bycksl,kcsl,kcje,kcjg from aspkm",
    "insert into  aspmxzm (spbm,rq,zyxx,rksl,cksl,kcsl,kcje,kcjg) select spbm,:xrq as rq,'本月累计' as zyxx,bnrksl,bncksl,kcsl,kcje,kcjg from aspkm",
    "insert into  axslsz (spbm,rq,zyxx,sl,dj,je) select spbm,:xrq as rq,'本月合计' as zyxx,bycksl,0,byxsje from aspkm",
    "insert into  axslsz (spbm,rq,zyxx,sl,dj,je) select spbm,:xrq as rq,'本月累计' as zyxx,bncksl,0,bnxsje from aspkm",
    "insert into abmmxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'本月合计' as zyxx,byjf,bydf,jyje from abmk",
    "insert into abmmxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'本月累计' as zyxx,bnjf,bndf,jyje from abmk",
    "insert into agymxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'本月合计' as zyxx,byjf,bydf,jyje from agys",
    "insert into agymxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'本月累计' as zyxx,bnjf,bndf,jyje from agys",
};

}  // namespace

QStringList MonthEnd::summaryStatements() {
    QStringList out;
    for (const char* sql : kSummaries) out.append(sql);
    return out;
}

MonthEnd::MonthEnd(Database& db, const QString& workingDirectory, const QDate& businessDate)
    : db_(db), workingDirectory_(workingDirectory), date_(businessDate) {}

QString MonthEnd::backupFileName(const QDate& businessDate) {
    return QString("DB%1%2.MDB").arg(businessDate.year()).arg(businessDate.month(), 2, 10, QChar('0'));
}

QString MonthEnd::backupPath() const { return paths::resolve(workingDirectory_, "data\\" + backupFileName(date_)); }

bool MonthEnd::backupExists() const { return QFileInfo::exists(backupPath()); }

QStringList MonthEnd::unpostedDocuments() {
    QStringList lines;
    for (const DocumentCount& count : kCounts)
        if (db_.scalar(count.sql).toLongLong() > 0) lines.append(count.line);
    if (!lines.isEmpty()) lines.append(kCannotNow);
    return lines;
}

QStringList MonthEnd::refusal() {
    if (workState(db_) != "1") return {kNotWorking};
    return unpostedDocuments();
}

void MonthEnd::run(bool withBackup, const std::function<void(Stage)>& stage) {
    auto tell = [&stage](Stage s) {
        if (stage) stage(s);
    };
    const QString target = backupPath();
    // The copy is written beside its place and renamed into it only when the
    // book and the copy are both committed: an older copy stays whole until then.
    const QString temporary = QString("%1.%2.tmp").arg(target).arg(QCoreApplication::applicationPid());
    std::optional<Database::Copy> copy;
    const auto backupFailed = [](const QString& detail) {
        return Stopped(Stopped::Kind::Failed, {kBackupFailed}, detail);
    };
    try {
        if (withBackup) {
            if (QFileInfo(target).isDir()) throw backupFailed(QString("%1 是一个目录").arg(target));
            QDir().mkpath(QFileInfo(target).path());
            QFile::remove(temporary);  // left by a run that was killed
            try {
                copy.emplace(db_, temporary);
            } catch (const DbError& e) {
                throw backupFailed(e.message());
            }
        }
        Database::Transaction tx(db_);
        // Asked again inside the unit: nothing may slip in between the checks and the writes.
        if (const QStringList lines = refusal(); !lines.isEmpty()) throw Stopped(Stopped::Kind::Refused, lines);
        tell(Stage::Summaries);
        try {
            for (const char* sql : kSummaries) db_.exec(sql, {{"xrq", date_}});
        } catch (const DbError& e) {
            throw Stopped(Stopped::Kind::Failed, {kNotCompleted}, e.message());
        }
        // The copy holds the month as it is closed, before the work state moves.
        if (copy) {
            tell(Stage::Backup);
            try {
                copy->fill();
            } catch (const DbError& e) {
                throw backupFailed(e.message());
            }
        }
        try {
            setWorkState(db_, "2");
        } catch (const DbError& e) {
            throw Stopped(Stopped::Kind::Failed, {kNotCompleted}, e.message());
        }
        // The commit writes the copy's file as well as the book.
        try {
            tx.commit();
        } catch (const DbError& e) {
            if (copy) throw backupFailed(e.message());
            throw Stopped(Stopped::Kind::Failed, {kNotCompleted}, e.message());
        }
    } catch (...) {
        copy.reset();
        QFile::remove(temporary);
        try {
            throw;
        } catch (const DbError& e) {  // beginning the unit or reading the counts
            throw Stopped(Stopped::Kind::Failed, {kNotCompleted}, e.message());
        }
    }
    if (!copy) return;
    copy.reset();
    // Replaces an older copy in one step.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
        throw backupFailed(QString("无法把 %1 改名为 %2").arg(temporary, target));
}

}  // namespace period
