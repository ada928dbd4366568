#pragma once
// Every file of the program reaches the disk through this helper: whole, or not at all.

#include <QString>

#include <string_view>

enum class AtomicSaveResult { Ok, OpenFailed, WriteFailed };

// Writes `bytes` to `path` through a temporary file that replaces the old file only after every
// byte was written and flushed. On failure the old file stays as it was, byte for byte, and
// `reason` (when given) receives the system's reason.
[[nodiscard]] AtomicSaveResult saveFileAtomically(const QString& path, std::string_view bytes, QString* reason = nullptr);
