#include "core/banner.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

QColor reducedColour(const QColor& colour, int amount) {
    return QColor(std::max(colour.red() - amount, 0), std::max(colour.green() - amount, 0),
                  std::max(colour.blue() - amount, 0));
}

BannerStrip::BannerStrip(QWidget* parent) : QWidget(parent) {
    setFixedHeight(44);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Topleiste(BannerStrip& strip, const QString& caption) {
    strip.m_caption = caption;
    strip.setAccessibleName(caption);
    strip.update();
}

void BannerStrip::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) update();
    QWidget::changeEvent(event);
}

void BannerStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    const QRect r = rect();
    p.fillRect(r, reducedColour(face, 12));
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, reducedColour(face, 41));
    gradient.setColorAt(1, reducedColour(face, 12));
    p.fillRect(r.adjusted(0, 0, 0, -1), gradient);
    p.setPen(reducedColour(face, 41));
    p.drawLine(r.bottomLeft(), r.bottomRight());

    QFont font = this->font();
    const bool programName = m_caption == QLatin1String("Wagenwart");
    if (programName) {
        font.setPointSize(16);
        font.setBold(true);
        font.setItalic(true);
    } else {
        font.setPointSize(8);
    }
    p.setFont(font);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(r.adjusted(0, 0, -20, 0), Qt::AlignRight | Qt::AlignVCenter, m_caption);
}
