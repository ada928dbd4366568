#include "report/cost_list_report.h"
#include "report/pdf_export.h"
#include "report/report_fixture.h"
#include "support/scripted_prompts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Experiment, Geometry) {
    ScriptedPrompts prompts;
    LoadedReport r = LoadReport(costListLayout(), prompts);
    ASSERT_TRUE(r);
    AddNamedValue(*r.report, "AlField2", "A-BC 1  /  Golf");
    AddNamedValue(*r.report, "AlField9", "12345 ");
    tPages pages;
    TAlPrinter printer;
    PreparePages(*r.report, pages, printer, reportClock());
    ASSERT_EQ(pages.count(), 1);
    std::printf("page %d x %d pictdpi %d\n", pages.page(1)->width(), pages.page(1)->height(), pages.page(1)->picture().logicalDpiX());
    renderPage(*pages.page(1)).save("/tmp/exp.png");
    ASSERT_FALSE(savePagesAsPdf(pages, "t", "/tmp/exp.pdf"));
}
