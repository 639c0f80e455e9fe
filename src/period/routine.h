// What the period routines share: the work state they move and how they stop.
#pragma once

#include "database/database.h"

#include <QStringList>

#include <exception>

namespace period {

// System.Sys2: "1" open for daily business, "2" month-end done, "0" month-start done.
QString workState(Database& db);
void setWorkState(Database& db, const QString& state);

// A routine that did not run or did not finish; either way the books are as
// they were before it. `lines` are the message as the routine's window shows
// it, line by line; `detail` is the engine's own text of a failure.
class Stopped : public std::exception {
public:
    enum class Kind { Refused, Failed };
    Stopped(Kind kind, QStringList lines, QString detail = {})
        : kind(kind), lines(std::move(lines)), detail(std::move(detail)) {}
    const char* what() const noexcept override { return "period routine stopped"; }
    QString text() const { return lines.join('\n'); }

    Kind kind;
    QStringList lines;
    QString detail;
};

// Runs the statements in their order as one unit: all of them or, when one
// fails, none (Stopped, Failed, with `failure` as its message).
void runAsOne(Database& db, const QStringList& statements, const Params& params, const QString& failure);

}  // namespace period
