// Database: the data module's one connection to an encrypted database file.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Named statement parameters, written ":name" in the SQL; names are matched
// without regard to case, as the Jet provider did.
using Params = QHash<QString, QVariant>;

// The one error type of the data layer. Its message is what the windows show
// after "记录不能保存！": for the engine's common failures a Chinese sentence
// followed by the engine's own text. A duplicate key is told apart because
// that case gets a message of its own.
class DbError : public std::runtime_error {
public:
    enum class Kind {
        DuplicateKey,
        TooLong,     // text longer than its column
        OutOfRange,  // a number the column's type cannot hold
        NotADatabase,
        Conflict,  // the row was changed or deleted by another workstation since it was read
        Locked,    // another program holds the file longer than the connection waits
        Other
    };
    DbError(Kind kind, const QString& message, const QString& column = {});
    Kind kind() const { return kind_; }
    bool isDuplicateKey() const { return kind_ == Kind::DuplicateKey; }
    QString message() const { return message_; }
    // The column a text too long or a number out of range was meant for; empty otherwise.
    QString column() const { return column_; }

private:
    Kind kind_;
    QString message_;
    QString column_;
};

// How a column's value is converted between the engine and Qt. Derived from
// the declared type the schema writes (see schema.cpp).
enum class FieldType { Unknown, Text, Integer, Double, Boolean, DateTime };

FieldType fieldTypeFromDeclaration(const QString& declaredType);
// Converts a stored value to the Qt type the windows work with.
QVariant fromStorage(const QVariant& stored, FieldType type);

class Database;

// A prepared statement, stepped row by row; lets a cursor fill its rows
// straight from the engine without an intermediate copy.
class Statement {
public:
    Statement(Database& db, const QString& jetSql, const Params& params = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool next();  // false when no more rows
    int columnCount() const;
    QString columnName(int i) const;
    FieldType columnType(int i) const;  // from the declared type, Unknown for expressions
    QVariant value(int i) const;        // converted by columnType

private:
    friend class RowStore;
    Database& db_;
    QString jetSql_;   // what it was made from: its key in the connection's statement cache
    quint64 opening_;  // the opening of the file it was prepared on
    sqlite3_stmt* stmt_ = nullptr;
    QList<FieldType> types_;
};

// The rows a cursor holds, kept compact: a goods row of fifty columns takes a
// few hundred bytes rather than a QVariant for every cell. Numbers sit in the
// row itself; a text is kept once and shared by the cells that hold the same
// text as it is read (units, categories and colours repeat down a column);
// any other value (a date, a blob) is kept as it came. Values come back as
// Statement::value gives them.
class RowStore {
public:
    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Drops every row; the rows to come have `columns` columns.
    void clear(int columns);
    int columnCount() const { return columns_; }
    int rowCount() const { return int(rows_.size()); }

    QVariant value(int row, int column) const;
    QVariantList row(int row) const;
    void setRow(int row, const QVariantList& values);
    void appendRow(const QVariantList& values);
    void removeRow(int row);
    // Appends the statement's current row, its columns from `first` on,
    // read straight from the engine.
    void appendFrom(const Statement& statement, int first);

private:
    enum class Kind : quint8 { Null, Integer, Double, Bool, Text, Other };
    // One allocation per row: the columns' eight-byte values, then their kinds.
    quint64* values(int row) const { return reinterpret_cast<quint64*>(rows_[row].get()); }
    Kind* kinds(int row) const { return reinterpret_cast<Kind*>(values(row) + columns_); }
    std::unique_ptr<std::byte[]> newRow() const;
    void put(int row, int column, const QVariant& value);
    quint64 sharedText(int column, const char* utf8, int size);

    int columns_ = 0;
    std::vector<std::unique_ptr<std::byte[]>> rows_;
    QList<QString> texts_;
    QList<QVariant> others_;
    // The texts last read in each column, by a hash of their bytes: where the
    // next row holds the same text, its cell takes the same one.
    static constexpr int kRecentTexts = 256;
    struct RecentText {
        quint32 hash = 0;
        quint32 text = 0;  // index + 1; 0 for none
    };
    std::vector<RecentText> recentTexts_;  // columns × kRecentTexts
};

class Database {
public:
    // The key every database file of the system is encrypted with: the
    // working file, its monthly history copies and the compacted file.
    static constexpr const char* kKey = "735";

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // How long a statement waits for another program's lock on the file
    // before it gives up as locked.
    static constexpr int kBusyTimeoutMs = 5000;

