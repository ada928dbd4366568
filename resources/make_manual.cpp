// Writes the manual "Wagenwart.pdf" from its HTML source and the pictures of the windows that the
// gallery rendered. Run at build time:  make_manual SOURCE.html PICTURE_DIR OUT.pdf
//
// A picture is a paragraph <p class="bild"><img src="NAME.png"><br>caption</p>. Its image is taken
// from PICTURE_DIR and scaled to fit the page; a picture that is not there is left out with its
// caption (a note on stderr), so a window that is not yet pictured never breaks the build. The
// marker <!-- INHALT --> becomes the table of contents: every h2 with its page.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace {

// The page: A4 with the margins below, the text laid out in pixels of 96 per inch and scaled to the
// printer; the last few millimetres of the printable height hold the page number.
constexpr qreal kPixelsPerMm = 96.0 / 25.4;
constexpr qreal kFooterMm = 9;
const QMarginsF kMarginsMm(20, 18, 20, 14);

// Pictures are never wider than the text nor taller than this share of the page, and are kept at
// no more than twice the pixels they take on the page.
constexpr qreal kMaxPictureHeightShare = 0.45;

const char* const kStyle = R"(
h1 { font-size: 22pt; color: #1d3d6b; margin-bottom: 10px; }
h2 { font-size: 16pt; color: #1d3d6b; margin-top: 0px; margin-bottom: 8px; page-break-before: always; }
h3 { font-size: 12pt; color: #1d3d6b; margin-top: 12px; margin-bottom: 4px; }
p { margin-top: 0px; margin-bottom: 7px; line-height: 120%; }
p.bild { text-align: center; font-size: 9pt; color: #444444; margin-top: 8px; margin-bottom: 12px;
         line-height: 100%; }
li { margin-bottom: 3px; }
td { padding: 2px; }
)";

struct Page {
    QSizeF content; // of the text, in layout pixels
};

using Images = std::map<QString, QImage>;

// The source with every picture sized to the page (its image kept for the document) or, where
// the picture is missing, without it.
// A picture named in `breakBefore` begins a new page, so that its caption stays with it.
QString withPictures(const QString& html, const QDir& pictures, Images& images, const Page& page,
                     const std::set<QString>& breakBefore) {
    static const QRegularExpression figure(
        QStringLiteral(R"re(<p class="bild">\s*<img\s+src="([^"]+)"[^>]*>(.*?)</p>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    QString out;
    qsizetype from = 0;
    for (auto it = figure.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        const QString name = m.captured(1);
        const QImage image(pictures.filePath(name));
        if (image.isNull()) {
            std::fprintf(stderr, "make_manual: picture %s not in %s, left out\n", qPrintable(name),
                         qPrintable(QDir::toNativeSeparators(pictures.path())));
            continue;
        }
        const QSizeF natural = QSizeF(image.size()) / image.devicePixelRatio();
        const qreal maxHeight = page.content.height() * kMaxPictureHeightShare;
        const qreal scale = std::min({1.0, page.content.width() / natural.width(), maxHeight / natural.height()});
        const int width = int(natural.width() * scale);
        const int height = int(natural.height() * scale);
        // Sharp on paper at about 190 dots per inch, and no larger: a page picture of the gallery
        // may be drawn at the printer's resolution.
        images[name] = image.width() > 2 * width ? image.scaledToWidth(2 * width, Qt::SmoothTransformation) : image;
        const QString style =
            breakBefore.count(name) ? QStringLiteral(" style=\"page-break-before: always;\"") : QString();
        out += QStringLiteral("<p class=\"bild\"%1><img src=\"%2\" width=\"%3\" height=\"%4\">%5</p>")
                   .arg(style, name.toHtmlEscaped())
                   .arg(width)
                   .arg(height)
                   .arg(m.captured(2));
    }
    out += html.mid(from);
    return out;
}

// The page (from 1) of a point of the layout; the layout counts in 64ths of a pixel.
int pageOf(qreal y, qreal pageHeight) {
    return int((y + 0.5) / pageHeight) + 1;
}

struct Heading {
    QString title;
    int page; // 1-based
};

std::vector<Heading> headings(const QTextDocument& doc, qreal pageHeight) {
    std::vector<Heading> list;
    (void)doc.pageCount(); // lays the whole document out
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() == 2 && b.layout() && b.layout()->lineCount() > 0) {
            // The first line, not the block: a block that breaks to a new page begins on the one before.
            const qreal y = doc.documentLayout()->blockBoundingRect(b).top() + b.layout()->lineAt(0).y();
            list.push_back({b.text(), pageOf(y, pageHeight)});
        }
    return list;
}

// The pictures whose caption the layout put on another page than the picture.
std::set<QString> splitPictures(const QTextDocument& doc, qreal pageHeight) {
    std::set<QString> split;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString name;
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) name = it.fragment().charFormat().toImageFormat().name();
        const QTextLayout* layout = b.layout();
        if (name.isEmpty() || !layout || layout->lineCount() < 2) continue;
        const qreal top = doc.documentLayout()->blockBoundingRect(b).top();
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        if (pageOf(top + layout->lineAt(0).y(), pageHeight) != pageOf(top + last.y() + last.height() - 1, pageHeight))
            split.insert(name);
    }
    return split;
}

QString contents(const std::vector<Heading>& list) {
    QString html = QStringLiteral("<h3>Inhalt</h3><table width=\"100%\" cellspacing=\"0\">");
    for (const Heading& h : list)
        html +=
            QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>").arg(h.title.toHtmlEscaped()).arg(h.page);
    return html + QStringLiteral("</table>");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_manual SOURCE.html PICTURE_DIR OUT.pdf\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_manual: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString html = QString::fromUtf8(source.readAll());
    const QDir pictures(QString::fromLocal8Bit(argv[2]));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[3]));
    pdf.setTitle(QStringLiteral("Wagenwart – Handbuch"));
    pdf.setCreator(QStringLiteral("Wagenwart"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(kMarginsMm, QPageLayout::Millimeter);
    const QSizeF printableMm = pdf.pageLayout().paintRect(QPageLayout::Millimeter).size();
    // The text layout counts in 64ths of a pixel; a page of whole 64ths puts every page break
    // exactly where the pages are cut.
    const auto sixtyFourths = [](qreal v) { return std::floor(v * 64) / 64; };
    const Page page{QSizeF(sixtyFourths(printableMm.width() * kPixelsPerMm),
                           sixtyFourths((printableMm.height() - kFooterMm) * kPixelsPerMm))};

    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    doc.setDefaultStyleSheet(QString::fromLatin1(kStyle));
    doc.setDocumentMargin(0);
    // Laid out again until the table of contents has the pages of the headings and no caption is
    // parted from its picture.
    Images images;
    std::set<QString> breaks;
    std::vector<Heading> toc;
    for (int round = 0; round < 12; ++round) {
        QString filled = withPictures(html, pictures, images, page, breaks);
        filled.replace(QStringLiteral("<!-- INHALT -->"), contents(toc));
        doc.setHtml(filled);
        for (const auto& [name, image] : images) doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        doc.setPageSize(page.content);
        const std::vector<Heading> found = headings(doc, page.content.height());
        const bool same = found.size() == toc.size() &&
                          std::equal(found.begin(), found.end(), toc.begin(), [](const Heading& a, const Heading& b) {
                              return a.title == b.title && a.page == b.page;
                          });
        toc = found;
        bool moved = false;
        for (const QString& name : splitPictures(doc, page.content.height())) moved |= breaks.insert(name).second;
        if (same && !moved) break;
    }

    QPainter painter;
    if (!painter.begin(&pdf)) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[3]);
        return 1;
    }
    // The screenshots stay as sharp as the gallery drew them.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const qreal scale = pdf.width() / page.content.width();
    const int pages = doc.pageCount();
    QFont footerFont(QStringLiteral("Liberation Sans"), 9);
    for (int n = 0; n < pages; ++n) {
        if (n > 0) pdf.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -n * page.content.height());
        QAbstractTextDocumentLayout::PaintContext context;
        // One pixel short of the page: a picture that begins the next page shows no sliver here.
        context.clip = QRectF(0, n * page.content.height(), page.content.width(), page.content.height() - 1);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        // The footer in the printer's own units, so that its font has its size in points.
        painter.setFont(footerFont);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        const qreal top = page.content.height() * scale;
        const qreal gap = 2.5 * kPixelsPerMm * scale;
        painter.drawLine(QLineF(0, top + gap, pdf.width(), top + gap));
        const QRectF footer(0, top + 2 * gap, pdf.width(), pdf.height() - top - 2 * gap);
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Wagenwart – Handbuch"));
        painter.drawText(footer, Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("Seite %1 von %2").arg(n + 1).arg(pages));
    }
    if (!painter.end()) return 1;
    return 0;
}
