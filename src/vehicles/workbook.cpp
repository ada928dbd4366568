#include "vehicles/workbook.h"

#include "store/atomic_file.h"
#include "vehicles/workbook_writers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QXmlStreamReader>

#include <unzip.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace workbook_detail {

const WorkbookColumn& columnAt(const WorkbookSheet& sheet, std::size_t index) {
    static const WorkbookColumn plain;
    return index < sheet.columns.size() ? sheet.columns[index] : plain;
}

QString cellText(const QString& text) {
    QString out;
    out.reserve(std::min(text.size(), kMaxTextLength));
    for (qsizetype i = 0; i < text.size() && out.size() < kMaxTextLength; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c == u'\t') {
            out += u' ';
        } else if (c == u'\n' || (c.unicode() >= 0x20 && c.unicode() != 0x7F && c.unicode() < 0xFFFE)) {
            out += c;
        }
    }
    // A cut between the halves of a surrogate pair would leave half a character.
    if (out.size() == kMaxTextLength && out.back().isHighSurrogate()) out.chop(1);
    return out;
}

NumberStyle numberStyleOf(const WorkbookCell& cell, const WorkbookColumn& column) {
    if (const auto* n = std::get_if<WorkbookNumber>(&cell)) return {std::clamp(n->decimals, 0, 10), n->currency};
    return {std::clamp(column.decimals, 0, 10), column.currency};
}

std::vector<double> columnWidths(const WorkbookSheet& sheet) {
    std::size_t count = sheet.columns.size();
    for (const auto& row : sheet.rows) count = std::max(count, row.size());
    std::vector<qsizetype> longest(count, 0);
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
        // Bold type is a little wider.
        longest[c] = static_cast<qsizetype>(std::ceil(sheet.columns[c].header.size() * 1.1));
    }
    for (const auto& row : sheet.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const WorkbookColumn& column = columnAt(sheet, c);
            qsizetype length = 0;
            if (const auto* text = std::get_if<QString>(&row[c])) {
                // The longest line of a text; a line break makes the row taller, not the column wider.
                qsizetype line = 0;
                for (const QChar ch : *text) {
                    line = ch == u'\n' || ch == u'\r' ? 0 : line + 1;
                    length = std::max(length, line);
                }
            } else if (!std::holds_alternative<std::monostate>(row[c])) {
                length = workbookCellText(row[c], column).size();
            }
            longest[c] = std::max(longest[c], length);
        }
    }
    std::vector<double> widths(count);
    for (std::size_t c = 0; c < count; ++c) widths[c] = std::clamp(static_cast<double>(longest[c]) + 2, 4.0, 60.0);
    return widths;
}

QString writeFailureReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return saveFailureReason(ENOSPC);
    case EFBIG:
        return u"Die Datei wird zu groß für diesen Datenträger."_s;
    case EACCES:
    case EPERM:
        return u"Es fehlt die Berechtigung, in diesem Ordner zu schreiben."_s;
    case EROFS:
        return u"Der Datenträger ist schreibgeschützt."_s;
    case 0:
        return u"Die Datei konnte nicht vollständig geschrieben werden."_s;
    default:
        return saveFailureReason(errorNumber);
    }
}

} // namespace workbook_detail

using namespace workbook_detail;

namespace {

// "1234567.891" with `decimals` decimals as "1.234.567,89".
QString germanNumber(double value, int decimals) {
    QString digits = QString::number(std::abs(value), 'f', decimals);
    const qsizetype point = digits.indexOf(u'.');
    QString whole = point < 0 ? digits : digits.left(point);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, u'.');
    QString text = point < 0 ? whole : whole + u',' + digits.mid(point + 1);
    const bool zero = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c == u'0' || c == u'.'; });
    if (value < 0 && !zero) text.prepend(u'-');
    return text;
}

// A name for the temporary file beside `target`: hidden, with six random letters.
QString temporaryName(const QString& target) {
    const QFileInfo info(target);
    static constexpr char16_t letters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString random;
    for (int i = 0; i < 6; ++i) random += QChar(letters[QRandomGenerator::global()->bounded(52)]);
    return info.absolutePath() + u"/."_s + info.fileName() + u'.' + random;
}

// Creates an empty temporary file beside `target` (new, never over another file); its name, or an
// empty text with the reason.
QString createTemporary(const QString& target, QString& reason) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QString name = temporaryName(target);
        QFile file(name);
        errno = 0;
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return name;
        const int errorNumber = errno;
        if (errorNumber == EEXIST) continue; // that name was taken: another one
        reason = errorNumber != 0 ? writeFailureReason(errorNumber) : file.errorString();
        return {};
    }
    reason = u"Im Ordner konnte keine temporäre Datei angelegt werden."_s;
    return {};
}

// Whether the file is a complete package: its directory at the end can be read, every entry
// inflates with the right checksum, and every XML part is well-formed to its last element.
// libxlsxwriter writes each sheet to a temporary file first and does not look at the result of
// those writes: a sheet cut short by a full disk or a size limit would otherwise be packed as if
// it were whole.
bool isCompletePackage(const QString& path) {
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip) return false;
    bool complete = true;
    int entries = 0;
    for (int step = unzGoToFirstFile(zip); complete && step == UNZ_OK; step = unzGoToNextFile(zip)) {
        ++entries;
        char name[512] = {};
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name - 1, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzOpenCurrentFile(zip) != UNZ_OK) {
            complete = false;
            break;
        }
        QByteArray bytes;
        char block[64 * 1024];
        int read = 0;
        while ((read = unzReadCurrentFile(zip, block, sizeof block)) > 0) bytes.append(block, read);
        // Closing checks the checksum of what was read.
        complete = read == 0 && unzCloseCurrentFile(zip) == UNZ_OK &&
                   static_cast<ZPOS64_T>(bytes.size()) == info.uncompressed_size;
        const QByteArrayView entry(name);
        if (complete && (entry.endsWith(".xml") || entry.endsWith(".rels"))) {
            QXmlStreamReader xml(bytes);
            while (!xml.atEnd()) xml.readNext();
            complete = !xml.hasError();
        }
    }
    unzClose(zip);
    return complete && entries > 0;
}

