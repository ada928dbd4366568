#include "core/ini_file.h"
#include "store/text_case.h"

#include "store/atomic_file.h"

#include <QFile>
#include <QFileInfo>

#include <charconv>

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return sameTextIgnoringCase(a, b);
}

std::string_view trimmed(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const std::size_t end = s.find_last_not_of(" \t");
    return s.substr(begin, end - begin + 1);
}

} // namespace

IniFile::Line IniFile::parse(std::string text) {
    Line line;
    const std::string_view t = trimmed(text);
    if (t.starts_with('[') && t.find(']') != std::string_view::npos) {
        line.isSection = true;
        line.section = std::string(trimmed(t.substr(1, t.find(']') - 1)));
    } else if (!t.starts_with(';') && !t.starts_with('#')) {
        const std::size_t eq = t.find('=');
        if (eq != std::string_view::npos && !trimmed(t.substr(0, eq)).empty()) {
            line.isKey = true;
            line.key = std::string(trimmed(t.substr(0, eq)));
            line.value = std::string(trimmed(t.substr(eq + 1)));
        }
    }
    line.text = std::move(text);
    return line;
}

void IniFile::loadFromBytes(std::string_view bytes) {
    m_lines.clear();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view text = bytes.substr(pos, end - pos);
        if (text.ends_with('\r')) text.remove_suffix(1);
        m_lines.push_back(parse(std::string(text)));
        pos = end + 1;
    }
}

bool IniFile::load(const QString& path, QString* reason) {
    m_lines.clear();
    QFile file(path);
    if (!file.exists()) return true;
    // Only a regular file is read: a pipe or a device would hold the program up.
    if (!QFileInfo(path).isFile()) {
        if (reason) *reason = QStringLiteral("Es ist keine gewöhnliche Datei.");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason) *reason = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (reason) *reason = file.errorString();
        return false;
    }
    loadFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}

int IniFile::sectionLine(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].isSection && sameName(m_lines[i].section, section)) return static_cast<int>(i);
    return -1;
}

int IniFile::keyLine(int header, std::string_view key) const {
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < m_lines.size() && !m_lines[i].isSection; ++i)
        if (m_lines[i].isKey && sameName(m_lines[i].key, key)) return static_cast<int>(i);
    return -1;
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
    const int header = sectionLine(section);
    if (header < 0) return std::nullopt;
    const int line = keyLine(header, key);
    if (line < 0) return std::nullopt;
    return m_lines[static_cast<std::size_t>(line)].value;
}

std::string IniFile::value(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    if (auto v = find(section, key)) return *v;
    return std::string(defaultValue);
}

int IniFile::intValue(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> text = find(section, key);
    if (!text || text->empty()) return defaultValue;
    std::string_view digits = *text;
    if (digits.starts_with('+') && !digits.starts_with("+-")) digits.remove_prefix(1); // from_chars takes only "-"
    int result = 0;
    const char* const end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, result);
    if (ec != std::errc() || ptr != end || digits.empty()) return defaultValue;
    return result;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    int header = sectionLine(section);
    if (header < 0) {
        m_lines.push_back(parse("[" + std::string(section) + "]"));
        header = static_cast<int>(m_lines.size()) - 1;
    }
    if (const int line = keyLine(header, key); line >= 0) {
        Line& l = m_lines[static_cast<std::size_t>(line)];
        l = parse(l.key + "=" + std::string(value)); // the key keeps its spelling in the file
        return;
    }
    // A new key goes after the last non-blank line of its section, so that a blank line that
    // separates it from the next section stays in front of that section.
    std::size_t insertAt = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = insertAt; i < m_lines.size() && !m_lines[i].isSection; ++i)
        if (!trimmed(m_lines[i].text).empty()) insertAt = i + 1;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   parse(std::string(key) + "=" + std::string(value)));
}

std::string IniFile::toBytes() const {
    std::string out;
    for (const Line& l : m_lines) {
        out += l.text;
        out += "\r\n";
    }
    return out;
}

bool IniFile::save(const QString& path, QString* reason) const {
    return saveFileAtomically(path, toBytes(), reason) == AtomicSaveResult::Ok;
}

std::string readIniValue(const QString& path, std::string_view section, std::string_view key,
                         std::string_view defaultValue) {
    IniFile ini;
    ini.load(path);
    return ini.value(section, key, defaultValue);
}

bool writeIniValue(const QString& path, std::string_view section, std::string_view key, std::string_view value,
                   QString* reason) {
    IniFile ini;
    if (!ini.load(path, reason)) return false;
    ini.setValue(section, key, value);
    return ini.save(path, reason);
}
