#include "shell/forms/childwindow.h"

#include "dataaware/pendingedit.h"
#include "database/rowset.h"
#include "shell/forms/childshortcuts.h"

#include <QCloseEvent>

ChildWindow::ChildWindow(QWidget* parent) : QWidget(parent) { ChildShortcuts::install(); }

void ChildWindow::closeEvent(QCloseEvent* event) {
    // Closing is leaving the rows: what was typed is saved, a new row nothing
    // was typed into is dropped; a refusal keeps the window open.
    bool closing = finishPendingEdits(this, true);
    for (RowSet* rows : editedRowSets()) closing = closing && rows->endEditing();
    if (!closing) {
        event->ignore();
        return;
    }
    emit positionTextChanged({});
    QWidget::closeEvent(event);
}
