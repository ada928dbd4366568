#pragma once
// Table values are Windows-1252 bytes, exactly as in the files; windows show QString.
// These two functions are the only crossing between the two.

#include <QString>

#include <string>
#include <string_view>

QString toDisplay(std::string_view bytes);
// A character that Windows-1252 lacks becomes "?".
std::string fromDisplay(const QString& text);
