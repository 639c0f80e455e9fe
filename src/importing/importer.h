// Importing goods, suppliers, customers and stock documents from CSV files,
// checked by the rules the windows follow: the rows are written through the
// same row sets with the same rule objects on them, and every message a rule
// would have shown refuses the row it was shown for.
#pragma once

#include "importing/csvfile.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class Database;

namespace importing {

enum class Kind { Goods, Suppliers, Customers, StockIn, StockOut };

// "goods", "suppliers", "customers", "rkd", "ckd".
std::optional<Kind> kindNamed(const QString& name);

struct Options {
    bool post = false;              // post every document saved, in the file's transaction
    QDate businessDate;             // new documents are dated with it, as at login
    QString operatorName;           // who made (and posts) the documents
    bool salesPricesTyped = false;  // stock-out prices may differ from the goods' own (SYS_VEXA.INI)
};

struct Refusal {
    int line = 0;    // physical line in the file, the title row being line 1
    QString column;  // the title the file gave the column, or the one the columns are documented by
    QString reason;  // the rule's message (lines of a two-line message joined by '\n')
};

struct Outcome {
    QList<Refusal> refusals;  // every refused row; empty when the file was written
    QString summary;          // what was written, one line
    bool written() const { return refusals.isEmpty(); }
};

// The whole file in one transaction: when any row is refused, or the file
// itself is bad (encoding, quotes, titles), nothing is written and every
// refusal is returned. A failure of the book is thrown as DbError, with
// nothing written.
Outcome importFile(Database& db, Kind kind, const QString& path, const Options& options);
Outcome importCsv(Database& db, Kind kind, const CsvFile& file, const Options& options);

}  // namespace importing
