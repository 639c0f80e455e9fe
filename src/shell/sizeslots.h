// SizeSlots: how many of the sixteen size slots are in use (System.SLY) and
// what each is called (System.SA .. SP), read once instead of by name in
// every window.
#pragma once

#include <QStringList>

class RowSet;

struct SizeSlots {
    int inUse = 0;       // 0 .. 16
    QStringList labels;  // slot A first, always sixteen

    // From the configuration row (System).
    static SizeSlots of(const RowSet& config);
    // The columns of the slots in use: prefix "kcsl" gives kcslA.., "sl" slA...
    QStringList columnsInUse(const QString& prefix) const;
};

// The sum of a row's slots in use (a Null slot counts 0): what the total of
// goods (Kcsl) and of document lines must equal.
double sizeSlotSum(const RowSet& rows, const QString& prefix, int inUse);
