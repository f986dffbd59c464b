#include "cfgfile/cp1252.h"

#include <gtest/gtest.h>

using namespace velquor::cfg;

TEST(Cp1252, SingleEntriesBothWaysAndAsUtf8) {
    const struct {
        unsigned char byte;
        char32_t unicode;
        const char* utf8;
    } rows[] = {
        {0x41, U'A', "A"},
        {0x7F, U'\x7F', "\x7F"},
        {0x80, U'\u20AC', "\xE2\x82\xAC"},  // Euro sign
        {0x81, U'\u0081', "\xC2\x81"},      // undefined: the control of the same value
        {0x83, U'\u0192', "\xC6\x92"},
        {0x8A, U'\u0160', "\xC5\xA0"},
        {0x8D, U'\u008D', "\xC2\x8D"},
        {0x92, U'\u2019', "\xE2\x80\x99"},
        {0x96, U'\u2013', "\xE2\x80\x93"},
        {0x9D, U'\u009D', "\xC2\x9D"},
        {0x9E, U'\u017E', "\xC5\xBE"},
        {0x9F, U'\u0178', "\xC5\xB8"},
        {0xA0, U'\u00A0', "\xC2\xA0"},
        {0xC5, U'\u00C5', "\xC3\x85"},
        {0xFF, U'\u00FF', "\xC3\xBF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.byte);
        EXPECT_EQ(cp1252ToUnicode(row.byte), row.unicode);
        EXPECT_EQ(unicodeToCp1252(row.unicode), row.byte);
        EXPECT_EQ(cp1252ToUtf8(std::string(1, static_cast<char>(row.byte))), row.utf8);
    }
    for (int b = 0; b < 256; ++b)
        ASSERT_EQ(unicodeToCp1252(cp1252ToUnicode(static_cast<unsigned char>(b))), b);
    for (char32_t none : {U'\u0080', U'\u009F', U'\u0100', U'\u2012', U'\U0001F600'})
        EXPECT_EQ(unicodeToCp1252(none), std::nullopt) << static_cast<int>(none);
    EXPECT_EQ(cp1252ToUtf8(std::string("a\0\xF6", 3)), std::string("a\0\xC3\xB6", 4));
}
