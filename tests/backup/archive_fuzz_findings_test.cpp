// Inputs the fuzzer found interesting, as backup archives: the reader refuses them or accepts only
// relative paths of storable names, and what it accepts, written anew, reads back the same.

#include "backup/backup_archive.h"
#include "support/file_bytes.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(ArchiveFuzzFindings, AreRefusedOrReadBackTheSame) {
    const QDir dir(QStringLiteral(WAGENWART_FIXTURES "/fuzz/archive"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    int accepted = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto entries = parseArchive(readBytes(dir.filePath(name)));
        if (!entries) continue;
        ++accepted;
        std::string again;
        for (const ArchiveEntry& e : *entries) {
            EXPECT_TRUE(isStorableName(e.name));
            EXPECT_TRUE(e.path.empty() || e.path.back() == '\\');
            for (std::size_t start = 0; start < e.path.size();) { // no "..", no drive, no empty level
                const std::size_t slash = e.path.find('\\', start);
                EXPECT_TRUE(isStorableName(std::string_view(e.path).substr(start, slash - start))) << e.path;
                start = slash + 1;
            }
            again += archiveEntryBytes(e.path, e.name, e.data);
        }
        const auto reread = parseArchive(again);
        ASSERT_TRUE(reread.has_value());
        ASSERT_EQ(reread->size(), entries->size());
        for (std::size_t i = 0; i < entries->size(); ++i) {
            EXPECT_EQ((*reread)[i].path, (*entries)[i].path);
            EXPECT_EQ((*reread)[i].name, (*entries)[i].name);
            EXPECT_EQ((*reread)[i].data, (*entries)[i].data);
        }
    }
    // The seeds hold well-formed archives as well as refused ones.
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, files.size());
}

} // namespace
