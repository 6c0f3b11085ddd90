#include "tools/zuzo/commands/chart_png.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace zuzo::cli {
namespace {

// The words a graphical application made here is started with; they live as
// long as it does.
int g_argc = 1;
char g_name[] = "zuzo";
char g_platform_option[] = "-platform";
char g_platform[32] = "";
char* g_argv[4] = {g_name, nullptr, nullptr, nullptr};

// Qt's own notes while it starts and draws (a runtime folder it misses, a
// font it substitutes) are not the command's output.
void quiet(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg)
        std::abort();
}

std::unique_ptr<QGuiApplication> graphical_application()
{
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    const char* platform = picture_platform();
    if (platform[0] != '\0' && std::strlen(platform) < sizeof g_platform) {
        std::strcpy(g_platform, platform);
        g_argv[1] = g_platform_option;
        g_argv[2] = g_platform;
        g_argc = 3;
    }
    return std::make_unique<QGuiApplication>(g_argc, g_argv);
}

} // namespace

PngPicture png_from_svg(const std::string& svg)
{
    struct Quiet {
        QtMessageHandler before = qInstallMessageHandler(&quiet);
        ~Quiet() { qInstallMessageHandler(before); }
    } const hushed;
    const std::unique_ptr<QGuiApplication> app = graphical_application();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return {{}, "рисунок PNG не нарисован: нет графической части Qt"};
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid() || renderer.defaultSize().isEmpty())
        return {{}, "рисунок PNG не нарисован: Qt не прочитал SVG"};
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {{}, "рисунок PNG не нарисован: Qt не записал PNG"};
    return {std::vector<std::uint8_t>(png.begin(), png.end()), {}};
}

} // namespace zuzo::cli
