#include "model/like_pattern.h"

#include <gtest/gtest.h>

#include <vector>

#include "outcome.h"

namespace velquor {

TEST(LikePattern, EveryConstructOverTheWholeTextInBoundedWork) {
    // Patterns in failure messages; the ones here are ASCII apart from a few letters.
    const auto narrow = [](std::u32string_view s) { return std::string(s.begin(), s.end()); };
    // Each pattern with texts it takes and the near misses a wrong matcher would let through.
    // clang-format off
    using Texts = std::vector<std::u32string_view>;
    const struct { std::u32string_view pattern; Texts takes, refuses; } rows[] = {
        // Literals: the whole text, exactly, case counts.
        {U"SPAIN", {U"SPAIN"}, {U"Spain", U"SPAINS", U"ESPAIN"}}, {U"", {U""}, {U"A"}},
        {U"!]-", {U"!]-"}, {}}, {U"\u00C5LAND", {U"\u00C5LAND"}, {U"\u00E5LAND"}},
        // ? takes exactly one character; * any run, also none, and gives back what it took.
        {U"IT?LY", {U"ITALY"}, {U"ITLY", U"ITAALY"}}, {U"?", {}, {U""}}, {U"*", {U""}, {}},
        {U"*LAND*", {U"LAND", U"FINLAND"}, {U"LATVIA"}}, {U"*AB", {U"ABAB"}, {}},
        {U"*A?", {U"AAB"}, {}}, {U"N*N*D", {}, {U"NORTHERN IRELANDS"}}, {U"***X***", {U"X"}, {}},
        // # takes one digit 0-9, nothing else.
        {U"FC ####", {U"FC 1907"}, {U"FC 19O7"}}, {U"*#*", {}, {U"SPAIN"}}, {U"#", {}, {U"\u0661"}},
        // Lists, ranges (both ends included) and negation; one character each.
        {U"[A-Z]", {U"A", U"Z"}, {U"a"}}, {U"[A-C0-9X]", {U"7"}, {U"D"}},
        {U"[!A-C]", {U"D"}, {U"B", U""}}, {U"[AB]", {}, {U"AB"}}, {U"*[KL]AND", {U"SCOTLAND"}, {}},
        // Inside a list the other special characters stand for themselves.
        {U"[*?#[]", {U"*", U"?", U"["}, {U"1"}}, {U"[A!]", {U"!"}, {}}, {U"]", {U"]"}, {}},
        // Decided corners: [] takes nothing, [!] any one character, '-' at an end is itself.
        {U"A[]B", {U"AB"}, {U"AXB"}}, {U"[!]", {U"Q"}, {U""}}, {U"[-A]", {U"-"}, {}},
        {U"[A-]", {U"-"}, {U"B"}}, {U"[!-A]", {U"B"}, {U"-"}}, {U"[K-K]", {U"K"}, {}},
    };
    // Retrying every star would take exponential time on these.
    const std::pair<std::u32string, bool> stars[] = {
        {U"*A*A*A*A*A*A*A*A*A*A*B", false}, {U"*A*A*A*A*A*A*A*A*A*A*", true},
        {U"*?*?*?*?*?*?*?*?*?*?*B", false}, {U"*AAAAAAAAAAAAAAAAAAAB*", false}};
    // clang-format on
    for (const auto& row : rows)
        for (const bool takes : {true, false})
            for (const auto text : takes ? row.takes : row.refuses)
                EXPECT_EQ(likeMatch(text, row.pattern), takes)
                    << narrow(row.pattern) << " on " << narrow(text);
    for (const char32_t* pattern : {U"[", U"*[A", U"[A-", U"[!", U"LAND[", U"[Z-A]", U"[A-C9-0]"})
        EXPECT_EQ(outcome([&] { (void)LikePattern(pattern); }), "#93 Invalid pattern string @Like")
            << narrow(pattern);
    const std::u32string text(20000, U'A');
    for (const auto& [pattern, matches] : stars) {
        std::size_t steps = 0;
        EXPECT_EQ(LikePattern(pattern).matches(text, &steps), matches);
        EXPECT_LE(steps, (text.size() + 1) * (pattern.size() + 1));
    }
    std::size_t steps = 7;  // a literal costs one step a character, added to what the counter held
    EXPECT_TRUE(LikePattern(U"SPAIN").matches(U"SPAIN", &steps));
    EXPECT_EQ(steps, 12u);
}

}  // namespace velquor
