#pragma once
// TMlb2 — the in-memory table behind every data file: named text fields, numbered rows (1-based),
// one cursor with Bof/Eof flags, search, two sorts and the semicolon file format.

#include "store/concordances.h"
#include "store/table_row.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// Escapes one value for the table file: CR becomes "\n", LF is dropped, "\" and ";" get a backslash.
class TMlb2ParseCSV {
public:
    static std::string EscapeValue(std::string_view value);
    static void AppendEscaped(std::string& out, std::string_view value);
};

class TMlb2 {
public:
    TMlb2();

    // Fields
    bool AddField(std::string_view name);
    bool DeleteField(std::string_view name);
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    std::string FieldName(int n) const;
    // 0-based index of the first field of that name (letter case ignored), or -1.
    int FieldIndex(std::string_view name) const;
    bool HasField(std::string_view name) const { return FieldIndex(name) >= 0; }
    // Whether a field of exactly this name exists, letter case counting (the upgrades of older
    // tables ask so).
    bool HasFieldExactly(std::string_view name) const;

    // Rows and cursor
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    bool IsEmpty() const { return m_rows.empty(); }
    bool AppendRow();
    bool DeleteRow(int n);
    bool DeleteCurrentRow();
    void ClearRows();
    void Clear();
    bool First();
    bool Last();
    bool Next();
    bool Prior();
    bool GoToRow(int n);
    int RowNumber() const { return m_cursor; }
    bool MarkPosition();
    bool ReturnToMark();
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }

    // Values of the current row
    std::string GetValue(std::string_view field) const;
    bool SetValue(std::string_view field, std::string value);
    double GetFloat(std::string_view field) const;
    bool SetFloat(std::string_view field, double value);
    // Value of any row by 1-based row number and 0-based field index, without moving the cursor;
    // the empty text outside the table. The view stays valid until that row is changed.
    std::string_view ViewAt(int row, int fieldIndex) const;
    std::string ValueAt(int row, int fieldIndex) const { return std::string(ViewAt(row, fieldIndex)); }

    // Search, sort, copy
    bool BeginSearch();
    bool EndSearch();
    bool Find(std::string_view field, std::string_view op, std::string_view value);
    bool SortText(std::string_view field);
    bool SortNumeric(std::string_view field);
    void CopyFrom(const TMlb2& other);

    // Files
    bool LoadFromFile(const QString& path);
    bool SaveToFile(const QString& path);
    // The file's bytes exactly as SaveToFile writes them.
    std::string ToBytes() const;
    // Replaces fields and rows by the content of a file's bytes (as LoadFromFile after opening).
    void LoadFromBytes(std::string_view bytes);
    // Whether the last load took the whole file. It did not when bytes followed an end-of-file
    // mark (Ctrl-Z), a row held items beyond the fields, the header had a name that was refused
    // (repeated or empty: the later columns shift) or a byte-order mark, or the header line
    // swallowed the whole file (line ends of CR alone). Saving such a table loses what was not taken.
    bool LoadedWhole() const { return m_loadedWhole; }

    int ErrorCode() const { return m_errorCode; }
    const QString& ErrorText() const { return m_errorText; }
    // The system's reason for the last failed load or save ("No space left on device").
    const QString& ErrorReason() const { return m_errorReason; }

    static constexpr char Separator = ';';

    TConcordances& Matcher() { return m_matcher; }

private:
    bool hasCurrentRow() const { return m_cursor >= 1 && m_cursor <= RowCount(); }
    void resetCursorState();
    void clearError();
    void appendParsedLine(std::string_view line, bool header);

    std::vector<std::string> m_fields;
    std::vector<TableRow> m_rows;
    int m_cursor = 0; // 0: before the first row; may exceed RowCount() after DeleteRow
    int m_mark = -1;  // -1: no mark
    bool m_bof = true;
    bool m_eof = true;
    bool m_searchArmed = false;
    bool m_loadedWhole = true;
    int m_errorCode = 0;
    QString m_errorText;
    QString m_errorReason;
    TMlb2ParseCSV m_escaper;
    TConcordances m_matcher;
};
