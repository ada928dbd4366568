#pragma once
// IniFile — the settings file kfz.ini in the form of a Windows INI file: "[section]" lines open a
// section, "key=value" lines hold values. Texts are Windows-1252 bytes as in the file; lines end
// with CR LF.
//
// Section and key names are matched without regard to letter case; a value is read with the
// surrounding blanks removed. Setting a value replaces it where the key exists and otherwise
// adds the key (and its section) where missing, so sections and keys keep the order in which
// they were first written. Every other line (comments, blank lines, text without "=") stays
// where it was.

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    // Reads the file. A missing file gives an empty model and true; false (and the model
    // emptied, `reason` set) when the file exists but cannot be read.
    bool load(const QString& path, QString* reason = nullptr);
    void loadFromBytes(std::string_view bytes);

    // The value of the first such key in the first such section, or nullopt when absent.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string value(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    // A decimal integer (optional sign), or `defaultValue` when the key is absent or holds
    // anything else.
    int intValue(std::string_view section, std::string_view key, int defaultValue) const;

    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes: every line followed by CR LF.
    std::string toBytes() const;
    // Writes the whole file at once; false and `reason` when it could not be written (the old
    // file then stays as it was).
    bool save(const QString& path, QString* reason = nullptr) const;

private:
    struct Line {
        std::string text;    // the line as in the file, without its line end
        std::string section; // "[...]" line: the section's name
        std::string key;     // "key=value" line: the key's name
        std::string value;   // "key=value" line: the value, blanks removed
        bool isSection = false;
        bool isKey = false;
    };
    static Line parse(std::string text);
    // Index of the section's header line, or -1.
    int sectionLine(std::string_view section) const;
    // Index of the key's line within the section opened at `header`, or -1.
    int keyLine(int header, std::string_view key) const;

    std::vector<Line> m_lines;
};

// One read or one write of a single key, each opening the file for itself. Writing a group of keys
// one by one gives the same bytes as setting them in one IniFile and saving it once.
std::string readIniValue(const QString& path, std::string_view section, std::string_view key,
                         std::string_view defaultValue = {});
bool writeIniValue(const QString& path, std::string_view section, std::string_view key, std::string_view value,
                   QString* reason = nullptr);
