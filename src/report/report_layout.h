#pragma once
// Layouts as data: a layout is a short description of its report settings and its bands with
// their controls, in layout order, which LoadReport turns into a TAlLayout. Positions are left,
// top, width × height in layout pixels within the band; fonts are Arial with their height in
// layout pixels.

#include "report/al_report.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class Prompts;

enum FontStyle { Regular = 0, Bold = 1, Italic = 2, StruckOut = 4 };
struct FontSpec {
    int pixels = 13;
    int style = Regular;
};
// Arial (drawn with Liberation Sans, which has its metrics) of `pixels` height.
constexpr FontSpec arial(int pixels, int style = Regular) {
    return {pixels, style};
}
QFont reportFont(const FontSpec& spec);

enum class ControlKind { Label, Field, SysField, Shape, Image };
struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    QString text; // a label's caption, a field's name, an image's file
    tAlSysDataType sysType = alr_Date;
    QRect rect;
    tAlAlignment alignment = taLeftJustify;
    FontSpec font;
    bool autoSize = true;
    tAlShapeType shape = alr_Rectangle;
    QColor pen, brush; // a shape's outline and fill; an invalid fill is none
    bool stretch = false, center = false;
};

// Texts of the layouts are transparent: a shaded band shows behind them.
ControlSpec label(const QString& caption, QRect rect, tAlAlignment alignment, FontSpec font);
ControlSpec dataField(const QString& name, QRect rect, tAlAlignment alignment, FontSpec font);
ControlSpec sysField(tAlSysDataType type, QRect rect, tAlAlignment alignment, FontSpec font);
// A text of fixed size, cut at its edges.
ControlSpec fixedField(const QString& name, QRect rect, tAlAlignment alignment, FontSpec font);
// A right-aligned caption whose right edge (left + width) lies at `right`.
ControlSpec captionEndingAt(const QString& caption, int right, int top, FontSpec font);
ControlSpec shape(tAlShapeType type, QRect rect, QColor pen, QColor brush = QColor());
ControlSpec image(const QString& file, QRect rect, bool stretch, bool center);

struct BandSpec {
    tAlBandType type = alr_Title;
    int height = 0;
    std::vector<ControlSpec> controls;
    bool altColor = false;
    QColor color = Qt::white;
    bool enabled = true;
    bool firstPageHeaderOnly = false, notFirstPageHeader = false;
    tAlClipMode clipMode = cm_Clip;
    int columns = 1;
    double colWidthMM = 0;
};

struct ReportSpec {
    TAlOrientation orientation = alr_Portrait;
    tAlPaperSize paper = alr_A4;
    int leftMarginMM = 10, rightMarginMM = 10;
    QString title;
};

ReportSpec reportSettings(TAlOrientation orientation, tAlPaperSize paper, int leftMarginMM, int rightMarginMM);
BandSpec band(tAlBandType type, int height, std::vector<ControlSpec> controls);
// A band whose every second print, from the second on, is filled with `color`.
BandSpec alternatingBand(tAlBandType type, int height, QColor color, std::vector<ControlSpec> controls);

struct LayoutSpec {
    QString name;
    std::optional<ReportSpec> report; // a layout without one cannot be printed
    std::vector<BandSpec> bands;      // in layout order, from the top
};

// A layout made from its description, and its first report component.
struct LoadedReport {
    std::unique_ptr<TAlLayout> layout;
    TAlReport* report = nullptr;
    explicit operator bool() const { return report != nullptr; }
};

// Creates the layout. When creating it fails, the layout is freed, the error text is shown as an
// error and the result is empty; a layout without a report component gives the empty result too.
[[nodiscard]] LoadedReport LoadReport(const LayoutSpec& spec, Prompts& prompts);
// The same without prompts: throws std::runtime_error when creating the layout fails.
std::unique_ptr<TAlLayout> createLayout(const LayoutSpec& spec);

// The program's name and version as the printed pages and the preview's job title give it.
inline const QString kProgramNameAndVersion = QStringLiteral("Wagenwart v5.3.0");
// The colours of the layouts' frames.
inline const QColor kGrey(128, 128, 128);
inline const QColor kSilver(192, 192, 192);
// The message when a layout could not be loaded ("%s" in it left empty).
inline const QString kCouldNotLoadReport = QStringLiteral("could not load report ");
