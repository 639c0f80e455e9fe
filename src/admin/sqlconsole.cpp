#include "admin/sqlconsole.h"

#include "database/jetdialect.h"
#include "database/rowset.h"
#include "masterdata/masterdatarules.h"
#include "shell/prompter.h"

#include <QElapsedTimer>
#include <QRegularExpression>

SqlConsole::SqlConsole(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

SqlConsole::~SqlConsole() = default;

QString SqlConsole::elapsedText(double seconds) { return QString::asprintf("执行时间:%16.3f秒", seconds); }

QString SqlConsole::refusal(const QString& text) {
    const QStringList statements = splitJetStatements(text);
    if (statements.size() > 1) return kSeveral;
    if (statements.isEmpty()) return {};
    static const QRegularExpression comments(R"(--[^\n]*|/\*.*?\*/)", QRegularExpression::DotMatchesEverythingOption);
    const QString bare = QString(statements.first()).remove(comments).trimmed();
    static const QRegularExpression locksOut(R"(^(pragma\s+(\w+\s*\.\s*)?(key|rekey|hexkey|hexrekey|cipher\w*)|attach|detach)\b)",
                                             QRegularExpression::CaseInsensitiveOption);
    if (locksOut.match(bare).hasMatch()) return kLocksOut;
    static const QRegularExpression transaction(R"(^(begin|commit|end|rollback|savepoint|release)\b)",
                                                QRegularExpression::CaseInsensitiveOption);
    if (transaction.match(bare).hasMatch()) return kTransaction;
    return {};
}

std::optional<SqlConsole::TableQuery> SqlConsole::tableQuery(const QString& sql) {
    static const QRegularExpression whole(
        R"(^\s*select\s+(\*|[\w\[\]]+(?:\s*,\s*[\w\[\]]+)*)\s+from\s+(\[[^\]]+\]|\w+)\s*)"
        R"((?:\bwhere\b(.*?))?\s*(?:\border\s+by\b(.*))?$)",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption |
            QRegularExpression::UseUnicodePropertiesOption);
    // Anything that makes rows other than the table's own stays read-only.
    static const QRegularExpression derived(R"(\b(union|group\s+by|having|join|limit|distinct|top)\b)",
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = whole.match(sql);
    if (!m.hasMatch() || derived.match(sql).hasMatch()) return std::nullopt;
    auto bare = [](QString name) { return name.remove('[').remove(']').trimmed(); };
    TableQuery query{bare(m.captured(2)), m.captured(3).trimmed(), m.captured(4).trimmed(), {}};
    if (m.captured(1) != "*")
        for (const QString& column : m.captured(1).split(',')) query.columns.append(bare(column));
    return query;
}

void SqlConsole::closeResult() {
    result_.reset();
    columns_.clear();
}

std::optional<QString> SqlConsole::statement(const QString& text) {
    const QString refused = refusal(text);
    if (!refused.isEmpty()) {
        prompter_.message(refused);
        return std::nullopt;
    }
    const QStringList statements = splitJetStatements(text);
    if (statements.isEmpty()) {
        prompter_.message(kFailed);
        return std::nullopt;
    }
    return statements.first();
}

bool SqlConsole::run(const QString& text, const std::function<void(const QString&)>& work) {
    closeResult();
    const std::optional<QString> sql = statement(text);
    if (!sql) return false;
    QElapsedTimer clock;
    clock.start();
    try {
        work(*sql);
    } catch (const DbError&) {
        closeResult();
        prompter_.message(kFailed);
        return false;
    }
    timeText_ = elapsedText(double(clock.nsecsElapsed()) / 1e9);
    return true;
}

bool SqlConsole::execute(const QString& text) {
    return run(text, [this](const QString& sql) { db_.exec(sql); });
}

bool SqlConsole::open(const QString& text) {
    return run(text, [this](const QString& sql) { openQuery(sql); });
}

void SqlConsole::openQuery(const QString& sql) {
    // A statement that returns no rows is not opened: it would run.
    if (Statement(db_, sql).columnCount() == 0)
        throw DbError(DbError::Kind::Other, "not a query");
    auto fresh = [this] {
        auto rows = std::make_unique<RowSet>(db_);
        rows->hooks.onWriteError = masterdata::writeErrorMessages(prompter_);
        return rows;
    };
    // One table's rows are read as the table, so they can be written back;
    // anything that does not open so (a view, a column it lacks) is read
    // as the query it is.
    std::unique_ptr<RowSet> rows;
    if (const std::optional<TableQuery> table = tableQuery(sql)) {
        rows = fresh();
        rows->setTable(table->table, table->order, table->where);
        try {
            rows->open();
            for (const QString& name : table->columns) {
                if (rows->fieldIndex(name) < 0) throw DbError(DbError::Kind::Other, name);
                columns_.append(rows->field(rows->fieldIndex(name)).name);
            }
        } catch (const DbError&) {
            rows.reset();
            columns_.clear();
        }
    }
    if (!rows) {
        rows = fresh();
        rows->setQuery(sql);
        rows->open();
    }
    if (columns_.isEmpty())
        for (int i = 0; i < rows->fieldCount(); ++i) columns_.append(rows->field(i).name);
    result_ = std::move(rows);
}
