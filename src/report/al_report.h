#pragma once
// The band report engine. A layout (TAlLayout) is a stack of horizontal bands of the page's width,
// each holding positioned controls: static texts, named data fields, system fields, shapes and
// images. The caller hands values to the data fields by name (AddNamedValue) and lets the engine
// lay the bands out page by page into page pictures (PreparePages).
//
// Positions and sizes are layout pixels (96 per inch); margins and column distances millimetres.

#include "report/al_printer.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Clock;
class QPainter;
class TAlLayout;
class tAlBand;

enum tAlPaperSize { alr_A4, alr_A5, alr_Legal, alr_Letter };
enum tAlBandType {
    alr_Title,
    alr_PageHeader,
    alr_DetailHeader,
    alr_Detail,
    alr_DetailFooter,
    alr_PageFooter,
    alr_ReportFooter,
    alr_NewPage,
    alr_GroupHeader,
    alr_GroupFooter
};
enum tAlClipMode { cm_Clip, cm_Expand, cm_Overwrite };
enum tAlRuler { alr_none, alr_cmH, alr_cmHV, alr_cmV };
enum tAlAlignment { taLeftJustify, taRightJustify, taCenter };
enum tAlSysDataType { alr_Time, alr_Date, alr_DateTime, alr_PageNum, alr_Counter, alr_Count, alr_Formname };
enum tAlShapeType { alr_Rectangle, alr_Square, alr_RoundRect, alr_RoundSquare, alr_Ellipse, alr_Circle };

// Paper width and height in millimetres.
QSize paperSizeMM(tAlPaperSize paper);

// What a control may ask of the run while it is drawn.
struct PrintContext {
    int pageNumber = 0; // the length of the page list
    QDateTime now;      // the moment of the run
};

class tAlControl {
public:
    explicit tAlControl(tAlBand& band) : m_band(band) {}
    virtual ~tAlControl() = default;
    tAlControl(const tAlControl&) = delete;
    tAlControl& operator=(const tAlControl&) = delete;

    tAlBand& band() const { return m_band; }
    // The name in the layout; setName gives a name already taken (in any letter case) a "_"
    // until it is free.
    const QString& Name() const { return m_name; }
    void setName(const QString& name);

    int Left = 0, Top = 0, Width = 65, Height = 17;
    bool Visible = true, VisibleInPreview = true;
    QFont Font;
    QColor FontColor = Qt::black;
    QColor Color = Qt::white;
    bool Transparent = false;
    tAlAlignment Alignment = taLeftJustify;
    bool AutoSize = false;
    bool WordWrap = false;
    QString Caption;

    QRect layoutRect() const { return {Left, Top, Width, Height}; }

    // Texts (labels, fields, system fields) are measured for AutoSize and drawn with the font.
    virtual bool isText() const { return false; }
    virtual QString text(const PrintContext&) const { return Caption; }
    // The rectangle the control takes when drawn at `placed` (its layout rectangle moved onto
    // the page): auto-sized texts take the size their text needs.
    virtual QRect printRect(const QRect& placed, const PrintContext& context) const;
    virtual void draw(QPainter& painter, const QRect& rect, const PrintContext& context) const;
    // Asked after each print of a detail band: true when another record follows.
    virtual bool nextRecord() { return false; }
    // The start of a run.
    virtual void startRun() {}

protected:
    // The metrics of Font, made once for as long as the font stays.
    const QFontMetricsF& metrics() const;
    // The width of a line of text in Font.
    int lineWidth(const QString& line) const;

private:
    tAlBand& m_band;
    QString m_name;
    mutable std::unique_ptr<QFontMetricsF> m_metrics;
    mutable QFont m_metricsFont;
    mutable QHash<QString, int> m_widths; // of Font
};

// A static text.
class TAlLabel : public tAlControl {
public:
    explicit TAlLabel(tAlBand& band);
    bool isText() const override { return true; }
};

// A named data field: an ordered list of values (duplicates allowed) and the number of the value
// shown, starting at the first.
class TAlField : public tAlControl {
public:
    using tAlControl::tAlControl;
    bool isText() const override { return true; }
    // The value at the cursor; past the end the single value of a list of one, else empty; with
    // no values empty, except that a field named like another one with "_" appended shows that
    // field's text.
    QString text(const PrintContext& context) const override;
    bool nextRecord() override;
    void startRun() override { m_cursor = 0; }

    void addValue(const QString& value) { m_values.push_back(value); }
    const std::vector<QString>& values() const { return m_values; }
    std::size_t cursor() const { return m_cursor; }
    // The value after the cursor, the only value of a list of one, else empty.
    QString nextValue() const;

private:
    std::vector<QString> m_values;
    std::size_t m_cursor = 0;
};

// A text computed at print time.
class TAlSysField : public tAlControl {
public:
    explicit TAlSysField(tAlBand& band, tAlSysDataType type = alr_Date);
    bool isText() const override { return true; }
    tAlSysDataType DataType() const { return m_type; }
    // Setting the type gives the caption the layout editor shows for it ("#tt.mm.jjjj#").
    void setDataType(tAlSysDataType type);
    QString text(const PrintContext& context) const override;
    bool nextRecord() override;
    void startRun() override { m_prints = 0; }

private:
    tAlSysDataType m_type;
    int m_prints = 0;
};

