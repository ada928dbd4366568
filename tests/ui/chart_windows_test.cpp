// The three chart windows, headless: their series filled from the records, the readout under a
// synthetic mouse, the cost chart's modes, vehicles, scrolling and legend, and their prints
// through the printer seam in landscape.

#include "charts/chart_view.h"
#include "charts/chart_windows.h"
#include "charts/consumption_chart_dialog.h"
#include "charts/cost_chart_dialog.h"
#include "charts/fuel_price_chart_dialog.h"
#include "charts/line_chart.h"
#include "support/capture_printer.h"
#include "support/pdf_printer.h"
#include "support/window_fixture.h"
#include "ui_consumption_chart_dialog.h"
#include "ui_cost_chart_dialog.h"
#include "ui_fuel_price_chart_dialog.h"
#include "ui_main_window.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QSplineSeries>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const char* const kHeader = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n";

// The mouse moved to `value` of `series` (as the chart maps it) over `view`.
void moveMouseTo(ChartPanel& view, QAbstractSeries* series, QPointF value) {
    const QPointF inChart = view.chart()->mapToPosition(value, series);
    const QPoint at = view.mapFromScene(view.chart()->mapToScene(inChart));
    QMouseEvent move(QEvent::MouseMove, QPointF(at), view.viewport()->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
}

void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

std::vector<QPointF> points(const QXYSeries* s) {
    const QList<QPointF> p = s->points();
    return {p.begin(), p.end()};
}

class ChartWindowsTest : public ::testing::Test, protected MainWindowFixture {
protected:
    void SetUp() override { withSampleData(); }
    void records(const char* name, const std::string& rows) {
        ASSERT_TRUE(writeBytes(dataDir() + QLatin1String(name), kHeader + rows));
    }
    // Started on the first vehicle (kfz.ini remembers the second).
    void startOnFirst() {
        start();
        window->vehicleMenu()->actions().at(0)->trigger();
        window->charts().setSeams(printer, saveFile);
    }
    template <typename W> W& shown(W& w) {
        w.resize(820, 560);
        w.show();
        QApplication::processEvents();
        return w;
    }

    CapturePrinter printer;
    ScriptedSaveFile saveFile;
};

TEST_F(ChartWindowsTest, ConsumptionCountsEveryFullTankIntervalAndRepeatsThePanelsAverage) {
    records("kfzdat.001", "1;01.03.2026;10000;60,00;40,00;ja;t;;;;0\r\n"
                          "1;10.03.2026;10300;30,00;20,00;nein;t;;;;0\r\n"
                          "1;20.03.2026;10600;37,50;25,00;ja;t;;;;0\r\n"
                          "1;30.03.2026;11000;45,00;30,00;ja;t;;;;0\r\n");
    startOnFirst();
    ASSERT_TRUE(window->ui().actionVerbrauch->isEnabled());
    TForm6& chart = window->charts().consumption();
    for (int opening = 0; opening < 2; ++opening) { // opened twice: the points once
        chart.fill();
        ASSERT_EQ(chart.consumptionSeries()->count(), 2);
        EXPECT_EQ(points(chart.consumptionSeries()), (std::vector<QPointF>{{2, 7.5}, {3, 7.5}}));
        ASSERT_EQ(chart.averageSeries()->count(), 2);
    }
    EXPECT_EQ(chart.windowTitle(), u"A-BC 1  /  Golf"_s);
    EXPECT_EQ(chart.ui().banner->caption(), u"Verbrauchsdiagramm"_s);
    EXPECT_EQ(chart.consumptionSeries()->pen().color(), QColor(37, 221, 11));
    EXPECT_EQ(chart.averageSeries()->pen().color(), QColor(255, 165, 0));
    EXPECT_EQ(chart.chart().valueAxis().titleText(), u"Liter / 100 KM"_s);
    // The average line lies at the panel's rounded figure: 135 L over 1 000 km, less the first tank.
    EXPECT_DOUBLE_EQ(chart.averageSeries()->at(0).y(), chart.averageSeries()->at(1).y());

    shown(chart);
    EXPECT_EQ(chart.chart().dateAxis().categoriesLabels(), (QStringList{u"20.03.2026"_s, u"30.03.2026"_s}));
    EXPECT_EQ(chart.ui().readoutLabel->text(), u"-"_s);
    moveMouseTo(*chart.ui().chartView, chart.consumptionSeries(), {3, 7.5});
    EXPECT_EQ(chart.ui().readoutLabel->text(), u"30.03.2026 : 7,50"_s);
    moveMouseTo(*chart.ui().chartView, chart.consumptionSeries(), {2, 7.5}); // the first point
    EXPECT_EQ(chart.ui().readoutLabel->text(), QString());
    chart.hide();
}

TEST_F(ChartWindowsTest, OneFullFillUpLeavesBothLinesEmpty) {
    records("kfzdat.001", "1;01.03.2026;10000;60,00;40,00;ja;t;;;;0\r\n");
    startOnFirst();
    TForm6& chart = window->charts().consumption();
    chart.fill();
    EXPECT_EQ(chart.consumptionSeries()->count(), 0);
    EXPECT_EQ(chart.averageSeries()->count(), 0);
    EXPECT_TRUE(chart.chart().dateAxis().categoriesLabels().isEmpty());
}

TEST_F(ChartWindowsTest, LongSeriesShowEveryKthDateSoThatNoneOverlaps) {
    std::string rows;
    QDate day(2020, 1, 1);
    for (int i = 0; i < 400; ++i, day = day.addDays(3))
        rows += "1;" + day.toString(u"dd.MM.yyyy"_s).toStdString() + ";" + std::to_string(10000 + i * 500) +
                ";50,00;30,00;ja;t;;;;0\r\n";
    records("kfzdat.001", rows);
    startOnFirst();
    TForm6& chart = shown(window->charts().consumption());
    chart.fill();
    QApplication::processEvents();
    EXPECT_EQ(chart.consumptionSeries()->count(), 399); // every point stays
    const int shownLabels = chart.chart().shownDateLabels();
    EXPECT_GT(shownLabels, 3);
    // The labels shown fit side by side into the plot's width.
    const double labelWidth = QFontMetricsF(chart.chart().dateAxis().labelsFont()).horizontalAdvance(u"00.00.0000"_s);
    EXPECT_LE(shownLabels * labelWidth, chart.chart().chart().plotArea().width());
    const int before = shownLabels;
    chart.resize(1600, 560); // wider: more labels
    QApplication::processEvents();
    EXPECT_GT(chart.chart().shownDateLabels(), before);
    chart.hide();
}

TEST_F(ChartWindowsTest, FuelPriceHasAPointPerFillUpWithQuantityAndItsAxisNamesUnitAndFuel) {
    records("kfzdat.001", "1;01.03.2026;10000;45,67;30,00;ja;t;;;;0\r\n"
                          "1;05.03.2026;10100;20,00;;ja;t;;;;0\r\n" // no quantity: its place, no point
                          "1;10.03.2026;10500;60,00;40,00;ja;t;;;;0\r\n");
    startOnFirst();
    TForm7& chart = window->charts().fuelPrice();
    chart.fill();
    ASSERT_EQ(chart.priceSeries()->count(), 2);
    EXPECT_EQ(chart.priceSeries()->at(0), QPointF(1, 45.67 / 30));
    EXPECT_EQ(chart.priceSeries()->at(1), QPointF(3, 1.5));
    EXPECT_EQ(chart.priceSeries()->color(), QColor(13, 221, 2));
    EXPECT_TRUE(chart.priceSeries()->pointsVisible());
    EXPECT_FALSE(chart.chart().chart().legend()->isVisible());
    EXPECT_EQ(chart.chart().valueAxis().titleText(), u"Preis in € für 1 LDiesel"_s);
    EXPECT_EQ(chart.ui().fuelTypeLabel->text(), u"Diesel"_s);
    EXPECT_EQ(chart.ui().banner->caption(), u"Kraftstoffpreis-Diagramm"_s);

    shown(chart);
    moveMouseTo(*chart.ui().chartView, chart.priceSeries(), {3, 1.5});
    EXPECT_EQ(chart.ui().readoutLabel->text(), u"10.03.2026 : 1,50"_s);
    moveMouseTo(*chart.ui().chartView, chart.priceSeries(), {1, 45.67 / 30});
    EXPECT_EQ(chart.ui().readoutLabel->text(), QString());
    chart.hide();

    // The third vehicle (francs, kilograms) has no record file: an empty chart, the title set.
    window->vehicleMenu()->actions().at(2)->trigger();
    chart.fill();
    EXPECT_EQ(chart.priceSeries()->count(), 0);
    EXPECT_EQ(chart.chart().valueAxis().titleText(), u"Preis in SFr für 1 KGDiesel"_s);
}

TEST_F(ChartWindowsTest, ALongFuelPriceSeriesIsDrawnStraightWithItsMarkersAndReadout) {
    std::string rows;
    QDate day(2020, 1, 1);
    for (int i = 0; i < 600; ++i, day = day.addDays(2))
        rows += "1;" + day.toString(u"dd.MM.yyyy"_s).toStdString() + ";" + std::to_string(10000 + i * 400) + ";" +
                std::to_string(40 + i % 7) + ",00;30,00;ja;t;;;;0\r\n";
    records("kfzdat.001", rows);
    startOnFirst();
    TForm7& chart = shown(window->charts().fuelPrice());
    chart.fill();
    EXPECT_EQ(chart.smoothSeries()->count(), 0);
    ASSERT_EQ(chart.priceSeries()->count(), 600);
    EXPECT_NE(chart.priceSeries(), static_cast<QXYSeries*>(chart.smoothSeries()));
    EXPECT_TRUE(chart.priceSeries()->pointsVisible());
    moveMouseTo(*chart.ui().chartView, chart.priceSeries(), chart.priceSeries()->at(300));
    EXPECT_TRUE(chart.ui().readoutLabel->text().startsWith(day.addDays(-2 * 300).toString(u"dd.MM.yyyy"_s)))
        << chart.ui().readoutLabel->text().toStdString();
    chart.hide();
}

TEST_F(ChartWindowsTest, CostChartShowsTheCurrentVehicleOrAllWithFreePositions) {
    startOnFirst(); // A-BC 1: fuel 112,50, other 200; B-XY 10: fuel 150; M-EL 3: no record file
    TForm8& chart = shown(window->charts().costs());
    chart.refill();
    ASSERT_EQ(chart.bars().size(), 1u);
    EXPECT_EQ(chart.bars()[0].position, 1);
    EXPECT_DOUBLE_EQ(chart.bars()[0].total, 312.5);
    EXPECT_EQ(chart.valueAxis().titleText(), u"Kosten in €"_s);
    EXPECT_EQ(chart.windowTitle(), u"A-BC 1  /  Golf"_s);
    EXPECT_EQ(chart.shownMarks(), (QStringList{u"312,50"_s, u"112,50"_s, u"200,00"_s}));
    EXPECT_EQ(chart.vehicleAxis().categoriesLabels(), (QStringList{u"A-BC 1<br>Golf"_s}));

    const int cursor = window->state().VehicleTable.RowNumber();
    chart.ui().allVehiclesCheckBox->click();
    EXPECT_EQ(chart.windowTitle(), u"Alle Fahrzeuge"_s);
    EXPECT_EQ(chart.valueAxis().titleText(), u"Kosten"_s);
    ASSERT_EQ(chart.bars().size(), 2u);
    EXPECT_EQ(chart.bars()[1].position, 2);
    EXPECT_DOUBLE_EQ(chart.bars()[1].total, 150);
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), cursor);
    // Each series draws one bar per vehicle with bars, as one outline.
    EXPECT_EQ(chart.series(TForm8::Gesamt)->upperSeries()->count(), 8);

    // Per kilometre both start at their last fill-up (the first record is never the start): no
    // distance, no bars.
    chart.ui().perKmRadioButton->click();
    EXPECT_TRUE(chart.bars().empty());
    chart.hide();
    // The choices stay for the next opening.
    chart.refill();
    EXPECT_TRUE(chart.ui().perKmRadioButton->isChecked());
    EXPECT_TRUE(chart.ui().allVehiclesCheckBox->isChecked());
}

