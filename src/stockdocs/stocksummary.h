// The stock-in and stock-out summaries: the posted documents of a date or
// number range, optionally of one poster, totalled by SQL each time they run
// in several groupings. Both are one summary over data (Kind) that names
// their queries, tabs and columns.
#pragma once

#include "database/database.h"
#include "database/rowset.h"

#include <QDate>

#include <functional>
#include <memory>
#include <vector>

namespace stocksummary {

// The documents a run takes in.
struct Criteria {
    enum class By { Date, Number } by = By::Date;
    QDate from, to;                 // by date: both days whole
    QString numberFrom, numberTo;   // by number: as typed
    QString poster;                 // empty: every poster
};

// A typed document number without leading and trailing blanks, left-padded
// with "0" to nine characters ("12" is "000000012"); nine or more stay as they are.
QString paddedNumber(const QString& typed);

// The condition every query carries: the poster, then the range. By date
// the last day counts up to its end (rq before the next day). The typed
// texts — the poster's name and the numbers — go in as parameters, so that
// nothing typed (an apostrophe in a name) can change the statement.
struct Condition {
    QString text;
    Params params;
};
Condition condition(const Criteria& criteria);

// A column of a result grid.
struct Column {
    QString field;
    QString title;           // "进批差价|批发价": a group title over the column title
    QString format = {};     // display format
    enum class Footer { None, Sum, Text } footer = Footer::None;
    QString footerText = {}; // Text: the text; Sum: the display format of the sum
};

struct Query {
    QString name;    // "Q1", "C4"
    QString tab;     // "方式一[&1]"
    QString group;   // the caption over the grid; empty for none
    // The statement line by line; a line equal to kConditionLine is where
    // the condition goes.
    QStringList lines;
    QList<Column> columns;
    // With the goods detail off only the subtotal and total rows (lbxh 9) show.
    bool detailSwitch = false;
    // Columns computed from each row as it is read.
    std::function<void(RowSet&)> addComputedColumns = {};
};

inline const QString kConditionLine = "<W>";

// The statement of a query with the condition in its place.
QString statement(const Query& query, const QString& condition);

struct Kind {
    QString dialogName, dialogCaption;  // the criteria dialog's objectName and caption
    QString resultName, resultCaption;  // the result window's
    QString reportTitle;                // the report-title box at opening
    QString headerTable;                // the number picker's documents
    QList<Query> queries;
};
const Kind& stockIn();
const Kind& stockOut();

// The queries of one summary. Each run rebuilds the condition and re-opens
// the queries in order; a query the database refuses throws its DbError.
class SummaryRun {
public:
    SummaryRun(Database& db, const Kind& kind);
    ~SummaryRun();

    const Kind& kind() const { return kind_; }
    void run(const Criteria& criteria);
    RowSet& rows(int query) { return *rows_[size_t(query)]; }
    int queryCount() const { return int(rows_.size()); }
    // The goods-detail switch of a query that has one.
    void showDetail(int query, bool on);

private:
    Database& db_;
    const Kind& kind_;
    std::vector<std::unique_ptr<RowSet>> rows_;
};

}  // namespace stocksummary
