// Pieces of the companion command-line tool.
#pragma once

#include "database/database.h"

#include <QTextStream>

// Categories, goods with eight sizes (36 to 43), suppliers and customers, so a
// newcomer's program has something to show.
void loadDemoData(Database& db);

// Times the goods catalogue, the goods ledger and the goods stock query on a
// large book and prints the figures.
int runBenchmark(const QString& workingDirectory, QTextStream& out);

// The period routines' commands (month-end, month-start, start-work, ledgers, tidy).
bool isPeriodCommand(const QString& command);
// Exit 0 when done, 2 on bad input or a refusal, 1 when the routine failed.
int runPeriodCommand(const QString& command, const QStringList& args, QTextStream& out, QTextStream& err);

// quorvel-admin import DIR KIND FILE [--post] [--date D] [--operator NAME]: exit 0
// when the whole file was written, 2 when anything was refused or the input
// is bad (nothing written), 1 when the book failed (nothing written).
int runImportCommand(const QStringList& args, QTextStream& out, QTextStream& err);
