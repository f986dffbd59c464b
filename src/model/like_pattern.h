#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velquor {

namespace err {
inline constexpr int kInvalidPattern = 93;  // unclosed '[' or a reversed range
}  // namespace err

/// A compiled pattern of the Like operator, matched against a whole text,
/// character by character and case-sensitively (callers that want case not to
/// count upper-case both sides first).
///
///   ?        any one character
///   *        any run of characters, also none
///   #        any one digit 0-9
///   [list]   one character of the list; [!list] one character not in it
///   a-z      inside a list: a range, both ends included
///   anything else stands for itself ('!' and ']' outside a list, '[', '?',
///   '*' and '#' inside one)
///
/// Corner cases, decided here:
///   []       matches no character at all: it is dropped, so "a[]b" matches "ab"
///   [!]      any one character (nothing is excluded)
///   [-a] [a-] [!-a]   a '-' first or last in a list stands for itself
///   [z-a]    a reversed range is an error, as is a '[' that is never closed
///            (AutomationError number 93, "Invalid pattern string")
///
/// Matching takes at most about (text length + 1) x (pattern length + 1)
/// steps: every token other than '*' takes exactly one character, so only
/// the last '*' ever needs to be retried.
class LikePattern {
  public:
    /// Throws AutomationError (err::kInvalidPattern) for a malformed pattern.
    explicit LikePattern(std::u32string_view pattern);

    bool matches(std::u32string_view text) const { return matches(text, nullptr); }
    /// As matches(text); adds the number of character comparisons to *steps.
    bool matches(std::u32string_view text, std::size_t* steps) const;

  private:
    struct Range {
        char32_t first;
        char32_t last;
    };
    enum class Kind { Literal, AnyOne, AnyRun, Digit, List };
    struct Token {
        Kind kind;
        char32_t ch = 0;             // Literal
        bool negated = false;        // List
        std::size_t rangeBegin = 0;  // List: its ranges in ranges_
        std::size_t rangeEnd = 0;
    };

    bool tokenTakes(const Token& token, char32_t c) const;

    std::vector<Token> tokens_;
    std::vector<Range> ranges_;
};

/// text Like pattern: compiles pattern and matches it once.
bool likeMatch(std::u32string_view text, std::u32string_view pattern);

}  // namespace velquor
