// The repeating-key XOR of the logbook: byte-exact, its own inverse, nothing added; and its two
// file operations.

#include "logbook/xor_cipher.h"
#include "support/file_bytes.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Cipher, EveryByteIsXoredWithTheKeyByteOfItsPositionModSeventeen) {
    std::string text(40, '\0'); // zero bytes show the key itself
    text[3] = '\xE4';           // the "ä" of "geschäftl." in Windows-1252
    const std::string out = TXorCipher::XorText(LogbookKey, text);
    ASSERT_EQ(out.size(), text.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        EXPECT_EQ(out[i], static_cast<char>(text[i] ^ LogbookKey[i % 17])) << i;
    EXPECT_EQ(LogbookKey, "qkrtvmmxppzbnkqaa");
    EXPECT_EQ(out.substr(17, 17), std::string(LogbookKey));
    EXPECT_EQ(static_cast<unsigned char>(out[3]), 0xE4 ^ 't');
    EXPECT_EQ(TXorCipher::XorText(LogbookKey, out), text);
}

TEST(Cipher, EmptyKeyOrEmptyTextLeaveTheBytes) {
    EXPECT_EQ(TXorCipher::XorText("", "Nr;dat1"), "Nr;dat1");
    EXPECT_EQ(TXorCipher::XorText(LogbookKey, ""), "");
}

TEST(Cipher, StreamIsXoredFromItsPositionToItsEnd) {
    QByteArray bytes("Nr;dat1;dat2");
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadWrite));
    buffer.seek(3);
    ASSERT_TRUE(TXorCipher::XorStream(LogbookKey, buffer));
    EXPECT_EQ(bytes.left(3), QByteArray("Nr;"));
    EXPECT_EQ(bytes.mid(3).toStdString(), TXorCipher::XorText(LogbookKey, "dat1;dat2"));
}

TEST(Cipher, FileOperationsRoundTripAndKeepTheLength) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kfzfb.001"));
    const std::string plain = "Nr;art\r\n1;gesch\xE4"
                              "ftl.\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(plain.data(), static_cast<qsizetype>(plain.size()));
    }
    ASSERT_TRUE(TXorCipher::EncipherFile(LogbookKey, path));
    EXPECT_EQ(readBytes(path), TXorCipher::XorText(LogbookKey, plain));
    ASSERT_TRUE(TXorCipher::DecipherFile(LogbookKey, path));
    EXPECT_EQ(readBytes(path), plain);

    const QString empty = dir.filePath(QStringLiteral("leer"));
    QFile(empty).open(QIODevice::WriteOnly);
    ASSERT_TRUE(TXorCipher::DecipherFile(LogbookKey, empty));
    ASSERT_TRUE(TXorCipher::EncipherFile(LogbookKey, empty));
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

TEST(Cipher, FileThatIsNotThereOrNoRegularFileFailsWithItsReason) {
    QTemporaryDir dir;
    QString reason;
    EXPECT_FALSE(TXorCipher::DecipherFile(LogbookKey, dir.filePath(QStringLiteral("fehlt")), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("fehlt")))); // nothing is created
    reason.clear();
    EXPECT_FALSE(TXorCipher::EncipherFile(LogbookKey, dir.path(), &reason));
    EXPECT_FALSE(reason.isEmpty());
}

} // namespace
