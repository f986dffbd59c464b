#include "model/like_pattern.h"

#include <gtest/gtest.h>

#include <string>

#include "model/automation_error.h"

using velquor::AutomationError;
using velquor::likeMatch;
using velquor::LikePattern;

namespace {

// Patterns in failure messages; the ones here are ASCII apart from a few letters.
std::string narrow(std::u32string_view text) {
    return std::string(text.begin(), text.end());
}

struct Case {
    const char32_t* text;
    const char32_t* pattern;
    bool matches;
};

// Each construct, with the near misses that a wrong matcher would let through.
const Case kCases[] = {
    // Literals: the whole text, exactly, case counts.
    {U"SPAIN", U"SPAIN", true},
    {U"Spain", U"SPAIN", false},
    {U"SPAINS", U"SPAIN", false},
    {U"ESPAIN", U"SPAIN", false},
    {U"", U"", true},
    {U"A", U"", false},
    {U"!]-", U"!]-", true},
    {U"\u00C5LAND", U"\u00C5LAND", true},
    // ? takes exactly one character.
    {U"ITALY", U"IT?LY", true},
    {U"ITLY", U"IT?LY", false},
    {U"ITAALY", U"IT?LY", false},
    {U"", U"?", false},
    // * takes any run, also none, and gives back what it took.
    {U"", U"*", true},
    {U"LAND", U"*LAND*", true},
    {U"FINLAND", U"*LAND*", true},
    {U"LATVIA", U"*LAND*", false},
    {U"ABAB", U"*AB", true},
    {U"AAB", U"*A?", true},
    {U"NORTHERN IRELANDS", U"N*N*D", false},
    {U"X", U"***X***", true},
    // # takes one digit 0-9, nothing else.
    {U"FC 1907", U"FC ####", true},
    {U"FC 19O7", U"FC ####", false},
    {U"SPAIN", U"*#*", false},
    {U"\u0661", U"#", false},
    // Lists, ranges (both ends included) and negation; one character each.
    {U"B", U"[ABC]", true},
    {U"D", U"[ABC]", false},
    {U"A", U"[A-Z]", true},
    {U"Z", U"[A-Z]", true},
    {U"a", U"[A-Z]", false},
    {U"7", U"[A-C0-9X]", true},
    {U"D", U"[A-C0-9X]", false},
    {U"D", U"[!A-C]", true},
    {U"B", U"[!A-C]", false},
    {U"", U"[!A-C]", false},
    {U"AB", U"[AB]", false},
    {U"SCOTLAND", U"*[KL]AND", true},
    // Inside a list the other special characters stand for themselves.
    {U"*", U"[*?#[]", true},
    {U"[", U"[*?#[]", true},
    {U"1", U"[*?#[]", false},
    {U"!", U"[A!]", true},
    // Decided corners: [] takes nothing, [!] any one character, '-' at an end is itself.
    {U"AB", U"A[]B", true},
    {U"AXB", U"A[]B", false},
    {U"Q", U"[!]", true},
    {U"", U"[!]", false},
    {U"-", U"[-A]", true},
    {U"-", U"[A-]", true},
    {U"B", U"[A-]", false},
    {U"B", U"[!-A]", true},
    {U"-", U"[!-A]", false},
    {U"K", U"[K-K]", true},
};

TEST(LikePattern, EveryConstructOverTheWholeText) {
    for (const Case& c : kCases)
        EXPECT_EQ(likeMatch(c.text, c.pattern), c.matches)
            << narrow(c.pattern) << " on " << narrow(c.text);
}

TEST(LikePattern, MalformedPatternsRaiseInvalidPattern) {
    for (const char32_t* pattern : {U"[", U"*[A", U"[A-", U"[!", U"LAND[", U"[Z-A]", U"[A-C9-0]"}) {
        try {
            LikePattern compiled(pattern);
            ADD_FAILURE() << "accepted " << narrow(pattern);
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), 93);
            EXPECT_EQ(e.description(), "Invalid pattern string");
        }
    }
    EXPECT_NO_THROW(LikePattern(U"]"));
}

TEST(LikePattern, PathologicalPatternsTakeBoundedWork) {
    // Retrying every star would take exponential time on these.
    const std::u32string text(20000, U'A');
    const Case cases[] = {{nullptr, U"*A*A*A*A*A*A*A*A*A*A*B", false},
                          {nullptr, U"*A*A*A*A*A*A*A*A*A*A*", true},
                          {nullptr, U"*?*?*?*?*?*?*?*?*?*?*B", false},
                          {nullptr, U"*AAAAAAAAAAAAAAAAAAAB*", false}};
    for (const Case& c : cases) {
        const std::u32string pattern(c.pattern);
        std::size_t steps = 0;
        EXPECT_EQ(LikePattern(pattern).matches(text, &steps), c.matches);
        EXPECT_LE(steps, (text.size() + 1) * (pattern.size() + 1));
    }
    std::size_t steps = 0;
    EXPECT_TRUE(LikePattern(U"*B").matches(text + U"B", &steps));
    EXPECT_LE(steps, 3 * text.size());
}

}  // namespace
