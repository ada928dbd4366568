#include "backup/backup_archive.h"

#include "core/app_state.h"
#include "store/atomic_file.h"
#include "store/code_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

// A file to be added: where it is, and the path and name the archive gives it.
struct ListedFile {
    QString fullPath;
    std::string path;
    std::string name;
    std::int64_t size = 0; // as listed
};

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString notWrittenMessage(const QString& what) {
    return what + u"\rEs wurde keine Datensicherung angelegt."_s;
}

// The Windows-1252 bytes of a name, or nullopt when the code page lacks one of its characters.
std::optional<std::string> codePageName(const QString& name) {
    std::string bytes = fromDisplay(name);
    if (toDisplay(bytes) != name) return std::nullopt;
    return bytes;
}

// Lists `dir` by name (letter case ignored, as the system of the archive's origin lists), a
// subdirectory's files at the point where it is met. A link to a directory is not followed: it
// could lead back up.
std::optional<QString> listFiles(const QString& dir, const std::string& path, std::vector<ListedFile>& out) {
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : entries) {
        const QString full = info.filePath();
        const std::optional<std::string> name = codePageName(info.fileName());
        if (!name)
            return notWrittenMessage(
                u"Der Name %1 enthält Zeichen, die eine Datensicherung nicht aufnehmen kann."_s.arg(native(full)));
        if (info.isDir() && !info.isSymLink()) {
            const std::string sub = path + *name + '\\';
            if (sub.size() > kArchiveMaxNameBytes)
                return notWrittenMessage(
                    u"Der Pfad %1 ist länger als 255 Zeichen und passt nicht in eine Datensicherung."_s.arg(
                        native(full)));
            if (auto failure = listFiles(full, sub, out)) return failure;
            continue;
        }
        if (info.isDir()) continue;
        if (name->size() > kArchiveMaxNameBytes)
            return notWrittenMessage(
                u"Der Name %1 ist länger als 255 Zeichen und passt nicht in eine Datensicherung."_s.arg(native(full)));
        out.push_back({full, path, *name, info.size()});
    }
    return std::nullopt;
}

