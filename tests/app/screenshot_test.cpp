// Pictures of both pages and of the window "О программе" for the
// documentation. Runs only when ZUZO_SCREENSHOT_DIR names a folder to write
// docs/main-config.png, docs/main-optics.png and docs/about-window.png into.

#include "support/app_fixture.h"

#include "app/auxiliary_commands.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QPixmap>
#include <QTabWidget>

namespace {

using Screenshot = AppFixture;

TEST_F(Screenshot, BothPagesOfTheMainWindow)
{
    const QByteArray folder = qgetenv("ZUZO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set ZUZO_SCREENSHOT_DIR to take the pictures";
    stop_timers();
    status_tick();
    const QDir dir(QString::fromLocal8Bit(folder));
    const struct {
        int page;
        const char* file;
    } shots[] = {{0, "main-config.png"}, {1, "main-optics.png"}};
    for (const auto& shot : shots) {
        ui().MainPanel->setCurrentIndex(shot.page);
        process_events();
        const QPixmap image = ui().MainWindow->grab();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(dir.filePath(QString::fromLatin1(shot.file))));
    }
    ui().MainPanel->setCurrentIndex(0);
    ui().menu_actions[MenuId::About]->trigger();
    process_events();
    QWidget* about = app().commands().about_window();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->grab().save(dir.filePath(QStringLiteral("about-window.png"))));
    app().commands().close_about();
}

} // namespace
