#include "report/report_layout.h"

#include "core/prompts.h"

#include <QImageReader>

#include <stdexcept>

QFont reportFont(const FontSpec& spec) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(spec.pixels);
    font.setBold((spec.style & Bold) != 0);
    font.setItalic((spec.style & Italic) != 0);
    font.setStrikeOut((spec.style & StruckOut) != 0);
    // The same text widths on the screen, the page picture and a 1200-dpi printer.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ControlSpec label(const QString& caption, QRect rect, tAlAlignment alignment, FontSpec font) {
    ControlSpec c;
    c.kind = ControlKind::Label;
    c.text = caption;
    c.rect = rect;
    c.alignment = alignment;
    c.font = font;
    return c;
}

ControlSpec dataField(const QString& name, QRect rect, tAlAlignment alignment, FontSpec font) {
    ControlSpec c = label(name, rect, alignment, font);
    c.kind = ControlKind::Field;
    return c;
}

ControlSpec fixedField(const QString& name, QRect rect, tAlAlignment alignment, FontSpec font) {
    ControlSpec c = dataField(name, rect, alignment, font);
    c.autoSize = false;
    return c;
}

ControlSpec sysField(tAlSysDataType type, QRect rect, tAlAlignment alignment, FontSpec font) {
    ControlSpec c = label(QString(), rect, alignment, font);
    c.kind = ControlKind::SysField;
    c.sysType = type;
    return c;
}

ControlSpec captionEndingAt(const QString& caption, int right, int top, FontSpec font) {
    return label(caption, QRect(right, top, 0, 16), taRightJustify, font);
}

ControlSpec shape(tAlShapeType type, QRect rect, QColor pen, QColor brush) {
    ControlSpec c;
    c.kind = ControlKind::Shape;
    c.shape = type;
    c.rect = rect;
    c.pen = pen;
    c.brush = brush;
    c.autoSize = false;
    return c;
}

ControlSpec image(const QString& file, QRect rect, bool stretch, bool center) {
    ControlSpec c;
    c.kind = ControlKind::Image;
    c.text = file;
    c.rect = rect;
    c.stretch = stretch;
    c.center = center;
    c.autoSize = false;
    return c;
}

ReportSpec reportSettings(TAlOrientation orientation, tAlPaperSize paper, int leftMarginMM, int rightMarginMM) {
    ReportSpec r;
    r.orientation = orientation;
    r.paper = paper;
    r.leftMarginMM = leftMarginMM;
    r.rightMarginMM = rightMarginMM;
    return r;
}

BandSpec band(tAlBandType type, int height, std::vector<ControlSpec> controls) {
    BandSpec b;
    b.type = type;
    b.height = height;
    b.controls = std::move(controls);
    return b;
}

BandSpec alternatingBand(tAlBandType type, int height, QColor color, std::vector<ControlSpec> controls) {
    BandSpec b = band(type, height, std::move(controls));
    b.altColor = true;
    b.color = color;
    return b;
}

namespace {

void place(tAlControl& c, const ControlSpec& spec) {
    c.Left = spec.rect.left();
    c.Top = spec.rect.top();
    c.Width = spec.rect.width();
    c.Height = spec.rect.height();
}

void addControl(tAlBand& band, const ControlSpec& spec) {
    switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::Field:
    case ControlKind::SysField: {
        tAlControl* c = nullptr;
        if (spec.kind == ControlKind::Label) {
            c = &band.add<TAlLabel>();
            c->Caption = spec.text;
        } else if (spec.kind == ControlKind::Field) {
            c = &band.add<TAlField>();
            c->setName(spec.text);
            c->Caption = spec.text;
        } else {
            c = &band.add<TAlSysField>(spec.sysType);
        }
        place(*c, spec);
        c->Alignment = spec.alignment;
        c->Font = reportFont(spec.font);
        c->AutoSize = spec.autoSize;
        c->Transparent = true;
        return;
    }
    case ControlKind::Shape: {
        auto& s = band.add<TAlShape>();
        place(s, spec);
        s.Shape = spec.shape;
        s.Pen = QPen(spec.pen.isValid() ? spec.pen : QColor(Qt::black));
        s.Brush = spec.brush.isValid() ? QBrush(spec.brush) : QBrush(Qt::NoBrush);
        return;
    }
    case ControlKind::Image: {
        auto& i = band.add<tAlImage>();
        place(i, spec);
        QImageReader reader(spec.text);
        i.Picture = reader.read();
        if (i.Picture.isNull())
            throw std::runtime_error(QStringLiteral("Das Bild %1 kann nicht gelesen werden: %2")
                                         .arg(spec.text, reader.errorString())
                                         .toStdString());
        i.Stretch = spec.stretch;
        i.Center = spec.center;
        return;
    }
    }
}

} // namespace

std::unique_ptr<TAlLayout> createLayout(const LayoutSpec& spec) {
    auto layout = std::make_unique<TAlLayout>(spec.name);
    if (spec.report) {
        TAlReport& r = layout->addReport();
        r.Orientation = spec.report->orientation;
        r.Papersize = spec.report->paper;
        r.setLeftMarginMM(spec.report->leftMarginMM);
        r.setRightMarginMM(spec.report->rightMarginMM);
        r.ReportTitle = spec.report->title;
    }
    int top = 0; // bands stand one below the other in the layout
    for (const BandSpec& b : spec.bands) {
        tAlBand& band = layout->addBand(b.type);
        band.DesignTop = top;
        band.Height = b.height;
        band.AltColor = b.altColor;
        band.Color = b.color;
        band.Enabled = b.enabled;
        band.setFirstPageHeaderOnly(b.firstPageHeaderOnly);
        if (b.notFirstPageHeader) band.setNotFirstPageHeader(true);
        band.ClipMode = b.clipMode;
        band.Columns = b.columns;
        band.ColWidthMM = b.colWidthMM;
        for (const ControlSpec& c : b.controls) addControl(band, c);
        top += b.height;
    }
    return layout;
}

LoadedReport LoadReport(const LayoutSpec& spec, Prompts& prompts) {
    LoadedReport loaded;
    try {
        loaded.layout = createLayout(spec);
    } catch (const std::exception& e) {
        prompts.error(QString::fromUtf8(e.what()));
        return {};
    }
    loaded.report = loaded.layout->report();
    if (!loaded.report) loaded.layout.reset();
    return loaded;
}
