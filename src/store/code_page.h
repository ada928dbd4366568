#pragma once
// Table values are Windows-1252 bytes, exactly as in the files; windows show QString.
// These two functions are the only crossing between the two.

#include <QString>

#include <string>
#include <string_view>

QString toDisplay(std::string_view bytes);
// A character that Windows-1252 lacks becomes "?".
std::string fromDisplay(const QString& text);

// What a user typed or pasted into a field, as it may enter a table: control characters are
// removed (the table's own reader stops at some of them, Ctrl-Z among them), except the line breaks
// of a field of several lines, which are stored as CR LF, and tabs where the field keeps them.
enum class TypedText { OneLine, Lines, LinesAndTabs };
std::string fromTyped(const QString& text, TypedText kind);
