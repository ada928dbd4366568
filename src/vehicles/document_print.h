#pragma once
// Printing a text document (a note, the cost report) through the printer seam: the print dialog,
// then one job per copy, each on portrait pages with margins of 1 inch left, top and bottom and
// 3/4 inch right.

#include <QRect>
#include <QString>

#include <optional>

class PrinterSeam;
class Prompts;
class QTextDocument;
class QWidget;
struct DeviceMetrics;

// The page area in the coordinates of a job's painter (origin at the printable area's corner),
// from the paper's edges: 1 inch left and top, 3/4 inch right, 1 inch bottom. The paper is taken
// to have the same hardware margin on the right as on the left and at the bottom as at the top; a
// margin inside the hardware margin is cut to the printable area.
QRect documentPageArea(const DeviceMetrics& metrics);

// Shows the print dialog with the document's page count; on "OK" prints the chosen pages once per
// copy, each copy a job named `title`. A job that cannot be started or finished is said through
// `prompts`; false then. Cancelling is no failure.
bool printTextDocument(PrinterSeam& printer, Prompts& prompts, QWidget* parent, const QTextDocument& document,
                       const QString& title);
