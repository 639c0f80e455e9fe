// Display formats in the "positive;negative;zero" form the windows give their
// fields ("0;-0;#", "0.00;-0.00;#", "￥0.00;￥-0.00;￥0.00") and the date form
// "yyyy-mm-dd".
#pragma once

#include <QString>
#include <QVariant>

namespace displayformat {

// Formats a number. The value is rounded (half away from zero) to the
// decimals of the first section; a value that rounds to zero takes the zero
// section, a negative one the negative section, shown without its own sign
// (the section writes it). '0' is a digit always shown, '#' one shown only
// when significant, ',' groups thousands, anything else is written as it stands.
QString formatNumber(double value, const QString& pattern);

// Formats a field value: Null is empty; numbers by formatNumber; dates by a
// date pattern (y, m, d, h, n for minutes, s); anything else as its text.
// An empty pattern gives the plain text.
QString format(const QVariant& value, const QString& pattern);

}  // namespace displayformat
