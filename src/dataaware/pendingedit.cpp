#include "dataaware/pendingedit.h"

#include <QWidget>

bool finishPendingEdits(QWidget* scope, bool keep) {
    if (!scope) return true;
    bool finished = true;
    if (auto* own = dynamic_cast<PendingEdit*>(scope)) finished = own->finishEdit(keep);
    for (QWidget* w : scope->findChildren<QWidget*>())
        if (auto* pending = dynamic_cast<PendingEdit*>(w)) finished = pending->finishEdit(keep) && finished;
    return finished;
}
