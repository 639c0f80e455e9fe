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
