#include "store/mlb2.h"

#include "store/atomic_file.h"
#include "store/number_text.h"
#include "store/text_case.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

char foldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

bool onlySpaces(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

// Splits one line into its items: the unescaped bytes of all items back to back in `bytes`,
// the end of each item in `ends`. CR bytes are no bytes of the line: one before LF belongs to the
// line end, any other is dropped.
void splitLine(std::string_view line, std::string& bytes, std::vector<std::uint32_t>& ends) {
    bytes.clear();
    ends.clear();
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        // Fast path: copy the plain stretch up to the next special byte.
        const char* q = p;
        while (q < end && *q != ';' && *q != '\\' && *q != '\r') ++q;
        bytes.append(p, static_cast<std::size_t>(q - p));
        p = q;
        if (p >= end) break;
        const char c = *p++;
        if (c == ';') {
            ends.push_back(static_cast<std::uint32_t>(bytes.size()));
        } else if (c == '\\') {
            const char* x = p;
            while (x < end && *x == '\r') ++x;
            if (x >= end) {
                bytes.push_back('\\');
                p = x;
            } else if (*x == 'n' || *x == 'N') {
                bytes.append("\r\n");
                p = x + 1;
            } else {
                bytes.push_back(*x);
                p = x + 1;
            }
        }
    }
    ends.push_back(static_cast<std::uint32_t>(bytes.size()));
}

template <typename Key, typename Less>
void quickSort(std::vector<TableRow>& rows, std::vector<Key>& keys, int lo, int hi, Less less) {
    // The partition scheme fixes the order of equal keys; the two halves are disjoint, so
    // sorting the smaller one first (to bound the stack) gives the same result.
    while (lo < hi) {
        const Key pivot = keys[static_cast<std::size_t>((lo + hi) / 2)];
        int i = lo;
        int j = hi;
        do {
            while (less(keys[static_cast<std::size_t>(i)], pivot)) ++i;
            while (less(pivot, keys[static_cast<std::size_t>(j)])) --j;
            if (i <= j) {
                if (i != j) {
                    std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
                    std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j) quickSort(rows, keys, lo, j, less);
            lo = i;
        } else {
            if (i < hi) quickSort(rows, keys, i, hi, less);
            hi = j;
        }
    }
}

} // namespace

// ---- TMlb2ParseCSV ----

void TMlb2ParseCSV::AppendEscaped(std::string& out, std::string_view value) {
    const char* p = value.data();
    const char* const end = p + value.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n' && *q != '\\' && *q != ';') ++q;
        out.append(p, static_cast<std::size_t>(q - p));
        if (q >= end) break;
        switch (*q) {
        case '\r':
            out.append("\\n");
            break;
        case '\n':
            break;
        case '\\':
            out.append("\\\\");
            break;
        default:
            out.append("\\;");
            break;
        }
        p = q + 1;
    }
}

std::string TMlb2ParseCSV::EscapeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 4);
    AppendEscaped(out, value);
    return out;
}

// ---- TMlb2 ----

TMlb2::TMlb2() {
    m_matcher.KeepSpaces = true;
    m_matcher.CaseSensitive = false;
    m_matcher.UseWildcards = true;
}

int TMlb2::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (sameName(m_fields[i], name)) return static_cast<int>(i);
    return -1;
}

bool TMlb2::AddField(std::string_view name) {
    if (onlySpaces(name) || FieldIndex(name) >= 0) return false;
    m_fields.emplace_back(name);
    for (auto& row : m_rows) row.appendEmpty();
    return true;
}

bool TMlb2::DeleteField(std::string_view name) {
    const int idx = FieldIndex(name);
    if (idx < 0) return false;
    m_fields.erase(m_fields.begin() + idx);
    for (auto& row : m_rows) row.erase(static_cast<std::size_t>(idx));
    return true;
}

bool TMlb2::HasFieldExactly(std::string_view name) const {
    for (const std::string& f : m_fields)
        if (f == name) return true;
    return false;
}

std::string TMlb2::FieldName(int n) const {
    if (n < 1 || n > FieldCount()) return {};
    return m_fields[static_cast<std::size_t>(n - 1)];
}

bool TMlb2::AppendRow() {
    m_rows.emplace_back(m_fields.size());
    return Last();
}

bool TMlb2::DeleteRow(int n) {
    if (n < 1 || n > RowCount()) return false;
    m_rows.erase(m_rows.begin() + (n - 1));
    return true;
}

