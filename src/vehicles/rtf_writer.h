#pragma once
// A small RTF writer: what the report window shows, as a rich-text file that word processors read.
// Paragraphs, bold, font size and first-line indent; characters of Windows-1252 as \'xx, every
// other character as \uN? (UTF-16 units); "\", "{" and "}" escaped; tabs and line breaks as the
// RTF words \tab and \line.

#include <QList>
#include <QString>

#include <string>
#include <vector>

class QTextDocument;
struct ReportParagraph;

// The RTF text of the whole document (7-bit ASCII, CR LF at the end of each paragraph).
std::string writeRtf(const QTextDocument& document);

// Fills `document` with the report's paragraphs: Arial, the sizes and the bold title of the
// paragraphs, first-line indents in points.
void fillReportDocument(QTextDocument& document, const std::vector<ReportParagraph>& paragraphs);
