#include "database/database.h"

#include "database/jetdialect.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlcipher/sqlite3.h>

#include <atomic>
#include <bit>

DbError::DbError(Kind kind, const QString& message, const QString& column)
    : std::runtime_error(message.toStdString()), kind_(kind), message_(message), column_(column) {}

FieldType fieldTypeFromDeclaration(const QString& declaredType) {
    const QString t = declaredType.toUpper();
    if (t.isEmpty()) return FieldType::Unknown;
    if (t.startsWith("BOOL")) return FieldType::Boolean;
    if (t.startsWith("DATE")) return FieldType::DateTime;
    if (t.contains("INT")) return FieldType::Integer;
    if (t.contains("REAL") || t.contains("DOUB") || t.contains("FLOA")) return FieldType::Double;
    return FieldType::Text;
}

// Dates are stored as "yyyy-MM-dd HH:mm:ss" (or just the date). Ledgers hold
// many of them, so they are read by position rather than by a format parser.
static QDateTime parseStoredDateTime(const QString& t) {
    auto num = [&t](int from, int len) {
        int v = 0;
        for (int i = from; i < from + len; ++i) {
            const int d = t[i].unicode() - '0';
            if (d < 0 || d > 9) return -1;
            v = v * 10 + d;
        }
        return v;
    };
    if (t.size() != 10 && t.size() != 19) return {};
    const QDate date(num(0, 4), num(5, 2), num(8, 2));
    const QTime time = t.size() == 19 ? QTime(num(11, 2), num(14, 2), num(17, 2)) : QTime(0, 0);
    return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
}

QVariant fromStorage(const QVariant& stored, FieldType type) {
    if (stored.isNull()) return QVariant();
    switch (type) {
    case FieldType::Boolean: return stored.toLongLong() != 0;
    case FieldType::DateTime: {
        const QDateTime dt = parseStoredDateTime(stored.toString());
        return dt.isValid() ? QVariant(dt) : stored;
    }
    case FieldType::Double: return stored.toDouble();
    case FieldType::Integer: return stored.toLongLong();
    case FieldType::Text: return stored.toString();
    case FieldType::Unknown: break;
    }
    return stored;
}

namespace {

QString engineMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Over-long text and numbers out of their type's range are refused by check
// constraints named "<Table>.<Column>:<width or range>" (see schema.cpp); the
// engine's terse texts become ones a shopkeeper reads, the engine's own text
// kept after them for whoever has to look further.
DbError classify(int rc, const QString& message) {
    static const QRegularExpression named(R"(CHECK constraint failed: (\S+):(\d+|range))");
    auto explained = [&message](const QString& chinese) { return chinese + "\n" + message; };
    switch (rc & 0xff) {
    case SQLITE_CONSTRAINT: {
        if (message.contains("UNIQUE constraint failed") || message.contains("PRIMARY KEY must be unique")
            || message.contains("is not unique"))
            return DbError(DbError::Kind::DuplicateKey, message);
        const auto m = named.match(message);
        const QString column = m.captured(1).section('.', -1);
        if (m.hasMatch() && m.captured(2) == "range")
            return DbError(DbError::Kind::OutOfRange,
                           QString("数值超出范围：字段 %1 放不下这么大的数").arg(m.captured(1)), column);
        if (m.hasMatch())
            return DbError(DbError::Kind::TooLong,
                           QString("数据太长：字段 %1 最多 %2 个字符").arg(m.captured(1), m.captured(2)), column);
        break;
    }
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbError(DbError::Kind::Locked, explained("数据库正被其他程序使用(已锁定)，请稍后再试。"));
    case SQLITE_FULL: return DbError(DbError::Kind::Other, explained("磁盘已满，数据没有写入。"));
    case SQLITE_READONLY:
        return DbError(DbError::Kind::Other, explained("数据库文件或其所在文件夹是只读的，不能写入。"));
    case SQLITE_AUTH:
        return DbError(DbError::Kind::Other, explained("历史数据只能查询，不能修改。"));
    case SQLITE_CANTOPEN: return DbError(DbError::Kind::Other, explained("数据库文件无法打开。"));
    case SQLITE_IOERR: return DbError(DbError::Kind::Other, explained("读写数据库文件时出错。"));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return DbError(DbError::Kind::NotADatabase, explained("数据库文件已损坏或不是本系统的数据库。"));
    }
    return DbError(DbError::Kind::Other, message);
}

QByteArray storageText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString("yyyy-MM-dd 00:00:00").toUtf8();
    case QMetaType::QDateTime: return v.toDateTime().toString("yyyy-MM-dd HH:mm:ss").toUtf8();
    default: return v.toString().toUtf8();
    }
}

