// Every secondary window is owned by the main window, and a real message box
// asked for the main window goes over the secondary window open at the time:
// no question or progress is hidden behind another window.

#include "support/app_fixture.h"

#include "app/auxiliary_commands.h"
#include "app/qt_seams.h"
#include "link/transfer_progress_window.h"
#include "plans/copy_dialog.h"
#include "plans/copy_dialog_window.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

struct OwnedCase {
    const char* name;
    // Opens the secondary window (nullptr: none) and returns it.
    std::function<QWidget*(Application&, std::unique_ptr<TransferProgressWindow>&)> open;
};

class OwnedWindows : public AppFixture, public ::testing::WithParamInterface<OwnedCase> {};

// The window the next real box is shown over, and the one its platform
// window stays above.
std::pair<QWidget*, QWindow*> owner_of_next_box(QWidget* asked_for)
{
    int busy = 0;
    QtMessageBoxes boxes(busy);
    std::pair<QWidget*, QWindow*> seen{nullptr, nullptr};
    std::function<void()> look = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, look);
            return;
        }
        seen = {box->parentWidget(), box->windowHandle()->transientParent()};
        box->close();
    };
    QTimer::singleShot(0, look);
    (void)boxes.show(asked_for, QStringLiteral("Ошибка"), QStringLiteral("Устройство не отвечает."),
                     MsgButtons::Ok, MsgIcon::Error);
    return seen;
}

TEST_P(OwnedWindows, SecondaryWindowStaysAboveTheMainWindowAndBoxesGoOverIt)
{
    std::unique_ptr<TransferProgressWindow> progress;
    QMainWindow* main = ui().MainWindow;
    QWidget* secondary = GetParam().open(app(), progress);
    process_events();
    QWidget* expected = main;
    if (secondary) {
        ASSERT_TRUE(secondary->isVisible());
        EXPECT_TRUE(secondary->isWindow());
        EXPECT_EQ(secondary->parentWidget(), main);
        ASSERT_NE(secondary->windowHandle(), nullptr);
        EXPECT_EQ(secondary->windowHandle()->transientParent(), main->windowHandle());
        EXPECT_FALSE(main->isEnabled());
        EXPECT_TRUE(secondary->isEnabled());
        expected = secondary;
    }
    const auto [owner, above] = owner_of_next_box(main);
    EXPECT_EQ(owner, expected);
    EXPECT_EQ(above, expected->windowHandle());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, OwnedWindows,
    ::testing::Values(
        OwnedCase{"none", [](Application&, std::unique_ptr<TransferProgressWindow>&) -> QWidget* { return nullptr; }},
        OwnedCase{"about",
                  [](Application& app, std::unique_ptr<TransferProgressWindow>&) -> QWidget* {
                      app.commands().about();
                      return app.commands().about_window();
                  }},
        OwnedCase{"copy_dialog",
                  [](Application& app, std::unique_ptr<TransferProgressWindow>&) -> QWidget* {
                      app.copy_dialog().open();
                      return app.copy_dialog().window();
                  }},
        OwnedCase{"progress",
                  [](Application& app, std::unique_ptr<TransferProgressWindow>& progress) -> QWidget* {
                      progress = std::make_unique<TransferProgressWindow>(app.context().ui.MainWindow);
                      progress->open_over_owner();
                      return progress.get();
                  }}),
    [](const ::testing::TestParamInfo<OwnedCase>& info) { return std::string(info.param.name); });

} // namespace