TEST_F(ChartWindowsTest, CostChartScrollsByTheRightButtonAndTheTickBoxStartsUnscrolled) {
    startOnFirst();
    TForm8& chart = shown(window->charts().costs());
    chart.ui().allVehiclesCheckBox->setChecked(true);
    chart.refill();
    chart.resize(820, 260); // room for a few vehicles only
    QApplication::processEvents();
    const int perView = chart.positionsPerView();
    EXPECT_EQ(perView, vehiclesPerView(chart.chart().plotArea().height()));
    chart.resize(820, 200);
    QApplication::processEvents();
    ASSERT_EQ(chart.positionsPerView(), 1) << chart.chart().plotArea().height();
    EXPECT_EQ(chart.shownMarks().size(), 3);

    // Dragging up by a vehicle's height with the right button shows the next vehicle.
    QWidget* viewport = chart.ui().chartView->viewport();
    const QPoint middle = viewport->rect().center();
    const int height = static_cast<int>(chart.chart().plotArea().height());
    mouse(viewport, QEvent::MouseButtonPress, middle, Qt::RightButton, Qt::RightButton);
    mouse(viewport, QEvent::MouseMove, middle - QPoint(0, height), Qt::NoButton, Qt::RightButton);
    mouse(viewport, QEvent::MouseButtonRelease, middle - QPoint(0, height), Qt::RightButton, Qt::NoButton);
    EXPECT_NEAR(chart.firstPosition(), 2, 0.05);
    EXPECT_EQ(chart.shownMarks(), (QStringList{u"150,00"_s, u"150,00"_s, u"0,00"_s}));
    chart.scrollBy(10); // never beyond the last vehicle
    EXPECT_DOUBLE_EQ(chart.firstPosition(), 3);
    EXPECT_TRUE(chart.shownMarks().isEmpty()); // M-EL 3: its position free

    chart.ui().allVehiclesCheckBox->click();
    chart.ui().allVehiclesCheckBox->click();
    EXPECT_DOUBLE_EQ(chart.firstPosition(), 1);
    chart.hide();
}

