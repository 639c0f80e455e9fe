// RowSet: the table cursor and query every window is built on.
#pragma once

#include "database/database.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class RowSet;

// A field name a row set, a grid column or a bound box does not know is a
// mistake in the window that named it. It is told here, as a critical message
// of the logging category "quorvel.fields" naming where it was given, and the
// program goes on as if the field were always Null.
void reportUnknownField(const QString& where, const QString& name);

// What the user is told when a text typed for a field does not convert to its type.
QString unconvertibleText(FieldType type, const QString& text);

// Read access to one row of a RowSet, data, calculated and lookup fields alike.
class RowView {
public:
    QVariant value(const QString& field) const;
    QVariant value(int field) const;

private:
    friend class RowSet;
    RowView(const RowSet* set, int stored) : set_(set), stored_(stored) {}
    const RowSet* set_;
    int stored_;  // a loaded row, or RowSet::kBuffer, RowSet::kNoRow
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;  // the values are prefixes
};

class RowSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class FieldKind { Data, Calculated, Lookup };

    struct Field {
        QString name;
        FieldKind kind = FieldKind::Data;
        FieldType type = FieldType::Unknown;
        int width = 0;  // text columns: the most characters the column holds
        QString caption;
        QString displayFormat;
        bool readOnly = false;
        bool autoNumber = false;
        std::function<QVariant(const RowView&)> calculate;  // calculated fields
        QString keyField;                                    // lookup fields: our field holding the key
        RowSet* lookupSet = nullptr;                         // … the row set looked in
        QString lookupKey, lookupResult;                     // … its key and result fields
    };

    // The rules a window plugs in. A "before" hook refuses by telling the
    // Prompter and returning false; the row is then left as it was, or still
    // in editing.
    struct Hooks {
        std::function<bool()> beforeEdit, beforeInsert, beforePost, beforeDelete;
        std::function<void()> afterInsert;  // new-row defaults go here
        // Runs with the row's write, in one transaction with it: what must be
        // written together with the row (a document number taken from its
        // counter) goes here. It may still set the row's values; a DbError
        // it throws abandons the save and everything it wrote.
        std::function<void()> beforeWrite;
        std::function<void()> afterPost, afterDelete, afterScroll;
        // A save or delete the database refused (duplicate key, over-long
        // text, a row another workstation changed…). When unset the error is
        // thrown to the caller. Either way a row being saved stays in editing
        // with what was typed, and a row being deleted stays.
        std::function<void(const DbError&)> onWriteError;
    };
    Hooks hooks;

    using LocateOptions = ::LocateOptions;

    explicit RowSet(Database& db, QObject* parent = nullptr);

    // A whole table, ordered by columns ("bm", "Spbm,Spmc") or by a named
    // index ("Aczqx#PX"), optionally restricted by a where clause with
    // :parameters. Rows can be edited, added and deleted in place.
    void setTable(const QString& table, const QString& order = {}, const QString& where = {});
    // A read-only query in the Jet dialect.
    void setQuery(const QString& sql);
    // Read-only rows the caller made rather than read from the book (a
    // check's findings): text columns named `columns`. Shown at once when
    // open; a re-read keeps them.
    void setRows(const QStringList& columns, const QList<QVariantList>& rows);
    void setParam(const QString& name, const QVariant& value) { params_.insert(name, value); }
    // Re-query whenever the master's current row moves, taking each named
    // master field as the parameter of the same name.
    void setMaster(RowSet* master, const QStringList& masterFields);

    void open();
    void close();
    // Re-reads from the database, staying on the same row where it still
    // exists. A row being edited is saved first; when that is refused nothing is re-read.
    // When nothing was written to the book since the rows were read, and the
    // source and its parameters are the same, the rows stand as they are.
    void refresh();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEditing() const { return state_ == State::Edit || state_ == State::Insert; }
    // Whether anything was typed into the row being edited or inserted; the
    // new-row defaults of afterInsert do not count.
    bool isModified() const { return isEditing() && modified_; }
    // What leaving a row does: a row something was typed into is saved, one
    // nothing was typed into (a new row included) is dropped. False when the
    // save was refused and the row stays in editing.
    bool endEditing();
    QString tableName() const { return table_; }

    // Fields: the data fields of the source, then calculated and lookup fields.
    // Every other call that takes a field name reports a name the row set
    // does not know once it has read its fields (see reportUnknownField).
    int fieldCount() const { return int(fields_.size()); }
    int fieldIndex(const QString& name) const;  // without regard to case; -1 when unknown
    const Field& field(int index) const { return fields_[index]; }
    // An unknown name is reported and gives a field that belongs to no row.
    Field& field(const QString& name);
    void addCalculatedField(const QString& name, std::function<QVariant(const RowView&)> calculate);
    void addLookupField(const QString& name, const QString& keyField, RowSet* lookupSet, const QString& lookupKey,
                        const QString& lookupResult);
    // Runs when a field's value is changed through setValue.
    void onFieldChange(const QString& field, std::function<void()> handler);
    // Checks a value before it is taken; a validator that refuses tells the
    // Prompter itself and returns false, and the field keeps its value.
    void setValidator(const QString& field, std::function<bool(const QVariant&)> validator);
    // Whether a value converts to the field's type (no validator asked).
    bool converts(const QString& field, const QVariant& value) const;

    // Position within the visible (filtered, sorted) rows; -1 when empty.
    int recordCount() const { return int(view_.size()); }
    int position() const { return current_; }
    bool isEmpty() const { return view_.isEmpty(); }
    bool moveTo(int position);
    bool first() { return moveTo(0); }
    bool last() { return moveTo(recordCount() - 1); }
    bool next() { return current_ + 1 < recordCount() && moveTo(current_ + 1); }
    bool prior() { return current_ > 0 && moveTo(current_ - 1); }
    // "n/m", the position text of the status bar.
    QString positionText() const;

    QVariant value(const QString& field) const;
    QVariant valueAt(int position, int field) const;
    RowView rowAt(int position) const;
    RowView currentRow() const { return rowAt(current_); }
    // Sets a field of the row being edited or inserted; false when the row
    // is not in editing or the value does not convert to the field's type.
    bool setValue(const QString& field, const QVariant& value);

    bool edit();
    bool append();  // a new row at the end
    bool insert();  // a new row before the current one
    bool post();
    void cancel();
    bool remove();

    bool locate(const QStringList& fields, const QVariantList& values, LocateOptions options = {});
    bool locate(const QString& field, const QVariant& value, LocateOptions options = {}) {
        return locate(QStringList{field}, QVariantList{value}, options);
    }

    // The sum of a field over the visible rows, or over every loaded row
    // whatever the filter; the row being edited counts with its typed value.
    double sum(const QString& field, bool visibleOnly = true) const;

    // In-memory sort by a sort text: field names each followed by "ASC" or
    // "DESC" ("Spbm  ASC"), comma separated; empty restores the source order.
    bool setSort(const QString& sortText);
    QString sort() const { return sortText_; }

    void setFilter(std::function<bool(const RowView&)> predicate);
    // The simple text form: field='text' or field=number, joined by "and".
    bool setFilterText(const QString& filterText);
    void clearFilter() { setFilter({}); }
    // field='value' with apostrophes doubled, so any name filters exactly.
    static QString filterText(const QString& field, const QString& value);

