// Inputs the fuzzer found interesting, as settings files: every line comes back as it was with a
// CR LF line end, saving and loading again gives the same bytes, and a value set reads back.

#include "core/ini_file.h"
#include "support/file_bytes.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(IniFileFuzzFindings, LinesSurviveAndValuesReadBack) {
    const QDir dir(QStringLiteral(WAGENWART_FIXTURES "/fuzz/ini"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const std::string bytes = readBytes(dir.filePath(name));
        IniFile ini;
        ini.loadFromBytes(bytes);
        const std::string saved = ini.toBytes();
        // Every line is kept; only a bare LF becomes CR LF, and a last line gets its line end.
        std::string lines;
        for (std::size_t pos = 0; pos < bytes.size();) {
            std::size_t end = bytes.find('\n', pos);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines += line + "\r\n";
            pos = end + 1;
        }
        EXPECT_EQ(saved, lines);
        IniFile again;
        again.loadFromBytes(saved);
        EXPECT_EQ(again.toBytes(), saved);
        again.setValue("Daten", "Pfad", " C:\\Daten ");
        EXPECT_EQ(again.value("Daten", "Pfad"), "C:\\Daten");
        IniFile reread;
        reread.loadFromBytes(again.toBytes());
        EXPECT_EQ(reread.value("Daten", "Pfad"), "C:\\Daten");
    }
}

} // namespace
