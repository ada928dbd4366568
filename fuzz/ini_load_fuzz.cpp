// Arbitrary bytes as the settings file: every line comes back as it was (only its line end
// becomes CR LF), what is saved loads back to the same bytes, every key found in the file reads
// its value, and a value set reads back.

#include "core/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The bytes as saved: each line (ended by LF, a CR before it belonging to the line end) followed
// by CR LF.
std::string withCrLf(std::string_view bytes) {
    std::string out;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (line.ends_with('\r')) line.remove_suffix(1);
        out.append(line);
        out.append("\r\n");
        pos = end + 1;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    ini.loadFromBytes(bytes);
    const std::string saved = ini.toBytes();
    if (saved != withCrLf(bytes)) std::abort();
    IniFile again;
    again.loadFromBytes(saved);
    if (again.toBytes() != saved) std::abort();

    // Every key of the first section is found there (a later section of the same name is not
    // looked into, so only the first one is certain).
    const auto trimmed = [](std::string_view t) {
        const std::size_t begin = t.find_first_not_of(" \t");
        return begin == std::string_view::npos ? std::string_view()
                                               : t.substr(begin, t.find_last_not_of(" \t") - begin + 1);
    };
    int sections = 0;
    std::string section;
    std::size_t pos = 0;
    while (pos < saved.size() && sections < 2) {
        const std::size_t end = saved.find("\r\n", pos);
        const std::string_view line = trimmed(std::string_view(saved).substr(pos, end - pos));
        pos = end + 2;
        if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
            if (++sections == 1) section = std::string(trimmed(line.substr(1, line.find(']') - 1)));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (sections != 1 || line.starts_with(';') || line.starts_with('#') || eq == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, eq));
        if (!key.empty() && !ini.find(section, key)) std::abort();
        (void)ini.intValue(section, key, 7);
    }

    // A plain value set under a key of the file (or a new one) reads back, without its blanks.
    again.setValue("Daten", "Pfad", "  C:\\Daten ");
    if (again.value("Daten", "Pfad") != "C:\\Daten") std::abort();
    IniFile reread;
    reread.loadFromBytes(again.toBytes());
    if (reread.value("Daten", "Pfad") != "C:\\Daten" || reread.toBytes() != again.toBytes()) std::abort();
    return 0;
}
