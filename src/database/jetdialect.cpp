#include "database/jetdialect.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

#include <sqlcipher/sqlite3.h>

namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$'; }

// A Jet date literal, month/day/year or ISO, optionally with a time of day.
QString dateLiteral(const QString& body) {
    static const QRegularExpression us(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)");
    static const QRegularExpression iso(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[\sT]+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)");
    int y = 0, m = 0, d = 0;
    QRegularExpressionMatch match = us.match(body);
    if (match.hasMatch()) {
        m = match.captured(1).toInt();
        d = match.captured(2).toInt();
        y = match.captured(3).toInt();
    } else if ((match = iso.match(body)).hasMatch()) {
        y = match.captured(1).toInt();
        m = match.captured(2).toInt();
        d = match.captured(3).toInt();
    } else {
        return {};
    }
    const QDate date(y, m, d);
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
    if (!date.isValid() || !time.isValid()) return {};
    return "'" + QDateTime(date, time).toString("yyyy-MM-dd HH:mm:ss") + "'";
}

QString jetTypeName(const QString& word) {
    static const QHash<QString, QString> types = {
        {"short", "INTEGER"},  {"long", "INTEGER"},    {"integer", "INTEGER"},  {"byte", "INTEGER"},
        {"counter", "INTEGER"}, {"logical", "BOOLEAN"}, {"yesno", "BOOLEAN"},   {"bit", "BOOLEAN"},
        {"memo", "TEXT"},      {"longtext", "TEXT"},   {"double", "REAL"},      {"float", "REAL"},
        {"single", "REAL"},    {"currency", "REAL"},   {"datetime", "DATETIME"}, {"date", "DATETIME"},
    };
    return types.value(word.toLower());
}

}  // namespace

