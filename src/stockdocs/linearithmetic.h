// The arithmetic of a document line: SL packages of BzLx base units at DJ
// per base unit, and the unit text the line shows.
#pragma once

#include <QString>

namespace linearithmetic {

struct Amounts {
    double jbsl = 0;  // quantity in base units: SL × BzLx
    double jbdj = 0;  // price of one base unit: DJ
    double je = 0;    // amount: JBSL × JBDJ
};

Amounts amounts(double sl, int bzlx, double dj);

// GGDW: the base unit when a package holds one, otherwise the package unit
// with the package size, 箱(12x); "(12x)" alone when the goods have no package unit.
QString unitText(const QString& baseUnit, const QString& packageUnit, int bzlx);

}  // namespace linearithmetic