bool TMlb2::DeleteCurrentRow() {
    if (!hasCurrentRow()) {
        Last();
        return false;
    }
    DeleteRow(m_cursor);
    if (!hasCurrentRow()) Last();
    return true;
}

void TMlb2::resetCursorState() {
    m_cursor = 0;
    m_mark = -1;
    m_bof = m_eof = true;
    m_searchArmed = false;
}

void TMlb2::clearError() {
    m_errorCode = 0;
    m_errorText.clear();
    m_errorReason.clear();
}

void TMlb2::ClearRows() {
    m_rows.clear();
    resetCursorState();
    clearError();
}

void TMlb2::Clear() {
    m_fields.clear();
    ClearRows();
}

bool TMlb2::First() {
    if (m_rows.empty()) {
        m_cursor = 0;
        m_bof = m_eof = true;
        return false;
    }
    m_cursor = 1;
    m_bof = m_eof = false;
    return true;
}

bool TMlb2::Last() {
    if (m_rows.empty()) return First();
    m_cursor = RowCount();
    m_bof = m_eof = false;
    return true;
}

bool TMlb2::Next() {
    if (m_rows.empty() || m_cursor >= RowCount()) {
        m_eof = true;
        m_bof = m_rows.empty();
        return false;
    }
    ++m_cursor;
    m_bof = m_eof = false;
    return true;
}

bool TMlb2::Prior() {
    if (m_rows.empty() || m_cursor <= 1) {
        m_bof = true;
        m_eof = m_rows.empty();
        return false;
    }
    --m_cursor;
    m_bof = m_eof = false;
    return true;
}

bool TMlb2::GoToRow(int n) {
    if (n < 1 || n > RowCount()) {
        m_bof = m_eof = true;
        return false;
    }
    m_cursor = n;
    m_bof = m_eof = false;
    return true;
}

bool TMlb2::MarkPosition() {
    if (!hasCurrentRow()) return false;
    m_mark = m_cursor;
    return true;
}

bool TMlb2::ReturnToMark() {
    if (m_mark < 1 || m_mark > RowCount()) return false;
    m_cursor = m_mark;
    return true;
}

std::string TMlb2::GetValue(std::string_view field) const {
    if (!hasCurrentRow()) return {};
    return ValueAt(m_cursor, FieldIndex(field));
}

std::string_view TMlb2::ViewAt(int row, int fieldIndex) const {
    if (row < 1 || row > RowCount() || fieldIndex < 0 || fieldIndex >= FieldCount()) return {};
    return m_rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(fieldIndex)];
}

bool TMlb2::SetValue(std::string_view field, std::string value) {
    const int idx = FieldIndex(field);
    if (!hasCurrentRow() || idx < 0) return false;
    m_rows[static_cast<std::size_t>(m_cursor - 1)].set(static_cast<std::size_t>(idx), value);
    return true;
}

double TMlb2::GetFloat(std::string_view field) const {
    return TextToFloat(GetValue(field));
}

bool TMlb2::SetFloat(std::string_view field, double value) {
    return SetValue(field, FloatToText(value));
}

bool TMlb2::BeginSearch() {
    if (m_rows.empty()) return false;
    m_searchArmed = true;
    return true;
}

bool TMlb2::EndSearch() {
    if (m_rows.empty()) return false;
    if (!hasCurrentRow()) Last();
    m_searchArmed = false;
    return true;
}

bool TMlb2::Find(std::string_view field, std::string_view op, std::string_view value) {
    if (m_rows.empty()) return false;
    const int remembered = m_cursor;
    int start = m_cursor < 1 ? 1 : (m_searchArmed ? m_cursor : m_cursor + 1);
    const int idx = FieldIndex(field);

    enum class Op { Eq, Lt, Gt, Le, Ge, Like, None };
    Op o = Op::None;
    if (op == "=")
        o = Op::Eq;
    else if (op == "<")
        o = Op::Lt;
    else if (op == ">")
        o = Op::Gt;
    else if (op == "<=")
        o = Op::Le;
    else if (op == ">=")
        o = Op::Ge;
    else if (sameName(op, "LIKE"))
        o = Op::Like;

    int found = 0;
    if (o != Op::None) {
        for (int r = start; r <= RowCount() && found == 0; ++r) {
            const std::string_view v = ViewAt(r, idx);
            bool hit = false;
            switch (o) {
            case Op::Eq:
                hit = v == value;
                break;
            case Op::Lt:
                hit = v < value;
                break;
            case Op::Gt:
                hit = v > value;
                break;
            case Op::Le:
                hit = v <= value;
                break;
            case Op::Ge:
                hit = v >= value;
                break;
            case Op::Like:
                hit = m_matcher.Matches(value, v);
                break;
            case Op::None:
                break;
            }
            if (hit) found = r;
        }
    }
    m_searchArmed = false;
    if (found) {
        m_cursor = found;
        return true;
    }
    GoToRow(remembered);
    return false;
}