QString translateJetSql(const QString& sql) {
    static const QRegularExpression ddl(R"(^\s*(alter|create)\s+table\b)", QRegularExpression::CaseInsensitiveOption);
    const bool isDdl = ddl.match(sql).hasMatch();
    QString out;
    out.reserve(sql.size() + 16);
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == '\'') {  // copied through, '' stays an escaped apostrophe
            int j = i + 1;
            while (j < n) {
                if (sql[j] != '\'') {
                    ++j;
                } else if (j + 1 < n && sql[j + 1] == '\'') {
                    j += 2;
                } else {
                    break;
                }
            }
            out += sql.mid(i, j + 1 - i);
            i = j + 1;
        } else if (c == '"') {
            QString text;
            int j = i + 1;
            for (; j < n; ++j) {
                if (sql[j] == '"') {
                    if (j + 1 < n && sql[j + 1] == '"') {
                        text += '"';
                        ++j;
                        continue;
                    }
                    break;
                }
                text += sql[j];
            }
            out += "'" + text.replace("'", "''") + "'";
            i = j + 1;
        } else if (c == '[') {
            const int j = sql.indexOf(']', i);
            const int end = j < 0 ? n : j + 1;
            out += sql.mid(i, end - i);
            i = end;
        } else if (c == '#') {
            const int j = sql.indexOf('#', i + 1);
            const QString literal = j > 0 ? dateLiteral(sql.mid(i + 1, j - i - 1)) : QString();
            if (literal.isEmpty()) {
                out += c;
                ++i;
            } else {
                out += literal;
                i = j + 1;
            }
        } else if (c == ':' && i + 1 < n && isWordChar(sql[i + 1])) {
            int j = i + 1;
            while (j < n && isWordChar(sql[j])) ++j;
            out += sql.mid(i, j - i);
            i = j;
        } else if (isWordChar(c)) {
            int j = i;
            while (j < n && isWordChar(sql[j])) ++j;
            const QString word = sql.mid(i, j - i);
            const bool qualified = i > 0 && sql[i - 1] == '.';
            const QString lower = word.toLower();
            auto nextNonBlank = [&sql, n](int from) {
                while (from < n && sql[from].isSpace()) ++from;
                return from;
            };
            const int open = nextNonBlank(j);
            const bool call = open < n && sql[open] == '(';
            if (!qualified && call && (lower == "left" || lower == "right")) {
                out += "jet_" + lower;
            } else if (!qualified && call && (lower == "date" || lower == "now") && nextNonBlank(open + 1) < n &&
                       sql[nextNonBlank(open + 1)] == ')') {
                out += "jet_" + lower + "()";
                j = nextNonBlank(open + 1) + 1;
            } else if (!qualified && lower == "true") {
                out += "1";
            } else if (!qualified && lower == "false") {
                out += "0";
            } else if (isDdl && lower == "yes" && sql.mid(j, 3).compare("/no", Qt::CaseInsensitive) == 0) {
                out += "BOOLEAN";
                j += 3;
            } else if (isDdl && lower == "text") {
                // Jet compares text without regard to case; so do added columns.
                out += "TEXT";
                int k = j;
                while (k < n && sql[k].isSpace()) ++k;
                if (k < n && sql[k] == '(') {
                    const int close = sql.indexOf(')', k);
                    if (close > 0) {
                        out += sql.mid(j, close + 1 - j);
                        j = close + 1;
                    }
                }
                out += " COLLATE NOCASE";
            } else if (isDdl && !jetTypeName(word).isEmpty()) {
                out += jetTypeName(word);
            } else {
                out += word;
            }
            i = j;
        } else if (c == '&') {
            out += "||";
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QStringList splitJetStatements(const QString& sql) {
    QStringList statements;
    QString current;
    bool substance = false;  // the piece holds more than blanks and comments
    const int n = int(sql.size());
    auto closeAt = [&sql, n](int from, const QString& end) {
        const int at = sql.indexOf(end, from);
        return at < 0 ? n : at + int(end.size());
    };
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        int end = i + 1;
        bool comment = false;
        if (c == '\'' || c == '"') {
            // A doubled quote is an escaped one: the literal goes on.
            end = i + 1;
            while (end < n) {
                if (sql[end] != c) ++end;
                else if (end + 1 < n && sql[end + 1] == c) end += 2;
                else break;
            }
            end = std::min(end + 1, n);
        } else if (c == '[') {
            end = closeAt(i + 1, "]");
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            end = closeAt(i + 2, "\n");
            comment = true;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            end = closeAt(i + 2, "*/");
            comment = true;
        } else if (c == ';') {
            if (substance) statements.append(current.trimmed());
            current.clear();
            substance = false;
            ++i;
            continue;
        }
        current += sql.mid(i, end - i);
        substance = substance || (!comment && !c.isSpace());
        i = end;
    }
    if (substance) statements.append(current.trimmed());
    return statements;
}

// ------------------------------------------------------------ Jet functions

