// Test entry for tests on real widgets: one QApplication for the process,
// offscreen unless a display platform is asked for.

#include "ui/system_locale.h"

#include <QApplication>
#include <QLocale>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt takes the system's locale as the tool does: Russian.
    std::optional<RussianSystemLocale> russian(std::in_place);
    QApplication app(argc, argv);
    (void)QLocale::system();
    russian.reset();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
