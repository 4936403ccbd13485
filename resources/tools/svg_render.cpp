// Renders one SVG drawing to a PNG of the given size at build time, so the
// repository keeps only the drawings and the program carries plain pictures.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s input.svg output.png width height\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svg_render: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(QString::fromLatin1(argv[3]).toInt(), QString::fromLatin1(argv[4]).toInt(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "svg_render: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