signals:
    void reset();
    void rowChanged(int position);
    void rowInserted(int position);
    void rowAboutToBeRemoved(int position);  // still there, about to go
    void rowRemoved(int position);
    void currentChanged(int position);
    void stateChanged();

private:
    friend class RowView;
    // Where a row's values are: a loaded row's index, or one of these.
    static constexpr int kBuffer = -1;  // the row being edited or inserted
    static constexpr int kNoRow = -2;   // no row: every value is Null
    QVariant fieldValue(int stored, int field) const;
    int storedAt(int position) const;
    int namedIndex(const QString& name) const;
    void checkNames() const;
    void checkLookup(const Field& lookup) const;
    QString description() const;
    QString sourceSql() const;
    bool unchangedSinceRead() const;
    void load();
    // The data fields of a new source, kept as they are when its columns are the same.
    void takeColumns(const QList<QPair<QString, FieldType>>& columns);
    void takeMasterParams();
    void rebuildView();
    void setState(State state);
    void scrolled();
    bool startInsert(int position);
    void writeRow();
    // The where clause naming the stored row `stored` by its engine id, the
    // original values of its table's unique keys and of `columns`, so that a
    // row another workstation changed, deleted or replaced is not touched.
    QString rowCondition(int stored, const QList<int>& columns, Params& params) const;
    void execOnOneRow(const QString& sql, const Params& params);
    std::optional<QVariant> convert(const Field& f, const QVariant& value) const;
    QString selectSql(const QString& where) const;

    Database& db_;
    QString table_, order_, where_, query_;
    std::optional<QList<QVariantList>> givenRows_;  // setRows: the rows, its columns in givenColumns_
    QStringList givenColumns_;
    Params params_;
    RowSet* master_ = nullptr;
    QStringList masterFields_;

    QList<Field> fields_;
    int dataFieldCount_ = 0;
    RowStore rows_;             // as loaded, in source order
    QList<qint64> rowIds_;      // the engine's row id of each loaded row (tables only)
    QList<int> view_;           // visible rows: indexes into rows_, -1 for a row being inserted
    int current_ = -1;
    State state_ = State::Inactive;
    QVariantList buffer_;       // the row being edited or inserted
    bool modified_ = false;     // something was typed into buffer_
    QList<int> keyFields_;      // data fields of the table's unique keys
    struct LastRead {
        QString sql;
        Params params;
        Database::ChangeStamp stamp;  // where the book stood when the rows were read
    };
    std::optional<LastRead> lastRead_;

    QString sortText_;
    QList<QPair<int, bool>> sortKeys_;  // field, ascending
    std::function<bool(const RowView&)> filter_;
    QHash<QString, std::function<void()>> changeHandlers_;  // by lower-case field name
    QHash<QString, std::function<bool(const QVariant&)>> validators_;  // likewise
    mutable QHash<const RowSet*, QHash<QString, int>> lookupIndex_;
    mutable QSet<QString> reported_;  // unknown names told already, in lower case
    Field unknownField_;              // what field() gives for an unknown name
};
