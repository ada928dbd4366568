#include "report/report_windows.h"

#include "report/printer_seam.h"

ReportWindows::ReportWindows(const AppState& state, Prompts& prompts, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_parent(parent), m_systemPrinter(std::make_unique<QtPrinterSeam>()),
      m_systemSaveFile(std::make_unique<QtSaveFileSeam>()), m_printer(m_systemPrinter.get()),
      m_saveFile(m_systemSaveFile.get()) {}

ReportWindows::~ReportWindows() = default;

PrintSeams ReportWindows::seams() const {
    return {m_prompts, *m_printer, *m_saveFile};
}

void ReportWindows::printCostList(const QString& vehicleCaption) {
    ::printCostList(m_parent, m_state, vehicleCaption, seams());
}

void ReportWindows::printDataSheet(QWidget* parent) {
    ::printDataSheet(parent, m_state, seams());
}

void ReportWindows::printVehicleList(QWidget* parent, const std::vector<VehicleListRow>& rows) {
    ::printVehicleList(parent, m_state, rows, seams());
}

void ReportWindows::printLogbook(QWidget* parent, const LogbookPrint& print) {
    ::printLogbook(parent, m_state, print, seams());
}

void ReportWindows::setSeams(PrinterSeam& printer, SaveFileSeam& saveFile) {
    m_printer = &printer;
    m_saveFile = &saveFile;
}
