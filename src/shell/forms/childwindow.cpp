#include "shell/forms/childwindow.h"

#include "database/rowset.h"

#include <QCloseEvent>

void ChildWindow::closeEvent(QCloseEvent* event) {
    for (RowSet* rows : editedRowSets()) {
        if (rows->isEditing() && !rows->post()) {
            event->ignore();
            return;
        }
    }
    emit positionTextChanged({});
    QWidget::closeEvent(event);
}
