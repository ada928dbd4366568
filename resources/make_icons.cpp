// Renders the program's SVG icon as PNG files of the given sizes:
//   make_icons ICON.svg OUTDIR 16 32 48 ...   ->  OUTDIR/<size>/wagenwart.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_icons ICON.svg OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "make_icons: %s is no SVG picture\n", argv[1]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString dir = out + QStringLiteral("/%1").arg(size);
        if (!QDir().mkpath(dir) || !image.save(dir + QStringLiteral("/wagenwart.png"))) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
