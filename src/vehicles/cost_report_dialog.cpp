#include "vehicles/cost_report_dialog.h"

#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/field_names.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "report/printer_seam.h"
#include "store/atomic_file.h"
#include "store/code_page.h"
#include "ui_cost_report_dialog.h"
#include "vehicles/document_print.h"
#include "vehicles/rtf_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QTextCursor>

#include <stdexcept>

namespace {

// The largest picture shown beside the text; a larger one is scaled down with its proportions.
constexpr int kPictureWidth = 240, kPictureHeight = 320;

} // namespace

TForm14::TForm14(AppState& state, Prompts& prompts, const MainWindowRefresh& main,
                 std::function<ReportPanelTexts()> panel, PrinterSeam*& printer, SaveFileSeam*& saveFile,
                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm14>()), m_state(state), m_prompts(prompts), m_main(main),
      m_panel(std::move(panel)), m_printer(printer), m_saveFile(saveFile) {
    m_ui->setupUi(this);
    m_ui->reportText->setFixedWidth(kTextWidth);
    m_ui->speedSlider->setRange(40, 200);
    m_ui->speedSlider->setValue(70);
    m_ui->speedValueLabel->setText(QStringLiteral("70 km/h"));
    connect(m_ui->valueSpinBox, &QSpinBox::valueChanged, this, &TForm14::onValueChanged);
    connect(m_ui->speedSlider, &QSlider::valueChanged, this, [this](int speed) {
        m_ui->speedValueLabel->setText(QStringLiteral("%1 km/h").arg(speed));
        drawbericht();
    });
    connect(m_ui->saveButton, &QPushButton::clicked, this, &TForm14::onSave);
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm14::onPrint);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm14::~TForm14() = default;

bool TForm14::preparePicture() {
    if (fuelRecordCount(m_state.CostTable) == 0) {
        m_prompts.information(kNoFuelRecordMessage.toString());
        return false;
    }
    QImage picture;
    const QString path = toDisplay(m_state.VehicleTable.GetValue(field::bild));
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        picture = reader.read();
    }
    if (!picture.isNull()) {
        const QPixmap shown = QPixmap::fromImage(
            picture.width() > kPictureWidth || picture.height() > kPictureHeight
                ? picture.scaled(kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : picture);
        m_ui->pictureLabel->setPixmap(shown);
        m_ui->pictureLabel->setFixedWidth(shown.width());
        m_ui->pictureLabel->show();
        resize(kTextWidth + shown.width() + 46, height());
    } else {
        m_ui->pictureLabel->clear();
        m_ui->pictureLabel->hide();
        resize(kTextWidth + 42, height());
    }
    return true;
}

void TForm14::prepare() {
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*m_ui->banner, QStringLiteral("Bericht"));
    const QSignalBlocker quiet(m_ui->valueSpinBox); // showing "apreis" changes nothing
    m_ui->valueSpinBox->setValue(currentVehicleValue(m_state.VehicleTable));
    drawbericht();
}

int TForm14::exec() {
    if (!preparePicture()) return Rejected;
    prepare();
    return QDialog::exec();
}

void TForm14::onValueChanged(int value) {
    setCurrentVehicleValue(m_state.VehicleTable, value);
    drawbericht();
}

void TForm14::drawbericht() {
    std::vector<ReportParagraph> paragraphs;
    try {
        paragraphs = ::drawbericht(CostReportInput{m_state.CostTable, m_state.VehicleTable, m_panel(),
                                                   m_ui->valueSpinBox->value(), m_ui->speedSlider->value(),
                                                   m_state.clock.today()});
    } catch (const std::exception& e) {
        // A record the report cannot read: say which, and show no report.
        m_prompts.error(QString::fromUtf8(e.what()));
    }
    QTextDocument* document = m_ui->reportText->document();
    fillReportDocument(*document, paragraphs);
    m_ui->reportText->moveCursor(QTextCursor::Start);
}

bool TForm14::onSave() {
    QString name = toDisplay(m_state.VehicleTable.GetValue(field::nummer)) + QStringLiteral(".rtf");
    name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::optional<QString> chosen =
        m_saveFile->saveFileName(this, QStringLiteral("Bericht speichern"), QDir(folder).filePath(name),
                                 QStringLiteral("Text files (*.rtf *.txt)"));
    if (!chosen || chosen->isEmpty()) return false;
    const QString path = *chosen;
    if (QFileInfo::exists(path) &&
        !m_prompts.question(QStringLiteral("OK to overwrite %1").arg(QDir::toNativeSeparators(path))))
        return false;
    QString reason;
    if (saveFileAtomically(path, writeRtf(*m_ui->reportText->document()), &reason) != AtomicSaveResult::Ok) {
        m_prompts.error(QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2")
                            .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    return true;
}

void TForm14::onPrint() {
    (void)printTextDocument(*m_printer, m_prompts, this, *m_ui->reportText->document(),
                            QStringLiteral("Wagenwart Bericht"));
}
