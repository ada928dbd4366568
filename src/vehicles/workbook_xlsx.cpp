// The Office Open XML writer (.xlsx), through libxlsxwriter.

#include "vehicles/workbook_writers.h"

#include <QFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <map>
#include <utility>

using namespace Qt::StringLiterals;

namespace workbook_detail {

namespace {

// Excel's number format code for `style`, in its neutral form ("#,##0.00 \"€\""): Excel shows it
// with the separators of the user's language.
QString formatCode(const NumberStyle& style) {
    QString code = u"#,##0"_s;
    if (style.decimals > 0) code += u'.' + QString(style.decimals, u'0');
    if (!style.currency.isEmpty()) code += u" \""_s + QString(style.currency).remove(u'"') + u'"';
    return code;
}

class XlsxWriter {
public:
    explicit XlsxWriter(const QString& path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_FALSE;
        options.use_zip64 = LXW_FALSE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        if (!m_book) return;
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_wrapped = workbook_add_format(m_book);
        format_set_text_wrap(m_wrapped);
        format_set_align(m_wrapped, LXW_ALIGN_VERTICAL_TOP);
        m_date = workbook_add_format(m_book);
        format_set_num_format(m_date, "DD.MM.YYYY");
    }
    ~XlsxWriter() {
        if (m_book) lxw_workbook_free(m_book); // only after a failure: nothing more is written
    }
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    bool write(const Workbook& book, QString& reason) {
        if (!m_book) {
            reason = u"Die Datei konnte nicht angelegt werden."_s;
            return false;
        }
        for (const WorkbookSheet& sheet : book.sheets)
            if (!writeSheet(sheet, reason)) return false;
        errno = 0;
        const lxw_error error = workbook_close(m_book);
        m_book = nullptr;
        if (error == LXW_NO_ERROR) return true;
        reason = failure(error, errno);
        return false;
    }

private:
    static QString failure(lxw_error error, int errorNumber) {
        if (errorNumber != 0) return writeFailureReason(errorNumber);
        return u"Die Datei konnte nicht geschrieben werden (%1)."_s.arg(QString::fromUtf8(lxw_strerror(error)));
    }

    lxw_format* numberFormat(const NumberStyle& style) {
        const auto key = std::make_pair(style.decimals, style.currency);
        auto found = m_numberFormats.find(key);
        if (found != m_numberFormats.end()) return found->second;
        lxw_format* format = workbook_add_format(m_book);
        format_set_num_format(format, formatCode(style).toUtf8().constData());
        m_numberFormats.emplace(key, format);
        return format;
    }

    bool check(lxw_error error, QString& reason) {
        if (error == LXW_NO_ERROR) return true;
        reason = failure(error, 0);
        return false;
    }

    bool writeSheet(const WorkbookSheet& sheet, QString& reason) {
        lxw_worksheet* ws = workbook_add_worksheet(m_book, sheet.name.toUtf8().constData());
        if (!ws) {
            reason = u"Die Tabelle \"%1\" konnte nicht angelegt werden."_s.arg(sheet.name);
            return false;
        }
        const std::vector<double> widths = columnWidths(sheet);
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const auto col = static_cast<lxw_col_t>(c);
            if (!check(worksheet_set_column(ws, col, col, widths[c], nullptr), reason)) return false;
        }
        worksheet_freeze_panes(ws, 1, 0);
        for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
            const QString header = cellText(sheet.columns[c].header);
            if (header.isEmpty()) continue;
            if (!check(worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), header.toUtf8().constData(), m_bold),
                       reason))
                return false;
        }
        lxw_row_t r = 1;
        for (const auto& row : sheet.rows) {
            for (std::size_t c = 0; c < row.size(); ++c)
                if (!writeCell(ws, r, static_cast<lxw_col_t>(c), row[c], columnAt(sheet, c), reason)) return false;
            ++r;
        }
        return true;
    }

    bool writeCell(lxw_worksheet* ws, lxw_row_t r, lxw_col_t c, const WorkbookCell& cell, const WorkbookColumn& column,
                   QString& reason) {
        if (const auto* text = std::get_if<QString>(&cell)) {
            const QString value = cellText(*text);
            if (value.isEmpty()) return true;
            lxw_format* format = value.contains(u'\n') ? m_wrapped : nullptr;
            return check(worksheet_write_string(ws, r, c, value.toUtf8().constData(), format), reason);
        }
        if (const auto* date = std::get_if<QDate>(&cell)) {
            if (!date->isValid()) return true;
            // Excel counts days from 1900 on; other dates stay what they look like.
            if (date->year() < 1900 || date->year() > 9999)
                return check(
                    worksheet_write_string(ws, r, c, date->toString(u"dd.MM.yyyy").toUtf8().constData(), nullptr),
                    reason);
            lxw_datetime when{date->year(), date->month(), date->day(), 0, 0, 0};
            return check(worksheet_write_datetime(ws, r, c, &when, m_date), reason);
        }
        double value = 0;
        if (const auto* number = std::get_if<double>(&cell))
            value = *number;
        else if (const auto* own = std::get_if<WorkbookNumber>(&cell))
            value = own->value;
        else
            return true; // empty
        if (!std::isfinite(value)) return true;
        return check(worksheet_write_number(ws, r, c, value, numberFormat(numberStyleOf(cell, column))), reason);
    }

    lxw_workbook* m_book = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_wrapped = nullptr;
    lxw_format* m_date = nullptr;
    std::map<std::pair<int, QString>, lxw_format*> m_numberFormats;
};

} // namespace

bool writeXlsx(const QString& path, const Workbook& book, QString& reason) {
    XlsxWriter writer(path);
    return writer.write(book, reason);
}

} // namespace workbook_detail
