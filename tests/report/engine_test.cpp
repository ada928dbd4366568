// The band report engine: records of detail bands, page changes, headers and footers, AltColor,
// columns, clip modes, auto-size, system fields, shapes and images, on a page of fixed size.

#include "report/al_report.h"
#include "report/report_fixture.h"
#include "report/report_layout.h"
#include "support/qt_print.h"
#include "support/scripted_prompts.h"

#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Where and what a control was drawn.
struct Drawn {
    QString tag;
    int page;
    QRect rect;
    QString text;
};

// A data field that notes each of its prints.
class ProbeField : public TAlField {
public:
    ProbeField(tAlBand& band, std::vector<Drawn>* log, const QString& tag) : TAlField(band), m_log(log), m_tag(tag) {}
    void draw(QPainter& painter, const QRect& rect, const PrintContext& context) const override {
        m_log->push_back({m_tag, context.pageNumber, rect, text(context)});
        TAlField::draw(painter, rect, context);
    }

private:
    std::vector<Drawn>* m_log;
    QString m_tag;
};

// A system field that notes each of its prints as "sys".
class ProbeSysField : public TAlSysField {
public:
    ProbeSysField(tAlBand& band, std::vector<Drawn>* log, tAlSysDataType type) : TAlSysField(band, type), m_log(log) {}
    void draw(QPainter& painter, const QRect& rect, const PrintContext& context) const override {
        m_log->push_back({QStringLiteral("sys"), context.pageNumber, rect, text(context)});
        TAlSysField::draw(painter, rect, context);
    }

private:
    std::vector<Drawn>* m_log;
};

class Engine : public ::testing::Test {
protected:
    Engine() {
        report.setLeftMarginMM(0);
        report.setRightMarginMM(0);
    }

    // A band of `height` with a probe across its top left that notes each print as `tag`.
    tAlBand& band(tAlBandType type, int height, const QString& tag) {
        tAlBand& b = layout.addBand(type);
        b.Height = height;
        b.DesignTop = m_nextTop;
        m_nextTop += height;
        probe(b, tag, tag);
        return b;
    }
    ProbeField& probe(tAlBand& b, const QString& name, const QString& tag) {
        auto& p = b.add<ProbeField>(&log, tag);
        p.setName(name);
        p.Left = 0;
        p.Top = 0;
        p.Width = 10;
        p.Height = 10;
        return p;
    }
    void run() { PreparePages(report, pages, printer, reportClock()); }

    // The prints noted as `tag`, in order.
    std::vector<Drawn> prints(const QString& tag) const {
        std::vector<Drawn> out;
        for (const Drawn& d : log)
            if (d.tag == tag) out.push_back(d);
        return out;
    }
    std::vector<QString> texts(const QString& tag) const {
        std::vector<QString> out;
        for (const Drawn& d : prints(tag)) out.push_back(d.text);
        return out;
    }
    // (page, top) of every print noted as `tag`.
    std::vector<std::pair<int, int>> places(const QString& tag) const {
        std::vector<std::pair<int, int>> out;
        for (const Drawn& d : prints(tag)) out.emplace_back(d.page, d.rect.top());
        return out;
    }

    TAlLayout layout{QStringLiteral("test")};
    TAlReport& report = layout.addReport();
    tPages pages;
    TAlPrinter printer = fixedPagePrinter(400, 300);
    std::vector<Drawn> log;

private:
    int m_nextTop = 0;
};

// ---- records of a detail band

struct RecordsCase {
    const char* name;
    std::vector<QString> first, second;
    std::vector<std::pair<QString, QString>> printed; // (first, second) per record
};

class DetailRecords : public Engine, public ::testing::WithParamInterface<RecordsCase> {};