bool TMlb2::SortText(std::string_view field) {
    const int idx = FieldIndex(field);
    if (RowCount() < 2 || idx < 0) return false;
    // Views into the rows stay valid: sorting moves the row blocks, it does not change them.
    std::vector<std::string_view> keys;
    keys.reserve(m_rows.size());
    for (auto& row : m_rows) keys.push_back(row[static_cast<std::size_t>(idx)]);
    quickSort(m_rows, keys, 0, RowCount() - 1, [](std::string_view a, std::string_view b) { return a < b; });
    return true;
}

bool TMlb2::SortNumeric(std::string_view field) {
    const int idx = FieldIndex(field);
    if (RowCount() < 2 || idx < 0) return false;
    std::vector<double> keys;
    keys.reserve(m_rows.size());
    for (auto& row : m_rows) keys.push_back(TextToFloat(row[static_cast<std::size_t>(idx)]));
    quickSort(m_rows, keys, 0, RowCount() - 1, [](double a, double b) { return a < b; });
    return true;
}

void TMlb2::CopyFrom(const TMlb2& other) {
    if (&other == this) return;
    Clear();
    m_fields = other.m_fields;
    m_rows = other.m_rows;
    Last();
}

// ---- Files ----

namespace {

// Whether a value holds a byte that is written escaped (CR, LF, backslash, separator).
bool needsEscape(std::string_view bytes) {
    static constexpr auto special = [] {
        std::array<bool, 256> t{};
        t[static_cast<unsigned char>('\r')] = t[static_cast<unsigned char>('\n')] = true;
        t[static_cast<unsigned char>('\\')] = t[static_cast<unsigned char>(';')] = true;
        return t;
    }();
    bool any = false;
    for (const char c : bytes) any |= special[static_cast<unsigned char>(c)];
    return any;
}

// The file's bytes: the header line, then one line per row, appended to `out`. `blockDone` is
// asked after every line whether to go on; it may take the bytes out of `out` meanwhile.
template <typename BlockDone>
void appendTableBytes(const std::vector<std::string>& fields, const std::vector<TableRow>& rows, std::string& out,
                      BlockDone blockDone) {
    if (fields.empty()) return; // a table without fields is written as an empty file
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out.push_back(TMlb2::Separator);
        out += fields[i];
    }
    out.append("\r\n");
    if (!blockDone()) return;
    for (const auto& row : rows) {
        const std::size_t count = row.size();
        const std::string_view bytes = row.bytes();
        if (!needsEscape(bytes)) {
            // Most rows hold nothing to escape: their values are copied as they stand, with the
            // separators between them, into room made once for the whole line.
            const std::size_t at = out.size();
            out.resize(at + bytes.size() + (count ? count - 1 : 0) + 2);
            char* p = out.data() + at;
            for (std::size_t i = 0; i < count; ++i) {
                if (i) *p++ = TMlb2::Separator;
                const std::string_view value = row[i];
                if (!value.empty()) std::memcpy(p, value.data(), value.size());
                p += value.size();
            }
            p[0] = '\r';
            p[1] = '\n';
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                if (i) out.push_back(TMlb2::Separator);
                TMlb2ParseCSV::AppendEscaped(out, row[i]);
            }
            out.append("\r\n");
        }
        if (!blockDone()) return;
    }
}

} // namespace

std::string TMlb2::ToBytes() const {
    std::string out;
    if (m_fields.empty()) return out;
    std::size_t estimate = 2;
    for (const auto& f : m_fields) estimate += f.size() + 1;
    if (!m_rows.empty()) {
        std::size_t firstRow = 2;
        for (std::size_t i = 0; i < m_rows.front().size(); ++i) firstRow += m_rows.front()[i].size() + 2;
        estimate += firstRow * m_rows.size() + m_rows.size() * 8;
    }
    out.reserve(estimate);
    appendTableBytes(m_fields, m_rows, out, [] { return true; });
    return out;
}

