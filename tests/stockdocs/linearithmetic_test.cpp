#include "stockdocs/linearithmetic.h"

#include <gtest/gtest.h>

namespace {

TEST(LineArithmetic, PackagesTimesPackageSizeTimesTheBaseUnitPrice) {
    struct Case {
        double sl;
        int bzlx;
        double dj;
        double jbsl, je;
    };
    const Case cases[] = {
        {3, 1, 12.5, 3, 37.5},      // counted in base units
        {2, 12, 4.25, 24, 102},     // two boxes of twelve at the price of one
        {-1, 6, 10, -6, -60},       // a return
        {0.5, 12, 3, 6, 18},        // half a box
        {4, 12, 0, 48, 0},
    };
    for (const Case& c : cases) {
        const auto a = linearithmetic::amounts(c.sl, c.bzlx, c.dj);
        EXPECT_DOUBLE_EQ(a.jbsl, c.jbsl) << c.sl << "x" << c.bzlx;
        EXPECT_DOUBLE_EQ(a.jbdj, c.dj);
        EXPECT_DOUBLE_EQ(a.je, c.je) << c.sl << "x" << c.bzlx;
    }
}

TEST(LineArithmetic, UnitTextIsTheBaseUnitOrThePackageWithItsSize) {
    struct Case {
        const char* base;
        const char* package;
        int bzlx;
        const char* text;
    };
    const Case cases[] = {
        {"双", "箱", 1, "双"},
        {"双", "箱", 12, "箱(12x)"},
        {"双", "", 12, "(12x)"},
        {"", "箱", 1, ""},
        {"件", "包", 120, "包(120x)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(linearithmetic::unitText(c.base, c.package, c.bzlx), QString(c.text)) << c.text;
}

}  // namespace