    // Opens an existing file with the key; throws DbError when the file is
    // missing, damaged (a zero-byte file included) or keyed differently.
    void open(const QString& path, const QByteArray& key = kKey);
    // Creates a new, empty, keyed file; refuses an existing one.
    void create(const QString& path, const QByteArray& key = kKey);
    void close();
    // Points the connection at another file (history mode, month-end copy,
    // compaction); the old connection stays closed if the new file fails.
    void reopen(const QString& path) { close(); open(path); }

    // A write a file opened for looking at still takes: rows added to a
    // table, or these columns of its rows set (names without regard to case).
    struct AllowedWrite {
        QString table;
        bool insert = false;
        QStringList updatedColumns = {};
    };
    // Opens an existing file for looking at (a month's history copy): every
    // statement that would change it — rows, tables, indexes, the settings
    // it keeps — is refused before it runs, except the writes allowed here.
    // The refusal is a DbError saying the data may only be looked at.
    void openGuarded(const QString& path, const QList<AllowedWrite>& allowed, const QByteArray& key = kKey);
    bool isGuarded() const { return guarded_; }
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // Runs one statement in the Jet dialect; returns the rows it changed.
    int exec(const QString& jetSql, const Params& params = {});
    // Runs a query and returns its first column of its first row (Null when none).
    QVariant scalar(const QString& jetSql, const Params& params = {});
    // Runs a query and returns all rows, each as a list in column order.
    QList<QVariantList> rows(const QString& jetSql, const Params& params = {});
    qint64 lastInsertId() const;

    // How the engine reads a text, found by preparing it and running nothing.
    // For text a user typed into a query (a filter condition) before it runs.
    struct QueryShape {
        bool prepared = false;      // the first statement is valid SQL; error says why not
        bool oneStatement = false;  // nothing but blanks and comments follows it
        bool readOnly = false;      // it reads and calls functions only, and the engine agrees it writes nothing
        int selects = 0;            // SELECTs: sub-selects and the parts of a compound each count
        QStringList tablesRead;     // lower case, each once
        QString error;
    };
    QueryShape queryShape(const QString& jetSql);

    // Scope guard: commits when commit() was called, otherwise rolls back.
    // Inside another transaction it is a savepoint of it, so a unit of work
    // (saving a new document with its number) can be part of a larger one.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();

    private:
        Database& db_;
        QString savepoint_;  // empty for an outermost transaction
        bool done_ = false;
    };
    bool inTransaction() const;

    // Where the book stands: equal stamps mean nothing was written to it in
    // between, by this connection (rows or table definitions) or by any other
    // one, this program's or another's. A stamp taken on one opening of a
    // file never equals one taken on another. Cheap enough to ask on every
    // re-read a window makes.
    struct ChangeStamp {
        quint64 opening = 0;
        int ownChanges = 0;
        int othersVersion = 0;
        int schemaVersion = 0;
        int rollbacks = 0;  // the engine's count of own changes does not go back on a rollback
        bool operator==(const ChangeStamp&) const = default;
    };
    ChangeStamp changeStamp() const;

    // A complete copy of the book in a new file, keyed as the book is, that a
    // transaction writes together with its own changes: made before the
    // transaction begins (the engine attaches no file inside one), filled
    // inside it with the book as the transaction sees it, its own writes
    // included, and complete when the transaction commits. After a rollback
    // the file is of no use; the caller removes it. Ending the scope lets go
    // of the file.
    class Copy {
    public:
        // Makes the file; refuses one that exists already.
        Copy(Database& db, const QString& path);
        ~Copy();
        Copy(const Copy&) = delete;
        Copy& operator=(const Copy&) = delete;
        void fill();

    private:
        Database& db_;
    };

    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(int rc) const;

private:
    friend class Statement;
    void openFile(const QString& path, const QByteArray& key, bool mustExist);
    static int authorize(void* self, int action, const char* a, const char* b, const char* database, const char* trigger);
    bool guarded_ = false;
    QList<AllowedWrite> allowed_;
    // Statements run again and again (a posting's per-line updates, a window's
    // lookups) are kept prepared, by their text, so each run skips the dialect
    // step and the engine's parsing. A statement in use is out of the cache.
    struct Prepared {
        sqlite3_stmt* stmt = nullptr;
        QList<FieldType> types;
    };
    static constexpr int kPreparedKept = 64;
    QHash<QString, Prepared> prepared_;
    void dropPrepared();

    sqlite3* db_ = nullptr;
    int rollbacks_ = 0;
    int savepoints_ = 0;
    QString path_;
    QByteArray key_;
    quint64 opening_ = 0;
};
