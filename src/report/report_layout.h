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
struct FontPlan {
    int pixels = 13;
    int style = Regular;
};
// Arial (drawn with Liberation Sans, which has its metrics) of `pixels` height.
constexpr FontPlan arial(int pixels, int style = Regular) {
    return {pixels, style};
}
QFont reportFont(const FontPlan& described);

enum class ControlKind { Label, Field, SysField, Shape, Image };
struct ControlPlan {
    ControlKind kind = ControlKind::Label;
    QString text; // a label's caption, a field's name, an image's file
    tAlSysDataType sysType = alr_Date;
    QRect rect;
    tAlAlignment alignment = taLeftJustify;
    FontPlan font;
    bool autoSize = true;
    tAlShapeType shape = alr_Rectangle;
    QColor pen, brush; // a shape's outline and fill; an invalid fill is none
    bool stretch = false, center = false;
};

// Texts of the layouts are transparent: a shaded band shows behind them.
ControlPlan label(const QString& caption, QRect rect, tAlAlignment alignment, FontPlan font);
ControlPlan dataField(const QString& name, QRect rect, tAlAlignment alignment, FontPlan font);
ControlPlan sysField(tAlSysDataType type, QRect rect, tAlAlignment alignment, FontPlan font);
// A text of fixed size, cut at its edges.
ControlPlan fixedField(const QString& name, QRect rect, tAlAlignment alignment, FontPlan font);
// A right-aligned caption whose right edge (left + width) lies at `right`.
ControlPlan captionEndingAt(const QString& caption, int right, int top, FontPlan font);
ControlPlan shape(tAlShapeType type, QRect rect, QColor pen, QColor brush = QColor());
ControlPlan image(const QString& file, QRect rect, bool stretch, bool center);

struct BandPlan {
    tAlBandType type = alr_Title;
    int height = 0;
    std::vector<ControlPlan> controls;
    bool altColor = false;
    QColor color = Qt::white;
    bool enabled = true;
    bool firstPageHeaderOnly = false, notFirstPageHeader = false;
    tAlClipMode clipMode = cm_Clip;
    int columns = 1;
    double colWidthMM = 0;
};

struct ReportPlan {
    TAlOrientation orientation = alr_Portrait;
    tAlPaperSize paper = alr_A4;
    int leftMarginMM = 10, rightMarginMM = 10;
    QString title;
};

ReportPlan reportSettings(TAlOrientation orientation, tAlPaperSize paper, int leftMarginMM, int rightMarginMM);
BandPlan band(tAlBandType type, int height, std::vector<ControlPlan> controls);
// A band whose every second print, from the second on, is filled with `color`.
BandPlan alternatingBand(tAlBandType type, int height, QColor color, std::vector<ControlPlan> controls);

struct LayoutPlan {
    QString name;
    std::optional<ReportPlan> report; // a layout without one cannot be printed
    std::vector<BandPlan> bands;      // in layout order, from the top
};

// A layout made from its description, and its first report component.
struct LoadedReport {
    std::unique_ptr<TAlLayout> layout;
    TAlReport* report = nullptr;
    explicit operator bool() const { return report != nullptr; }
};

// Creates the layout. When creating it fails, the layout is freed, the error text is shown as an
// error and the result is empty; a layout without a report component gives the empty result too.
[[nodiscard]] LoadedReport LoadReport(const LayoutPlan& described, Prompts& prompts);
// The same without prompts: throws std::runtime_error when creating the layout fails.
std::unique_ptr<TAlLayout> createLayout(const LayoutPlan& described);

// The program's name and version as the printed pages and the preview's job title give it.
inline const QString kProgramNameAndVersion = QStringLiteral("Wagenwart v5.3.0");
// The colours of the layouts' frames.
inline const QColor kGrey(128, 128, 128);
inline const QColor kSilver(192, 192, 192);
// The message when a layout could not be loaded ("%s" in it left empty).
inline const QString kCouldNotLoadReport = QStringLiteral("could not load report ");