bool TMlb2::SaveToFile(const QString& path) {
    clearError();
    // The file goes out in blocks of about kSaveBlockSize: a large table is never held a second
    // time as one string, whose pages alone cost a fifth of a save.
    const auto produce = [this](const SaveBlockWriter& write) {
        std::string block;
        block.reserve(2 * kSaveBlockSize);
        bool ok = true;
        appendTableBytes(m_fields, m_rows, block, [&] {
            if (block.size() < kSaveBlockSize) return true;
            ok = write(block);
            block.clear();
            return ok;
        });
        if (ok && !block.empty()) (void)write(block);
    };
    const AtomicSaveResult result = saveFileAtomically(path, produce, &m_errorReason);
    if (result == AtomicSaveResult::Ok) return true;
    m_errorCode = 3;
    m_errorText = result == AtomicSaveResult::WriteFailed
                      ? QStringLiteral("2-Unable to write the file: %1").arg(m_errorReason)
                      : QStringLiteral("1-Unable to open the file for writing");
    return false;
}

void TMlb2::appendParsedLine(std::string_view line, bool header) {
    thread_local std::string bytes;
    thread_local std::vector<std::uint32_t> ends;
    if (header) {
        // Line ends of CR alone make the header line swallow the whole file; a byte-order mark
        // makes the first name one that no lookup finds.
        const std::size_t cr = line.find('\r');
        if (cr != std::string_view::npos && line.find_first_not_of('\r', cr) != std::string_view::npos)
            m_loadedWhole = false;
        if (line.substr(0, 3) == "\xEF\xBB\xBF") m_loadedWhole = false;
        splitLine(line, bytes, ends);
        std::uint32_t begin = 0;
        for (std::size_t i = 0; i < ends.size(); ++i) {
            const std::string_view name = std::string_view(bytes).substr(begin, ends[i] - begin);
            // A refused name (repeated, or empty) shifts every later column; an empty one at the
            // end of the line shifts nothing.
            if (!AddField(name) && !(i + 1 == ends.size() && onlySpaces(name))) m_loadedWhole = false;
            begin = ends[i];
        }
        return;
    }
    // A line of nothing but spaces (CR bytes aside) adds no row.
    if (line.find_first_not_of(" \r") == std::string_view::npos) return;
    splitLine(line, bytes, ends);
    const std::size_t parts = std::min(ends.size(), m_fields.size()); // surplus items are dropped
    // ... and with them what they held: the bytes after the end of the last field's item.
    const std::uint32_t taken = parts == 0 ? 0 : ends[parts - 1];
    if (ends.size() > parts && ends.back() > taken) m_loadedWhole = false;
    m_rows.emplace_back(m_fields.size(), bytes, ends.data(), parts);
}

void TMlb2::LoadFromBytes(std::string_view bytes) {
    Clear();
    m_loadedWhole = true;
    if (const std::size_t eofMark = bytes.find('\x1a'); eofMark != std::string_view::npos) {
        // Reading ends at an end-of-file mark; only one that ends the file loses nothing.
        if (eofMark + 1 < bytes.size()) m_loadedWhole = false;
        bytes = bytes.substr(0, eofMark);
    }
    std::size_t pos = 0;
    bool header = true;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        appendParsedLine(bytes.substr(pos, end - pos), header);
        header = false;
        pos = end + 1;
    }
    Last();
}

bool TMlb2::LoadFromFile(const QString& path) {
    clearError();
    QFile file(path);
    // Only a regular file is read: a pipe or a device would hold the program up.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        m_errorReason = QStringLiteral("Es ist keine gewöhnliche Datei.");
        m_errorCode = 3;
        m_errorText = QStringLiteral("1-Unable to open the file for reading");
        return false;
    }
    if (path.trimmed().isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_errorReason = file.errorString();
        m_errorCode = 3;
        m_errorText = QStringLiteral("1-Unable to open the file for reading");
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        // A read that broke off would replace the table by a part of the file; keep the table.
        m_errorReason = file.errorString();
        m_errorCode = 3;
        m_errorText = QStringLiteral("2-Unable to read the file: %1").arg(m_errorReason);
        return false;
    }
    LoadFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}
