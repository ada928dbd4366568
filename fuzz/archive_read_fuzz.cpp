// Arbitrary bytes as a backup archive: the reader never reads outside the bytes and never takes
// more memory than the bytes can inflate to; what it accepts has only relative paths of storable
// names, and written anew it reads back to the same files.

#include "backup/backup_archive.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto entries = parseArchive(bytes);
    if (!entries) return 0;
    std::string again;
    for (const ArchiveEntry& e : *entries) {
        if (!isStorableName(e.name)) std::abort();
        if (!e.path.empty() && (e.path.back() != '\\' || e.path.front() == '\\')) std::abort();
        // Every level of the path a storable name: no "..", no drive, nothing empty.
        for (std::size_t start = 0; start < e.path.size();) {
            const std::size_t slash = e.path.find('\\', start);
            if (!isStorableName(std::string_view(e.path).substr(start, slash - start))) std::abort();
            start = slash + 1;
        }
        again += archiveEntryBytes(e.path, e.name, e.data);
    }
    const auto reread = parseArchive(again);
    if (!reread || reread->size() != entries->size()) std::abort();
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const ArchiveEntry& a = (*entries)[i];
        const ArchiveEntry& b = (*reread)[i];
        if (a.path != b.path || a.name != b.name || a.data != b.data) std::abort();
    }
    return 0;
}
