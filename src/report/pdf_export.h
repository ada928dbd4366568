#pragma once
// The pages of a report as a PDF document: one A4 page per page picture, in the orientation the
// pages were prepared for, each picture drawn from the paper's corner at its own size.

#include "report/al_printer.h"

#include <QString>

#include <optional>
#include <string>

// The document's bytes; empty when the PDF writer could not draw.
std::string pdfDocument(const tPages& pages, const QString& title);
// Writes the document to `path`, whole or not at all. nullopt on success, else the message for
// the user: "Die Datei <path> konnte nicht gespeichert werden." and the system's reason.
[[nodiscard]] std::optional<QString> savePagesAsPdf(const tPages& pages, const QString& title, const QString& path);
