// Conversions between millimetres, device pixels and layout pixels.
#include "report/al_printer.h"
#include "report/report_units.h"

#include <gtest/gtest.h>

struct RoundCase {
    const char* name;
    double value;
    int rounded;
};

class RoundHalfEven : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEven, ToTheNearestHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Units, RoundHalfEven,
                         ::testing::Values(RoundCase{"HalfDownToEven", 2.5, 2}, RoundCase{"HalfUpToEven", 3.5, 4},
                                           RoundCase{"BelowHalf", 56.49, 56}, RoundCase{"AboveHalf", 56.69, 57},
                                           RoundCase{"Whole", 57.0, 57}, RoundCase{"NegativeHalf", -2.5, -2},
                                           RoundCase{"Zero", 0.0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Units, MarginsOfTheLayoutsInPixels) {
    EXPECT_EQ(mmToPixels(15, 96), 57); // 56.69
    EXPECT_EQ(mmToPixels(12, 96), 45); // 45.35
    EXPECT_EQ(mmToPixels(25.4, 96), 96);
}

TEST(Units, PdfA4PageInScreenPixels) {
    const DeviceMetrics portrait = pdfA4Metrics(alr_Portrait);
    EXPECT_EQ(portrait.resolution, 1200);
    // The PDF writer's A4 page is 595 × 842 points: 9917 × 14033 pixels at 1200 dpi.
    EXPECT_EQ(portrait.printableWidth, 9917);
    EXPECT_EQ(deviceToScreen(portrait.printableWidth, 96, 1200), 793);   // 793.36
    EXPECT_EQ(deviceToScreen(portrait.printableHeight, 96, 1200), 1123); // 1122.64
    const DeviceMetrics landscape = pdfA4Metrics(alr_Landscape);
    EXPECT_EQ(landscape.printableWidth, portrait.printableHeight);
    EXPECT_EQ(deviceToScreen(100, 96, 0), 0); // a device without a resolution has no pages
}

TEST(Units, PageOfAPrinterWithOffsetsCoversThePaperToThePrintableAreasEnd) {
    // 600 dpi, a printable area of 4760 × 6814 that starts 100 and 120 pixels in from the corner.
    TAlPrinter printer([](TAlOrientation) { return DeviceMetrics{600, 4760, 6814, 100, 120}; });
    tPages pages;
    printer.beginPictureMode(alr_Portrait, pages);
    EXPECT_EQ(printer.pageWidth(), 778);   // 4860 × 96 / 600 = 777.6
    EXPECT_EQ(printer.pageHeight(), 1109); // 6934 × 96 / 600 = 1109.44
    EXPECT_EQ(pages.count(), 1);
    printer.endRun();
}