// Puts the file's bytes on the disk before it replaces the old one; false with the reason.
bool syncToDisk(const QString& path, QString& reason) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    Q_UNUSED(reason);
    return true;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        reason = file.errorString();
        return false;
    }
    errno = 0;
    if (::fsync(file.handle()) != 0) {
        reason = writeFailureReason(errno);
        return false;
    }
    return true;
#endif
}

// Why `path` cannot be written at all, before anything is made; empty when it may be.
QString refusal(const QString& path) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (target.fileName().isEmpty()) return u"Es wurde kein Dateiname angegeben."_s;
    if (!folder.isDir())
        return u"Der Ordner %1 ist nicht vorhanden."_s.arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (target.isDir()) return u"Unter diesem Namen gibt es schon einen Ordner."_s;
    if (target.exists()) {
        if (!target.isFile()) return notARegularFileReason();
        if (!target.isWritable()) return u"Die vorhandene Datei ist schreibgeschützt."_s;
    }
    return {};
}

// Sheet names the formats refuse: an invalid one, or one that another sheet has (letter case
// ignored, as both programs do).
QString sheetNameRefusal(const Workbook& book) {
    QSet<QString> seen;
    for (const WorkbookSheet& sheet : book.sheets) {
        if (sheet.name != sheetName(sheet.name)) return u"Der Tabellenname \"%1\" ist ungültig."_s.arg(sheet.name);
        if (!sheet.rows.empty() && sheet.rows.size() + 1 > kMaxRows)
            return u"Die Tabelle \"%1\" hat zu viele Zeilen."_s.arg(sheet.name);
        if (sheet.columns.size() > kMaxColumns) return u"Die Tabelle \"%1\" hat zu viele Spalten."_s.arg(sheet.name);
        for (const auto& row : sheet.rows)
            if (row.size() > kMaxColumns) return u"Die Tabelle \"%1\" hat zu viele Spalten."_s.arg(sheet.name);
        const QString key = sheet.name.toCaseFolded();
        if (seen.contains(key)) return u"Der Tabellenname \"%1\" kommt zweimal vor."_s.arg(sheet.name);
        seen.insert(key);
    }
    if (book.sheets.empty()) return u"Die Arbeitsmappe enthält keine Tabelle."_s;
    return {};
}

} // namespace

QString workbookSuffix(WorkbookFormat format) {
    return format == WorkbookFormat::Xlsx ? u".xlsx"_s : u".ods"_s;
}

QString sheetName(const QString& name) {
    QString out;
    for (const QChar c : name) {
        const bool refused = c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"[]:*?/\\").contains(c);
        out += refused ? u'_' : c;
    }
    // Excel refuses an apostrophe at either end.
    if (out.startsWith(u'\'')) out[0] = u'_';
    if (out.size() > 31) out.truncate(out[30].isHighSurrogate() ? 30 : 31);
    if (out.endsWith(u'\'')) out.back() = u'_';
    return out.isEmpty() ? u"Tabelle"_s : out;
}

QString workbookCellText(const WorkbookCell& cell, const WorkbookColumn& column) {
    if (const auto* text = std::get_if<QString>(&cell)) return *text;
    if (const auto* date = std::get_if<QDate>(&cell)) return date->toString(u"dd.MM.yyyy");
    if (std::holds_alternative<double>(cell) || std::holds_alternative<WorkbookNumber>(cell)) {
        const double value =
            std::holds_alternative<double>(cell) ? std::get<double>(cell) : std::get<WorkbookNumber>(cell).value;
        if (!std::isfinite(value)) return {};
        const NumberStyle style = numberStyleOf(cell, column);
        const QString number = germanNumber(value, style.decimals);
        return style.currency.isEmpty() ? number : number + u' ' + style.currency;
    }
    return {};
}

QString writeWorkbook(const QString& path, const Workbook& book, WorkbookFormat format) {
    if (QString refused = refusal(path); !refused.isEmpty()) return refused;
    if (QString refused = sheetNameRefusal(book); !refused.isEmpty()) return refused;

    const QString target = QFileInfo(path).absoluteFilePath();
    QString reason;
    const QString temporary = createTemporary(target, reason);
    if (temporary.isEmpty()) return reason;
    auto giveUp = [&](QString why) {
        QFile::remove(temporary);
        return why.isEmpty() ? writeFailureReason(0) : why;
    };

    const bool written =
        format == WorkbookFormat::Xlsx ? writeXlsx(temporary, book, reason) : writeOds(temporary, book, reason);
    if (!written) return giveUp(reason);
    // A writer that lost a block without noticing leaves a package whose directory is missing.
    if (!isCompletePackage(temporary)) return giveUp(writeFailureReason(0));
    if (!syncToDisk(temporary, reason)) return giveUp(reason);
    // The new file gets the old one's permissions; a new name keeps the ones the system gave it.
    if (QFileInfo::exists(target)) QFile::setPermissions(temporary, QFile::permissions(target));

    std::error_code error;
    std::filesystem::rename(std::filesystem::path(temporary.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), error);
    if (error) return giveUp(writeFailureReason(error.value()));
    return {};
}
