// MonthStart and StartOfWork: open the new period after a month-end.
#pragma once

#include "database/database.h"

#include <QDate>
#include <QStringList>

namespace period {

// Clears the month's running totals (in January the year's too, the opening
// figures taking the current ones), on request deletes the posted and voided
// documents, and sets the work state "0". Counters, the business date and
// the ledgers stay.
class MonthStart {
public:
    static constexpr const char* kNoMonthEnd = "没有进行月末数据处理,,不能进行月初数据处理!";
    static constexpr const char* kNotCompleted = "系统月初（年初）数据处理未能完成!";
    static constexpr const char* kDone = "系统月初（年初）数据处理完毕!";

    MonthStart(Database& db, const QDate& businessDate) : db_(db), date_(businessDate) {}

    // The business month is January: the start of the year is done with it.
    bool startsYear() const { return date_.month() == 1; }
    // kNoMonthEnd unless the work state is "2"; empty when it may run.
    QString refusal();
    // All of it or, on a refusal or failure (Stopped), none.
    void run(bool clearDocuments);

private:
    Database& db_;
    QDate date_;
};

// Sets the work state "1", reopening daily business.
class StartOfWork {
public:
    static constexpr const char* kWorkLog = "进行系统月初开工";
    static constexpr const char* kAlreadyWorking = "现在已经是开工状态!";
    // State "2": month-start was not done after the month-end; starting
    // work now skips it for good.
    static QStringList monthStartSkippedWarning() {
        return {"进行完月末数据处理后,还没有进行月初数据里.", "一旦开工则不能再进行月初数据里."};
    }
    static constexpr const char* kStartAnyway = "是否仍然要进行系统开工?";
    static constexpr const char* kDone = "开工成功!";

    explicit StartOfWork(Database& db) : db_(db) {}

    QString state();
    // kAlreadyWorking in state "1"; empty otherwise.
    QString refusal();
    bool skipsMonthStart() { return state() == "2"; }
    // Refused (Stopped) in state "1", and in state "2" unless `evenFromMonthEnd`.
    void run(bool evenFromMonthEnd);

private:
    Database& db_;
};

}  // namespace period
