#include "report/report_layout.h"

#include "core/prompts.h"

#include <QImageReader>

#include <stdexcept>

QFont reportFont(const FontPlan& described) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(described.pixels);
    font.setBold((described.style & Bold) != 0);
    font.setItalic((described.style & Italic) != 0);
    font.setStrikeOut((described.style & StruckOut) != 0);
    // The same text widths on the screen, the page picture and a 1200-dpi printer.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ControlPlan label(const QString& caption, QRect rect, tAlAlignment alignment, FontPlan font) {
    ControlPlan c;
    c.kind = ControlKind::Label;
    c.text = caption;
    c.rect = rect;
    c.alignment = alignment;
    c.font = font;
    return c;
}

ControlPlan dataField(const QString& name, QRect rect, tAlAlignment alignment, FontPlan font) {
    ControlPlan c = label(name, rect, alignment, font);
    c.kind = ControlKind::Field;
    return c;
}

ControlPlan fixedField(const QString& name, QRect rect, tAlAlignment alignment, FontPlan font) {
    ControlPlan c = dataField(name, rect, alignment, font);
    c.autoSize = false;
    return c;
}

ControlPlan sysField(tAlSysDataType type, QRect rect, tAlAlignment alignment, FontPlan font) {
    ControlPlan c = label(QString(), rect, alignment, font);
    c.kind = ControlKind::SysField;
    c.sysType = type;
    return c;
}

ControlPlan captionEndingAt(const QString& caption, int right, int top, FontPlan font) {
    return label(caption, QRect(right, top, 0, 16), taRightJustify, font);
}

ControlPlan shape(tAlShapeType type, QRect rect, QColor pen, QColor brush) {
    ControlPlan c;
    c.kind = ControlKind::Shape;
    c.shape = type;
    c.rect = rect;
    c.pen = pen;
    c.brush = brush;
    c.autoSize = false;
    return c;
}

ControlPlan image(const QString& file, QRect rect, bool stretch, bool center) {
    ControlPlan c;
    c.kind = ControlKind::Image;
    c.text = file;
    c.rect = rect;
    c.stretch = stretch;
    c.center = center;
    c.autoSize = false;
    return c;
}

ReportPlan reportSettings(TAlOrientation orientation, tAlPaperSize paper, int leftMarginMM, int rightMarginMM) {
    ReportPlan r;
    r.orientation = orientation;
    r.paper = paper;
    r.leftMarginMM = leftMarginMM;
    r.rightMarginMM = rightMarginMM;
    return r;
}

BandPlan band(tAlBandType type, int height, std::vector<ControlPlan> controls) {
    BandPlan b;
    b.type = type;
    b.height = height;
    b.controls = std::move(controls);
    return b;
}

BandPlan alternatingBand(tAlBandType type, int height, QColor color, std::vector<ControlPlan> controls) {
    BandPlan b = band(type, height, std::move(controls));
    b.altColor = true;
    b.color = color;
    return b;
}

namespace {

void place(tAlControl& c, const ControlPlan& described) {
    c.Left = described.rect.left();
    c.Top = described.rect.top();
    c.Width = described.rect.width();
    c.Height = described.rect.height();
}

void addControl(tAlBand& band, const ControlPlan& described) {
    switch (described.kind) {
    case ControlKind::Label:
    case ControlKind::Field:
    case ControlKind::SysField: {
        tAlControl* c = nullptr;
        if (described.kind == ControlKind::Label) {
            c = &band.add<TAlLabel>();
            c->Caption = described.text;
        } else if (described.kind == ControlKind::Field) {
            c = &band.add<TAlField>();
            c->setName(described.text);
            c->Caption = described.text;
        } else {
            c = &band.add<TAlSysField>(described.sysType);
        }
        place(*c, described);
        c->Alignment = described.alignment;
        c->Font = reportFont(described.font);
        c->AutoSize = described.autoSize;
        c->Transparent = true;
        return;
    }
    case ControlKind::Shape: {
        auto& s = band.add<TAlShape>();
        place(s, described);
        s.Shape = described.shape;
        s.Pen = QPen(described.pen.isValid() ? described.pen : QColor(Qt::black));
        s.Brush = described.brush.isValid() ? QBrush(described.brush) : QBrush(Qt::NoBrush);
        return;
    }
    case ControlKind::Image: {
        auto& i = band.add<tAlImage>();
        place(i, described);
        QImageReader reader(described.text);
        i.Picture = reader.read();
        if (i.Picture.isNull())
            throw std::runtime_error(QStringLiteral("Das Bild %1 kann nicht gelesen werden: %2")
                                         .arg(described.text, reader.errorString())
                                         .toStdString());
        i.Stretch = described.stretch;
        i.Center = described.center;
        return;
    }
    }
}

} // namespace

std::unique_ptr<TAlLayout> createLayout(const LayoutPlan& described) {
    auto layout = std::make_unique<TAlLayout>(described.name);
    if (described.report) {
        TAlReport& r = layout->addReport();
        r.Orientation = described.report->orientation;
        r.Papersize = described.report->paper;
        r.setLeftMarginMM(described.report->leftMarginMM);
        r.setRightMarginMM(described.report->rightMarginMM);
        r.ReportTitle = described.report->title;
    }
    int top = 0; // bands stand one below the other in the layout
    for (const BandPlan& b : described.bands) {
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
        for (const ControlPlan& c : b.controls) addControl(band, c);
        top += b.height;
    }
    return layout;
}

LoadedReport LoadReport(const LayoutPlan& described, Prompts& prompts) {
    LoadedReport loaded;
    try {
        loaded.layout = createLayout(described);
    } catch (const std::exception& e) {
        prompts.error(QString::fromUtf8(e.what()));
        return {};
    }
    loaded.report = loaded.layout->report();
    if (!loaded.report) loaded.layout.reset();
    return loaded;
}
