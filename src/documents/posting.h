// Posting ("记帐"): applying one saved document to the books — stock, average
// cost, party accounts and ledgers — as one transaction over the database.
// The window asks and shows; the companion tool calls the same service.
#pragma once

#include "database/database.h"
#include "documents/documentkind.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// One row read for posting, its values by column name without regard to case.
class PostedRow {
public:
    PostedRow() = default;
    explicit PostedRow(const Statement& row);
    QVariant value(const QString& column) const { return values_.value(column.toLower()); }
    QString text(const QString& column) const { return value(column).toString(); }
    double number(const QString& column) const { return value(column).toDouble(); }

private:
    QHash<QString, QVariant> values_;
};

// What a kind's posting effects work with; the shared frame reads the header
// and lines, checks, calls the kind, then marks the document posted.
class PostingRun {
public:
    PostingRun(Database& db, const DocumentKind& kind, const QString& operatorName)
        : db(db), kind(kind), operatorName(operatorName) {}

    Database& db;
    const DocumentKind& kind;
    const QString operatorName;
    PostedRow header;
    QList<PostedRow> lines;  // the lines still to apply, in line order (posted ones are skipped)
    double total = 0;        // the document's Je: the sum of every line's JE, applied or not

    QString number() const { return header.text(kind.numberField); }
    QVariant date() const { return header.value("RQ"); }
    QString partyCode() const { return header.text(kind.partyField); }

    // Appends one row; texts are cut to their columns, as the ledgers always took them.
    void insert(const QString& table, const QList<QPair<QString, QVariant>>& values);
    // A goods item as this posting left it: its stock (Kcsl, kcje, kcjg) and
    // the names the ledgers copy (Spmc, ArtNo, color, Jldw).
    PostedRow goods(const QString& code);
};

namespace posting {

enum class Outcome { Posted, AlreadyPosted, NoLines, MissingDocument, MissingCodes, Refused };

struct Result {
    Outcome outcome = Outcome::Posted;
    QString message;  // what the user is told when it was not posted
    bool posted() const { return outcome == Outcome::Posted; }
};

inline constexpr const char* kAlreadyPosted = "单据已经记帐!";
inline constexpr const char* kNoLines = "无效的单据,不能记帐！";

// Posts document `number` of `kind` as `operatorName`. Everything it writes is
// one transaction: a refusal or a failure part-way leaves the book as it was
// (a failure is thrown as DbError). Lines already marked posted ("3", left by
// an interrupted posting of older versions) are not applied again.
Result post(Database& db, const DocumentKind& kind, const QString& number, const QString& operatorName);

}  // namespace posting
