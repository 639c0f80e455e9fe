// MonthEnd: closes the month — the summary ledger rows of every goods item,
// customer and supplier, the monthly copy of the book, the work state "2".
#pragma once

#include "database/database.h"

#include <QDate>
#include <QStringList>

#include <functional>

namespace period {

class MonthEnd {
public:
    static constexpr const char* kNotWorking = "现在不是开工状态,不能进行月末数据处理!";
    static constexpr const char* kCannotNow = "现在不能进行月末数据处理!";
    static constexpr const char* kNotCompleted = "系统月末数据处理未能完成!";
    static constexpr const char* kBackupFailed = "系统数据库备份失败,本次月末处理未能全部完成!";
    static constexpr const char* kDone = "系统月末数据处理完毕！";

    MonthEnd(Database& db, const QString& workingDirectory, const QDate& businessDate);

    // The eight summary inserts, each with the parameter :xrq (the business date).
    static QStringList summaryStatements();

    // "DB" + year + two-digit month + ".MDB": the history copy of a month.
    static QString backupFileName(const QDate& businessDate);
    // The copy's place in the data folder below the working directory.
    QString backupPath() const;
    bool backupExists() const;

    // The message that stops a month-end now, line by line; empty when it
    // may run: kNotWorking outside work state "1", else one line for each
    // kind of document not all posted (voided and audited ones count), then
    // kCannotNow.
    QStringList refusal();
    // Only the document counts' lines (with kCannotNow); empty when every
    // document is posted.
    QStringList unpostedDocuments();

    enum class Stage { Summaries, Backup };
    // The summary rows dated the business date, the copy (when `withBackup`;
    // it replaces an existing one) and the work state "2", as one unit: on
    // any refusal or failure (Stopped) the book is as it was and no monthly
    // copy is left half-made. `stage` is told as each part begins.
    void run(bool withBackup, const std::function<void(Stage)>& stage = {});

private:
    Database& db_;
    QString workingDirectory_;
    QDate date_;
};

}  // namespace period