TEST_P(DetailRecords, BandRepeatsForTheLongestList) {
    const RecordsCase& c = GetParam();
    tAlBand& detail = band(alr_Detail, 20, QStringLiteral("a"));
    probe(detail, QStringLiteral("b"), QStringLiteral("b"));
    for (const QString& v : c.first) AddNamedValue(report, QStringLiteral("a"), v);
    for (const QString& v : c.second) AddNamedValue(report, QStringLiteral("b"), v);
    run();
    std::vector<std::pair<QString, QString>> printed;
    const auto a = texts(QStringLiteral("a")), b = texts(QStringLiteral("b"));
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) printed.emplace_back(a[i], b[i]);
    EXPECT_EQ(printed, c.printed);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, DetailRecords,
    ::testing::Values(
        RecordsCase{"NoValuesPrintsOnceEmpty", {}, {}, {{"", ""}}},
        RecordsCase{"OneValueEachPrintsOnce", {"x"}, {"y"}, {{"x", "y"}}},
        RecordsCase{"NValuesPrintNTimes", {"1", "2", "3"}, {"a", "b", "c"}, {{"1", "a"}, {"2", "b"}, {"3", "c"}}},
        RecordsCase{"ShorterListIsEmptyAfterItsEnd", {"1", "2", "3"}, {"a", "b"}, {{"1", "a"}, {"2", "b"}, {"3", ""}}},
        RecordsCase{"SingleValueShowsOnEveryRecord", {"1", "2", "3"}, {"k"}, {{"1", "k"}, {"2", "k"}, {"3", "k"}}},
        RecordsCase{"DuplicatesAreKept", {"d", "d"}, {}, {{"d", ""}, {"d", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, FieldNamedWithUnderscoreShowsTheOriginalWhileItHasNoValues) {
    tAlBand& detail = band(alr_Detail, 20, QStringLiteral("AlField2"));
    ProbeField& copy = probe(detail, QStringLiteral("AlField2"), QStringLiteral("copy"));
    EXPECT_EQ(copy.Name(), QStringLiteral("AlField2_")); // the name was taken
    ProbeField& own = probe(detail, QStringLiteral("alfield2"), QStringLiteral("own"));
    EXPECT_EQ(own.Name(), QStringLiteral("alfield2__"));
    AddNamedValue(report, QStringLiteral("AlField2"), QStringLiteral("eins"));
    AddNamedValue(report, QStringLiteral("AlField2"), QStringLiteral("zwei"));
    AddNamedValue(report, QStringLiteral("alfield2__"), QStringLiteral("eigen"));
    run();
    EXPECT_EQ(texts(QStringLiteral("copy")), (std::vector<QString>{"eins", "zwei"}));
    EXPECT_EQ(texts(QStringLiteral("own")), (std::vector<QString>{"eigen", "eigen"}));
}

TEST_F(Engine, AddNamedValueFindsTheFieldInAnyLetterCaseAndTellsTheLogHandler) {
    band(alr_Title, 20, QStringLiteral("AlField2"));
    std::vector<QString> heard;
    report.logHandler = [&heard](const QString& text) { heard.push_back(text); };
    AddNamedValue(report, QStringLiteral("alfield2"), QStringLiteral("Golf"));
    AddNamedValue(report, QStringLiteral("AlField99"), QStringLiteral("weg"));
    run();
    EXPECT_EQ(texts(QStringLiteral("AlField2")), std::vector<QString>{"Golf"});
    EXPECT_EQ(heard,
              (std::vector<QString>{"AddNamedValue(alfield2) = Golf", "AlField AlField99 = not found for value: weg"}));
}

TEST_F(Engine, FieldWithManyValuesInAPageHeaderShowsItsFirstOnEveryPage) {
    band(alr_PageHeader, 40, QStringLiteral("header"));
    band(alr_Detail, 100, QStringLiteral("row"));
    for (const char* v : {"erste", "zweite", "dritte", "vierte", "fünfte"})
        AddNamedValue(report, QStringLiteral("header"), QString::fromUtf8(v));
    for (int i = 0; i < 5; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    ASSERT_EQ(pages.count(), 3); // two rows of 100 below the 40 of the header on a page of 300
    EXPECT_EQ(texts(QStringLiteral("header")), (std::vector<QString>{"erste", "erste", "erste"}));
}

// ---- pages

TEST_F(Engine, BandThatDoesNotFitStartsAPageWithFootersHeadersAndItsDetailHeader) {
    band(alr_PageHeader, 40, QStringLiteral("page header"));
    band(alr_DetailHeader, 20, QStringLiteral("columns"));
    band(alr_Detail, 20, QStringLiteral("row"));
    band(alr_PageFooter, 30, QStringLiteral("page footer"));
    for (int i = 1; i <= 12; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    // The page limit is 300 - 1 - 30 = 269: nine rows from 60 to 240 fit, the tenth (260 + 20)
    // would pass it.
    ASSERT_EQ(pages.count(), 2);
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(places(QStringLiteral("page header")), (P{{1, 0}, {2, 0}}));
    EXPECT_EQ(places(QStringLiteral("columns")), (P{{1, 40}, {2, 40}}));
    EXPECT_EQ(places(QStringLiteral("page footer")), (P{{1, 269}, {2, 269}}));
    const auto rows = places(QStringLiteral("row"));
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0], std::make_pair(1, 60));
    EXPECT_EQ(rows[9 - 1], std::make_pair(1, 220));
    EXPECT_EQ(rows[10 - 1], std::make_pair(1, 240));
    EXPECT_EQ(rows[11 - 1], std::make_pair(2, 60));
    EXPECT_EQ(texts(QStringLiteral("row")).back(), QStringLiteral("12"));
}

struct PaginationCase {
    const char* name;
    int rows, rowHeight, pageHeight, footerHeight;
    int pages;
    int lastTop; // of the last row, on the last page
};

class Pagination : public Engine, public ::testing::WithParamInterface<PaginationCase> {};

TEST_P(Pagination, PageCountAndTheLastRowsPlace) {
    const PaginationCase& c = GetParam();
    printer = fixedPagePrinter(400, c.pageHeight);
    band(alr_Detail, c.rowHeight, QStringLiteral("row"));
    if (c.footerHeight > 0) band(alr_PageFooter, c.footerHeight, QStringLiteral("footer"));
    for (int i = 0; i < c.rows; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    EXPECT_EQ(pages.count(), c.pages);
    EXPECT_EQ(prints(QStringLiteral("row")).back().page, c.pages);
    EXPECT_EQ(prints(QStringLiteral("row")).back().rect.top(), c.lastTop);
    if (c.footerHeight > 0) {
        EXPECT_EQ(int(prints(QStringLiteral("footer")).size()), c.pages);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Pagination,
    ::testing::Values(
        // The limit is height - 1 - footers; a row fits while its top + height stays at or below it.
        PaginationCase{"ExactlyFullPage", 14, 20, 281, 0, 1, 260},       // limit 280: 14 rows end at 280
        PaginationCase{"OneRowMore", 15, 20, 281, 0, 2, 0},              // the fifteenth starts page 2
        PaginationCase{"FootersTakeTheirPlace", 14, 20, 281, 21, 2, 20}, // limit 259: 12 rows and 2
        PaginationCase{"TallBandStillPrintsOnItsOwnPage", 2, 500, 300, 0, 2, 0},
        PaginationCase{"HundredRows", 100, 14, 300, 50, 6, 14 * 14}), // limit 249: 17 rows a page, 15 on page 6
    [](const auto& info) { return std::string(info.param.name); });

struct FirstPageCase {
    const char* name;
    bool firstOnly, notFirst;
    std::vector<int> pages;
};

class FirstPageFlags : public Engine, public ::testing::WithParamInterface<FirstPageCase> {};

TEST_P(FirstPageFlags, PageHeaderPrintsOnItsPages) {
    const FirstPageCase& c = GetParam();
    tAlBand& header = band(alr_PageHeader, 30, QStringLiteral("header"));
    header.setFirstPageHeaderOnly(c.firstOnly);
    header.setNotFirstPageHeader(c.notFirst);
    band(alr_Detail, 100, QStringLiteral("row"));
    for (int i = 0; i < 6; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    ASSERT_EQ(pages.count(), 3);
    std::vector<int> printedOn;
    for (const Drawn& d : prints(QStringLiteral("header"))) printedOn.push_back(d.page);
    EXPECT_EQ(printedOn, c.pages);
}

INSTANTIATE_TEST_SUITE_P(Engine, FirstPageFlags,
                         ::testing::Values(FirstPageCase{"EveryPage", false, false, {1, 2, 3}},
                                           FirstPageCase{"FirstPageHeaderOnly", true, false, {1}},
                                           FirstPageCase{"NotFirstPageHeader", false, true, {2, 3}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, SettingOneFirstPageFlagClearsTheOther) {
    tAlBand& header = layout.addBand(alr_PageHeader);
    header.setFirstPageHeaderOnly(true);
    header.setNotFirstPageHeader(true);
    EXPECT_FALSE(header.FirstPageHeaderOnly());
    header.setFirstPageHeaderOnly(true);
    EXPECT_FALSE(header.NotFirstPageHeader());
}

TEST_F(Engine, TitleAndPageFooterOnlyGiveOnePageWithBoth) {
    band(alr_Title, 50, QStringLiteral("title"));
    band(alr_PageFooter, 40, QStringLiteral("footer"));
    run();
    ASSERT_EQ(pages.count(), 1);
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(places(QStringLiteral("title")), (P{{1, 0}}));
    EXPECT_EQ(places(QStringLiteral("footer")), (P{{1, 300 - 1 - 40}}));
}

TEST_F(Engine, EmptyLayoutStillGivesOnePageWithItsHeader) {
    band(alr_PageHeader, 30, QStringLiteral("header"));
    run();
    EXPECT_EQ(pages.count(), 1);
    EXPECT_EQ(prints(QStringLiteral("header")).size(), 1u);
}

TEST_F(Engine, OrderOfPrintsFollowsTheBandTypesAndTheirTags) {
    // Layout order: report footer, then a detail group with header and two footers, a page
    // break, a detail band of its own with a footer, a title at the very bottom.
    band(alr_ReportFooter, 10, QStringLiteral("report footer"));
    band(alr_DetailHeader, 10, QStringLiteral("header 1"));
    band(alr_Detail, 10, QStringLiteral("detail 1"));
    band(alr_DetailFooter, 10, QStringLiteral("footer 1a"));
    band(alr_DetailFooter, 10, QStringLiteral("footer 1b"));
    band(alr_NewPage, 0, QStringLiteral("page break")); // before the next band: same place, made first
    band(alr_Detail, 10, QStringLiteral("detail 2"));
    band(alr_DetailFooter, 10, QStringLiteral("footer 2"));
    band(alr_PageFooter, 10, QStringLiteral("page footer"));
    tAlBand& disabled = band(alr_Detail, 10, QStringLiteral("disabled"));
    disabled.Enabled = false;
    band(alr_Title, 10, QStringLiteral("title"));
    AddNamedValue(report, QStringLiteral("detail 1"), QStringLiteral("x"));
    AddNamedValue(report, QStringLiteral("detail 1"), QStringLiteral("y"));
    run();
    std::vector<std::pair<QString, int>> order;
    for (const Drawn& d : log) order.emplace_back(d.tag, d.page);
    EXPECT_EQ(order, (std::vector<std::pair<QString, int>>{{"title", 1},
                                                           {"header 1", 1},
                                                           {"detail 1", 1},
                                                           {"detail 1", 1},
                                                           {"footer 1a", 1},
                                                           {"footer 1b", 1},
                                                           {"page footer", 1},
                                                           {"detail 2", 2},
                                                           {"footer 2", 2},
                                                           {"report footer", 2},
                                                           {"page footer", 2}}));
}

// ---- AltColor, columns, clipping, auto-size

TEST_F(Engine, AltColorFillsEverySecondRowBeginningWithTheSecond) {
    tAlBand& detail = band(alr_Detail, 20, QStringLiteral("row"));
    detail.AltColor = true;
    detail.Color = QColor(0, 0, 200);
    for (int i = 0; i < 3; ++i) AddNamedValue(report, QStringLiteral("row"), QString());
    run();
    const QImage page = renderPage(*pages.page(1));
    EXPECT_EQ(page.pixelColor(200, 10), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(200, 30), QColor(0, 0, 200));
    EXPECT_EQ(page.pixelColor(200, 50), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(399, 39), QColor(0, 0, 200)); // the band reaches the right margin
}

TEST_F(Engine, ColumnsPutRecordsSideBySide) {
    report.setLeftMarginMM(10); // 37.8 → 38 pixels
    tAlBand& detail = band(alr_Detail, 20, QStringLiteral("row"));
    detail.Columns = 3;
    detail.ColWidthMM = 25; // 94.49 → 94 pixels
    for (int i = 0; i < 5; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    std::vector<QPoint> at;
    for (const Drawn& d : prints(QStringLiteral("row"))) at.push_back(d.rect.topLeft());
    EXPECT_EQ(at, (std::vector<QPoint>{{38, 0}, {38 + 94, 0}, {38 + 189, 0}, {38, 20}, {38 + 94, 20}}));
}

TEST_F(Engine, ColumnsCountForDetailBandsOnly) {
    tAlBand& title = band(alr_Title, 20, QStringLiteral("title"));
    title.Columns = 3;
    title.ColWidthMM = 25;
    EXPECT_EQ(title.effectiveColumns(), 1);
    EXPECT_EQ(title.effectiveColWidthMM(), 0);
}

struct ClipCase {
    const char* name;
    tAlClipMode mode;
    int nextBandTop; // the band below starts here
    int inkBottom;   // lowest dark pixel of the too-tall shape
};

class ClipModes : public Engine, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(ClipModes, ControlReachingBelowTheBand) {
    const ClipCase& c = GetParam();
    tAlBand& b = band(alr_Title, 20, QStringLiteral("band"));
    b.ClipMode = c.mode;
    auto& tall = b.add<TAlShape>();
    tall.Left = 100;
    tall.Top = 5;
    tall.Width = 30;
    tall.Height = 40; // 25 pixels below the band's bottom
    tall.Brush = QBrush(Qt::black);
    band(alr_ReportFooter, 10, QStringLiteral("next"));
    run();
    EXPECT_EQ(prints(QStringLiteral("next")).front().rect.top(), c.nextBandTop);
    EXPECT_EQ(inkBox(renderPage(*pages.page(1)), QRect(90, 0, 50, 100)).bottom(), c.inkBottom);
}

INSTANTIATE_TEST_SUITE_P(Engine, ClipModes,
                         ::testing::Values(ClipCase{"ClipCutsAtTheBandsBottom", cm_Clip, 20, 19},
                                           ClipCase{"ExpandGrowsTheBand", cm_Expand, 45, 44},
                                           ClipCase{"OverwriteDrawsWholeBandStays", cm_Overwrite, 20, 44}),
                         [](const auto& info) { return std::string(info.param.name); });

struct AutoSizeCase {
    const char* name;
    tAlAlignment alignment;
    bool keepsRight;
};

class AutoSize : public Engine, public ::testing::WithParamInterface<AutoSizeCase> {};

TEST_P(AutoSize, LongerTextKeepsTheRightEdgeOnlyWhenRightAligned) {
    tAlBand& b = band(alr_Title, 40, QStringLiteral("unused"));
    ProbeField& text = probe(b, QStringLiteral("text"), QStringLiteral("text"));
    text.Left = 100;
    text.Width = 40;
    text.AutoSize = true;
    text.Alignment = GetParam().alignment;
    text.Font = reportFont(arial(13));
    AddNamedValue(report, QStringLiteral("text"), QStringLiteral("Kraftstoffkosten / KM (€)"));
    run();
    const QRect r = prints(QStringLiteral("text")).front().rect;
    EXPECT_GT(r.width(), 100);
    if (GetParam().keepsRight) {
        EXPECT_EQ(r.left() + r.width(), 140);
    } else {
        EXPECT_EQ(r.left(), 100);
    }
    // What is drawn lies in that rectangle.
    const QRect ink = inkBox(renderPage(*pages.page(1)), QRect(0, 0, 400, 40));
    EXPECT_GE(ink.left(), r.left());
    EXPECT_LE(ink.right(), r.right() + 1);
}

INSTANTIATE_TEST_SUITE_P(Engine, AutoSize,
                         ::testing::Values(AutoSizeCase{"RightAligned", taRightJustify, true},
                                           AutoSizeCase{"LeftAligned", taLeftJustify, false},
                                           AutoSizeCase{"Centred", taCenter, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, FixedSizeTextIsCutAtItsRightEdge) {
    tAlBand& b = band(alr_Title, 40, QStringLiteral("unused"));
    ProbeField& text = probe(b, QStringLiteral("text"), QStringLiteral("text"));
    text.Left = 100;
    text.Width = 30;
    text.Font = reportFont(arial(13));
    AddNamedValue(report, QStringLiteral("text"), QStringLiteral("Ein sehr langer Fahrzeugname"));
    run();
    const QRect ink = inkBox(renderPage(*pages.page(1)), QRect(0, 0, 400, 40));
    EXPECT_LE(ink.right(), 129);
    EXPECT_GE(ink.right(), 120);
}

TEST_F(Engine, AutoSizedTextTakesTheHeightOfItsLines) {
    tAlBand& b = band(alr_Title, 100, QStringLiteral("unused"));
    auto& label = b.add<TAlLabel>();
    label.Caption = QStringLiteral("eins\r\nzwei\r\ndrei");
    label.Font = reportFont(arial(13));
    ProbeField& one = probe(b, QStringLiteral("one"), QStringLiteral("one"));
    one.AutoSize = true;
    one.Font = label.Font;
    AddNamedValue(report, QStringLiteral("one"), QStringLiteral("eins"));
    run();
    const int lineHeight = prints(QStringLiteral("one")).front().rect.height();
    EXPECT_EQ(label.printRect(QRect(0, 0, 10, 10), {}).height(), 3 * lineHeight);
}

TEST_F(Engine, WordWrapKeepsTheWidthAndGrowsDownwards) {
    tAlBand& b = band(alr_Title, 100, QStringLiteral("unused"));
    ProbeField& text = probe(b, QStringLiteral("text"), QStringLiteral("text"));
    text.Left = 20;
    text.Width = 80;
    text.AutoSize = true;
    text.WordWrap = true;
    text.Font = reportFont(arial(13));
    AddNamedValue(report, QStringLiteral("text"), QStringLiteral("Reifen im Keller der Halle am Hof"));
    run();
    const QRect r = prints(QStringLiteral("text")).front().rect;
    EXPECT_EQ(r.left(), 20);
    EXPECT_EQ(r.width(), 80);
    EXPECT_GE(r.height(), 2 * QFontMetrics(text.Font).height());
    const QRect ink = inkBox(renderPage(*pages.page(1)), QRect(0, 0, 400, 100));
    EXPECT_LE(ink.right(), 100);
    EXPECT_GE(ink.bottom(), QFontMetrics(text.Font).height() + 5);
}

TEST_F(Engine, InvisibleControlIsDrawnOnlyWhenVisibleInPreview) {
    tAlBand& b = band(alr_Title, 40, QStringLiteral("unused"));
    ProbeField& shown = probe(b, QStringLiteral("shown"), QStringLiteral("shown"));
    shown.Visible = false; // VisibleInPreview stays on
    ProbeField& hidden = probe(b, QStringLiteral("hidden"), QStringLiteral("hidden"));
    hidden.Visible = false;
    hidden.VisibleInPreview = false;
    run();
    EXPECT_EQ(prints(QStringLiteral("shown")).size(), 1u);
    EXPECT_TRUE(prints(QStringLiteral("hidden")).empty());
}

// ---- system fields, shapes, images

struct SysFieldCase {
    const char* name;
    tAlSysDataType type;
    std::vector<QString> texts; // on three records of a detail band
};

class SystemFields : public Engine, public ::testing::WithParamInterface<SysFieldCase> {};

TEST_P(SystemFields, TextWhenPrinted) {
    const SysFieldCase& c = GetParam();
    tAlBand& detail = band(alr_Detail, 120, QStringLiteral("row"));
    detail.add<ProbeSysField>(&log, c.type);
    for (int i = 0; i < 3; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    ASSERT_EQ(pages.count(), 2); // two records of 120 on a page of 300
    EXPECT_EQ(texts(QStringLiteral("sys")), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, SystemFields,
    ::testing::Values(
        SysFieldCase{"Date", alr_Date, {"10.05.2026", "10.05.2026", "10.05.2026"}},
        SysFieldCase{"Time", alr_Time, {"09:30:15", "09:30:15", "09:30:15"}},
        SysFieldCase{"DateTime", alr_DateTime, {"10.05.2026 09:30:15", "10.05.2026 09:30:15", "10.05.2026 09:30:15"}},
        SysFieldCase{"PageNum", alr_PageNum, {"1", "1", "2"}}, SysFieldCase{"Counter", alr_Counter, {"1", "2", "3"}},
        SysFieldCase{"Count", alr_Count, {"E", "E", "E"}},
        SysFieldCase{"Formname", alr_Formname, {"#Formname#", "#Formname#", "#Formname#"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, PageNumberOfEveryPageIsPrinted) {
    band(alr_Detail, 100, QStringLiteral("row"));
    tAlBand& footer = band(alr_PageFooter, 20, QStringLiteral("footer"));
    auto& number = footer.add<TAlSysField>(alr_PageNum);
    number.Left = 300;
    number.AutoSize = true;
    number.Font = reportFont(arial(13));
    for (int i = 0; i < 5; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    ASSERT_EQ(pages.count(), 3);
    // One, two and three are ever wider figures of ink below the page limit.
    std::vector<int> widths;
    for (int n = 1; n <= 3; ++n) widths.push_back(inkBox(renderPage(*pages.page(n)), QRect(300, 279, 100, 21)).width());
    EXPECT_GT(widths[0], 0);
    EXPECT_EQ(int(prints(QStringLiteral("footer")).size()), 3);
    EXPECT_EQ(prints(QStringLiteral("footer"))[2].page, 3);
}

TEST_F(Engine, SystemFieldsShowTheirCaptionForTheLayoutEditor) {
    tAlBand& b = layout.addBand();
    EXPECT_EQ(b.add<TAlSysField>(alr_Date).Caption, QStringLiteral("#tt.mm.jjjj#"));
    EXPECT_EQ(b.add<TAlSysField>(alr_PageNum).Caption, QStringLiteral("#Page"));
    EXPECT_EQ(b.add<TAlSysField>(alr_DateTime).Caption, QStringLiteral("#tt.mm.jjjj hh:mm:ss#"));
}

struct ShapeCase {
    const char* name;
    tAlShapeType shape;
    QRect rect;
    QRect ink;
};

class Shapes : public Engine, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(Shapes, InkCoversExactlyTheShapesPixels) {
    const ShapeCase& c = GetParam();
    tAlBand& b = band(alr_Title, 200, QStringLiteral("unused"));
    auto& s = b.add<TAlShape>();
    s.Shape = c.shape;
    s.Left = c.rect.left();
    s.Top = c.rect.top();
    s.Width = c.rect.width();
    s.Height = c.rect.height();
    s.Brush = QBrush(Qt::NoBrush);
    run();
    EXPECT_EQ(inkBox(renderPage(*pages.page(1)), QRect(20, 20, 380, 180)), c.ink);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Shapes,
    ::testing::Values(ShapeCase{"Rectangle", alr_Rectangle, {30, 40, 200, 25}, {30, 40, 200, 25}},
                      ShapeCase{"HeightOneIsALine", alr_Rectangle, {30, 40, 200, 1}, {30, 40, 200, 1}},
                      ShapeCase{"WidthOneIsALine", alr_Rectangle, {30, 40, 1, 50}, {30, 40, 1, 50}},
                      ShapeCase{"SquareIsCentredInTheRectangle", alr_Square, {30, 40, 100, 40}, {60, 40, 40, 40}},
                      ShapeCase{"CircleIsCentredInTheRectangle", alr_Circle, {30, 40, 40, 100}, {30, 70, 40, 40}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, ImageIsStretchedOrCentredInItsRectangle) {
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    tAlBand& b = band(alr_Title, 200, QStringLiteral("unused"));
    auto& stretched = b.add<tAlImage>();
    stretched.Picture = picture;
    stretched.Stretch = true;
    stretched.Left = 20, stretched.Top = 20, stretched.Width = 60, stretched.Height = 30;
    auto& centred = b.add<tAlImage>();
    centred.Picture = picture;
    centred.Center = true;
    centred.Left = 200, centred.Top = 20, centred.Width = 60, centred.Height = 30;
    auto& sized = b.add<tAlImage>();
    sized.Picture = picture;
    sized.Autosize = true;
    sized.Left = 300, sized.Top = 100, sized.Width = 60, sized.Height = 30;
    run();
    const QImage page = renderPage(*pages.page(1));
    EXPECT_EQ(inkBox(page, QRect(0, 0, 150, 100)), QRect(20, 20, 60, 30));
    EXPECT_EQ(inkBox(page, QRect(150, 0, 150, 100)), QRect(225, 30, 10, 10));
    EXPECT_EQ(sized.printRect(QRect(300, 100, 60, 30), {}), QRect(300, 100, 10, 10));
}

// ---- group links

TEST_F(Engine, GroupHeaderOnEveryNewValueGroupFooterBeforeTheValueChanges) {
    tAlBand& detail = band(alr_Detail, 10, QStringLiteral("month"));
    tAlBand& header = band(alr_GroupHeader, 10, QStringLiteral("group header"));
    tAlBand& footer = band(alr_GroupFooter, 10, QStringLiteral("group footer"));
    TAlDetailLink& link = layout.addDetailLink();
    link.GroupBand = &detail;
    link.GroupHeader = &header;
    link.GroupFooter = &footer;
    link.DataSource = layout.findField(QStringLiteral("month"));
    detail.DetailLink = &link;
    for (const char* m : {"Mai", "Mai", "Juni"}) AddNamedValue(report, QStringLiteral("month"), QString::fromUtf8(m));
    run();
    std::vector<QString> order;
    for (const Drawn& d : log) order.push_back(d.tag + QLatin1Char(' ') + d.text);
    EXPECT_EQ(order, (std::vector<QString>{"group header ", "month Mai", "month Mai", "group footer ", "group header ",
                                           "month Juni", "group footer "}));
}

// ---- settings and failures

TEST_F(Engine, MarginsOutsideThePaperAreIgnored) {
    report.Papersize = alr_A5;
    report.setLeftMarginMM(15);
    report.setLeftMarginMM(-1);
    EXPECT_EQ(report.LeftMarginMM(), 15);
    report.setLeftMarginMM(148);
    EXPECT_EQ(report.LeftMarginMM(), 15);
    report.setRightMarginMM(147);
    EXPECT_EQ(report.RightMarginMM(), 147);
}

TEST_F(Engine, MarginsPlaceTheBands) {
    report.setLeftMarginMM(15);  // 56.69 → 57 pixels
    report.setRightMarginMM(12); // 45.35 → 45 pixels
    tAlBand& b = band(alr_Title, 20, QStringLiteral("title"));
    b.AltColor = true;
    b.altMark = true; // the first print is filled
    b.Color = Qt::black;
    run();
    EXPECT_EQ(inkBox(renderPage(*pages.page(1))), QRect(QPoint(57, 0), QPoint(400 - 45, 19)));
}

TEST_F(Engine, DeviceWithoutPagesStopsTheRun) {
    printer = TAlPrinter([](TAlOrientation) { return DeviceMetrics{}; });
    band(alr_Title, 20, QStringLiteral("title"));
    try {
        run();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "AlPrinter could not assign the Canvas");
    }
}

TEST_F(Engine, SecondRunStartsTheFieldsAtTheirFirstValueAndEmptiesThePages) {
    band(alr_Detail, 100, QStringLiteral("row"));
    for (int i = 0; i < 4; ++i) AddNamedValue(report, QStringLiteral("row"), QString::number(i));
    run();
    ASSERT_EQ(pages.count(), 2);
    log.clear();
    run();
    EXPECT_EQ(pages.count(), 2);
    EXPECT_EQ(texts(QStringLiteral("row")), (std::vector<QString>{"0", "1", "2", "3"}));
}

TEST_F(Engine, LandscapeSwapsThePageSize) {
    report.Orientation = alr_Landscape;
    band(alr_Title, 20, QStringLiteral("title"));
    run();
    EXPECT_EQ(pages.page(1)->width(), 300);
    EXPECT_EQ(pages.page(1)->height(), 400);
    EXPECT_EQ(pages.orientation(), alr_Landscape);
}

// ---- LoadReport

TEST(LoadReport, LayoutThatCannotBeCreatedIsReportedAndFreed) {
    QTemporaryDir dir;
    LayoutPlan described{QStringLiteral("broken"),
                         reportSettings(alr_Portrait, alr_A4, 15, 12),
                         {band(alr_Title, 50, {image(dir.filePath("fehlt.png"), {0, 0, 10, 10}, false, false)})}};
    ScriptedPrompts prompts;
    const LoadedReport loaded = LoadReport(described, prompts);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.layout, nullptr);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_TRUE(prompts.prompts[0].message.contains(QStringLiteral("fehlt.png")));
}

TEST(LoadReport, LayoutWithoutReportComponentFailsSilently) {
    LayoutPlan described{QStringLiteral("no report"), std::nullopt, {band(alr_Title, 50, {})}};
    ScriptedPrompts prompts;
    EXPECT_FALSE(LoadReport(described, prompts));
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST(LoadReport, BandsStandInLayoutOrderAndTheReportKeepsItsSettings) {
    LayoutPlan described{QStringLiteral("order"),
                         reportSettings(alr_Landscape, alr_A4, 15, 12),
                         {band(alr_PageHeader, 30, {}), band(alr_Detail, 14, {}), band(alr_PageFooter, 50, {})}};
    ScriptedPrompts prompts;
    const LoadedReport loaded = LoadReport(described, prompts);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.report->Orientation, alr_Landscape);
    EXPECT_EQ(loaded.report->LeftMarginMM(), 15);
    EXPECT_EQ(loaded.report->RightMarginMM(), 12);
    std::vector<int> tops;
    for (const auto& b : loaded.layout->bands()) tops.push_back(b->DesignTop);
    EXPECT_EQ(tops, (std::vector<int>{0, 30, 44}));
}

} // namespace
