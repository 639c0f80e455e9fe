#include "shell/upublic.h"

#include <gtest/gtest.h>

namespace {

struct Amount {
    double value;
    const char* capitals;
};

void PrintTo(const Amount& a, std::ostream* os) { *os << std::fixed << a.value; }

class MoneyToCapitalsTest : public testing::TestWithParam<Amount> {};

TEST_P(MoneyToCapitalsTest, WritesTheAmountToTheFen) {
    EXPECT_EQ(MoneyToCapitals(GetParam().value).toStdString(), GetParam().capitals);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, MoneyToCapitalsTest,
    testing::Values(Amount{12, "壹拾贰元整"}, Amount{10.05, "壹拾元零伍分"}, Amount{10.5, "壹拾元零伍角整"},
                    Amount{1001, "壹仟零壹元整"}, Amount{100000000, "壹亿元整"}, Amount{0.5, "伍角整"},
                    Amount{-5, "负伍元整"}, Amount{0, "零元整"}, Amount{0.001, "整"},
                    Amount{1e10, "壹佰亿元整"}, Amount{1e10 + 0.01, "金额太大,不能转换"},
                    Amount{-2e10, "金额太大,不能转换"}, Amount{0.005, "壹分"}, Amount{2.675, "贰元陆角捌分"},
                    Amount{100010000, "壹亿零壹万元整"}, Amount{123456789.12, "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元壹角贰分"},
                    Amount{10000.5, "壹万元零伍角整"}, Amount{-0.3, "负叁角整"}));

TEST(UPublicTest, RepeatTextBlanksAndStatusTexts) {
    EXPECT_EQ(RepeatText("0", 3), "000");
    EXPECT_EQ(RepeatText("0", 0), "");
    EXPECT_EQ(RepeatText("ab", -2), "");
    EXPECT_EQ(Blanks(2), "  ");
    EXPECT_EQ(Blanks(-1), "");
    const std::pair<const char*, const char*> statuses[] = {
        {"1", "未记帐"}, {"2", "已审核"}, {"3", "已记帐"}, {"4", "已作废"}, {"", "未知"}, {"5", "未知"}};
    for (const auto& [code, text] : statuses) EXPECT_EQ(DocumentStatusText(code).toStdString(), text) << code;
}

}  // namespace
