#include "shell/upublic.h"

#include <cmath>
#include <cstdio>

QString MoneyToCapitals(double x) {
    static const QString digits = "零壹贰叁肆伍陆柒捌玖";
    static const QString units = "万仟佰拾亿仟佰拾万仟佰拾元角分";
    if (x == 0) return "零元整";
    QString result;
    if (x < 0) {
        result = "负";
        x = -x;
    }
    if (x > 1e10) return "金额太大,不能转换";
    // Fen as a whole number, read at 15 significant digits first so that an
    // amount typed as 2.675 counts as 267.5 fen and rounds up, not down.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", x * 100);
    std::snprintf(buffer, sizeof buffer, "%.0f", std::round(std::strtod(buffer, nullptr)));
    // Positions 1..15 carry the units; five blanks follow as look-ahead.
    const QString s = QString::fromLatin1(buffer).rightJustified(15, ' ') + QString(5, ' ');
    auto at = [&s](int position) { return s[position - 1]; };
    for (int i = 1; i <= 15; ++i) {
        const QChar c = at(i), n = at(i + 1);
        if (c == ' ') continue;
        if (c != '0') {
            result += digits[c.digitValue()];
            result += units[i - 1];
            continue;
        }
        const bool emptyWanGroup = at(6) == '0' && at(7) == '0' && at(8) == '0' && at(9) == '0';
        if (i == 13 || i == 5 || (i == 9 && !emptyWanGroup)) result += units[i - 1];
        if (n != '0' && n != ' ') result += "零";
    }
    if (at(15) == '0') result += "整";
    return result;
}

QString RepeatText(const QString& text, int count) { return count > 0 ? text.repeated(count) : QString(); }

QString Blanks(int count) { return RepeatText(" ", count); }

QString DocumentStatusText(const QString& code) {
    if (code == "1") return "未记帐";
    if (code == "2") return "已审核";
    if (code == "3") return "已记帐";
    if (code == "4") return "已作废";
    return "未知";
}
