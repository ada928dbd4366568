#include "store/concordances.h"
#include "store/text_case.h"

#include <bitset>

namespace {

std::string prepare(std::string_view s, bool keepSpaces, bool caseSensitive) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (!keepSpaces && c == ' ') continue;
        if (!caseSensitive) c = asciiUpper(c);
        out.push_back(c);
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct CharSet {
    std::bitset<256> members;
    bool negated = false;
    bool contains(char c) const { return members.test(static_cast<unsigned char>(c)) != negated; }
};

} // namespace

bool TConcordances::Matches(std::string_view patternIn, std::string_view textIn) const {
    const std::string pattern = prepare(patternIn, KeepSpaces, CaseSensitive);
    const std::string text = prepare(textIn, KeepSpaces, CaseSensitive);
    if (!UseWildcards) return pattern == text;

    std::size_t p = 0; // next pattern character
    std::size_t t = 0; // next text character
    CharSet lastSet;   // the last set built; "]" outside a set tests against it
    const std::size_t pn = pattern.size();
    const std::size_t tn = text.size();

    while (p < pn) {
        const char c = pattern[p];
        if (c == '?') {
            if (t >= tn) return false;
            ++t;
            ++p;
        } else if (c == '#') {
            if (t >= tn || !isDigit(text[t])) return false;
            ++t;
            ++p;
        } else if (c == '[') {
            const std::size_t close = pattern.find(']', p + 1);
            if (close == std::string::npos) break; // an unclosed set ends the pattern
            CharSet set;
            std::size_t q = p + 1;
            if (q < close && pattern[q] == '!') {
                set.negated = true;
                ++q;
            }
            bool havePrevious = false;
            unsigned char previous = 0;
            for (; q < close; ++q) {
                const auto ch = static_cast<unsigned char>(pattern[q]);
                if (ch == '-' && havePrevious && q + 1 < close) {
                    const auto last = static_cast<unsigned char>(pattern[++q]);
                    for (unsigned code = previous + 1u; code <= last; ++code) set.members.set(code);
                    previous = last;
                    continue;
                }
                set.members.set(ch);
                previous = ch;
                havePrevious = true;
            }
            lastSet = set;
            if (t >= tn || !set.contains(text[t])) return false;
            ++t;
            p = close + 1;
        } else if (c == ']') {
            if (t >= tn || !lastSet.contains(text[t])) return false;
            ++t;
            ++p;
        } else if (c == '*') {
            // A run of "*" with the "*" and "?" right after it; n counts the followers.
            std::size_t n = 0;
            ++p;
            while (p < pn && (pattern[p] == '*' || pattern[p] == '?')) {
                ++n;
                ++p;
            }
            if (p >= pn) {
                if (tn - t < n) return false;
                t = tn;
                break;
            }
            const char next = pattern[p];
            std::size_t skipped = 0;
            if (next == '#') {
                while (t < tn && !isDigit(text[t])) {
                    ++t;
                    ++skipped;
                }
            } else {
                while (t < tn && text[t] != next) {
                    ++t;
                    ++skipped;
                }
            }
            if (t >= tn || skipped < n) return false;
            ++t; // the character found is consumed by the element after the run
            ++p;
        } else {
            if (t >= tn || text[t] != c) return false;
            ++t;
            ++p;
        }
    }
    return t == tn;
}