void bindValue(sqlite3_stmt* stmt, int index, const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool: sqlite3_bind_int(stmt, index, v.toBool() ? 1 : 0); return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: sqlite3_bind_int64(stmt, index, v.toLongLong()); return;
    case QMetaType::Double:
    case QMetaType::Float: sqlite3_bind_double(stmt, index, v.toDouble()); return;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray text = storageText(v);
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

}  // namespace

// ---------------------------------------------------------------- Statement

Statement::Statement(Database& db, const QString& jetSql, const Params& params)
    : db_(db), jetSql_(jetSql), opening_(db.opening_) {
    if (!db.isOpen()) throw DbError(DbError::Kind::Other, "数据库没有打开");
    if (Database::Prepared kept = db.prepared_.take(jetSql); kept.stmt) {
        stmt_ = kept.stmt;
        types_ = std::move(kept.types);
    } else {
        const QByteArray sql = translateJetSql(jetSql).toUtf8();
        const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &stmt_, nullptr);
        if (rc != SQLITE_OK) db.fail(rc);
        const int columns = sqlite3_column_count(stmt_);
        types_.reserve(columns);
        for (int i = 0; i < columns; ++i)
            types_.append(fieldTypeFromDeclaration(QString::fromUtf8(sqlite3_column_decltype(stmt_, i))));
    }

    QHash<QString, QVariant> byName;
    for (auto it = params.begin(); it != params.end(); ++it) byName.insert(it.key().toLower(), it.value());
    const int count = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= count; ++i) {
        const char* raw = sqlite3_bind_parameter_name(stmt_, i);
        const QString name = raw ? QString::fromUtf8(raw + 1).toLower() : QString();
        const auto found = byName.constFind(name);
        if (found == byName.constEnd()) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
            throw DbError(DbError::Kind::Other, QString("参数 :%1 没有值").arg(name));
        }
        bindValue(stmt_, i, *found);
    }
}

Statement::~Statement() {
    if (!stmt_) return;
    // Back into the cache when its connection is still the one it was made on.
    if (db_.isOpen() && db_.opening_ == opening_ && !db_.prepared_.contains(jetSql_)) {
        if (db_.prepared_.size() >= Database::kPreparedKept) {
            // Room for it: one kept statement goes (any; the hot ones come straight back).
            const auto first = db_.prepared_.begin();
            sqlite3_finalize(first->stmt);
            db_.prepared_.erase(first);
        }
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        db_.prepared_.insert(jetSql_, {stmt_, std::move(types_)});
        return;
    }
    sqlite3_finalize(stmt_);
}

bool Statement::next() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // sqlite3_step reports the generic code; the extended one carries the cause.
    db_.fail(sqlite3_extended_errcode(db_.handle()));
}

int Statement::columnCount() const { return int(types_.size()); }

QString Statement::columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt_, i)); }

FieldType Statement::columnType(int i) const { return types_[i]; }

QVariant Statement::value(int i) const {
    QVariant raw;
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL: return QVariant();
    case SQLITE_INTEGER: raw = qlonglong(sqlite3_column_int64(stmt_, i)); break;
    case SQLITE_FLOAT: raw = sqlite3_column_double(stmt_, i); break;
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i));
    default:
        raw = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                sqlite3_column_bytes(stmt_, i));
    }
    return types_[i] == FieldType::Unknown ? raw : fromStorage(raw, types_[i]);
}

// ---------------------------------------------------------------- Database

Database::~Database() { close(); }

void Database::fail(int rc) const {
    throw classify(rc, db_ ? engineMessage(db_) : QString::fromUtf8(sqlite3_errstr(rc)));
}

void Database::open(const QString& path, const QByteArray& key) { openFile(path, key, true); }

