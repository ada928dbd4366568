#pragma once
// TConcordances — the pattern matcher behind the "LIKE" operator of TMlb2::Find.
// Wildcards: "?" any character, "#" a digit, "[set]" / "[!set]", "*" jumps to the first
// occurrence of what follows it (no backtracking, so "*a" does not match "banana").

#include <string>
#include <string_view>

class TConcordances {
public:
    bool KeepSpaces = true;
    bool CaseSensitive = true;
    bool UseWildcards = false;

    bool Matches(std::string_view pattern, std::string_view text) const;
};
