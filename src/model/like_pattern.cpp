#include "like_pattern.h"

#include "automation_error.h"

namespace velquor {

namespace {

[[noreturn]] void invalidPattern() {
    throw AutomationError(err::kInvalidPattern, "Like", "Invalid pattern string");
}

}  // namespace

LikePattern::LikePattern(std::u32string_view pattern) {
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char32_t c = pattern[i++];
        switch (c) {
            case U'?':
                tokens_.push_back({Kind::AnyOne});
                break;
            case U'*':
                // A run of stars is one star; keeping one spares the matcher work.
                if (tokens_.empty() || tokens_.back().kind != Kind::AnyRun)
                    tokens_.push_back({Kind::AnyRun});
                break;
            case U'#':
                tokens_.push_back({Kind::Digit});
                break;
            case U'[': {
                Token list{Kind::List};
                if (i < pattern.size() && pattern[i] == U'!') {
                    list.negated = true;
                    ++i;
                }
                list.rangeBegin = ranges_.size();
                bool closed = false;
                while (i < pattern.size()) {
                    const char32_t first = pattern[i++];
                    if (first == U']') {
                        closed = true;
                        break;
                    }
                    char32_t last = first;
                    // "a-z" is a range; a '-' with no character after it before
                    // the ']' stands for itself, as does a leading one.
                    if (i + 1 < pattern.size() && pattern[i] == U'-' && pattern[i + 1] != U']') {
                        last = pattern[i + 1];
                        i += 2;
                        if (last < first)
                            invalidPattern();
                    }
                    ranges_.push_back({first, last});
                }
                if (!closed)
                    invalidPattern();
                list.rangeEnd = ranges_.size();
                // An empty list takes no character, so it has no token.
                if (list.negated || list.rangeBegin != list.rangeEnd)
                    tokens_.push_back(list);
                break;
            }
            default:
                tokens_.push_back({Kind::Literal, c});
                break;
        }
    }
}

bool LikePattern::tokenTakes(const Token& token, char32_t c) const {
    switch (token.kind) {
        case Kind::Literal:
            return c == token.ch;
        case Kind::AnyOne:
            return true;
        case Kind::Digit:
            return c >= U'0' && c <= U'9';
        case Kind::List: {
            bool inList = false;
            for (std::size_t r = token.rangeBegin; r < token.rangeEnd && !inList; ++r)
                inList = c >= ranges_[r].first && c <= ranges_[r].last;
            return inList != token.negated;
        }
        case Kind::AnyRun:
            break;
    }
    return false;
}

bool LikePattern::matches(std::u32string_view text, std::size_t* steps) const {
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = kNone;  // token after the last star seen
    std::size_t starT = 0;      // where in the text that star's run ends now
    std::size_t count = 0;
    bool result = true;
    while (t < text.size()) {
        ++count;
        if (p < tokens_.size() && tokens_[p].kind == Kind::AnyRun) {
            starP = ++p;
            starT = t;
        } else if (p < tokens_.size() && tokenTakes(tokens_[p], text[t])) {
            ++p;
            ++t;
        } else if (starP != kNone) {
            // Let the last star take one more character and retry after it.
            p = starP;
            t = ++starT;
        } else {
            result = false;
            break;
        }
    }
    if (result) {
        while (p < tokens_.size() && tokens_[p].kind == Kind::AnyRun)
            ++p;
        result = p == tokens_.size();
    }
    if (steps)
        *steps += count;
    return result;
}

bool likeMatch(std::u32string_view text, std::u32string_view pattern) {
    return LikePattern(pattern).matches(text);
}

}  // namespace velquor
