#include "cfgfile/cp1252.h"

#include <gtest/gtest.h>

using namespace velquor::cfg;

TEST(Cp1252, EveryByteBothWaysAndAsUtf8) {
    // 0x80 to 0x9F; the five bytes the code page leaves undefined are the C1
    // controls of the same value. Below and above, the byte is its code point.
    const std::string high =
        "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
        "\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
        "\u0153\u009D\u017E\u0178";
    std::string bytes, utf8;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
        if (b < 0x80)
            utf8 += static_cast<char>(b);
        else if (b == 0x80)
            utf8 += high;
        else if (b >= 0xA0)
            utf8 += {static_cast<char>(0xC0 | b >> 6), static_cast<char>(0x80 | (b & 0x3F))};
        ASSERT_EQ(unicodeToCp1252(cp1252ToUnicode(static_cast<unsigned char>(b))), b);
    }
    EXPECT_EQ(cp1252ToUtf8(bytes), utf8);
    EXPECT_EQ(cp1252ToUnicode(0x9B), U'\u203A');
    for (char32_t none : {U'\u0080', U'\u009F', U'\u0100', U'\u2012', U'\U0001F600'})
        EXPECT_EQ(unicodeToCp1252(none), std::nullopt) << static_cast<int>(none);
}
