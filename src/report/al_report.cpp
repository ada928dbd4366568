#include "report/al_report.h"

#include "core/clock.h"
#include "report/report_units.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <stdexcept>

namespace {

// Captions and texts keep their line breaks as CR LF (or a lone CR); the painter wants "\n".
QString drawnLines(QString text) {
    if (!text.contains(QLatin1Char('\r'))) return text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A text without line breaks and tabs is one line of its own width.
bool isSingleLine(const QString& text) {
    for (const QChar c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\t')) return false;
    return true;
}

int textFlags(const tAlControl& c) {
    int flags = Qt::AlignTop | Qt::TextExpandTabs;
    switch (c.Alignment) {
    case taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    if (c.WordWrap) flags |= Qt::TextWordWrap;
    return flags;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QSize paperSizeMM(tAlPaperSize paper) {
    switch (paper) {
    case alr_A4:
        return {210, 297};
    case alr_A5:
        return {148, 210};
    case alr_Legal:
        return {215, 355};
    case alr_Letter:
        return {215, 279};
    }
    return {210, 297};
}

// ---- controls

void tAlControl::setName(const QString& name) {
    m_name = m_band.layout().freeName(name, this);
}

const QFontMetricsF& tAlControl::metrics() const {
    if (!m_metrics || !(m_metricsFont == Font)) {
        m_metrics = std::make_unique<QFontMetricsF>(Font);
        m_metricsFont = Font;
        m_widths.clear();
    }
    return *m_metrics;
}

int tAlControl::lineWidth(const QString& line) const {
    // Records repeat their figures ("ja", a price): each is measured once.
    const QFontMetricsF& m = metrics();
    if (const auto found = m_widths.constFind(line); found != m_widths.constEnd()) return *found;
    if (m_widths.size() > 4096) m_widths.clear();
    const int width = qCeil(m.horizontalAdvance(line));
    m_widths.insert(line, width);
    return width;
}

QRect tAlControl::printRect(const QRect& placed, const PrintContext& context) const {
    if (!isText() || !AutoSize) return placed;
    const QString t = drawnLines(text(context));
    const QFontMetricsF& m = metrics();
    int width = 0;
    int height = qCeil(m.height());
    if (!t.isEmpty()) {
        if (isSingleLine(t) && !WordWrap) {
            width = lineWidth(t);
        } else {
            const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | (WordWrap ? Qt::TextWordWrap : 0);
            const qreal room = WordWrap ? std::max(1, placed.width()) : 1 << 20;
            const QRectF needed = m.boundingRect(QRectF(0, 0, room, 1 << 20), flags, t);
            width = WordWrap ? placed.width() : qCeil(needed.width());
            height = std::max(height, qCeil(needed.height()));
        }
    }
    QRect r(placed.left(), placed.top(), width, height);
    // A right-aligned text keeps its right edge, every other its left edge.
    if (Alignment == taRightJustify) r.moveRight(placed.right());
    return r;
}

void tAlControl::draw(QPainter& painter, const QRect& rect, const PrintContext& context) const {
    if (!isText()) return;
    if (!Transparent) painter.fillRect(rect, Color);
    const QString t = drawnLines(text(context));
    if (t.isEmpty()) return;
    if (painter.font() != Font) painter.setFont(Font);
    if (painter.pen().color() != FontColor) painter.setPen(FontColor);
    if (AutoSize && !WordWrap && isSingleLine(t)) {
        // The rectangle is the line's own width: the text starts at its left edge.
        painter.drawText(QPointF(rect.left(), rect.top() + metrics().ascent()), t);
    } else if (AutoSize) {
        // The rectangle is the text's own size; a device that measures a little wider must not cut it.
        painter.drawText(rect, textFlags(*this) | Qt::TextDontClip, t);
    } else {
        // A text of fixed size is cut at its edges.
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.drawText(rect, textFlags(*this), t);
        painter.restore();
    }
}

TAlLabel::TAlLabel(tAlBand& band) : tAlControl(band) {
    AutoSize = true;
    Transparent = true;
}

QString TAlField::text(const PrintContext& context) const {
    if (!m_values.empty()) {
        if (m_cursor < m_values.size()) return m_values[m_cursor];
        return m_values.size() == 1 ? m_values.front() : QString();
    }
    QString base = Name();
    while (base.endsWith(QLatin1Char('_'))) base.chop(1);
    if (base.size() == Name().size() || base.isEmpty()) return {};
    const TAlField* original = band().layout().findField(base);
    return original && original != this ? original->text(context) : QString();
}

bool TAlField::nextRecord() {
    if (m_values.size() < 2) return false;
    if (m_cursor < m_values.size()) ++m_cursor;
    return m_cursor < m_values.size();
}

QString TAlField::nextValue() const {
    if (m_values.size() == 1) return m_values.front();
    if (m_cursor + 1 < m_values.size()) return m_values[m_cursor + 1];
    return {};
}

TAlSysField::TAlSysField(tAlBand& band, tAlSysDataType type) : tAlControl(band), m_type(type) {
    setDataType(type);
}

void TAlSysField::setDataType(tAlSysDataType type) {
    m_type = type;
    switch (type) {
    case alr_Time:
        Caption = QStringLiteral("#hh:mm:ss#");
        break;
    case alr_Date:
        Caption = QStringLiteral("#tt.mm.jjjj#");
        break;
    case alr_DateTime:
        Caption = QStringLiteral("#tt.mm.jjjj hh:mm:ss#");
        break;
    case alr_PageNum:
        Caption = QStringLiteral("#Page");
        break;
    case alr_Counter:
        Caption = QStringLiteral("#Counter");
        break;
    case alr_Count:
        Caption = QStringLiteral("#Count");
        break;
    case alr_Formname:
        Caption = QStringLiteral("#Formname#");
        break;
    }
}

QString TAlSysField::text(const PrintContext& context) const {
    static const QString date = QStringLiteral("dd.MM.yyyy"), time = QStringLiteral("hh:mm:ss");
    switch (m_type) {
    case alr_Time:
        return context.now.time().toString(time);
    case alr_Date:
        return context.now.date().toString(date);
    case alr_DateTime:
        return context.now.date().toString(date) + QLatin1Char(' ') + context.now.time().toString(time);
    case alr_PageNum:
        return QString::number(context.pageNumber);
    case alr_Counter:
        return QString::number(1 + m_prints);
    case alr_Count:
        return QStringLiteral("E");
    case alr_Formname:
        return Caption;
    }
    return {};
}

bool TAlSysField::nextRecord() {
    ++m_prints;
    return false;
}

void TAlShape::draw(QPainter& painter, const QRect& rect, const PrintContext&) const {
    QRectF r = rect;
    if (Shape == alr_Square || Shape == alr_RoundSquare || Shape == alr_Circle) {
        const int side = std::min(rect.width(), rect.height());
        r = QRectF(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2, side, side);
    }
    QPen pen = Pen;
    if (pen.widthF() < 1) pen.setWidthF(1);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Brush);
    if (Shape == alr_Rectangle && (rect.width() <= 1 || rect.height() <= 1)) {
        // Too thin for a frame: a line along its longer side.
        const QPointF from(rect.left() + 0.5, rect.top() + 0.5);
        if (rect.width() <= 1)
            painter.drawLine(from, QPointF(rect.left() + 0.5, rect.top() + std::max(1, rect.height()) - 0.5));
        else
            painter.drawLine(from, QPointF(rect.left() + rect.width() - 0.5, rect.top() + 0.5));
        return;
    }
    // The outline lies inside the rectangle: a rectangle of 665 × 25 covers exactly those pixels.
    const double inset = pen.widthF() / 2;
    const QRectF inner = r.adjusted(inset, inset, -inset, -inset);
    const double radius = std::min(r.width(), r.height()) / 8; // corner ellipse: a quarter of the smaller side
    switch (Shape) {
    case alr_Rectangle:
    case alr_Square:
        painter.drawRect(inner);
        break;
    case alr_RoundRect:
    case alr_RoundSquare:
        painter.drawRoundedRect(inner, radius, radius);
        break;
    case alr_Ellipse:
    case alr_Circle:
        painter.drawEllipse(inner);
        break;
    }
}

QRect tAlImage::printRect(const QRect& placed, const PrintContext&) const {
    if (!Autosize || Picture.isNull()) return placed;
    return {placed.topLeft(), Picture.size()};
}

void tAlImage::draw(QPainter& painter, const QRect& rect, const PrintContext&) const {
    if (Picture.isNull()) return;
    if (Stretch) {
        painter.drawImage(QRectF(rect), Picture);
        return;
    }
    QRect target(rect.topLeft(), Picture.size());
    if (Center) target.moveCenter(rect.center());
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawImage(target.topLeft(), Picture);
    painter.restore();
}

// ---- bands, report, layout

void tAlBand::setFirstPageHeaderOnly(bool on) {
    m_firstPageOnly = on;
    if (on) m_notFirstPage = false;
}

void tAlBand::setNotFirstPageHeader(bool on) {
    m_notFirstPage = on;
    if (on) m_firstPageOnly = false;
}

int tAlBand::effectiveColumns() const {
    return BandType == alr_Detail ? std::max(1, Columns) : 1;
}

double tAlBand::effectiveColWidthMM() const {
    return BandType == alr_Detail ? ColWidthMM : 0;
}

void TAlReport::setLeftMarginMM(int mm) {
    if (mm >= 0 && mm < paperSizeMM(Papersize).width()) m_leftMargin = mm;
}

void TAlReport::setRightMarginMM(int mm) {
    if (mm >= 0 && mm < paperSizeMM(Papersize).width()) m_rightMargin = mm;
}

TAlReport& TAlLayout::addReport() {
    return *m_reports.emplace_back(std::make_unique<TAlReport>(*this));
}

tAlBand& TAlLayout::addBand(tAlBandType type) {
    tAlBand& band = *m_bands.emplace_back(std::make_unique<tAlBand>(*this, static_cast<int>(m_bands.size())));
    band.BandType = type;
    return band;
}

TAlDetailLink& TAlLayout::addDetailLink() {
    return *m_links.emplace_back(std::make_unique<TAlDetailLink>());
}

tAlControl* TAlLayout::findControl(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (const auto& band : m_bands)
        for (const auto& control : band->controls())
            if (sameName(control->Name(), name)) return control.get();
    return nullptr;
}

TAlField* TAlLayout::findField(const QString& name) const {
    return dynamic_cast<TAlField*>(findControl(name));
}

QString TAlLayout::freeName(const QString& name, const tAlControl* except) const {
    QString candidate = name;
    if (candidate.isEmpty()) return candidate;
    for (;;) {
        const tAlControl* holder = findControl(candidate);
        if (!holder || holder == except) return candidate;
        candidate += QLatin1Char('_');
    }
}

void AddNamedValue(TAlReport& report, const QString& name, const QString& value) {
    TAlField* field = report.layout().findField(name);
    if (field) field->addValue(value);
    if (!report.logHandler) return;
    if (field)
        report.logHandler(QStringLiteral("AddNamedValue(") + name + QStringLiteral(") = ") + value);
    else
        report.logHandler(QStringLiteral("AlField ") + name + QStringLiteral(" = not found for value: ") + value);
}

// ---- the run

namespace {

class ReportRun {
public:
    ReportRun(TAlReport& report, tPages& pages, TAlPrinter& printer, const Clock& clock)
        : m_report(report), m_layout(report.layout()), m_pages(pages), m_printer(printer) {
        m_context.now = clock.now();
    }

    void run() {
        m_printer.beginPictureMode(m_report.Orientation, m_pages);
        m_pageWidth = m_printer.pageWidth();
        m_pageHeight = m_printer.pageHeight();
        m_leftMargin = mmToPixels(m_report.LeftMarginMM(), m_printer.resolution());
        m_rightMargin = mmToPixels(m_report.RightMarginMM(), m_printer.resolution());
        for (const auto& band : m_layout.bands())
            for (const auto& control : band->controls()) control->startRun();
        for (const auto& link : m_layout.detailLinks()) link->stored.reset();
        sortBands();

        int footerHeights = 0;
        for (const tAlBand* b : m_pageFooters) footerHeights += b->Height;
        m_limit = m_pageHeight - 1 - footerHeights;
        m_position = m_pageHeight + 10; // below the page: the first band starts the first page
        m_firstPage = true;

        for (tAlBand* b : m_titles)
            if (b->Enabled) printBand(*b);
        for (tAlBand* b : m_details) {
            if (!b->Enabled) continue;
            printTagged(m_detailHeaders, b->Tag);
            printBand(*b);
            printTagged(m_detailFooters, b->Tag);
        }
        for (tAlBand* b : m_reportFooters)
            if (b->Enabled) printBand(*b);
        // A report that printed nothing still has its page headers on its page.
        if (m_firstPage) startNextPage();
        drawPageFooters();
        m_printer.endRun();
    }

private:
    // Bands in the order of their design position, sorted into lists by type; the Tags that tie
    // detail headers and footers to their detail band.
    void sortBands() {
        std::vector<tAlBand*> ordered;
        for (const auto& b : m_layout.bands()) ordered.push_back(b.get());
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const tAlBand* a, const tAlBand* b) { return a->DesignTop < b->DesignTop; });
        const tAlBand* previous = nullptr;
        int reference = 0;        // the Tag of the detail band the next footers belong to
        bool footerChain = false; // the band before is a detail band or one of its footers
        for (std::size_t i = 0; i < ordered.size(); ++i) {
            tAlBand* b = ordered[i];
            const int position = static_cast<int>(i) + 1;
            bool chain = false;
            switch (b->BandType) {
            case alr_Title:
                m_titles.push_back(b);
                break;
            case alr_PageHeader:
                m_pageHeaders.push_back(b);
                break;
            case alr_DetailHeader:
                b->Tag = position;
                m_detailHeaders.push_back(b);
                break;
            case alr_Detail:
                // A detail band without a header of its own is tied to its footers by its position.
                b->Tag = previous && previous->BandType == alr_DetailHeader ? previous->Tag : position;
                reference = b->Tag;
                chain = true;
                m_details.push_back(b);
                break;
            case alr_NewPage:
                m_details.push_back(b);
                break;
            case alr_DetailFooter:
                // Footers that follow a detail band, directly or after its other footers, belong to it.
                if (footerChain) {
                    b->Tag = reference;
                    chain = true;
                }
                m_detailFooters.push_back(b);
                break;
            case alr_PageFooter:
                m_pageFooters.push_back(b);
                break;
            case alr_ReportFooter:
                m_reportFooters.push_back(b);
                break;
            case alr_GroupHeader:
            case alr_GroupFooter:
                break;
            }
            footerChain = chain;
            previous = b;
        }
    }

    void printTagged(const std::vector<tAlBand*>& bands, int tag) {
        if (tag == 0) return;
        for (tAlBand* b : bands)
            if (b->Tag == tag) printBand(*b);
    }

    void printBand(tAlBand& band) {
        if (band.BandType == alr_NewPage) {
            drawPageFooters();
            m_breakPending = true;
            return;
        }
        if (band.BandType != alr_Detail) {
            makeRoom(band);
            drawBand(band, 0);
            return;
        }
        printDetail(band);
    }

    // One print of a detail band per record, side by side in columns where it has them.
    void printDetail(tAlBand& band) {
        const int columns = band.effectiveColumns();
        int column = 0;
        int rowTop = m_position, rowBottom = m_position;
        TAlDetailLink* link = band.DetailLink;
        for (;;) {
            if (link && link->DataSource) {
                const QString value = link->DataSource->text(m_context);
                if (!link->stored || *link->stored != value) {
                    link->stored = value;
                    if (link->GroupHeader) {
                        if (column != 0) m_position = rowBottom;
                        column = 0;
                        makeRoom(*link->GroupHeader);
                        drawBand(*link->GroupHeader, 0);
                    }
                }
            }
            if (column == 0) {
                makeRoom(band);
                rowTop = m_position;
                rowBottom = m_position;
            }
            m_position = rowTop;
            drawBand(band, column * band.effectiveColWidthMM());
            rowBottom = std::max(rowBottom, m_position);
            m_position = rowBottom;
            if (link && link->DataSource && link->GroupFooter && link->stored &&
                *link->stored != link->DataSource->nextValue()) {
                makeRoom(*link->GroupFooter);
                drawBand(*link->GroupFooter, 0);
                rowBottom = m_position;
                column = columns - 1; // the next record starts a new row
            }
            bool more = false;
            for (const auto& control : band.controls()) more = control->nextRecord() || more;
            if (!more) break;
            column = (column + 1) % columns;
        }
        m_position = rowBottom;
    }

    // A band that would pass the page limit starts the next page; a detail band then gets its
    // detail headers and its group header again.
    void makeRoom(tAlBand& band) {
        if (!m_breakPending && m_position + band.Height <= m_limit) return;
        if (!m_firstPage) drawPageFooters();
        startNextPage();
        if (band.BandType != alr_Detail) return;
        if (band.Tag != 0)
            for (tAlBand* header : m_detailHeaders)
                if (header->Tag == band.Tag) drawBand(*header, 0);
        if (band.DetailLink && band.DetailLink->GroupHeader) drawBand(*band.DetailLink->GroupHeader, 0);
    }

    void startNextPage() {
        if (!m_firstPage) m_printer.newPage();
        const bool first = m_firstPage;
        m_firstPage = false;
        m_breakPending = false;
        m_footersDrawn = false;
        m_position = 0;
        for (tAlBand* header : m_pageHeaders) {
            if (header->NotFirstPageHeader() && first) continue;
            if (header->FirstPageHeaderOnly() && !first) continue;
            drawBand(*header, 0);
        }
    }

    // Once per page, at the page limit, each below the one before.
    void drawPageFooters() {
        if (m_footersDrawn) return;
        m_footersDrawn = true;
        m_position = m_limit;
        for (tAlBand* footer : m_pageFooters) drawBand(*footer, 0);
    }

    void drawBand(tAlBand& band, double shiftMM) {
        QPainter& painter = m_printer.canvas();
        m_context.pageNumber = m_printer.pageCount();
        const int left = m_leftMargin + mmToPixels(shiftMM, m_printer.resolution());
        const int right = m_pageWidth - m_rightMargin;
        QRect bandRect(QPoint(left, m_position), QPoint(right, m_position + band.Height - 1));
        if (band.AltColor) {
            if (band.altMark) painter.fillRect(bandRect, band.Color);
            band.altMark = !band.altMark;
        }
        // One clip for the band; the painter's font and pen carry on from band to band.
        if (band.ClipMode == cm_Clip)
            painter.setClipRect(bandRect);
        else
            painter.setClipping(false);
        for (const auto& control : band.controls()) {
            const tAlControl& c = *control;
            if (!c.Visible && !c.VisibleInPreview) continue;
            const QRect placed = c.layoutRect().translated(bandRect.topLeft());
            const QRect rect = c.printRect(placed, m_context);
            // Clip: drawn only where it overlaps the band. Expand: the band grows to hold it.
            // Overwrite: drawn whole, the band stays.
            if (band.ClipMode == cm_Clip && !rect.intersects(bandRect)) continue;
            if (band.ClipMode == cm_Expand) bandRect = bandRect.united(rect);
            c.draw(painter, rect, m_context);
        }
        painter.setClipping(false);
        m_position = bandRect.bottom() + 1;
    }

    TAlReport& m_report;
    TAlLayout& m_layout;
    tPages& m_pages;
    TAlPrinter& m_printer;
    PrintContext m_context;

    std::vector<tAlBand*> m_titles, m_pageHeaders, m_detailHeaders, m_details, m_detailFooters, m_pageFooters,
        m_reportFooters;
    int m_pageWidth = 0, m_pageHeight = 0, m_leftMargin = 0, m_rightMargin = 0;
    int m_limit = 0, m_position = 0;
    bool m_firstPage = true, m_breakPending = false, m_footersDrawn = false;
};

} // namespace

void PreparePages(TAlReport& report, tPages& pages, TAlPrinter& printer, const Clock& clock) {
    ReportRun run(report, pages, printer, clock);
    try {
        run.run();
    } catch (...) {
        printer.endRun();
        throw;
    }
}
