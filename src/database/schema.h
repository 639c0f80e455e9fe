// The database schema: every table, key and index of the system, in one place.
#pragma once

#include "database/database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace schema {

// Column types as the Jet file format named them.
enum class JetType { Text, Memo, Short, Long, Double, YesNo, DateTime, AutoNumber };

struct Column {
    QString name;
    JetType type;
    int width = 0;          // Text(n): at most n characters
    QString defaultValue;   // SQL literal, empty for none
};

struct Index {
    QString name;           // the name windows open a table cursor "by index" with
    QStringList columns;
    bool unique = false;
};

struct Table {
    QString name;
    QList<Column> columns;
    QList<Index> indexes;
};

// The sixteen size slots A..P of a size-counted row, e.g. sizeSlotColumns("kcsl").
QStringList sizeSlotColumns(const QString& prefix);

const QList<Table>& tables();
const Table* findTable(const QString& name);  // without regard to case
// Text cut to the width of a text column, as assigning it to the column's
// field did: what a ledger copies from a wider column still fits.
QString fitText(const QString& table, const QString& column, const QString& text);

// The order a named index gives ("Aczqx#PX" -> "logname"); empty when unknown.
QStringList indexColumns(const QString& table, const QString& indexName);

QString createTableSql(const Table& table);
QStringList createIndexSql(const Table& table);

// Brings an opened file up to date: the two column additions that every
// opening runs, each on its own, errors swallowed (the column is there
// already after the first run).
void upgrade(Database& db);

// Writes a new database file: every table, one System row (counters 0, work
// state "1", no size slots), the administrator "admin" with the given
// password, and the walk-in customer "0000" "散户". Refuses an existing file.
void createDatabase(const QString& path, const QString& adminPassword);

}  // namespace schema
