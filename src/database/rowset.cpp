#include "database/rowset.h"

#include "database/schema.h"

#include <QCollator>
#include <QDateTime>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(fieldNames, "quorvel.fields")

// Null sorts first; numbers by value, dates by time, text without regard to
// case, as the Jet engine ordered them.
int compareValues(const QVariant& a, const QVariant& b, bool caseInsensitive = true) {
    const bool an = a.isNull(), bn = b.isNull();
    if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
    switch (a.typeId()) {
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case QMetaType::QDateTime: {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default:
        return a.toString().compare(b.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
}

}  // namespace

void reportUnknownField(const QString& where, const QString& name) {
    qCCritical(fieldNames).noquote() << QString("%1: no field \"%2\"").arg(where, name);
}

QString unconvertibleText(FieldType type, const QString& text) {
    switch (type) {
    case FieldType::Integer: return QString("'%1' 不是有效的整数").arg(text);
    case FieldType::DateTime: return QString("'%1' 不是有效的日期").arg(text);
    default: return QString("'%1' 不是有效的数值").arg(text);
    }
}

// ------------------------------------------------------------------ RowView

QVariant RowView::value(const QString& field) const {
    const int index = set_->namedIndex(field);
    return index < 0 ? QVariant() : value(index);
}

QVariant RowView::value(int field) const { return set_->fieldValue(stored_, field); }

// ------------------------------------------------------------------- RowSet

RowSet::RowSet(Database& db, QObject* parent) : QObject(parent), db_(db) {}

void RowSet::setTable(const QString& table, const QString& order, const QString& where) {
    table_ = table;
    order_ = order;
    where_ = where;
    query_.clear();
    givenRows_.reset();
}

void RowSet::setQuery(const QString& sql) {
    query_ = sql;
    table_.clear();
    givenRows_.reset();
}

void RowSet::setRows(const QStringList& columns, const QList<QVariantList>& rows) {
    table_.clear();
    query_.clear();
    givenColumns_ = columns;
    givenRows_ = rows;
    if (!isOpen()) return;
    cancel();
    load();
    rebuildView();
    current_ = view_.isEmpty() ? -1 : 0;
    emit reset();
    scrolled();
}

void RowSet::setMaster(RowSet* master, const QStringList& masterFields) {
    master_ = master;
    masterFields_ = masterFields;
    connect(master, &RowSet::currentChanged, this, [this] {
        if (!isOpen()) return;
        // A line being typed is saved before the lines of another header are
        // read; one the rules refuse (they said why) cannot stay with them.
        if (!endEditing()) cancel();
        takeMasterParams();
        refresh();
    });
}

void RowSet::takeMasterParams() {
    const bool onRow = master_->position() >= 0;
    for (const QString& f : masterFields_) setParam(f, onRow ? master_->value(f) : QVariant());
}

QString RowSet::selectSql(const QString& where) const {
    QString sql = QString("select rowid as [$rowid], * from [%1]").arg(table_);
    if (!where.isEmpty()) sql += " where " + where;
    return sql;
}

void RowSet::open() {
    if (isOpen()) return;
    if (master_) takeMasterParams();
    load();
    state_ = State::Browse;
    rebuildView();
    current_ = view_.isEmpty() ? -1 : 0;
    emit reset();
    emit stateChanged();
    scrolled();
}

void RowSet::close() {
    if (!isOpen()) return;
    rows_.clear(0);
    rowIds_.clear();
    view_.clear();
    buffer_.clear();
    lastRead_.reset();
    current_ = -1;
    state_ = State::Inactive;
    emit reset();
    emit stateChanged();
}

QString RowSet::sourceSql() const {
    if (table_.isEmpty()) return query_;
    QString sql = selectSql(where_);
    QStringList order = schema::indexColumns(table_, order_);
    if (order.isEmpty() && !order_.isEmpty()) order = order_.split(',', Qt::SkipEmptyParts);
    if (!order.isEmpty()) sql += " order by " + order.join(',');
    return sql;
}

bool RowSet::unchangedSinceRead() const {
    if (givenRows_) return true;
    return lastRead_ && lastRead_->sql == sourceSql() && lastRead_->params == params_ &&
           lastRead_->stamp == db_.changeStamp();
}

void RowSet::load() {
    if (givenRows_) {
        QList<QPair<QString, FieldType>> columns;
        for (const QString& name : std::as_const(givenColumns_)) columns.append({name, FieldType::Text});
        takeColumns(columns);
        rows_.clear(int(columns.size()));
        rowIds_.clear();
        for (const QVariantList& row : std::as_const(*givenRows_)) rows_.appendRow(row);
        lastRead_.reset();
        return;
    }
    const QString sql = sourceSql();
    // Taken before reading: a write that lands while the rows are read makes
    // the next re-read happen rather than go unseen.
    const Database::ChangeStamp stamp = db_.changeStamp();
    Statement st(db_, sql, params_);
    const int skip = table_.isEmpty() ? 0 : 1;
    QList<QPair<QString, FieldType>> columns;
    for (int i = skip; i < st.columnCount(); ++i) columns.append({st.columnName(i), st.columnType(i)});
    takeColumns(columns);

    rows_.clear(int(columns.size()));
    rowIds_.clear();
    while (st.next()) {
        rows_.appendFrom(st, skip);
        if (skip) rowIds_.append(st.value(0).toLongLong());
    }
    lastRead_ = LastRead{sql, params_, stamp};
}

void RowSet::takeColumns(const QList<QPair<QString, FieldType>>& columns) {
    const int count = int(columns.size());
    // Data fields come first, the window's calculated and lookup fields after
    // them. Fields the window already set up (captions, formats) are kept
    // when the source gives the same columns again.
    bool sameColumns = dataFieldCount_ == count;
    for (int i = 0; sameColumns && i < count; ++i)
        sameColumns = fields_[i].name.compare(columns[i].first, Qt::CaseInsensitive) == 0;
    if (!sameColumns) {
        fields_.remove(0, dataFieldCount_);
        QList<Field> data;
        const schema::Table* t = table_.isEmpty() ? nullptr : schema::findTable(table_);
        for (int i = 0; i < count; ++i) {
            Field f;
            f.name = columns[i].first;
            f.type = columns[i].second;
            if (t)
                for (const schema::Column& c : t->columns)
                    if (c.name.compare(f.name, Qt::CaseInsensitive) == 0) {
                        f.width = c.width;
                        f.autoNumber = c.type == schema::JetType::AutoNumber;
                        f.readOnly = f.autoNumber;
                    }
            f.caption = f.name;
            data.append(f);
        }
        fields_ = data + fields_;
        dataFieldCount_ = count;
        keyFields_.clear();
        if (t)
            for (const schema::Index& index : t->indexes)
                if (index.unique)
                    for (const QString& column : index.columns)
                        if (const int k = fieldIndex(column); k >= 0 && !keyFields_.contains(k)) keyFields_.append(k);
        reported_.clear();
        checkNames();
    }
}

void RowSet::refresh() {
    if (!isOpen()) {
        open();
        return;
    }
    if (!endEditing()) return;  // a refused row stays with what was typed
    if (unchangedSinceRead()) return;
    const qint64 keep = current_ >= 0 && !rowIds_.isEmpty() ? rowIds_[view_[current_]] : -1;
    const int oldPosition = current_;
    load();
    rebuildView();
    current_ = view_.isEmpty() ? -1 : std::clamp(oldPosition, 0, int(view_.size()) - 1);
    if (keep >= 0)
        for (int p = 0; p < view_.size(); ++p)
            if (rowIds_[view_[p]] == keep) current_ = p;
    emit reset();
    scrolled();
}

void RowSet::rebuildView() {
    view_.clear();
    view_.reserve(rows_.rowCount());
    for (int i = 0; i < rows_.rowCount(); ++i)
        if (!filter_ || filter_(RowView(this, i))) view_.append(i);
    if (sortKeys_.isEmpty()) return;
    // Sort keys are taken out of the rows once, so the comparisons of a large
    // list stay cheap. Text sorts as Chinese readers order it (by pinyin,
    // then Latin letters without regard to case), numbers by value, empty first.
    struct Key {
        bool null = true;
        double number = 0;
        std::optional<QCollatorSortKey> text;
    };
    static const QCollator chinese = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    QList<QList<Key>> keys;
    for (const auto& [field, ascending] : sortKeys_) {
        QList<Key> column(rows_.rowCount());
        for (int i : view_) {
            const QVariant v = rows_.value(i, field);
            Key& k = column[i];
            k.null = v.isNull();
            if (k.null) continue;
            switch (v.typeId()) {
            case QMetaType::Double:
            case QMetaType::LongLong:
            case QMetaType::Int:
            case QMetaType::Bool: k.number = v.toDouble(); break;
            case QMetaType::QDateTime: k.number = double(v.toDateTime().toSecsSinceEpoch()); break;
            default: k.text = chinese.sortKey(v.toString());
            }
        }
        keys.append(std::move(column));
    }
    auto before = [&](int a, int b) {
        for (int s = 0; s < sortKeys_.size(); ++s) {
            const Key& x = keys[s][a];
            const Key& y = keys[s][b];
            int c = 0;
            if (x.null || y.null) c = x.null == y.null ? 0 : (x.null ? -1 : 1);
            else if (x.number != y.number) c = x.number < y.number ? -1 : 1;
            else if (x.text && y.text) c = x.text->compare(*y.text);
            if (c != 0) return sortKeys_[s].second ? c < 0 : c > 0;
        }
        return false;
    };
    // Rows the source already gave in this order (a title click on the
    // column the table is read by) need only be checked.
    if (!std::is_sorted(view_.begin(), view_.end(), before)) std::stable_sort(view_.begin(), view_.end(), before);
}

int RowSet::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

RowSet::Field& RowSet::field(const QString& name) {
    const int i = fieldIndex(name);
    if (i >= 0) return fields_[i];
    reportUnknownField(description(), name);
    unknownField_ = Field();
    unknownField_.name = name;
    return unknownField_;
}

QString RowSet::description() const {
    if (givenRows_) return "row set of given rows (" + givenColumns_.join(", ") + ")";
    return "row set " + (table_.isEmpty() ? query_.simplified().left(80) : table_);
}

int RowSet::namedIndex(const QString& name) const {
    const int index = fieldIndex(name);
    // Before the first read no name is known yet; after it, each unknown one is told once.
    if (index < 0 && dataFieldCount_ > 0 && !reported_.contains(name.toLower())) {
        reported_.insert(name.toLower());
        reportUnknownField(description(), name);
    }
    return index;
}

// The names the window gave before the fields were read: lookups' keys and
// results, change handlers and validators.
void RowSet::checkNames() const {
    for (const Field& f : fields_)
        if (f.kind == FieldKind::Lookup) checkLookup(f);
    for (auto it = changeHandlers_.keyBegin(); it != changeHandlers_.keyEnd(); ++it) namedIndex(*it);
    for (auto it = validators_.keyBegin(); it != validators_.keyEnd(); ++it) namedIndex(*it);
}

void RowSet::checkLookup(const Field& lookup) const {
    namedIndex(lookup.keyField);
    if (!lookup.lookupSet) return;
    lookup.lookupSet->namedIndex(lookup.lookupKey);
    lookup.lookupSet->namedIndex(lookup.lookupResult);
}

void RowSet::addCalculatedField(const QString& name, std::function<QVariant(const RowView&)> calculate) {
    Field f;
    f.name = name;
    f.caption = name;
    f.kind = FieldKind::Calculated;
    f.readOnly = true;
    f.calculate = std::move(calculate);
    fields_.append(f);
}

void RowSet::addLookupField(const QString& name, const QString& keyField, RowSet* lookupSet,
                            const QString& lookupKey, const QString& lookupResult) {
    Field f;
    f.name = name;
    f.caption = name;
    f.kind = FieldKind::Lookup;
    f.keyField = keyField;
    f.lookupSet = lookupSet;
    f.lookupKey = lookupKey;
    f.lookupResult = lookupResult;
    fields_.append(f);
    checkLookup(f);
    // The looked-up rows may change in their own window; forget the index then.
    auto forget = [this, lookupSet] { lookupIndex_.remove(lookupSet); };
    connect(lookupSet, &RowSet::reset, this, forget);
    connect(lookupSet, &RowSet::rowChanged, this, forget);
    connect(lookupSet, &RowSet::rowInserted, this, forget);
    connect(lookupSet, &RowSet::rowRemoved, this, forget);
}

void RowSet::setValidator(const QString& field, std::function<bool(const QVariant&)> validator) {
    namedIndex(field);
    validators_.insert(field.toLower(), std::move(validator));
}

bool RowSet::converts(const QString& field, const QVariant& value) const {
    const int index = namedIndex(field);
    return index >= 0 && convert(fields_[index], value).has_value();
}

void RowSet::onFieldChange(const QString& field, std::function<void()> handler) {
    namedIndex(field);
    changeHandlers_.insert(field.toLower(), std::move(handler));
}

QVariant RowSet::fieldValue(int stored, int field) const {
    const Field& f = fields_[field];
    switch (f.kind) {
    case FieldKind::Data:
        if (stored >= 0) return rows_.value(stored, field);
        return stored == kBuffer ? buffer_.value(field) : QVariant();
    case FieldKind::Calculated: return f.calculate ? f.calculate(RowView(this, stored)) : QVariant();
    case FieldKind::Lookup: {
        if (!f.lookupSet) return {};
        const int keyField = namedIndex(f.keyField);
        const QVariant key = keyField < 0 ? QVariant() : fieldValue(stored, keyField);
        const int keyColumn = f.lookupSet->namedIndex(f.lookupKey);
        const int resultColumn = f.lookupSet->namedIndex(f.lookupResult);
        if (key.isNull() || keyColumn < 0 || resultColumn < 0) return {};
        auto found = lookupIndex_.find(f.lookupSet);
        if (found == lookupIndex_.end()) {
            QHash<QString, int> index;
            for (int i = 0; i < f.lookupSet->rows_.rowCount(); ++i)
                index.insert(f.lookupSet->fieldValue(i, keyColumn).toString().toLower(), i);
            found = lookupIndex_.insert(f.lookupSet, index);
        }
        const int row = found->value(key.toString().toLower(), -1);
        return row < 0 ? QVariant() : f.lookupSet->fieldValue(row, resultColumn);
    }
    }
    return {};
}

int RowSet::storedAt(int position) const {
    if (position < 0 || position >= view_.size()) return kNoRow;
    if (position == current_ && isEditing()) return kBuffer;
    return view_[position];
}

QVariant RowSet::value(const QString& field) const {
    const int index = namedIndex(field);
    return index < 0 ? QVariant() : fieldValue(storedAt(current_), index);
}

QVariant RowSet::valueAt(int position, int field) const { return fieldValue(storedAt(position), field); }

RowView RowSet::rowAt(int position) const { return RowView(this, storedAt(position)); }

QString RowSet::positionText() const {
    return QString("%1/%2").arg(current_ + 1).arg(recordCount());
}

std::optional<QVariant> RowSet::convert(const Field& f, const QVariant& value) const {
    if (!value.isValid() || value.isNull()) return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString().trimmed() : QString();
    bool ok = true;
    switch (f.type) {
    case FieldType::Integer: {
        if (isText && text.isEmpty()) return QVariant();
        const qlonglong v = isText ? text.toLongLong(&ok) : value.toLongLong(&ok);
        return ok ? std::optional<QVariant>(v) : std::nullopt;
    }
    case FieldType::Double: {
        if (isText && text.isEmpty()) return QVariant();
        const double v = isText ? text.toDouble(&ok) : value.toDouble(&ok);
        return ok ? std::optional<QVariant>(v) : std::nullopt;
    }
    case FieldType::Boolean: return QVariant(value.toBool());
    case FieldType::DateTime: {
        if (value.typeId() == QMetaType::QDate) return QVariant(QDateTime(value.toDate(), QTime(0, 0)));
        if (value.typeId() == QMetaType::QDateTime) return value;
        if (isText && text.isEmpty()) return QVariant();
        const QVariant parsed = fromStorage(text, FieldType::DateTime);
        return parsed.typeId() == QMetaType::QDateTime ? std::optional<QVariant>(parsed) : std::nullopt;
    }
    case FieldType::Text: return QVariant(value.toString());
    case FieldType::Unknown: break;
    }
    return value;
}

bool RowSet::setValue(const QString& fieldName, const QVariant& value) {
    const int index = namedIndex(fieldName);
    if (!isEditing() || index < 0 || fields_[index].kind != FieldKind::Data) return false;
    const std::optional<QVariant> converted = convert(fields_[index], value);
    if (!converted) return false;
    const auto validator = validators_.constFind(fields_[index].name.toLower());
    if (validator != validators_.constEnd() && !(*validator)(*converted)) return false;
    if (buffer_[index] == *converted && buffer_[index].isNull() == converted->isNull()) return true;
    buffer_[index] = *converted;
    modified_ = true;
    emit rowChanged(current_);
    const auto handler = changeHandlers_.constFind(fields_[index].name.toLower());
    if (handler != changeHandlers_.constEnd()) (*handler)();
    return true;
}

void RowSet::setState(State state) {
    if (state_ == state) return;
    state_ = state;
    emit stateChanged();
}

void RowSet::scrolled() {
    emit currentChanged(current_);
    if (hooks.afterScroll) hooks.afterScroll();
}

bool RowSet::moveTo(int position) {
    if (!isOpen() || position < 0 || position >= recordCount()) return false;
    if (position == current_) return true;
    if (!endEditing()) return false;
    current_ = position;
    scrolled();
    return true;
}

bool RowSet::edit() {
    if (state_ == State::Edit || state_ == State::Insert) return true;
    if (state_ != State::Browse || current_ < 0 || table_.isEmpty()) return false;
    if (hooks.beforeEdit && !hooks.beforeEdit()) return false;
    buffer_ = rows_.row(view_[current_]);
    modified_ = false;
    setState(State::Edit);
    return true;
}

bool RowSet::append() { return startInsert(int(view_.size())); }

bool RowSet::insert() { return startInsert(std::max(current_, 0)); }

bool RowSet::startInsert(int position) {
    if (!isOpen() || table_.isEmpty()) return false;
    if (!endEditing()) return false;
    if (hooks.beforeInsert && !hooks.beforeInsert()) return false;
    position = std::min(position, int(view_.size()));
    buffer_ = QVariantList(dataFieldCount_);
    view_.insert(position, -1);
    current_ = position;
    setState(State::Insert);
    emit rowInserted(position);
    // New-row defaults come first, then the row counts as the current one
    // (so a rule that remembers the previous row's values still sees them).
    if (hooks.afterInsert) hooks.afterInsert();
    modified_ = false;
    scrolled();
    return true;
}

bool RowSet::endEditing() {
    if (!isEditing()) return true;
    if (!modified_) {
        cancel();
        return true;
    }
    return post();
}

bool RowSet::post() {
    if (!isEditing()) return state_ == State::Browse;
    if (hooks.beforePost && !hooks.beforePost()) return false;
    try {
        if (hooks.beforeWrite) {
            Database::Transaction unit(db_);
            hooks.beforeWrite();
            writeRow();
            unit.commit();
        } else {
            writeRow();
        }
    } catch (const DbError& error) {
        if (!hooks.onWriteError) throw;
        hooks.onWriteError(error);
        return false;
    }
    modified_ = false;
    setState(State::Browse);
    emit rowChanged(current_);
    if (hooks.afterPost) hooks.afterPost();
    return true;
}

void RowSet::writeRow() {
    QStringList names, assignments;
    Params params;
    const bool before = state_ == State::Edit;
    QList<int> changed;
    for (int i = 0; i < dataFieldCount_; ++i) {
        const Field& f = fields_[i];
        const QVariant& v = buffer_[i];
        if (f.autoNumber) continue;
        if (before) {
            const QVariant old = rows_.value(view_[current_], i);
            if (old == v && old.isNull() == v.isNull()) continue;
        } else if (v.isNull()) {
            continue;  // leaves the column's default in place (a line's status "1")
        }
        const QString param = QString("p%1").arg(i);
        changed.append(i);
        names.append('[' + f.name + ']');
        assignments.append(QString("[%1] = :%2").arg(f.name, param));
        params.insert(param, v);
    }
    if (before) {
        if (assignments.isEmpty()) return;
        const int stored = view_[current_];
        const QString where = rowCondition(stored, changed, params);
        execOnOneRow(QString("update [%1] set %2 where %3").arg(table_, assignments.join(", "), where), params);
        rows_.setRow(stored, buffer_);
        return;
    }
    QStringList values;
    for (const QString& a : assignments) values.append(a.section(" = ", 1));
    db_.exec(names.isEmpty() ? QString("insert into [%1] default values").arg(table_)
                             : QString("insert into [%1] (%2) values (%3)").arg(table_, names.join(", "), values.join(", ")),
             params);
    // Read the row back: the engine filled its defaults and its AutoNumber.
    const qint64 id = db_.lastInsertId();
    Statement st(db_, selectSql("rowid = :rowid"), {{"rowid", id}});
    if (st.next()) rows_.appendFrom(st, 1);
    else rows_.appendRow({});
    rowIds_.append(id);
    view_[current_] = rows_.rowCount() - 1;
}

QString RowSet::rowCondition(int stored, const QList<int>& columns, Params& params) const {
    QStringList terms{"rowid = :rowid"};
    params.insert("rowid", rowIds_[stored]);
    QList<int> named = keyFields_;
    for (int c : columns)
        if (!named.contains(c)) named.append(c);
    for (int c : named) {
        const Field& f = fields_[c];
        const QString param = QString("o%1").arg(c);
        params.insert(param, rows_.value(stored, c));
        // A date read back from a date-only text is written with its time;
        // compare them as the same moment.
        terms.append(f.type == FieldType::DateTime ? QString("datetime([%1]) is datetime(:%2)").arg(f.name, param)
                                                   : QString("[%1] is :%2").arg(f.name, param));
    }
    return terms.join(" and ");
}

void RowSet::execOnOneRow(const QString& sql, const Params& params) {
    if (db_.exec(sql, params) != 1)
        throw DbError(DbError::Kind::Conflict, "记录已被其他操作员修改或删除,请刷新后重试!");
}

void RowSet::cancel() {
    modified_ = false;
    if (state_ == State::Edit) {
        setState(State::Browse);
        emit rowChanged(current_);
    } else if (state_ == State::Insert) {
        const int removed = current_;
        emit rowAboutToBeRemoved(removed);
        view_.remove(removed);
        current_ = view_.isEmpty() ? -1 : std::min(removed, int(view_.size()) - 1);
        setState(State::Browse);
        emit rowRemoved(removed);
        scrolled();
    }
}

bool RowSet::remove() {
    if (state_ == State::Insert) {
        cancel();
        return true;
    }
    if (!isEditing() && state_ != State::Browse) return false;
    if (current_ < 0 || table_.isEmpty()) return false;
    // Asked first: a No keeps what was typed into the row as well as the row.
    if (hooks.beforeDelete && !hooks.beforeDelete()) return false;
    if (state_ == State::Edit) cancel();
    const int stored = view_[current_];
    try {
        Params params;
        const QString where = rowCondition(stored, {}, params);
        execOnOneRow(QString("delete from [%1] where %2").arg(table_, where), params);
    } catch (const DbError& error) {
        if (!hooks.onWriteError) throw;
        hooks.onWriteError(error);
        return false;
    }
    emit rowAboutToBeRemoved(current_);
    rows_.removeRow(stored);
    rowIds_.remove(stored);
    const int removed = current_;
    view_.remove(removed);
    for (int& v : view_)
        if (v > stored) --v;
    current_ = view_.isEmpty() ? -1 : std::min(removed, int(view_.size()) - 1);
    emit rowRemoved(removed);
    if (hooks.afterDelete) hooks.afterDelete();
    scrolled();
    return true;
}

bool RowSet::locate(const QStringList& fieldNames, const QVariantList& values, LocateOptions options) {
    QList<int> indexes;
    for (const QString& name : fieldNames) {
        const int i = namedIndex(name);
        if (i < 0) return false;
        indexes.append(i);
    }
    const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int p = 0; p < view_.size(); ++p) {
        const RowView row = rowAt(p);
        bool match = true;
        for (int k = 0; k < indexes.size() && match; ++k) {
            const QVariant v = row.value(indexes[k]);
            const QVariant& wanted = values.value(k);
            if (v.isNull() || wanted.isNull()) match = v.isNull() && wanted.isNull();
            else if (options.partialKey) match = v.toString().startsWith(wanted.toString(), cs);
            else if (v.typeId() == QMetaType::QString) match = v.toString().compare(wanted.toString(), cs) == 0;
            else match = compareValues(v, wanted) == 0;
        }
        if (match) return moveTo(p);
    }
    return false;
}

bool RowSet::setSort(const QString& sortText) {
    QList<QPair<int, bool>> keys;
    for (const QString& part : sortText.split(',', Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(' ');
        const int index = namedIndex(words.value(0));
        if (index < 0 || fields_[index].kind != FieldKind::Data) return false;
        const QString direction = words.value(1).toUpper();
        if (!direction.isEmpty() && direction != "ASC" && direction != "DESC") return false;
        keys.append({index, direction != "DESC"});
    }
    if (!endEditing()) return false;
    sortKeys_ = keys;
    sortText_ = sortText;
    const qint64 keep = current_ >= 0 ? view_[current_] : -1;
    rebuildView();
    current_ = keep < 0 ? (view_.isEmpty() ? -1 : 0) : int(view_.indexOf(int(keep)));
    emit reset();
    emit currentChanged(current_);
    return true;
}

void RowSet::setFilter(std::function<bool(const RowView&)> predicate) {
    if (isEditing()) cancel();
    filter_ = std::move(predicate);
    if (!isOpen()) return;
    rebuildView();
    current_ = view_.isEmpty() ? -1 : 0;
    emit reset();
    scrolled();
}

bool RowSet::setFilterText(const QString& text) {
    if (text.trimmed().isEmpty()) {
        clearFilter();
        return true;
    }
    // field = 'text with '' for an apostrophe' | field = number, joined by "and"
    static const QRegularExpression term(R"(^\s*(\w+)\s*=\s*(?:'((?:[^']|'')*)'|(-?\d+(?:\.\d+)?))\s*(?:and\b|$))",
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::UseUnicodePropertiesOption);
    QList<QPair<QString, QVariant>> terms;
    QString rest = text;
    while (!rest.trimmed().isEmpty()) {
        const auto m = term.match(rest);
        if (!m.hasMatch()) return false;
        if (namedIndex(m.captured(1)) < 0) return false;
        terms.append({m.captured(1), m.capturedStart(2) >= 0 ? QVariant(m.captured(2).replace("''", "'"))
                                                              : QVariant(m.captured(3).toDouble())});
        rest = rest.mid(m.capturedEnd());
    }
    setFilter([terms](const RowView& row) {
        for (const auto& [field, wanted] : terms) {
            const QVariant v = row.value(field);
            if (v.isNull() || compareValues(v, wanted) != 0) return false;
        }
        return true;
    });
    return true;
}

QString RowSet::filterText(const QString& field, const QString& value) {
    return field + "='" + QString(value).replace("'", "''") + "'";
}

double RowSet::sum(const QString& field, bool visibleOnly) const {
    const int index = namedIndex(field);
    if (index < 0) return 0;
    const int editing = isEditing() && current_ >= 0 ? view_[current_] : -2;
    double total = 0;
    auto add = [&](int stored) {
        total += fieldValue(stored == editing || stored < 0 ? kBuffer : stored, index).toDouble();
    };
    if (visibleOnly) {
        for (int stored : view_) add(stored);
    } else {
        for (int stored = 0; stored < rows_.rowCount(); ++stored) add(stored);
        if (state_ == State::Insert) add(-1);
    }
    return total;
}
