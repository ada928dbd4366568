// The print preview, headless: page navigation, zoom by list and clicks, keys, the shadowed
// surface, printing of a page range per copy, the refusal to close while printing, saving as PDF,
// and the print entry points of the cost list and the data sheet.

#include "core/app_state.h"
#include "report/al_preview.h"
#include "report/al_report.h"
#include "report/preview_dialog.h"
#include "report/print_reports.h"
#include "report/report_layout.h"
#include "support/capture_printer.h"
#include "support/qt_print.h"
#include "support/scripted_prompts.h"
#include "ui_preview_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const FixedClock& clock() {
    static const FixedClock c{QDateTime(QDate(2026, 5, 10), QTime(9, 30))};
    return c;
}

// The bounding box of the dark pixels of the page number at 100, 100 of a page image.
QRect ink(const QImage& page) {
    QRect box;
    for (int y = 80; y < 200; ++y)
        for (int x = 80; x < 200; ++x)
            if (qGray(page.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

// A preview of `count` pages, each with its number in large print at 100, 100 of the page.
class Preview : public ::testing::Test {
protected:
    void open(int count) {
        layout = std::make_unique<TAlLayout>(QStringLiteral("pages"));
        TAlReport& report = layout->addReport();
        report.setLeftMarginMM(0);
        report.setRightMarginMM(0);
        tAlBand& detail = layout->addBand(alr_Detail);
        detail.Height = 2000; // one record a page
        auto& number = detail.add<TAlField>();
        number.setName(QStringLiteral("number"));
        number.Left = 100;
        number.Top = 100;
        number.AutoSize = true;
        number.Font = reportFont(arial(40, Bold));
        for (int i = 1; i <= count; ++i) AddNamedValue(report, QStringLiteral("number"), QString::number(i));
        window = std::make_unique<TfrmPreview>(prompts, printer, saveFile);
        TAlPrinter device([this](TAlOrientation o) { return printer.pageMetrics(o); });
        PreparePages(report, window->preview().pages(), device, clock());
        window->Show();
        window->resize(900, 700);
        window->show();
        QTest::qWait(10);
    }
    tAlPreview& preview() { return window->preview(); }
    Ui::TfrmPreview& ui() { return window->ui(); }
    QString indicator() { return ui().pageLabel->text(); }
    void typeZoom(const QString& text) {
        QLineEdit* edit = ui().zoomComboBox->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void click(Qt::MouseButton button) {
        QTest::mouseClick(preview().viewport(), button, {}, QPoint(tAlPreview::kSurfaceOffset + 20, 40));
    }
    void key(int k) { QTest::keyClick(ui().zoomComboBox, Qt::Key(k)); } // the window sees it first

    ScriptedPrompts prompts;
    CapturePrinter printer;
    ScriptedSaveFile saveFile;
    std::unique_ptr<TAlLayout> layout;
    std::unique_ptr<TfrmPreview> window;
};

TEST_F(Preview, ToolBarShowsItsElementsWithTheirHints) {
    open(2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Druckvorschau"));
    EXPECT_EQ(ui().printButton->toolTip(), QStringLiteral("Drucken..."));
    EXPECT_EQ(ui().zoomComboBox->toolTip(), QStringLiteral("Vergrößerungsfaktor"));
    EXPECT_EQ(ui().zoomComboBox->currentText(), QStringLiteral("100"));
    QStringList zooms;
    for (int i = 0; i < ui().zoomComboBox->count(); ++i) zooms << ui().zoomComboBox->itemText(i);
    EXPECT_EQ(zooms, (QStringList{"200", "150", "100", "75", "50"}));
    EXPECT_EQ(ui().firstPageButton->toolTip(), QStringLiteral("erste Seite"));
    EXPECT_EQ(ui().previousPageButton->toolTip(), QStringLiteral("vorherige Seite"));
    EXPECT_EQ(ui().lastPageButton->toolTip(), QStringLiteral("letzte Seite"));
    EXPECT_EQ(ui().closeButton->text(), QStringLiteral("&Schließen"));
    EXPECT_EQ(ui().closeButton->toolTip(), QStringLiteral("Vorschau schließen"));
    EXPECT_EQ(indicator(), QStringLiteral("1/2"));
    EXPECT_EQ(preview().Title, QStringLiteral("Wagenwart v5.3.0"));
}

TEST_F(Preview, NavigationStaysWithinThePages) {
    open(3);
    ui().nextPageButton->click();
    EXPECT_EQ(indicator(), QStringLiteral("2/3"));
    ui().lastPageButton->click();
    EXPECT_EQ(indicator(), QStringLiteral("3/3"));
    ui().nextPageButton->click();
    EXPECT_EQ(indicator(), QStringLiteral("3/3"));
    ui().previousPageButton->click();
    EXPECT_EQ(indicator(), QStringLiteral("2/3"));
    ui().firstPageButton->click();
    ui().previousPageButton->click();
    EXPECT_EQ(indicator(), QStringLiteral("1/3"));
    EXPECT_FALSE(preview().goToPage(0));
    EXPECT_FALSE(preview().goToPage(4));
    EXPECT_TRUE(preview().goToPage(3));
    EXPECT_EQ(indicator(), QStringLiteral("3/3"));
}

TEST_F(Preview, ReportOfOnePageShowsOneOfOneAndGoesNowhere) {
    open(1);
    EXPECT_EQ(indicator(), QStringLiteral("1/1"));
    ui().nextPageButton->click();
    ui().previousPageButton->click();
    ui().lastPageButton->click();
    EXPECT_EQ(indicator(), QStringLiteral("1/1"));
    EXPECT_EQ(preview().currentPage(), 1);
}

TEST_F(Preview, ShownPageIsTheCurrentOne) {
    open(2);
    ui().nextPageButton->click();
    const QImage shown = preview().viewport()->grab().toImage();
    // The number "2" of page 2 at 100, 100 of the page, which lies 15 + 1 pixels in.
    QImage expected(preview().surfaceSize(), QImage::Format_RGB32);
    expected.fill(Qt::gray);
    QPainter painter(&expected);
    preview().drawSurface(painter);
    painter.end();
    const QRect probe(16 + 100, 16 + 100, 40, 40);
    EXPECT_EQ(shown.copy(probe), expected.copy(probe.translated(-15, -15)));
}

struct ZoomTextCase {
    const char* name;
    int start;
    const char* typed;
    int zoom;
};

class ZoomList : public Preview, public ::testing::WithParamInterface<ZoomTextCase> {};

TEST_P(ZoomList, TypedTextSetsTheZoom) {
    open(1);
    preview().setZoom(GetParam().start);
    typeZoom(QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(preview().zoom(), GetParam().zoom);
    EXPECT_EQ(ui().zoomComboBox->currentText(), QString::number(GetParam().zoom));
}

INSTANTIATE_TEST_SUITE_P(Preview, ZoomList,
                         ::testing::Values(ZoomTextCase{"ListValue", 100, "150", 150},
                                           ZoomTextCase{"AnyNumberInRange", 100, "120", 120},
                                           ZoomTextCase{"LowestAllowed", 100, "25", 25},
                                           ZoomTextCase{"AboveTheRangeIsRefused", 75, "300", 75},
                                           ZoomTextCase{"BelowTheRangeIsRefused", 75, "24", 75},
                                           ZoomTextCase{"NoNumberSetsHundred", 75, "gross", 100},
                                           ZoomTextCase{"DecimalIsNoWholeNumber", 75, "1.5", 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Preview, ChoosingFromTheListSetsTheZoom) {
    open(1);
    ui().zoomComboBox->setCurrentIndex(4);
    emit ui().zoomComboBox->activated(4);
    EXPECT_EQ(preview().zoom(), 50);
}

struct ClickCase {
    const char* name;
    int start;
    Qt::MouseButton button;
    int zoom;
};

class ZoomClicks : public Preview, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ZoomClicks, OneStepOfTheScale) {
    open(1);
    preview().setZoom(GetParam().start);
    click(GetParam().button);
    EXPECT_EQ(preview().zoom(), GetParam().zoom);
    EXPECT_EQ(ui().zoomComboBox->currentText(), QString::number(GetParam().zoom));
}

INSTANTIATE_TEST_SUITE_P(Preview, ZoomClicks,
                         ::testing::Values(ClickCase{"LeftFromFifty", 50, Qt::LeftButton, 75},
                                           ClickCase{"LeftFromHundred", 100, Qt::LeftButton, 150},
                                           ClickCase{"LeftAtTwoHundredStays", 200, Qt::LeftButton, 200},
                                           ClickCase{"RightFromTwoHundred", 200, Qt::RightButton, 150},
                                           ClickCase{"RightFromSeventyFive", 75, Qt::RightButton, 50},
                                           ClickCase{"RightAtFiftyStays", 50, Qt::RightButton, 50},
                                           ClickCase{"OffTheScaleStays", 120, Qt::LeftButton, 120}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Preview, SurfaceIsThePageAtTheZoomWithItsShadow) {
    open(1);
    // The capture printer's page: (784 + 10) × (1108 + 15) device pixels at 96 dpi.
    EXPECT_EQ(preview().surfaceSize(), QSize(794 + 5, 1123 + 5));
    preview().setZoom(50);
    EXPECT_EQ(preview().surfaceSize(), QSize(397 + 5, 562 + 5)); // 561.5 rounds to the even 562
    EXPECT_EQ(preview().pageArea(), QRect(1, 1, 402 - 5, 567 - 5));
    preview().setShadow(false);
    EXPECT_EQ(preview().pageArea(), QRect(0, 0, 397, 562));
    // The scroll range is the surface + 30.
    preview().setZoom(200);
    const QSize view = preview().viewport()->size();
    EXPECT_EQ(preview().horizontalScrollBar()->maximum(), 1588 + 30 - view.width());
    EXPECT_EQ(preview().verticalScrollBar()->maximum(), 2246 + 30 - view.height());
}

TEST_F(Preview, KeysGoToPagesAndScrollWithinTheRange) {
    open(4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(indicator(), QStringLiteral("2/4"));
    key(Qt::Key_End);
    EXPECT_EQ(indicator(), QStringLiteral("4/4"));
    key(Qt::Key_PageUp);
    EXPECT_EQ(indicator(), QStringLiteral("3/4"));
    key(Qt::Key_Home);
    EXPECT_EQ(indicator(), QStringLiteral("1/4"));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(preview().scrollPosition(), QPoint(0, 20));
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    key(Qt::Key_Left);
    EXPECT_EQ(preview().scrollPosition(), QPoint(0, 0));
    const int bottom = preview().verticalScrollBar()->maximum();
    preview().scrollBy(0, bottom - 5);
    key(Qt::Key_Down);
    EXPECT_EQ(preview().scrollPosition().y(), bottom);
    key(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Preview, PagesTwoToThreeInTwoCopiesAreTwoJobsOfTwoPages) {
    open(4);
    printer.answer = PrintRange{2, 3, 2};
    ui().printButton->click();
    EXPECT_EQ(printer.dialogPageCount, 4);
    ASSERT_EQ(printer.jobs.size(), 2u);
    for (const CapturedJob& job : printer.jobs) {
        EXPECT_EQ(job.title, QStringLiteral("Druckvorschau")); // the window's caption names the jobs
        EXPECT_EQ(job.orientation, alr_Portrait);
        EXPECT_EQ(job.pages.size(), 2u);
        EXPECT_TRUE(job.ended);
    }
    // Each job holds pages 2 and 3: they are what the preview shows of them.
    const QImage& printed = printer.jobs[1].pages[1];
    preview().goToPage(3);
    preview().setShadow(false);
    QImage shown(preview().surfaceSize(), QImage::Format_RGB32);
    QPainter painter(&shown);
    preview().drawSurface(painter);
    painter.end();
    // The picture's corner lies on the paper's corner, whatever the printable offsets; the
    // stretch to the printable area's end leaves the page one pixel short at most.
    const QRect printedInk = ink(printed), shownInk = ink(shown);
    EXPECT_FALSE(shownInk.isNull());
    EXPECT_NEAR(printedInk.left(), shownInk.left(), 1);
    EXPECT_NEAR(printedInk.top(), shownInk.top(), 1);
    EXPECT_NEAR(printedInk.right(), shownInk.right(), 1);
    EXPECT_NEAR(printedInk.bottom(), shownInk.bottom(), 1);
    EXPECT_FALSE(preview().printing());
}

TEST_F(Preview, CancelledPrintDialogPrintsNothing) {
    open(2);
    printer.answer.reset();
    ui().printButton->click();
    EXPECT_EQ(printer.dialogPageCount, 2);
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(preview().Title, QStringLiteral("Wagenwart v5.3.0"));
}

TEST_F(Preview, WithoutAnyPrinterPrintingOnlySaysSo) {
    printer.present = false;
    open(2);
    ui().printButton->click();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("Es ist kein Standard-Drucker ausgewählt."));
    EXPECT_EQ(printer.dialogPageCount, 0);
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(Preview, WindowRefusesToCloseWhilePrinting) {
    open(3);
    printer.answer = PrintRange{1, 3, 1};
    std::vector<bool> closed;
    printer.onPage = [&] {
        closed.push_back(window->close());
        window->reject();
    };
    ui().printButton->click();
    EXPECT_EQ(closed, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->close()); // afterwards it closes
}

TEST_F(Preview, JobThatCannotStartIsReported) {
    open(2);
    printer.answer = PrintRange{1, 2, 3};
    printer.refuseJobs = true;
    ui().printButton->click();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("Drucker nicht bereit"));
    EXPECT_FALSE(preview().printing());
}

TEST_F(Preview, FailingJobIsEndedAndReportedAndNoFurtherCopyStarts) {
    open(3);
    printer.answer = PrintRange{1, 3, 2};
    printer.refuseNewPages = true;
    ui().printButton->click();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].ended);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("Der Druckauftrag \"Druckvorschau\" ist fehlgeschlagen."));
}

TEST_F(Preview, SavedPdfHoldsEveryPage) {
    QTemporaryDir dir;
    open(3);
    saveFile.answers = {dir.filePath(QStringLiteral("Kosten"))};
    ui().savePdfButton->click();
    ASSERT_EQ(saveFile.requests.size(), 1u);
    EXPECT_EQ(saveFile.requests[0].caption, QStringLiteral("Als PDF speichern"));
    EXPECT_EQ(saveFile.requests[0].proposedPath, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                                                     QStringLiteral("/Wagenwart v5.3.0.pdf"));
    EXPECT_TRUE(prompts.prompts.empty());
    const QString pdf = dir.filePath(QStringLiteral("Kosten.pdf")); // the suffix is added
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+3\\n")));
}

TEST_F(Preview, CancelledSaveDialogWritesNothingAndUnwritableTargetIsReported) {
    QTemporaryDir dir;
    open(1);
    ui().savePdfButton->click(); // an empty script cancels
    EXPECT_TRUE(prompts.prompts.empty());
    saveFile.answers = {dir.filePath(QStringLiteral("fehlt/Kosten.pdf"))};
    ui().savePdfButton->click();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_TRUE(prompts.prompts[0].message.contains(QStringLiteral("konnte nicht gespeichert werden.")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("fehlt/Kosten.pdf"))));
}

// ---- the entry points

struct EntryPoints : ::testing::Test {
    EntryPoints() {
        state.VehicleTable.LoadFromBytes(
            "ID;nummer;bez;kme;waehr;tinh;leas;privat\r\n1;A-BC 1;Golf;0;0;50;ja;nein\r\n");
        state.VehicleTable.First();
        state.CostTable.LoadFromBytes("ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                                      "1;01.03.2026;10000;60,00;40;ja;t;;;;0\r\n");
    }
    ScriptedPrompts prompts;
    CapturePrinter printer;
    ScriptedSaveFile saveFile;
    PrintSeams seams{prompts, printer, saveFile};
    AppState state{QStringLiteral("/nowhere/"), clock()};
};

TEST_F(EntryPoints, CostListIsShownModallyOnPageOne) {
    QString seen;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<TfrmPreview*>(QApplication::activeModalWidget());
        if (!preview) return;
        seen = preview->ui().pageLabel->text() + QLatin1Char(' ') + preview->windowTitle();
        preview->close();
    });
    printCostList(nullptr, state, QStringLiteral("A-BC 1  /  Golf"), seams);
    EXPECT_EQ(seen, QStringLiteral("1/1 Druckvorschau"));
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(EntryPoints, DataSheetPreviewHasOnePageOfThePrintersSize) {
    const std::unique_ptr<TfrmPreview> window = dataSheetPreview(nullptr, state, seams);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->preview().pageCount(), 1);
    EXPECT_EQ(window->preview().pages().page(1)->width(), 794);
    EXPECT_EQ(window->ui().pageLabel->text(), QStringLiteral("1/1"));
}

TEST_F(EntryPoints, MachineWithoutPrinterStillGetsThePreview) {
    printer.present = false;
    const std::unique_ptr<TfrmPreview> window = costListPreview(nullptr, state, QStringLiteral("A-BC 1"), seams);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->preview().pageCount(), 1);
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(EntryPoints, LayoutThatCannotBeLoadedIsReportedAndNothingIsShown) {
    const LayoutPlan noReport{QStringLiteral("TfrmSglOrder"), std::nullopt, {}};
    bool filled = false;
    EXPECT_FALSE(reportPreview(nullptr, noReport, state, seams, [&](TAlReport&) { filled = true; }));
    EXPECT_FALSE(filled);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("could not load report "));
}

TEST_F(EntryPoints, DeviceWithoutPagesIsReported) {
    printer.metrics = DeviceMetrics{};
    EXPECT_FALSE(costListPreview(nullptr, state, QStringLiteral("A-BC 1"), seams));
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("AlPrinter could not assign the Canvas"));
}

} // namespace
