#include "database/displayformat.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

struct NumberCase {
    double value;
    const char* pattern;
    const char* shown;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.value << " as " << c.pattern; }

class NumberFormat : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormat, ShowsAsTheWindowsDo) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(displayformat::formatNumber(c.value, QString::fromUtf8(c.pattern)).toStdString(), c.shown)
        << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NumberFormat,
    testing::Values(NumberCase{12, "0;-0;#", "12"}, NumberCase{-12, "0;-0;#", "-12"}, NumberCase{0, "0;-0;#", ""},
                    NumberCase{2.5, "0;-0;#", "3"}, NumberCase{-2.5, "0;-0;#", "-3"}, NumberCase{0.4, "0;-0;#", ""},
                    NumberCase{1234.5, "0.00;-0.00;#", "1234.50"}, NumberCase{-0.5, "0.00;-0.00;#", "-0.50"},
                    NumberCase{0, "0.00;-0.00;#", ""}, NumberCase{-0.004, "0.00;-0.00;#", ""},
                    NumberCase{-0.005, "0.00;-0.00;#", "-0.01"}, NumberCase{2.675, "0.00;-0.00;#", "2.68"},
                    NumberCase{0, "0.00;-0.00;0.00", "0.00"}, NumberCase{0.1 + 0.2, "0.00;-0.00;0.00", "0.30"},
                    NumberCase{-7.1, "0.00;-0.00;0.00", "-7.10"}, NumberCase{12.5, "￥0.00;￥-0.00;￥0.00", "￥12.50"},
                    NumberCase{-12.5, "￥0.00;￥-0.00;￥0.00", "￥-12.50"}, NumberCase{0, "￥0.00;￥-0.00;￥0.00", "￥0.00"},
                    NumberCase{1234567.891, "#,##0.00", "1,234,567.89"}, NumberCase{-3, "0.0", "-3.0"},
                    NumberCase{1.5, "0.##", "1.5"}, NumberCase{0.25, "#.##", ".25"}));

TEST(DisplayFormat, FieldValues) {
    EXPECT_EQ(displayformat::format(QVariant(), "0.00;-0.00;0.00"), "") << "Null shows empty, not 0.00";
    EXPECT_EQ(displayformat::format(QVariant(3.0), "0;-0;#"), "3");
    EXPECT_EQ(displayformat::format(QVariant(qlonglong(7)), ""), "7");
    EXPECT_EQ(displayformat::format(QDateTime(QDate(2003, 7, 1), QTime(0, 0)), "yyyy-mm-dd"), "2003-07-01");
    EXPECT_EQ(displayformat::format(QDateTime(QDate(2003, 7, 1), QTime(9, 5, 7)), ""), "2003-07-01 09:05:07");
    EXPECT_EQ(displayformat::format(QDateTime(QDate(2003, 7, 1), QTime(9, 5, 7)), "yyyy-mm-dd hh:nn"), "2003-07-01 09:05");
    EXPECT_EQ(displayformat::format(QString("散户"), "0;-0;#"), "散户");
}

}  // namespace
