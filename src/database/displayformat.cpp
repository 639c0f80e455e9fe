#include "database/displayformat.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace displayformat {
namespace {

struct Section {
    QString prefix, suffix;  // literal text around the digits
    int minInteger = 0;      // '0' before the point
    int minDecimals = 0;     // '0' after the point
    int maxDecimals = 0;     // '0' and '#' after the point
    bool grouping = false;
    bool hasDigits = false;
};

Section parseSection(const QString& s) {
    Section sec;
    const auto isDigitPart = [](QChar c) { return c == '0' || c == '#' || c == '.' || c == ','; };
    const int first = int(std::find_if(s.begin(), s.end(), isDigitPart) - s.begin());
    if (first >= s.size()) {
        sec.prefix = s;
        return sec;
    }
    int last = first;
    for (int i = first; i < s.size(); ++i)
        if (isDigitPart(s[i])) last = i;
    sec.prefix = s.left(first);
    sec.suffix = s.mid(last + 1);
    bool afterPoint = false;
    for (int i = first; i <= last; ++i) {
        const QChar c = s[i];
        if (c == '.') afterPoint = true;
        else if (c == ',') sec.grouping = true;
        else if (c == '0' || c == '#') {
            sec.hasDigits = true;
            if (afterPoint) {
                ++sec.maxDecimals;
                if (c == '0') sec.minDecimals = sec.maxDecimals;
            } else if (c == '0') {
                ++sec.minInteger;
            }
        }
    }
    return sec;
}

double roundHalfAway(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // The small nudge keeps 2.675 (stored as 2.67499…) rounding as typed.
    return std::round(v * scale * (1 + 4 * std::numeric_limits<double>::epsilon())) / scale;
}

QString digits(double absValue, const Section& sec) {
    if (!sec.hasDigits) return {};
    QString text = QString::number(absValue, 'f', sec.maxDecimals);
    QString integer = text.section('.', 0, 0);
    QString fraction = sec.maxDecimals > 0 ? text.section('.', 1, 1) : QString();
    while (fraction.size() > sec.minDecimals && fraction.endsWith('0')) fraction.chop(1);
    if (integer == "0" && sec.minInteger == 0) integer.clear();
    while (integer.size() < sec.minInteger) integer.prepend('0');
    if (sec.grouping)
        for (int i = int(integer.size()) - 3; i > 0; i -= 3) integer.insert(i, ',');
    return fraction.isEmpty() ? integer : integer + '.' + fraction;
}

QString qtDatePattern(const QString& pattern) {
    // Delphi writes minutes as "n" and months as "m"; Qt uses "m" and "M".
    QString out;
    for (const QChar c : pattern) {
        if (c == 'm') out += 'M';
        else if (c == 'n') out += 'm';
        else out += c;
    }
    return out;
}

}  // namespace

QString formatNumber(double value, const QString& pattern) {
    const QStringList sections = pattern.split(';');
    const Section positive = parseSection(sections[0]);
    const double rounded = roundHalfAway(value, positive.maxDecimals);
    if (rounded == 0 && sections.size() >= 3) {
        const Section zero = parseSection(sections[2]);
        return zero.prefix + digits(0, zero) + zero.suffix;
    }
    if (rounded < 0) {
        if (sections.size() >= 2 && !sections[1].isEmpty()) {
            const Section negative = parseSection(sections[1]);
            return negative.prefix + digits(roundHalfAway(-value, negative.maxDecimals), negative) + negative.suffix;
        }
        return '-' + positive.prefix + digits(-rounded, positive) + positive.suffix;
    }
    return positive.prefix + digits(rounded, positive) + positive.suffix;
}

QString format(const QVariant& value, const QString& pattern) {
    if (!value.isValid() || value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return pattern.isEmpty() ? value.toString() : formatNumber(value.toDouble(), pattern);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        // Without a pattern a date shows its time of day only when it has one.
        const QString plain = dt.time() == QTime(0, 0) ? "yyyy-mm-dd" : "yyyy-mm-dd hh:nn:ss";
        return dt.toString(qtDatePattern(pattern.isEmpty() ? plain : pattern));
    }
    case QMetaType::QDate:
        return value.toDate().toString(qtDatePattern(pattern.isEmpty() ? "yyyy-mm-dd" : pattern));
    default: return value.toString();
    }
}

}  // namespace displayformat
