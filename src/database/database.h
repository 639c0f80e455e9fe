// Database: the data module's one connection to an encrypted database file.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <stdexcept>

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
    DbError(Kind kind, const QString& message);
    Kind kind() const { return kind_; }
    bool isDuplicateKey() const { return kind_ == Kind::DuplicateKey; }
    QString message() const { return message_; }

private:
    Kind kind_;
    QString message_;
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
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    QList<FieldType> types_;
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
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // Runs one statement in the Jet dialect; returns the rows it changed.
    int exec(const QString& jetSql, const Params& params = {});
    // Runs a query and returns its first column of its first row (Null when none).
    QVariant scalar(const QString& jetSql, const Params& params = {});
    // Runs a query and returns all rows, each as a list in column order.
    QList<QVariantList> rows(const QString& jetSql, const Params& params = {});
    qint64 lastInsertId() const;

    // Scope guard: commits when commit() was called, otherwise rolls back.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();

    private:
        Database& db_;
        bool done_ = false;
    };

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
        bool operator==(const ChangeStamp&) const = default;
    };
    ChangeStamp changeStamp() const;

    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(int rc) const;

private:
    void openFile(const QString& path, const QByteArray& key, bool mustExist);

    sqlite3* db_ = nullptr;
    QString path_;
    quint64 opening_ = 0;
};
