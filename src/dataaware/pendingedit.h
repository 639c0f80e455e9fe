// Typed text not yet in its row: a grid's open cell editor, a bound box.
// Every command that acts on a row set finishes these first, so what was
// typed lands in the row it was typed for, or nowhere.
#pragma once

class QWidget;

class PendingEdit {
public:
    virtual ~PendingEdit() = default;
    // keep: hand the typed text to the row it was typed for; otherwise drop
    // it. False when the field refused the text and the editor keeps it
    // (the refusal was told): the command must not go on.
    virtual bool finishEdit(bool keep) = 0;
};

// Finishes every pending edit inside `scope` (the scope itself included);
// false when one of them refused.
bool finishPendingEdits(QWidget* scope, bool keep);