class TAlShape : public tAlControl {
public:
    using tAlControl::tAlControl;
    tAlShapeType Shape = alr_Rectangle;
    QPen Pen{Qt::black};
    QBrush Brush{Qt::white};
    void draw(QPainter& painter, const QRect& rect, const PrintContext& context) const override;
};

class tAlImage : public tAlControl {
public:
    using tAlControl::tAlControl;
    QImage Picture;
    bool Stretch = false, Center = false, Autosize = false;
    QRect printRect(const QRect& placed, const PrintContext& context) const override;
    void draw(QPainter& painter, const QRect& rect, const PrintContext& context) const override;
};

// Ties a group header and footer to a detail band: the header is printed whenever the value of
// DataSource changes, the footer when the next record's value will differ.
class TAlDetailLink {
public:
    tAlBand* GroupBand = nullptr;
    tAlBand* GroupHeader = nullptr;
    tAlBand* GroupFooter = nullptr;
    TAlField* DataSource = nullptr;

    std::optional<QString> stored; // the value seen last in this run
};

class tAlBand {
public:
    tAlBand(TAlLayout& layout, int creationIndex) : m_layout(layout), m_creationIndex(creationIndex) {}
    tAlBand(const tAlBand&) = delete;
    tAlBand& operator=(const tAlBand&) = delete;

    TAlLayout& layout() const { return m_layout; }
    int creationIndex() const { return m_creationIndex; }

    tAlBandType BandType = alr_Title;
    int Height = 50;
    int DesignTop = 0; // vertical design position: bands run in this order, ties in creation order
    bool Enabled = true;
    QColor Color = Qt::white;
    bool AltColor = false;
    int Columns = 1;
    double ColWidthMM = 0;
    tAlClipMode ClipMode = cm_Clip;
    tAlRuler Ruler = alr_none;
    int Tag = 0;
    TAlDetailLink* DetailLink = nullptr;

    bool FirstPageHeaderOnly() const { return m_firstPageOnly; }
    bool NotFirstPageHeader() const { return m_notFirstPage; }
    void setFirstPageHeaderOnly(bool on);
    void setNotFirstPageHeader(bool on);
    // Columns and their distance count for detail bands only.
    int effectiveColumns() const;
    double effectiveColWidthMM() const;

    template <typename Control, typename... Args> Control& add(Args&&... args) {
        auto control = std::make_unique<Control>(*this, std::forward<Args>(args)...);
        Control& ref = *control;
        m_controls.push_back(std::move(control));
        return ref;
    }
    const std::vector<std::unique_ptr<tAlControl>>& controls() const { return m_controls; }

    // The alternation mark of AltColor: set after every odd print; unset when the layout is made.
    bool altMark = false;

private:
    TAlLayout& m_layout;
    int m_creationIndex;
    bool m_firstPageOnly = false, m_notFirstPage = false;
    std::vector<std::unique_ptr<tAlControl>> m_controls;
};

// The report component of a layout.
class TAlReport {
public:
    explicit TAlReport(TAlLayout& layout) : m_layout(layout) {}
    TAlLayout& layout() const { return m_layout; }

    TAlOrientation Orientation = alr_Portrait;
    tAlPaperSize Papersize = alr_A4;
    QString ReportTitle;
    // Receives the diagnostic texts of AddNamedValue.
    std::function<void(const QString&)> logHandler;

    int LeftMarginMM() const { return m_leftMargin; }
    int RightMarginMM() const { return m_rightMargin; }
    // A value below 0 or not below the paper width is ignored.
    void setLeftMarginMM(int mm);
    void setRightMarginMM(int mm);

private:
    TAlLayout& m_layout;
    int m_leftMargin = 10, m_rightMargin = 10;
};

// A layout: its report components, bands, group links and the controls of the bands.
class TAlLayout {
public:
    explicit TAlLayout(QString name) : m_name(std::move(name)) {}
    TAlLayout(const TAlLayout&) = delete;
    TAlLayout& operator=(const TAlLayout&) = delete;

    const QString& name() const { return m_name; }
    TAlReport& addReport();
    tAlBand& addBand(tAlBandType type = alr_Title);
    TAlDetailLink& addDetailLink();
    // The first report component, nullptr when the layout has none.
    TAlReport* report() const { return m_reports.empty() ? nullptr : m_reports.front().get(); }
    const std::vector<std::unique_ptr<tAlBand>>& bands() const { return m_bands; }
    const std::vector<std::unique_ptr<TAlDetailLink>>& detailLinks() const { return m_links; }

    // The control of that name, compared without regard to letter case.
    tAlControl* findControl(const QString& name) const;
    TAlField* findField(const QString& name) const;
    // `name`, with "_" appended until no control of the layout has it.
    QString freeName(const QString& name, const tAlControl* except) const;

private:
    QString m_name;
    std::vector<std::unique_ptr<TAlReport>> m_reports;
    std::vector<std::unique_ptr<tAlBand>> m_bands;
    std::vector<std::unique_ptr<TAlDetailLink>> m_links;
};

// Appends `value` to the field of the report's layout named `name` (any letter case). A name no
// field has is dropped; a log handler hears of both.
void AddNamedValue(TAlReport& report, const QString& name, const QString& value);

// Runs the report into `pages` (emptied first) through `printer`; returns when every page is
// recorded. System fields read the time from `clock`. Throws std::runtime_error
// "AlPrinter could not assign the Canvas" when no page picture can be made.
void PreparePages(TAlReport& report, tPages& pages, TAlPrinter& printer, const Clock& clock);
