// Pictures of both pages for the documentation. Runs only when
// ZUZO_SCREENSHOT_DIR names a folder to write docs/main-config.png and
// docs/main-optics.png into.

#include "support/app_fixture.h"

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
}

} // namespace