namespace {

QString textArg(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void resultText(sqlite3_context* context, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

// A text function of its first argument: Null in, Null out.
template <QString (*apply)(const QString&, int, sqlite3_value**)>
void textFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    resultText(context, apply(textArg(argv[0]), argc, argv));
}

QString mid(const QString& s, int argc, sqlite3_value** argv) {
    const int start = std::max(1, sqlite3_value_int(argv[1])) - 1;
    return argc > 2 ? s.mid(start, std::max(0, sqlite3_value_int(argv[2]))) : s.mid(start);
}
QString left(const QString& s, int, sqlite3_value** argv) { return s.left(std::max(0, sqlite3_value_int(argv[1]))); }
QString right(const QString& s, int, sqlite3_value** argv) { return s.right(std::max(0, sqlite3_value_int(argv[1]))); }
QString upper(const QString& s, int, sqlite3_value**) { return s.toUpper(); }
QString lower(const QString& s, int, sqlite3_value**) { return s.toLower(); }

void len(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    sqlite3_result_int(context, int(textArg(argv[0]).size()));
}

// IIf(condition, then, else): a Null or zero condition takes the else part.
void iif(sqlite3_context* context, int, sqlite3_value** argv) {
    const bool yes = sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0;
    sqlite3_result_value(context, argv[yes ? 1 : 2]);
}

// Nz(value[, instead]): Null becomes the second value, or an empty text.
void nz(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) return sqlite3_result_value(context, argv[0]);
    if (argc > 1) return sqlite3_result_value(context, argv[1]);
    sqlite3_result_text(context, "", 0, SQLITE_STATIC);
}

// Dates are kept as "yyyy-MM-dd HH:mm:ss" texts; Date() is today at midnight, so
// that it equals a stored date of today.
void today(sqlite3_context* context, int, sqlite3_value**) {
    resultText(context, QDate::currentDate().toString("yyyy-MM-dd 00:00:00"));
}
void now(sqlite3_context* context, int, sqlite3_value**) {
    resultText(context, QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss"));
}

// The Jet format codes of a date: yyyy yy m mm d dd h hh n nn s ss, where m
// and mm right after an hour are minutes; anything else is copied.
QString formatDate(const QDateTime& at, const QString& format) {
    static const QHash<QString, QString> named = {
        {"general date", ""}, {"short date", "yyyy-mm-dd"}, {"medium date", "yyyy-mm-dd"},
        {"long date", "yyyy年m月d日"}, {"short time", "hh:nn"}, {"medium time", "hh:nn"}, {"long time", "hh:nn:ss"}};
    QString f = named.value(format.trimmed().toLower(), format);
    if (f.isEmpty()) f = at.time() == QTime(0, 0) ? "yyyy-mm-dd" : "yyyy-mm-dd hh:nn:ss";
    QString out;
    bool afterHour = false;
    for (int i = 0; i < f.size();) {
        const QChar c = f[i].toLower();
        int run = 1;
        while (i + run < f.size() && f[i + run].toLower() == c) ++run;
        auto number = [&out](int value, int width) { out += QString::number(value).rightJustified(width, '0'); };
        if (c == 'y') {
            if (run >= 4) number(at.date().year(), 4);
            else number(at.date().year() % 100, 2);
        } else if (c == 'm' && afterHour) {
            number(at.time().minute(), std::min(run, 2));
        } else if (c == 'm') {
            number(at.date().month(), std::min(run, 2));
        } else if (c == 'd') {
            number(at.date().day(), std::min(run, 2));
        } else if (c == 'h') {
            number(at.time().hour(), std::min(run, 2));
        } else if (c == 'n') {
            number(at.time().minute(), std::min(run, 2));
        } else if (c == 's') {
            number(at.time().second(), std::min(run, 2));
        } else {
            out += f.mid(i, run);
        }
        if (c.isLetter()) afterHour = c == 'h';
        i += run;
    }
    return out;
}

// Format(value[, format]): a date in the format given; any other value as its text.
void format(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    const QString text = textArg(argv[0]);
    QDateTime at = QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
    if (!at.isValid()) at = QDateTime(QDate::fromString(text, "yyyy-MM-dd"), QTime(0, 0));
    if (!at.isValid()) return resultText(context, text);
    resultText(context, formatDate(at, argc > 1 ? textArg(argv[1]) : QString()));
}

}  // namespace

void registerJetFunctions(sqlite3* db) {
    using Function = void (*)(sqlite3_context*, int, sqlite3_value**);
    const struct {
        const char* name;
        int arguments;
        Function function;
        bool deterministic;
    } functions[] = {
        {"iif", 3, iif, true},
        {"nz", 1, nz, true},
        {"nz", 2, nz, true},
        {"mid", 2, textFunction<mid>, true},
        {"mid", 3, textFunction<mid>, true},
        {"jet_left", 2, textFunction<left>, true},
        {"jet_right", 2, textFunction<right>, true},
        {"len", 1, len, true},
        {"ucase", 1, textFunction<upper>, true},
        {"lcase", 1, textFunction<lower>, true},
        {"jet_date", 0, today, false},
        {"jet_now", 0, now, false},
        {"format", 1, format, true},
        {"format", 2, format, true},
    };
    for (const auto& f : functions)
        sqlite3_create_function_v2(db, f.name, f.arguments, SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0),
                                   nullptr, f.function, nullptr, nullptr, nullptr);
}
