#include "database/jetdialect.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

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
            if (!qualified && lower == "true") {
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
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}
