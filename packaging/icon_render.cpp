// Renders the application icon into the PNG sizes of the hicolor icon theme:
//   zuzo-icon-render ICON.svg OUT_DIR SIZE...
// writes OUT_DIR/SIZE/zuzo-transport.png for every SIZE. Used while building.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

bool render(QSvgRenderer& svg, const QString& out_dir, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter);
    }
    const QString folder = out_dir + QLatin1Char('/') + QString::number(side);
    if (!QDir().mkpath(folder))
        return false;
    return image.save(folder + QStringLiteral("/zuzo-transport.png"), "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: zuzo-icon-render ICON.svg OUT_DIR SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "zuzo-icon-render: %s is not a readable SVG picture\n", argv[1]);
        return 1;
    }
    const QString out_dir = QString::fromLocal8Bit(argv[2]);
    for (int k = 3; k < argc; ++k) {
        const int side = std::atoi(argv[k]);
        if (side <= 0 || side > 1024) {
            std::fprintf(stderr, "zuzo-icon-render: bad size %s\n", argv[k]);
            return 2;
        }
        if (!render(svg, out_dir, side)) {
            std::fprintf(stderr, "zuzo-icon-render: cannot write the %d pixel icon\n", side);
            return 1;
        }
    }
    return 0;
}