void Database::create(const QString& path, const QByteArray& key) {
    if (QFileInfo::exists(path))
        throw DbError(DbError::Kind::Other, QString("数据库文件已经存在: %1").arg(path));
    openFile(path, key, false);
}

void Database::openFile(const QString& path, const QByteArray& key, bool mustExist) {
    close();
    const QFileInfo file(path);
    if (mustExist && !file.isFile())
        throw DbError(DbError::Kind::Other, QString("找不到数据库文件: %1").arg(path));
    // The engine takes an empty file for a new, empty database; a book that
    // lost its contents must not open as one.
    if (mustExist && file.size() == 0)
        throw DbError(DbError::Kind::NotADatabase, QString("数据库文件已损坏(文件长度为零): %1").arg(path));
    // A connection is only ever used by the thread that opened it, so the
    // engine need not lock it around every call (three calls a cell when
    // thousands of rows are read).
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (mustExist ? 0 : SQLITE_OPEN_CREATE);
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    // What a rollback undid (a transaction's, the engine's own after a
    // failure, one typed in the SQL console) may have been read meanwhile.
    if (rc == SQLITE_OK) sqlite3_rollback_hook(handle, [](void* self) { ++static_cast<Database*>(self)->rollbacks_; }, this);
    if (rc == SQLITE_OK && !key.isEmpty()) rc = sqlite3_key(handle, key.constData(), int(key.size()));
    // The key is only checked when the file is first read.
    if (rc == SQLITE_OK) rc = sqlite3_exec(handle, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
    // Every page read from the file is decrypted, so a page the cache has let
    // go costs again: with the engine's 2 MB, the summaries' goods look-ups,
    // reads in an index's order and inserts into the large ledgers' indexes
    // decrypt the same pages over and over. 64 MB holds a large book's goods
    // and indexes; the cache grows only as far as pages are actually read.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(handle, "pragma foreign_keys = off; pragma journal_mode = delete; pragma cache_size = -65536;",
                          nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) registerJetFunctions(handle);
    if (rc != SQLITE_OK) {
        DbError error = classify(rc, handle ? engineMessage(handle) : QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close(handle);
        if (error.kind() == DbError::Kind::NotADatabase)
            throw DbError(error.kind(), QString("数据库文件无法打开(文件已损坏或口令不符): %1").arg(path));
        throw error;
    }
    db_ = handle;
    path_ = path;
    key_ = key;
    // Counted across every connection of the process, so that no two openings share a number.
    static std::atomic<quint64> openings = 0;
    opening_ = ++openings;
}

void Database::openGuarded(const QString& path, const QList<AllowedWrite>& allowed, const QByteArray& key) {
    openFile(path, key, true);
    guarded_ = true;
    allowed_ = allowed;
    // Checked as each statement is prepared, so a refused one never starts;
    // the statements kept prepared were made on an earlier opening and are gone.
    sqlite3_set_authorizer(db_, &Database::authorize, this);
}

int Database::authorize(void* self, int action, const char* a, const char* b, const char*, const char*) {
    const auto& allowed = static_cast<Database*>(self)->allowed_;
    auto same = [](const char* name, const QString& wanted) {
        return name && QString::fromUtf8(name).compare(wanted, Qt::CaseInsensitive) == 0;
    };
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT: return SQLITE_OK;
    case SQLITE_PRAGMA: {
        // Pragmas that only report (with or without the name of what they
        // report on); any other given a value may change the file.
        static const QStringList reporting{"table_info", "table_xinfo", "index_list", "index_info", "index_xinfo",
                                           "foreign_key_list", "integrity_check", "quick_check"};
        return !b || reporting.contains(QString::fromUtf8(a).toLower()) ? SQLITE_OK : SQLITE_DENY;
    }
    case SQLITE_INSERT:
        for (const AllowedWrite& w : allowed)
            if (w.insert && same(a, w.table)) return SQLITE_OK;
        return SQLITE_DENY;
    case SQLITE_UPDATE:
        for (const AllowedWrite& w : allowed)
            if (same(a, w.table))
                for (const QString& column : w.updatedColumns)
                    if (same(b, column)) return SQLITE_OK;
        return SQLITE_DENY;
    default: return SQLITE_DENY;  // deletes, tables, indexes, views, triggers, attached files
    }
}

