// The contour interval over ranges of every size, and which lines count as strong.
#include "view/contour_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

TEST(ContourLines, TenToThirtyLinesOfOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_EQ(contourInterval(-140.0f, 582.5f), 50.0f);
    EXPECT_EQ(contourInterval(0.0f, 1024.0f), 50.0f);
    EXPECT_EQ(contourInterval(0.0f, 300.0f), 10.0f); // 30 lines exactly
    EXPECT_EQ(contourInterval(5.0f, 5.0f), 0.0f);    // level ground: none
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-1.0, 4.5);
    for (int i = 0; i < 2000; ++i) {
        const float low = -2048.0f,
                    high = low + static_cast<float>(std::pow(10.0, exponent(random)));
        const double interval = contourInterval(low, high);
        const double lines = (static_cast<double>(high) - low) / interval;
        ASSERT_GE(lines, 10.0) << high - low;
        ASSERT_LE(lines, 30.0) << high - low;
        const double power = std::pow(10.0, std::floor(std::log10(interval) + 1e-6));
        const double step = interval / power;
        ASSERT_TRUE(std::fabs(step - 1.0) < 1e-4 || std::fabs(step - 2.0) < 1e-4 ||
                    std::fabs(step - 5.0) < 1e-4)
            << interval;
    }
}

TEST(ContourLines, EveryFifthLineIsStrongBelowZeroToo) {
    EXPECT_EQ(contourBand(-0.5f, 10.0f), -1);
    EXPECT_EQ(contourBand(49.9f, 10.0f), 4);
    EXPECT_TRUE(strongLineBetween(4, 5));   // the line at 5
    EXPECT_FALSE(strongLineBetween(5, 9));  // 6 to 9
    EXPECT_TRUE(strongLineBetween(-1, 0));  // 0
    EXPECT_TRUE(strongLineBetween(-6, -5)); // -5
    EXPECT_FALSE(strongLineBetween(-5, -1));
    EXPECT_TRUE(strongLineBetween(1, 12)); // a cliff through 5 and 10
}

// The start camera draws the lines' texture only over ground that meets one: ground with a
// height the texture darkens (within a line's half-width and a texel of it) always does, and
// ground well between two lines never does.
TEST(ContourLines, GroundMeetsALineWhereverTheWindowCanDrawOne) {
    const float interval = 50.0f, texel = 5.0f * interval / contourTexels;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> start(-500.0f, 500.0f), span(0.0f, 30.0f);
    for (int i = 0; i < 20000; ++i) {
        const float low = start(random), high = low + span(random);
        for (float h = low; h <= high; h += 0.25f) {
            const float line = std::round(h / interval), apart = std::fabs(h - line * interval);
            const float half =
                std::fmod(line, 5.0f) == 0.0f ? strongLineHalfWidth : lightLineHalfWidth;
            if (apart <= half * interval + texel) {
                ASSERT_TRUE(meetsContourLine(low, high, interval)) << low << " to " << high;
            }
        }
    }
    EXPECT_FALSE(meetsContourLine(5.0f, 45.0f, interval));
    EXPECT_FALSE(meetsContourLine(-45.0f, -5.0f, interval));
    // The light line at 50 reaches 48.9 and the strong one at 250 reaches 251.75, each a
    // texel (about 0.5) further in the window.
    EXPECT_TRUE(meetsContourLine(48.0f, 48.5f, interval));
    EXPECT_FALSE(meetsContourLine(202.0f, 205.0f, interval));
    EXPECT_TRUE(meetsContourLine(252.0f, 255.0f, interval));
}
