// The books' consistency audit: what posting and the period routines always
// keep true between goods, parties, documents, ledgers and counters, checked
// over a whole book. It only reads; every violation is one finding naming the
// rows involved, the value expected and the value found.
#pragma once

#include "database/database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace audit {

// The kinds of finding, in the order they are reported.
enum class Group { Goods, Parties, Documents, Ledgers, Counters };

struct Finding {
    Group group;
    QString text;  // one line: the rows involved, expected and found
};

struct Report {
    QList<Finding> findings;
    bool clean() const { return findings.isEmpty(); }
    // How many findings there are, or that the book is consistent.
    QString summary() const;
    // The findings grouped by kind, each group under its heading, with a last
    // line telling how many there are (or that the book is consistent).
    QStringList lines() const;
};

QString groupTitle(Group group);

// Reads the whole book. A book that cannot be read throws DbError.
Report run(Database& db);

}  // namespace audit