void Database::dropPrepared() {
    for (const Prepared& p : std::as_const(prepared_)) sqlite3_finalize(p.stmt);
    prepared_.clear();
}

void Database::close() {
    dropPrepared();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    path_.clear();
    key_.clear();
    opening_ = 0;
    guarded_ = false;
    allowed_.clear();
}

// The copy is the engine's own export into an attached file: it sees the
// open transaction's writes, and the engine commits the book and the copy as
// one (the plain backup interface cannot read a book with a write pending).
namespace {
constexpr const char* kCopySchema = "quorvel_copy";
}

Database::Copy::Copy(Database& db, const QString& path) : db_(db) {
    if (!db.isOpen()) throw DbError(DbError::Kind::Other, "数据库没有打开");
    // The connection does not create files; the engine takes an empty one
    // for a new database.
    QFile empty(path);
    if (!empty.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw DbError(DbError::Kind::Other, QString("无法建立文件 %1: %2").arg(path, empty.errorString()));
    empty.close();
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = QByteArray("attach database ?1 as ") + kCopySchema + " key ?2";
    int rc = sqlite3_prepare_v2(db.db_, sql.constData(), -1, &stmt, nullptr);
    const QByteArray file = path.toUtf8();
    if (rc == SQLITE_OK) rc = sqlite3_bind_text(stmt, 1, file.constData(), int(file.size()), SQLITE_TRANSIENT);
    if (rc == SQLITE_OK) rc = sqlite3_bind_blob(stmt, 2, db.key_.constData(), int(db.key_.size()), SQLITE_TRANSIENT);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt) == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(db.db_);
    sqlite3_finalize(stmt);
    // The file is new and is thrown away when the transaction does not
    // commit, so it needs no journal of its own: the copy is written once,
    // not once into a journal as well.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db.db_, (QByteArray("pragma ") + kCopySchema + ".journal_mode = off").constData(), nullptr,
                          nullptr, nullptr);
    if (rc != SQLITE_OK) db.fail(rc);
}

Database::Copy::~Copy() {
    if (db_.db_) sqlite3_exec(db_.db_, (QByteArray("detach database ") + kCopySchema).constData(), nullptr, nullptr, nullptr);
}

void Database::Copy::fill() {
    const int rc = sqlite3_exec(db_.db_, (QByteArray("select sqlcipher_export('") + kCopySchema + "')").constData(),
                                nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) db_.fail(sqlite3_extended_errcode(db_.db_));
}

Database::ChangeStamp Database::changeStamp() const {
    if (!db_) return {};
    // The engine counts the rows this connection wrote; data_version moves
    // when another connection commits, schema_version when any connection
    // (this one included) changes a table's definition.
    auto pragma = [this](const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
        const int value = rc == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
        sqlite3_finalize(stmt);
        if (rc != SQLITE_ROW) fail(rc);
        return value;
    };
    return {opening_, sqlite3_total_changes(db_), pragma("pragma data_version"), pragma("pragma schema_version"),
            rollbacks_};
}

int Database::exec(const QString& jetSql, const Params& params) {
    Statement st(*this, jetSql, params);
    while (st.next()) {
    }
    return sqlite3_changes(db_);
}

QVariant Database::scalar(const QString& jetSql, const Params& params) {
    Statement st(*this, jetSql, params);
    return st.next() && st.columnCount() > 0 ? st.value(0) : QVariant();
}

