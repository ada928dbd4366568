#include "charts/chart_windows.h"

#include "charts/consumption_chart_dialog.h"
#include "charts/cost_chart_dialog.h"
#include "charts/fuel_price_chart_dialog.h"
#include "report/printer_seam.h"

ChartWindows::ChartWindows(const AppState& state, Prompts& prompts, const MainWindowRefresh& main,
                           std::function<QString()> averageFigure, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_main(main), m_averageFigure(std::move(averageFigure)), m_parent(parent),
      m_systemPrinter(std::make_unique<QtPrinterSeam>()), m_systemSaveFile(std::make_unique<QtSaveFileSeam>()),
      m_printer(m_systemPrinter.get()), m_saveFile(m_systemSaveFile.get()) {}

ChartWindows::~ChartWindows() = default;

TForm6& ChartWindows::consumption() {
    if (!m_consumption)
        m_consumption =
            std::make_unique<TForm6>(m_state, m_prompts, m_main, m_averageFigure, m_printer, m_saveFile, m_parent);
    return *m_consumption;
}

TForm7& ChartWindows::fuelPrice() {
    if (!m_fuelPrice)
        m_fuelPrice = std::make_unique<TForm7>(m_state, m_prompts, m_main, m_printer, m_saveFile, m_parent);
    return *m_fuelPrice;
}

TForm8& ChartWindows::costs() {
    if (!m_costs) m_costs = std::make_unique<TForm8>(m_state, m_prompts, m_main, m_printer, m_saveFile, m_parent);
    return *m_costs;
}

void ChartWindows::showConsumption() {
    consumption().exec();
}

void ChartWindows::showFuelPrice() {
    fuelPrice().exec();
}

void ChartWindows::showCosts() {
    costs().exec();
}

void ChartWindows::setSeams(PrinterSeam& printer, SaveFileSeam& saveFile) {
    m_printer = &printer;
    m_saveFile = &saveFile;
}
