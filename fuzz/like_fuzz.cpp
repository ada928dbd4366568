// Arbitrary LIKE patterns against arbitrary texts: the matcher never reads outside either text,
// and a pattern without wildcard characters matches exactly its own text.

#include "store/concordances.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t split = all.find('\0');
    const std::string_view pattern = all.substr(0, split);
    const std::string_view text = split == std::string_view::npos ? std::string_view() : all.substr(split + 1);
    for (int flags = 0; flags < 8; ++flags) {
        TConcordances m;
        m.KeepSpaces = flags & 1;
        m.CaseSensitive = flags & 2;
        m.UseWildcards = flags & 4;
        const bool result = m.Matches(pattern, text);
        if (pattern.find_first_of("*?#[]") == std::string_view::npos && m.KeepSpaces && m.CaseSensitive &&
            result != (pattern == text))
            std::abort();
    }
    return 0;
}