QList<QVariantList> Database::rows(const QString& jetSql, const Params& params) {
    Statement st(*this, jetSql, params);
    QList<QVariantList> result;
    while (st.next()) {
        QVariantList row;
        row.reserve(st.columnCount());
        for (int i = 0; i < st.columnCount(); ++i) row.append(st.value(i));
        result.append(std::move(row));
    }
    return result;
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

namespace {

// What the authoriser saw while a text was prepared. SQLCipher carries out
// its key pragmas while a statement is being prepared, so anything but
// reading is refused there, before it can happen; while the rest of the text
// is looked at for a second statement, everything is.
struct ShapeWatch {
    bool probingRest = false;
    bool refused = false;
    int selects = 0;
    QStringList tables;

    static int authorize(void* self, int action, const char* first, const char*, const char*, const char*) {
        auto& watch = *static_cast<ShapeWatch*>(self);
        if (watch.probingRest) return SQLITE_DENY;
        switch (action) {
        case SQLITE_SELECT: ++watch.selects; return SQLITE_OK;
        case SQLITE_READ: {
            const QString table = QString::fromUtf8(first).toLower();
            if (!watch.tables.contains(table)) watch.tables.append(table);
            return SQLITE_OK;
        }
        case SQLITE_FUNCTION: {
            // The cipher's own functions copy whole books; extensions load code.
            const QByteArray name = QByteArray(first).toLower();
            if (!name.startsWith("sqlcipher") && name != "load_extension") return SQLITE_OK;
            break;
        }
        }
        watch.refused = true;
        return SQLITE_DENY;
    }
};

}  // namespace

Database::QueryShape Database::queryShape(const QString& jetSql) {
    if (!db_) throw DbError(DbError::Kind::Other, "数据库没有打开");
    QueryShape shape;
    ShapeWatch watch;
    sqlite3_set_authorizer(db_, &ShapeWatch::authorize, &watch);
    const QByteArray sql = translateJetSql(jetSql).toUtf8();
    const char* end = sql.constData() + sql.size();
    const char* tail = end;
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &stmt, &tail);
    shape.prepared = rc == SQLITE_OK && stmt;
    shape.error = rc == SQLITE_OK ? QString() : engineMessage(db_);
    shape.readOnly = shape.prepared && !watch.refused && sqlite3_stmt_readonly(stmt);
    sqlite3_finalize(stmt);
    if (shape.prepared) {
        watch.probingRest = true;
        stmt = nullptr;
        const int rest = sqlite3_prepare_v2(db_, tail, int(end - tail), &stmt, nullptr);
        shape.oneStatement = rest == SQLITE_OK && !stmt;
        sqlite3_finalize(stmt);
    }
    // A history file keeps its guard.
    if (guarded_) sqlite3_set_authorizer(db_, &Database::authorize, this);
    else sqlite3_set_authorizer(db_, nullptr, nullptr);
    shape.selects = watch.selects;
    shape.tablesRead = watch.tables;
    return shape;
}

bool Database::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

Database::Transaction::Transaction(Database& db) : db_(db) {
    if (db_.inTransaction()) {
        savepoint_ = QString("unit%1").arg(++db_.savepoints_);
        db_.exec("savepoint " + savepoint_);
    } else {
        db_.exec("begin");
    }
}

Database::Transaction::~Transaction() {
    if (done_) return;
    try {
        if (savepoint_.isEmpty()) {
            db_.exec("rollback");
        } else {
            db_.exec("rollback to " + savepoint_);
            db_.exec("release " + savepoint_);
        }
    } catch (const DbError&) {
        // The engine already rolled back (e.g. after a full disk); nothing left to undo.
    }
}

void Database::Transaction::commit() {
    db_.exec(savepoint_.isEmpty() ? QString("commit") : "release " + savepoint_);
    done_ = true;
}

// ---------------------------------------------------------------- RowStore

void RowStore::clear(int columns) {
    columns_ = columns;
    rows_.clear();
    texts_.clear();
    others_.clear();
    recentTexts_.assign(size_t(columns) * kRecentTexts, {});
}

std::unique_ptr<std::byte[]> RowStore::newRow() const {
    // Zeroed: every cell starts as Null.
    return std::make_unique<std::byte[]>(size_t(columns_) * (sizeof(quint64) + sizeof(Kind)));
}

QVariant RowStore::value(int row, int column) const {
    const quint64 v = values(row)[column];
    switch (kinds(row)[column]) {
    case Kind::Null: return QVariant();
    case Kind::Integer: return qlonglong(v);
    case Kind::Double: return std::bit_cast<double>(v);
    case Kind::Bool: return v != 0;
    case Kind::Text: return texts_[qsizetype(v)];
    case Kind::Other: return others_[qsizetype(v)];
    }
    return QVariant();
}

