// Pieces of the companion command-line tool.
#pragma once

#include "database/database.h"

#include <QTextStream>

// Categories, goods with eight sizes (36 to 43), suppliers and customers, so a
// newcomer's program has something to show.
void loadDemoData(Database& db);

// The synthetic book's sizes.
struct BenchSizes {
    int goods = 100000;
    int customers = 5000;
    int suppliers = 1000;
    int lines = 200000;        // posted stock-in and stock-out lines together
    int ledgerRows = 1000000;  // goods-ledger rows: the lines' own and earlier month totals
};

// Builds a synthetic book of the given sizes in the working directory and
// prints the table of what a user waits for: each operation as the program
// does it, the same work by plain statements through the engine, their ratio,
// and the memory the process held.
int runBenchmark(const QString& workingDirectory, const BenchSizes& sizes, QTextStream& out);

// The period routines' commands (month-end, month-start, start-work, ledgers, tidy).
bool isPeriodCommand(const QString& command);
// Exit 0 when done, 2 on bad input or a refusal, 1 when the routine failed.
int runPeriodCommand(const QString& command, const QStringList& args, QTextStream& out, QTextStream& err);

// quorvel-admin import DIR KIND FILE [--post] [--date D] [--operator NAME]: exit 0
// when the whole file was written, 2 when anything was refused or the input
// is bad (nothing written), 1 when the book failed (nothing written).
int runImportCommand(const QStringList& args, QTextStream& out, QTextStream& err);
