#include "dataaware/fieldeditors.h"

#include "database/displayformat.h"
#include "database/rowset.h"
#include "shell/prompter.h"

#include <QTimer>

#include <memory>
#include <utility>

namespace {

// Keeps an editor showing the current row's value whenever the row set moves
// or changes. A field the row set does not know is reported once, as soon as
// the row set has its fields, and the box stays empty.
template <typename Editor, typename Show>
void follow(RowSet& rows, Editor* editor, const QString& field, Show show) {
    auto update = [&rows, editor, field, show, told = std::make_shared<bool>(false)] {
        if (rows.fieldIndex(field) >= 0) return show();
        if (!rows.isOpen() || std::exchange(*told, true)) return;
        const QString where =
            QString("%1 %2 over %3").arg(editor->metaObject()->className(), editor->objectName(), rows.tableName());
        reportUnknownField(where.simplified(), field);
    };
    QObject::connect(&rows, &RowSet::reset, editor, update);
    QObject::connect(&rows, &RowSet::currentChanged, editor, update);
    QObject::connect(&rows, &RowSet::rowChanged, editor, [&rows, update](int position) {
        if (position == rows.position()) update();
    });
    update();
}

}  // namespace

FieldEdit::FieldEdit(RowSet& rows, const QString& field, Prompter& prompter, QWidget* parent)
    : QLineEdit(parent), rows_(rows), field_(field), prompter_(prompter) {
    const int index = rows.fieldIndex(field);
    if (index >= 0 && rows.field(index).width > 0) setMaxLength(rows.field(index).width);
    follow(rows, this, field, [this] {
        if (!typed_) showValue();
    });
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!rows_.edit()) {
            showValue();
            return;
        }
        // While typing, the box shows what is typed (the row's change notices
        // must not reformat it), and the row holds every value typed so far
        // that its field takes, so a save by keyboard shortcut (the box keeps
        // the focus) loses nothing; a text the field refuses is told when the
        // box is left.
        typed_ = true;
        if (rows_.converts(field_, text())) rows_.setValue(field_, text());
    });
    connect(this, &QLineEdit::returnPressed, this, &FieldEdit::commit);
    connect(&rows, &RowSet::stateChanged, this, [this] {
        if (rows_.isEditing()) return;
        typed_ = false;  // saved or discarded: show what the row holds
        showValue();
    });
}

void FieldEdit::showValue() {
    const int index = rows_.fieldIndex(field_);
    setText(index < 0 ? QString() : displayformat::format(rows_.value(field_), rows_.field(index).displayFormat));
}

bool FieldEdit::commit() {
    if (!typed_) return true;
    const QSignalBlocker quiet(this);  // the row set's change notice must not re-show the old value
    if (!rows_.setValue(field_, text())) {
        // A text the field's type takes but a rule refused was told by the rule.
        if (!rows_.converts(field_, text())) prompter_.message(unconvertibleText(rows_.field(rows_.fieldIndex(field_)).type, text()));
        QTimer::singleShot(0, this, [this] { setFocus(); });
        return false;
    }
    typed_ = false;
    return true;
}

bool FieldEdit::finishEdit(bool keep) {
    if (keep) return commit();
    typed_ = false;
    showValue();
    return true;
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    commit();
}

FieldTextEdit::FieldTextEdit(RowSet& rows, const QString& field, QWidget* parent)
    : QPlainTextEdit(parent), rows_(rows), field_(field) {
    follow(rows, this, field, [this] {
        const QString stored = rows_.value(field_).toString();
        if (toPlainText() == stored) return;
        const QSignalBlocker block(this);
        setPlainText(stored);
    });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!rows_.edit() || !rows_.setValue(field_, toPlainText())) {
            const QSignalBlocker block(this);
            setPlainText(rows_.value(field_).toString());
        }
    });
}

FieldCheckBox::FieldCheckBox(const QString& text, RowSet& rows, const QString& field, QWidget* parent)
    : QCheckBox(text, parent), rows_(rows), field_(field) {
    follow(rows, this, field, [this] {
        const QSignalBlocker block(this);
        setChecked(rows_.value(field_).toBool());
    });
    connect(this, &QCheckBox::clicked, this, [this](bool on) {
        if (!rows_.edit() || !rows_.setValue(field_, on)) setChecked(rows_.value(field_).toBool());
    });
}

FieldSpinBox::FieldSpinBox(RowSet& rows, const QString& field, int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent), rows_(rows), field_(field) {
    setRange(minimum, maximum);
    follow(rows, this, field, [this] {
        const QSignalBlocker block(this);
        setValue(rows_.value(field_).toInt());
    });
    connect(this, &QSpinBox::valueChanged, this, [this](int v) {
        if (!rows_.edit() || !rows_.setValue(field_, v)) {
            const QSignalBlocker block(this);
            setValue(rows_.value(field_).toInt());
        }
    });
}

FieldComboBox::FieldComboBox(RowSet& rows, const QString& field, const QStringList& items, QWidget* parent)
    : QComboBox(parent), rows_(rows), field_(field) {
    addItems(items);
    follow(rows, this, field, [this] { showValue(); });
    connect(&rows, &RowSet::stateChanged, this, [this] { showValue(); });  // a cancel restores the value
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!rows_.edit() || !rows_.setValue(field_, itemText(index))) showValue();
    });
}

void FieldComboBox::showValue() {
    const QSignalBlocker block(this);
    setCurrentIndex(findText(rows_.value(field_).toString()));
}
