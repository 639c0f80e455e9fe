#include "shell/sizeslots.h"

#include "database/rowset.h"
#include "database/schema.h"

#include <algorithm>

SizeSlots SizeSlots::of(const RowSet& config) {
    SizeSlots sizes;
    sizes.inUse = std::clamp(int(config.value("SLY").toInt()), 0, 16);
    for (const QString& label : schema::sizeSlotColumns("S")) sizes.labels.append(config.value(label).toString());
    return sizes;
}

QStringList SizeSlots::columnsInUse(const QString& prefix) const { return schema::sizeSlotColumns(prefix).mid(0, inUse); }

double sizeSlotSum(const RowSet& rows, const QString& prefix, int inUse) {
    double total = 0;
    for (const QString& slot : schema::sizeSlotColumns(prefix).mid(0, std::clamp(inUse, 0, 16)))
        total += rows.value(slot).toDouble();
    return total;
}
