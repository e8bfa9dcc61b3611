// The message box's wrapping, without a display.
#include "platform/sdl/text_wrap.h"

#include <gtest/gtest.h>

namespace {

TEST(TextWrap, LongLinesBreakAtBlanksThenAtPathSeparatorsAndNeverInsideACharacter) {
    EXPECT_EQ(wrapText("one two three four", 9), "one two\nthree\nfour");
    EXPECT_EQ(wrapText("short\nlines stay", 20), "short\nlines stay");
    // A path without blanks breaks after a separator, keeping its start on the first line.
    EXPECT_EQ(wrapText("cannot open /home/maps/highlands/war3map.w3e", 24),
              "cannot open\n/home/maps/highlands/\nwar3map.w3e");
    EXPECT_EQ(wrapText("abcdefghij", 4), "abcd\nefgh\nij");
    EXPECT_EQ(wrapText("ÄÖÜäöü", 3), "ÄÖÜ\näöü"); // characters, not bytes
}

} // namespace
