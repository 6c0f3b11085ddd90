#include "ui/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into the static application library; the linker
// keeps their registration only if someone calls it.
static void ensure_pictures_registered()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

namespace {

struct PictureEntry {
    const char* resource;
    int width;
    int height;
};

constexpr PictureEntry kPictures[PICTURE_COUNT] = {
    {":/pictures/warning.svg", 45, 30},     {":/pictures/copy.svg", 24, 24},
    {":/pictures/arrow_right.svg", 50, 25}, {":/pictures/about.svg", 146, 155},
    {":/pictures/tool_new.svg", 16, 16},    {":/pictures/tool_open.svg", 16, 16},
    {":/pictures/tool_save.svg", 16, 16},   {":/pictures/tool_help.svg", 16, 16},
    {":/pictures/tool_site.svg", 16, 16},   {":/pictures/tool_about.svg", 16, 16},
    {":/pictures/tool_exit.svg", 16, 16},
};

// The table row of a picture; -1 for numbers outside 0..10.
int row(Picture which)
{
    const int number = static_cast<int>(which);
    return number >= 0 && number < PICTURE_COUNT ? number : -1;
}

QPixmap render(const QString& resource, QSize size, qreal ratio)
{
    ensure_pictures_registered();
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return {};
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

QSize picture_size(Picture which)
{
    const int k = row(which);
    if (k < 0)
        return {};
    return {kPictures[k].width, kPictures[k].height};
}

QPixmap picture(Picture which, qreal ratio)
{
    const int k = row(which);
    if (k < 0)
        return {};
    if (ratio <= 0)
        ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return render(QString::fromLatin1(kPictures[k].resource), picture_size(which), ratio);
}

QIcon picture_icon(Picture which)
{
    QIcon icon;
    if (row(which) < 0)
        return icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(picture(which, ratio));
    return icon;
}

QIcon application_icon()
{
    QIcon icon;
    // Sizes up to 256 so that the title bar, the task bar and a scaled
    // screen each get a sharp picture.
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(render(QStringLiteral(":/pictures/app_icon.svg"), QSize(side, side), 1.0));
    return icon;
}
