// The subtitle frame rate: stored pairs, the float-to-fraction conversion and
// the parse of typed text. Expected fractions are worked out by hand from the
// single-precision bit patterns, not taken from the code.

#include "ui/FrameRate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Expected {
    const char* text;
    std::uint32_t numerator;
    std::int32_t denominator;
};

FrameRatePresets presets()
{
    return {
        {QStringLiteral("24p (24000/1001)"), {FrameRate::Finite, 24000, 1001}},
        {QStringLiteral("25p"), {FrameRate::Finite, 25, 1}},
        {QStringLiteral("30p"), {FrameRate::Finite, 30, 1}},
        {QStringLiteral("50p"), {FrameRate::Finite, 50, 1}},
        {QStringLiteral("60p (60000/1001)"), {FrameRate::Finite, 60000, 1001}},
    };
}

QRegExp pattern()
{
    return QRegExp(frameRatePatternText(), Qt::CaseSensitive, QRegExp::RegExp);
}

TEST(FrameRateFromFloat, DecimalTextsGivePartiallyReducedFractions)
{
    const Expected table[] = {
        // The published worked results.
        {"25", 100, 4}, {"24", 96, 4}, {"1", 4, 4}, {"12.5", 50, 4}, {"29.97", 15712911, 524288},
        {"9999.999999", 40000, 4},
        // Further rates: 23.976 = 12570329 / 2^19 (odd numerator, nothing to reduce);
        // 50 = 50 * 2^18 / 2^18 -> 200/4; 1.5 = 3 * 2^22 / 2^23 stops at 6/4
        // because 2^2 is no longer below the denominator 4.
        {"23.976", 12570329, 524288}, {"50", 200, 4}, {"1.5", 6, 4}, {"59.94", 15712911, 262144},
    };
    for (const Expected& expected : table) {
        FrameRate rate;
        ASSERT_TRUE(parseFrameRateText(QString::fromLatin1(expected.text), pattern(), presets(), &rate)) << expected.text;
        EXPECT_EQ(rate.kind, FrameRate::Finite) << expected.text;
        EXPECT_EQ(rate.numerator, expected.numerator) << expected.text;
        EXPECT_EQ(rate.denominator, expected.denominator) << expected.text;
    }
}

TEST(FrameRateFromFloat, SpecialValuesAndSign)
{
    EXPECT_EQ(FrameRate::fromFloat(0.0f), (FrameRate{FrameRate::Zero, 0, 1}));
    EXPECT_EQ(FrameRate::fromFloat(std::numeric_limits<float>::infinity()), (FrameRate{FrameRate::Infinite, 0, 1}));
    EXPECT_EQ(FrameRate::fromFloat(std::nanf("")), (FrameRate{FrameRate::NotANumber, 0, 0}));
    EXPECT_EQ(FrameRate::fromFloat(std::numeric_limits<float>::denorm_min()), (FrameRate{FrameRate::Finite, 1, 0}));
    EXPECT_EQ(FrameRate::fromFloat(-25.0f), (FrameRate{FrameRate::Finite, 100, -4}));
    // 0.5 = 2^23 / 2^24 stops at 4/8: the numerator reached 4.
    EXPECT_EQ(FrameRate::fromFloat(0.5f), (FrameRate{FrameRate::Finite, 4, 8}));
    // Whole numbers of 2^24 and more carry the power in the numerator.
    EXPECT_EQ(FrameRate::fromFloat(33554432.0f), (FrameRate{FrameRate::Finite, 33554432u, 1}));
    EXPECT_EQ(FrameRate::fromFloat(1e30f).kind, FrameRate::NotANumber);
}

TEST(FrameRateParse, FractionsPresetsAndRejectedTexts)
{
    FrameRate rate;
    ASSERT_TRUE(parseFrameRateText(QStringLiteral("30000 / 1001"), pattern(), presets(), &rate));
    EXPECT_EQ(rate, (FrameRate{FrameRate::Finite, 30000, 1001})); // unreduced
    ASSERT_TRUE(parseFrameRateText(QStringLiteral("100/4"), pattern(), presets(), &rate));
    EXPECT_EQ(rate, (FrameRate{FrameRate::Finite, 100, 4}));
    // A preset's label typed by hand, and the label form of another rate.
    ASSERT_TRUE(parseFrameRateText(QStringLiteral("24p (24000/1001)"), pattern(), presets(), &rate));
    EXPECT_EQ(rate, (FrameRate{FrameRate::Finite, 24000, 1001}));
    ASSERT_TRUE(parseFrameRateText(QStringLiteral("25p"), pattern(), presets(), &rate));
    EXPECT_EQ(rate, (FrameRate{FrameRate::Finite, 25, 1}));
    ASSERT_TRUE(parseFrameRateText(QStringLiteral("48p (48000/1001)"), pattern(), presets(), &rate));
    EXPECT_EQ(rate, (FrameRate{FrameRate::Finite, 48000, 1001}));

    const FrameRate untouched{FrameRate::Finite, 7, 7};
    for (const char* text : {"", "0", "025", "abc", "1/0", "0/5", "12345", "1.1234567", "-5", "25 p", "26p"}) {
        rate = untouched;
        EXPECT_FALSE(parseFrameRateText(QString::fromLatin1(text), pattern(), presets(), &rate)) << text;
        EXPECT_EQ(rate, untouched) << text;
    }
}

TEST(FrameRateStored, Classification)
{
    EXPECT_EQ(FrameRate::fromStored(24000, 1001).kind, FrameRate::Finite);
    EXPECT_EQ(FrameRate::fromStored(7, -2).kind, FrameRate::NotANumber);
    EXPECT_EQ(FrameRate::fromStored(7, 0).kind, FrameRate::NotANumber);
    EXPECT_EQ(FrameRate::fromStored(0, 5).kind, FrameRate::Zero);
    EXPECT_TRUE(FrameRate::fromStored(25, 1).isUsable());
    EXPECT_FALSE(FrameRate().isUsable());
    EXPECT_FALSE((FrameRate{FrameRate::Finite, 1, 0}).isUsable());
}

} // namespace
