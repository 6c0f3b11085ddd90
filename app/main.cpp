#include "app/application.h"
#include "app/translations.h"
#include "link/core/port_names.h"
#include "ui/system_locale.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char** argv)
{
    std::optional<RussianSystemLocale> russian(std::in_place);
    QApplication qt(argc, argv);
    (void)QLocale::system(); // taken now, in Russian, and kept
    russian.reset();
    // The tool ends only through Exit; closing windows never quits it.
    QApplication::setQuitOnLastWindowClosed(false);
    if (install_russian_texts(qt).catalogue == nullptr)
        std::fputs("zuzo-transport: qtbase_ru.qm not found; Qt's own buttons and dialogs stay English\n",
                   stderr);
    const std::unique_ptr<zuzo::PortLister> ports = zuzo::make_system_port_lister();
    Application app({}, ports.get());
    if (!app.start()) {
        std::fputs("zuzo-transport: the main window cannot be created\n", stderr);
        return 1;
    }
    return QApplication::exec();
}
