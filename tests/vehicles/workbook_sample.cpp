// Writes the sample workbooks for the read-back check (check_workbooks.py), each in both formats:
//   workbook_sample DIR   ->  DIR/sample.xlsx, DIR/sample.ods, DIR/vehicle.xlsx, DIR/vehicle.ods,
//                             DIR/vehicle_list.xlsx, DIR/vehicle_list.ods

#include "vehicles/vehicle_list.h"
#include "vehicles/workbook_samples.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: workbook_sample DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const Workbook vehicle = vehicleCostWorkbook(sampleRecords(), sampleVehicle());
    const TMlb2 records = sampleRecords();
    Vehicle francs;
    francs.waehr = "1";
    const Workbook list = vehicleListWorkbook(
        {vehicleListRow(sampleVehicle(), 1, records), vehicleListRow(sampleVehicle(francs), 1, records)});
    int failures = 0;
    for (const auto& [name, book] :
         {std::pair{"sample", sampleWorkbook()}, std::pair{"vehicle", vehicle}, std::pair{"vehicle_list", list}}) {
        for (const WorkbookFormat format : {WorkbookFormat::Xlsx, WorkbookFormat::Ods}) {
            const QString path = dir + u'/' + QLatin1String(name) + workbookSuffix(format);
            const QString reason = writeWorkbook(path, book, format);
            std::printf("%s %s %s\n", reason.isEmpty() ? "wrote" : "FAILED", qPrintable(path), qPrintable(reason));
            failures += !reason.isEmpty();
        }
    }
    return failures == 0 ? 0 : 1;
}
