#pragma once
// Helpers of the report tests: a device of a fixed page size, page pictures drawn into images,
// and the places where a page picture is dark.

#include "core/clock.h"
#include "report/al_report.h"

#include <QImage>
#include <QPainter>

// A 96-dpi device whose printable area is width × height pixels from the paper's corner.
inline TAlPrinter fixedPagePrinter(int width, int height) {
    return TAlPrinter([width, height](TAlOrientation o) {
        return o == alr_Landscape ? DeviceMetrics{96, height, width, 0, 0} : DeviceMetrics{96, width, height, 0, 0};
    });
}

// A page picture drawn 1:1 onto a white image of its size.
inline QImage renderPage(const TDrawMetaFile& page, double scale = 1.0) {
    QImage image(int(page.width() * scale + 0.5), int(page.height() * scale + 0.5), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawPagePicture(painter, page, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    return image;
}

// The bounding box of the pixels in `area` at least as dark as the grey of the frames; empty when there is none.
inline QRect inkBox(const QImage& image, QRect area = QRect()) {
    if (area.isNull()) area = image.rect();
    area &= image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

inline const FixedClock& reportClock() {
    static const FixedClock clock{QDateTime(QDate(2026, 5, 10), QTime(9, 30, 15))};
    return clock;
}
