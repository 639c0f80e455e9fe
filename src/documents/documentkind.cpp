#include "documents/documentkind.h"

QString documentNumber(qint64 counterValue) {
    // The nine rightmost digits of counter + 1000000001.
    return QString::number(counterValue + 1000000001LL).right(9);
}