void appendInt32(std::string& out, std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void appendHeader(std::string& out, std::string_view path, std::string_view name, std::int64_t size,
                  std::int64_t compressed) {
    out.push_back(static_cast<char>(path.size()));
    out.append(path);
    out.push_back(static_cast<char>(name.size()));
    out.append(name);
    appendInt32(out, size);
    appendInt32(out, compressed);
}

// A zlib stream at the default level, fed block by block.
class Deflater {
public:
    Deflater() { m_ok = deflateInit(&m_z, Z_DEFAULT_COMPRESSION) == Z_OK; }
    ~Deflater() { deflateEnd(&m_z); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool ok() const { return m_ok; }
    // Ready for the next stream, with the memory of the last one.
    void reset() { m_ok = m_ok && deflateReset(&m_z) == Z_OK; }
    void feed(const char* data, std::size_t size, std::string& out) { run(data, size, Z_NO_FLUSH, out); }
    void finish(std::string& out) { run(nullptr, 0, Z_FINISH, out); }

private:
    void run(const char* data, std::size_t size, int flush, std::string& out) {
        m_z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        m_z.avail_in = static_cast<uInt>(size);
        for (;;) {
            // Through a buffer of its own: only what the compressor gives is appended.
            m_z.next_out = reinterpret_cast<Bytef*>(m_buffer.data());
            m_z.avail_out = static_cast<uInt>(m_buffer.size());
            const int rc = deflate(&m_z, flush);
            out.append(m_buffer.data(), m_buffer.size() - m_z.avail_out);
            if (rc == Z_STREAM_ERROR) {
                m_ok = false;
                return;
            }
            if (flush == Z_FINISH ? rc == Z_STREAM_END : (m_z.avail_in == 0 && m_z.avail_out != 0)) return;
        }
    }

    std::array<char, 16384> m_buffer{};
    z_stream m_z{};
    bool m_ok = false;
};

// Adds one file: read in blocks, each fed to the compressor and reported, then header and stream.
std::optional<QString> addFile(const ListedFile& file, std::string& archive, Deflater& deflater,
                               const ArchiveEvents& events) {
    if (events.compressing) events.compressing(file.fullPath);
    const auto unreadable = [&](const QString& reason) {
        return notWrittenMessage(u"Die Datei %1 konnte nicht gelesen werden.\r%2"_s.arg(native(file.fullPath), reason));
    };
    // A pipe or a device would hold the backup up, or never end.
    struct stat st {};
    if (::stat(QFile::encodeName(file.fullPath).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return unreadable(notARegularFileReason());
    QFile in(file.fullPath);
    if (!in.open(QIODevice::ReadOnly)) return unreadable(in.errorString());
    const std::int64_t size = in.size();
    if (size > kArchiveMaxFileSize)
        return notWrittenMessage(
            u"Die Datei %1 ist größer als 2 GB und passt nicht in eine Datensicherung."_s.arg(native(file.fullPath)));

    // The stream goes straight behind the header, whose sizes are filled in at the end.
    appendHeader(archive, file.path, file.name, 0, 0);
    const std::size_t sizes = archive.size() - 8;
    deflater.reset();
    if (!deflater.ok()) return unreadable(u"Der Kompressor konnte nicht gestartet werden."_s);
    std::array<char, kArchiveBlockSize> block{};
    std::int64_t done = 0;
    for (;;) {
        const qint64 n = in.read(block.data(), static_cast<qint64>(block.size()));
        if (n < 0) return unreadable(in.errorString());
        if (n == 0) break;
        done += n;
        if (done > kArchiveMaxFileSize)
            return notWrittenMessage(u"Die Datei %1 ist größer als 2 GB und passt nicht in eine Datensicherung."_s.arg(
                native(file.fullPath)));
        deflater.feed(block.data(), static_cast<std::size_t>(n), archive);
        if (events.progress) events.progress(done, std::max(size, done));
    }
    // An empty file has no stream at all.
    if (done == 0) return std::nullopt;
    deflater.finish(archive);
    if (!deflater.ok()) return unreadable(u"Der Kompressor hat einen Fehler gemeldet."_s);
    std::string filled;
    appendInt32(filled, done);
    appendInt32(filled, static_cast<std::int64_t>(archive.size() - sizes - 8));
    archive.replace(sizes, 8, filled);
    return std::nullopt;
}

std::int32_t readInt32(const unsigned char* p) {
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(v);
}

// Inflates `stream` into exactly `size` bytes; false when it gives more or less, is damaged, or
// has bytes after its end.
bool inflateExactly(std::string_view stream, std::int64_t size, std::string& out) {
    // Deflate never packs more than 1032 bytes into one: a larger claim is a lie, and is refused
    // before its memory is taken.
    if (size / 1032 > static_cast<std::int64_t>(stream.size())) return false;
    out.resize(static_cast<std::size_t>(size));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(size);
    int rc = inflate(&z, Z_FINISH);
    // A full output buffer with the stream still going: one more byte shows whether it would
    // give more than its size.
    if (rc == Z_BUF_ERROR && z.avail_out == 0 && z.avail_in > 0) {
        unsigned char extra = 0;
        z.next_out = &extra;
        z.avail_out = 1;
        rc = inflate(&z, Z_FINISH);
        if (z.avail_out == 0) rc = Z_DATA_ERROR;
    }
    const bool exact = rc == Z_STREAM_END && z.total_out == static_cast<uLong>(size) && z.avail_in == 0;
    inflateEnd(&z);
    return exact;
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

QString ArchiveEntry::relativePath() const {
    QString out = toDisplay(path);
    out.replace(u'\\', u'/');
    return out + toDisplay(name);
}

std::optional<QString> compressDirectory(const QString& dir, const QString& target, const ArchiveEvents& events) {
    // Every name is checked before a single file is read, and the archive is written in one piece
    // only when every file is in it.
    std::vector<ListedFile> files;
    if (auto failure = listFiles(dir, std::string(), files)) return failure;
    std::string archive;
    std::int64_t total = 0;
    for (const ListedFile& file : files) total += file.size;
    archive.reserve(static_cast<std::size_t>(total / 3) + 64 * files.size()); // data files pack to about a quarter
    Deflater deflater;
    for (const ListedFile& file : files)
        if (auto failure = addFile(file, archive, deflater, events)) return failure;
    QString reason;
    if (saveFileAtomically(target, archive, &reason) != AtomicSaveResult::Ok)
        return u"Die Datei %1 konnte nicht gespeichert werden.\r%2"_s.arg(native(target), reason);
    return std::nullopt;
}

std::string archiveEntryBytes(std::string_view path, std::string_view name, std::string_view data) {
    std::string out;
    if (data.empty()) {
        appendHeader(out, path, name, 0, 0);
        return out;
    }
    std::string stream;
    Deflater deflater;
    for (std::size_t pos = 0; pos < data.size(); pos += kArchiveBlockSize)
        deflater.feed(data.data() + pos, std::min(kArchiveBlockSize, data.size() - pos), stream);
    deflater.finish(stream);
    appendHeader(out, path, name, static_cast<std::int64_t>(data.size()), static_cast<std::int64_t>(stream.size()));
    out.append(stream);
    return out;
}

bool isStorableName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr) return false;
    }
    if (name.back() == ' ' || name.back() == '.') return false;
    // The device names of Windows, alone or with an extension.
    const std::string stem = lowerAscii(name.substr(0, name.find('.')));
    static const std::set<std::string> devices = {"con", "prn", "aux", "nul"};
    if (devices.count(stem)) return false;
    if (stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) && stem[3] >= '1' && stem[3] <= '9')
        return false;
    return true;
}

std::optional<std::vector<ArchiveEntry>> parseArchive(std::string_view bytes) {
    std::vector<ArchiveEntry> entries;
    std::set<std::string> files, folders; // in lower case, with "\" between the levels
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t pos = 0;
    const std::size_t end = bytes.size();
    while (pos < end) {
        ArchiveEntry entry;
        const std::size_t pathSize = data[pos++];
        if (end - pos < pathSize + 1) return std::nullopt;
        entry.path.assign(bytes.substr(pos, pathSize));
        pos += pathSize;
        const std::size_t nameSize = data[pos++];
        if (end - pos < nameSize + 8) return std::nullopt;
        entry.name.assign(bytes.substr(pos, nameSize));
        pos += nameSize;
        const std::int32_t size = readInt32(data + pos);
        const std::int32_t compressed = readInt32(data + pos + 4);
        pos += 8;
        if (size < 0 || compressed < 0 || end - pos < static_cast<std::size_t>(compressed)) return std::nullopt;

        // The path: relative, each level a storable name followed by "\".
        if (!isStorableName(entry.name)) return std::nullopt;
        if (!entry.path.empty() && entry.path.back() != '\\') return std::nullopt;
        std::string folder;
        for (std::size_t start = 0; start < entry.path.size();) {
            const std::size_t slash = entry.path.find('\\', start);
            const std::string_view level = std::string_view(entry.path).substr(start, slash - start);
            if (!isStorableName(level)) return std::nullopt;
            folder += lowerAscii(level);
            if (files.count(folder)) return std::nullopt; // a file of that name is there already
            folders.insert(folder);
            folder += '\\';
            start = slash + 1;
        }
        const std::string key = lowerAscii(entry.path) + lowerAscii(entry.name);
        if (folders.count(key) || !files.insert(key).second) return std::nullopt;

        const std::string_view stream = bytes.substr(pos, static_cast<std::size_t>(compressed));
        pos += static_cast<std::size_t>(compressed);
        if (compressed == 0) {
            if (size != 0) return std::nullopt;
        } else if (!inflateExactly(stream, size, entry.data)) {
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

QString invalidArchiveMessage(const QString& archivePath) {
    return u"Die Datei %1 ist keine gültige Datensicherung."_s.arg(native(archivePath));
}

ArchiveRead readArchive(const QString& archivePath) {
    ArchiveRead out;
    QByteArray bytes;
    QString reason;
    if (!readDataFile(archivePath, bytes, &reason)) {
        out.error = u"Die Datei %1 konnte nicht gelesen werden.\r%2"_s.arg(native(archivePath), reason);
        return out;
    }
    auto entries = parseArchive(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!entries) {
        out.error = invalidArchiveMessage(archivePath);
        return out;
    }
    out.entries = std::move(*entries);
    return out;
}