QVariantList RowStore::row(int row) const {
    QVariantList out;
    out.reserve(columns_);
    for (int c = 0; c < columns_; ++c) out.append(value(row, c));
    return out;
}

void RowStore::put(int row, int column, const QVariant& value) {
    quint64& v = values(row)[column];
    Kind& kind = kinds(row)[column];
    switch (value.typeId()) {
    case QMetaType::UnknownType: kind = Kind::Null; return;
    case QMetaType::LongLong:
        kind = Kind::Integer;
        v = quint64(value.toLongLong());
        return;
    case QMetaType::Double:
        kind = Kind::Double;
        v = std::bit_cast<quint64>(value.toDouble());
        return;
    case QMetaType::Bool:
        kind = Kind::Bool;
        v = value.toBool();
        return;
    case QMetaType::QString: {
        // A row saved again keeps the texts it had rather than adding copies.
        const QString text = value.toString();
        if (kind == Kind::Text && texts_[qsizetype(v)] == text && texts_[qsizetype(v)].isNull() == text.isNull()) return;
        kind = Kind::Text;
        v = quint64(texts_.size());
        texts_.append(text);
        return;
    }
    default:
        if (kind == Kind::Other && others_[qsizetype(v)].typeId() == value.typeId() && others_[qsizetype(v)] == value)
            return;
        kind = Kind::Other;
        v = quint64(others_.size());
        others_.append(value);
    }
}

void RowStore::setRow(int row, const QVariantList& values) {
    for (int c = 0; c < columns_; ++c) put(row, c, values.value(c));
}

void RowStore::appendRow(const QVariantList& values) {
    rows_.push_back(newRow());
    setRow(rowCount() - 1, values);
}

void RowStore::removeRow(int row) { rows_.erase(rows_.begin() + row); }

quint64 RowStore::sharedText(int column, const char* utf8, int size) {
    const auto hash = quint32(qHash(QByteArrayView(utf8, size)));
    RecentText& recent = recentTexts_[size_t(column) * kRecentTexts + hash % kRecentTexts];
    // Texts are compared only where their hashes agree: a column of codes,
    // all different, costs little more than reading them.
    if (recent.text != 0 && recent.hash == hash &&
        QAnyStringView::equal(QUtf8StringView(utf8, size), texts_[recent.text - 1]))
        return recent.text - 1;
    texts_.append(QString::fromUtf8(utf8, size));
    recent = {hash, quint32(texts_.size())};
    return recent.text - 1;
}

void RowStore::appendFrom(const Statement& statement, int first) {
    rows_.push_back(newRow());
    const int r = rowCount() - 1;
    quint64* v = values(r);
    Kind* kind = kinds(r);
    sqlite3_stmt* stmt = statement.stmt_;
    // The usual pairs of declared type and stored value are taken as they
    // stand; any other goes through Statement::value's conversion.
    for (int c = 0; c < columns_; ++c) {
        const int i = first + c;
        const FieldType type = statement.types_[i];
        switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_NULL: continue;
        case SQLITE_INTEGER:
            if (type == FieldType::Integer || type == FieldType::Unknown) {
                kind[c] = Kind::Integer;
                v[c] = quint64(sqlite3_column_int64(stmt, i));
                continue;
            }
            if (type == FieldType::Double) {
                kind[c] = Kind::Double;
                v[c] = std::bit_cast<quint64>(double(sqlite3_column_int64(stmt, i)));
                continue;
            }
            if (type == FieldType::Boolean) {
                kind[c] = Kind::Bool;
                v[c] = sqlite3_column_int64(stmt, i) != 0;
                continue;
            }
            break;
        case SQLITE_FLOAT:
            if (type == FieldType::Double || type == FieldType::Unknown) {
                kind[c] = Kind::Double;
                v[c] = std::bit_cast<quint64>(sqlite3_column_double(stmt, i));
                continue;
            }
            break;
        case SQLITE_TEXT:
            if (type == FieldType::Text || type == FieldType::Unknown) {
                kind[c] = Kind::Text;
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                v[c] = sharedText(c, text, sqlite3_column_bytes(stmt, i));
                continue;
            }
            break;
        }
        put(r, c, statement.value(i));
    }
}
