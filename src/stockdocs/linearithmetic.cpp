#include "stockdocs/linearithmetic.h"

namespace linearithmetic {

Amounts amounts(double sl, int bzlx, double dj) {
    Amounts a;
    a.jbsl = sl * bzlx;
    a.jbdj = dj;
    a.je = a.jbsl * a.jbdj;
    return a;
}

QString unitText(const QString& baseUnit, const QString& packageUnit, int bzlx) {
    if (bzlx == 1) return baseUnit;
    return packageUnit + "(" + QString::number(bzlx) + "x)";
}

}  // namespace linearithmetic
