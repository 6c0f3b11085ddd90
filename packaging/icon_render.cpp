// Renders the application icon while building:
//   zuzo-icon-render ICON.svg OUT_DIR SIZE...
// writes OUT_DIR/SIZE/zuzo-transport.png for every SIZE (the hicolor icon
// theme), and
//   zuzo-icon-render ICON.svg --ico OUT.ico SIZE...
// writes one Windows icon file holding every SIZE (at most 256) as PNG.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QImage render(QSvgRenderer& svg, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter);
    }
    return image;
}

bool write_png(QSvgRenderer& svg, const QString& out_dir, int side)
{
    const QString folder = out_dir + QLatin1Char('/') + QString::number(side);
    if (!QDir().mkpath(folder))
        return false;
    return render(svg, side).save(folder + QStringLiteral("/zuzo-transport.png"), "PNG");
}

void put16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

void put32(QByteArray& out, qint64 value)
{
    put16(out, static_cast<int>(value & 0xffff));
    put16(out, static_cast<int>((value >> 16) & 0xffff));
}

// An icon file: a directory of 16-byte entries, then the pictures as PNG
// (32 bits a pixel; a side of 256 is written as 0).
bool write_ico(QSvgRenderer& svg, const QString& path, const std::vector<int>& sides)
{
    std::vector<QByteArray> pngs;
    for (int side : sides) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !render(svg, side).save(&buffer, "PNG"))
            return false;
        pngs.push_back(png);
    }
    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon
    put16(out, static_cast<int>(sides.size()));
    qint64 offset = 6 + 16 * static_cast<qint64>(sides.size());
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const int side = sides[i] == 256 ? 0 : sides[i];
        out.append(static_cast<char>(side));
        out.append(static_cast<char>(side));
        out.append('\0'); // no palette
        out.append('\0');
        put16(out, 1);  // planes
        put16(out, 32); // bits a pixel
        put32(out, pngs[i].size());
        put32(out, offset);
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs)
        out.append(png);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace

int main(int argc, char** argv)
{
    const bool ico = argc >= 3 && QByteArray(argv[2]) == "--ico";
    const int first_size = ico ? 4 : 3;
    if (argc <= first_size) {
        std::fputs("usage: zuzo-icon-render ICON.svg OUT_DIR SIZE...\n"
                   "       zuzo-icon-render ICON.svg --ico OUT.ico SIZE...\n",
                   stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "zuzo-icon-render: %s is not a readable SVG picture\n", argv[1]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[first_size - 1]);
    std::vector<int> sides;
    for (int k = first_size; k < argc; ++k) {
        const int side = std::atoi(argv[k]);
        if (side <= 0 || side > (ico ? 256 : 1024)) {
            std::fprintf(stderr, "zuzo-icon-render: bad size %s\n", argv[k]);
            return 2;
        }
        sides.push_back(side);
    }
    if (ico) {
        if (!write_ico(svg, out, sides)) {
            std::fprintf(stderr, "zuzo-icon-render: cannot write %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    for (int side : sides) {
        if (!write_png(svg, out, side)) {
            std::fprintf(stderr, "zuzo-icon-render: cannot write the %d pixel icon\n", side);
            return 1;
        }
    }
    return 0;
}
