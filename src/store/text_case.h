#pragma once
// Names of fields, INI sections and keys, colours and operators are compared without regard to
// letter case; only the letters "a" to "z" are folded, as everywhere in the program.

#include <string_view>

inline char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}
