// SqlConsole: what the administrator's SQL console does with the typed text —
// statements executed, queries opened into rows that can be edited, the
// execution time, and the statements it will not pass on.
#pragma once

#include "database/rowset.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Database;
class Prompter;

class SqlConsole {
public:
    static constexpr const char* kFailed = "SQL 操作失败....";
    static constexpr const char* kSeveral = "一次只能执行一条SQL语句，请逐条执行!";
    static constexpr const char* kLocksOut = "此语句会更改数据库口令或附加、分离数据库，所有操作员都将无法再打开系统数据库，不能执行!";
    static constexpr const char* kTransaction = "事务由系统自行处理，不能在此开始、提交或回滚事务!";

    SqlConsole(Database& db, Prompter& prompter);
    ~SqlConsole();

    // Ex&ecute: the result is closed, the statement run. False when it was
    // refused or failed (told already); the time text is then left as it was.
    bool execute(const QString& text);
    // &Open: the query's rows in result(). Rows of one table read whole
    // ("select * from aspkm where …", or named columns of it) can be edited
    // and are written back like any table's; other results are read-only.
    bool open(const QString& text);
    void closeResult();
    RowSet* result() const { return result_.get(); }
    bool resultEditable() const { return result_ && !result_->tableName().isEmpty(); }
    // The columns a grid shows of the result, in order.
    QStringList resultColumns() const { return columns_; }
    // "执行时间:" and the seconds of the last run, empty before the first.
    QString timeText() const { return timeText_; }

    static QString elapsedText(double seconds);
    // Why the console will not pass a text on, or empty: several statements,
    // re-keying or attaching the book (it would lock every operator out), or
    // taking the transactions out of the system's hands.
    static QString refusal(const QString& text);

    // A query of one table's rows: its table, condition, order and named
    // columns (empty: all).
    struct TableQuery {
        QString table, where, order;
        QStringList columns;
    };
    static std::optional<TableQuery> tableQuery(const QString& sql);

private:
    // The statement to run, or nullopt when refused or empty (told already).
    std::optional<QString> statement(const QString& text);
    // The typed statement through `work`, timed; a failure of the database
    // is told as kFailed and leaves no result.
    bool run(const QString& text, const std::function<void(const QString&)>& work);
    void openQuery(const QString& sql);

    Database& db_;
    Prompter& prompter_;
    std::unique_ptr<RowSet> result_;
    QStringList columns_;
    QString timeText_;
};
