#pragma once
// TXorCipher — the protection of the logbook file: every byte XORed with a repeating key, byte i
// with key byte i mod the key's length. Nothing is added: no header, no length, no padding, so the
// same operation enciphers and deciphers.

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

class QIODevice;

// The key of every logbook file, the same for every vehicle and installation.
inline constexpr std::string_view LogbookKey = "qkrtvmmxppzbnkqaa";

class TXorCipher {
public:
    // XORs `size` bytes of `buffer` in place, byte i with key byte (i + offset) mod key length;
    // an empty key leaves the buffer as it is.
    static void XorBuffer(std::string_view key, char* buffer, std::size_t size, std::size_t offset = 0);
    // The same for a text, which is returned changed.
    static std::string XorText(std::string_view key, std::string text);
    // The same for a device from its current position to its end, written back over the same
    // bytes. False when reading or writing failed.
    static bool XorStream(std::string_view key, QIODevice& device);

    // The file's bytes XORed in place. The program reads and writes its logbook in memory and never
    // through these two, which leave the file plain until the second call; they are kept for
    // converting files by hand. False, with the system's reason in `reason`, when the file could not
    // be opened, read or written.
    static bool DecipherFile(std::string_view key, const QString& fileName, QString* reason = nullptr);
    static bool EncipherFile(std::string_view key, const QString& fileName, QString* reason = nullptr);
};