TEST_F(ChartWindowsTest, LegendTickBoxHidesASeriesAndItsMarks) {
    startOnFirst();
    TForm8& chart = shown(window->charts().costs());
    chart.ui().allVehiclesCheckBox->setChecked(false);
    chart.refill();
    QLegendMarker* fuel = chart.chart().legend()->markers(chart.series(TForm8::Kraftstoff)).at(0);
    EXPECT_EQ(fuel->label(), u"☑ Kraftstoff"_s);
    emit fuel->clicked();
    EXPECT_FALSE(chart.series(TForm8::Kraftstoff)->isVisible());
    EXPECT_TRUE(fuel->isVisible());
    EXPECT_EQ(fuel->label(), u"☐ Kraftstoff"_s);
    EXPECT_EQ(chart.shownMarks(), (QStringList{u"312,50"_s, u"200,00"_s}));
    emit fuel->clicked();
    EXPECT_TRUE(chart.series(TForm8::Kraftstoff)->isVisible());
    chart.hide();
}

TEST_F(ChartWindowsTest, PrintsGoToTheSeamInLandscapeOneJobPerCopyNamedByTheTitleLine) {
    startOnFirst();
    printer.answer = PrintRange{1, 1, 2};
    TForm6& consumption = shown(window->charts().consumption());
    consumption.fill();
    consumption.ui().printButton->click();
    ASSERT_EQ(printer.jobs.size(), 2u);
    for (const CapturedJob& job : printer.jobs) {
        EXPECT_EQ(job.title, u"Wagenwart v5.3.0 – Verbrauchsdiagramm – A-BC 1  /  Golf"_s);
        EXPECT_EQ(job.orientation, alr_Landscape);
        EXPECT_EQ(job.pages.size(), 1u);
        EXPECT_TRUE(job.ended);
    }
    EXPECT_TRUE(consumption.chart().chart().title().isEmpty()); // the title line is for paper only
    consumption.hide();

    // All vehicles, one to a view: a page for each of the three positions.
    printer.jobs.clear();
    printer.answer = PrintRange{1, 3, 1};
    TForm8& costs = shown(window->charts().costs());
    costs.ui().allVehiclesCheckBox->setChecked(true);
    costs.refill();
    costs.resize(820, 200);
    QApplication::processEvents();
    ASSERT_EQ(costs.positionsPerView(), 1);
    costs.scrollBy(1);
    costs.ui().printButton->click();
    EXPECT_EQ(printer.dialogPageCount, 3);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].title, u"Wagenwart v5.3.0 – Kostendiagramm – Alle Fahrzeuge"_s);
    EXPECT_EQ(printer.jobs[0].pages.size(), 3u);
    EXPECT_DOUBLE_EQ(costs.firstPosition(), 2); // the view as it was
    costs.hide();

    // "Abbrechen" in the print dialog: no job.
    printer.jobs.clear();
    printer.answer.reset();
    window->charts().fuelPrice().fill();
    window->charts().fuelPrice().ui().printButton->click();
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(ChartWindowsTest, SavedAsPdfTheChartIsALandscapePageWithItsTitleLine) {
    startOnFirst();
    const QString pdf = dir.filePath(u"verbrauch.pdf"_s);
    saveFile.answers.push_back(pdf);
    TForm7& chart = shown(window->charts().fuelPrice());
    chart.fill();
    chart.ui().pdfButton->click();
    ASSERT_EQ(saveFile.requests.size(), 1u);
    EXPECT_TRUE(saveFile.requests[0].proposedPath.endsWith(
        u"Wagenwart v5.3.0 – Kraftstoffpreis-Diagramm – A-BC 1  -  Golf.pdf"_s));
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess info;
    info.start(u"pdfinfo"_s, {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression(u"Pages:\\s+1\n"_s))) << text.toStdString();
    EXPECT_TRUE(text.contains(u"842 x 595"_s)) << text.toStdString();
    const QString words = PdfPrinter::text(pdf);
    EXPECT_TRUE(words.contains(u"Wagenwart v5.3.0 – Kraft"_s)) << words.toStdString(); // "ff" may be a ligature
    EXPECT_TRUE(words.contains(u"Datum"_s)) << words.toStdString();
    EXPECT_TRUE(words.contains(u"Preis in € für 1 LDiesel"_s)) << words.toStdString();
    EXPECT_TRUE(prompts.prompts.empty());
    chart.hide();
}

} // namespace
