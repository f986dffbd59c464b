#include "cfgfile/cp1252.h"

#include <gtest/gtest.h>

using namespace velquor::cfg;

TEST(Cp1252, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const char32_t u = cp1252ToUnicode(static_cast<unsigned char>(b));
        ASSERT_EQ(unicodeToCp1252(u), static_cast<unsigned char>(b)) << b;
    }
}

TEST(Cp1252, UndefinedBytesBecomeControlsAndOthersAreRefused) {
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(cp1252ToUnicode(b), b);
    EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(unicodeToCp1252(U'\u0100'), std::nullopt);  // A with macron
    EXPECT_EQ(unicodeToCp1252(U'\u0080'), std::nullopt);  // the Euro sign took its place
    EXPECT_EQ(unicodeToCp1252(U'\U0001F600'), std::nullopt);
}

TEST(Cp1252, DecodesToUtf8) {
    EXPECT_EQ(cp1252ToUtf8("Malm\xF6 FF \x80"), "Malm\xC3\xB6 FF \xE2\x82\xAC");
    EXPECT_EQ(cp1252ToUtf8(std::string("\x00\x81", 2)), std::string("\x00\xC2\x81", 3));
}
