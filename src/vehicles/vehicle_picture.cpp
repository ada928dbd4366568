#include "vehicles/vehicle_picture.h"

#include <QFileDialog>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <set>

VehiclePicture::VehiclePicture(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::PointingHandCursor);
}

bool VehiclePicture::showFile(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    m_image = reader.read();
    update();
    return !m_image.isNull();
}

void VehiclePicture::clear() {
    m_image = QImage();
    update();
}

void VehiclePicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_image.isNull()) return;
    const QRect area = contentsRect().adjusted(4, 4, -4, -4);
    if (area.isEmpty()) return;
    const QSize size = m_image.size().scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                       size.width(), size.height());
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, m_image);
}

void VehiclePicture::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::RightButton)
        emit removeRequested();
    else
        emit chooseRequested();
}

std::optional<QString> FileDialogPictureChooser::choosePicture(QWidget* parent, const QString& start,
                                                               const QString& filter) {
    // Each entry shows its name alone; its patterns stand after it, in the form Qt reads.
    const QString chosen =
        QFileDialog::getOpenFileName(parent, QString(), start, filter, nullptr, QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

QString pictureFilter() {
    // Each entry: the name the dialog shows, then the patterns it filters with (blank-separated, the
    // only form Qt's file dialogs read).
    auto entry = [](const QString& name, const QStringList& patterns) {
        return name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    };
    const QStringList own = {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"),
                             QStringLiteral("*.ico"), QStringLiteral("*.emf"),  QStringLiteral("*.wmf")};
    QStringList entries{entry(QStringLiteral("All (") + own.join(QLatin1Char(';')) + QLatin1Char(')'), own)};
    const char* const names[] = {"JPEG Image File", "JPEG Image File",    "Bitmaps",
                                 "Icons",           "Enhanced Metafiles", "Metafiles"};
    for (int i = 0; i < own.size(); ++i)
        entries << entry(QString::fromLatin1(names[i]) + QStringLiteral(" (") + own[i] + QLatin1Char(')'), {own[i]});
    // The further formats Qt reads, in an entry of their own.
    std::set<QString> more;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!own.contains(pattern)) more.insert(pattern);
    }
    if (!more.empty()) {
        const QStringList patterns(more.begin(), more.end());
        entries << entry(QStringLiteral("Weitere Bildformate (") + patterns.join(QLatin1Char(';')) + QLatin1Char(')'),
                         patterns);
    }
    return entries.join(QStringLiteral(";;"));
}
