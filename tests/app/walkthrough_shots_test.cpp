// The pictures of the README walkthrough, taken from the real tool talking to
// a running zuzo-devsim. Runs only when ZUZO_WALKTHROUGH_DIR names the folder
// for the pictures; scripts/take-screenshots.sh starts the simulator and sets
// it (the tool finds the simulator's COM1 through XDG_RUNTIME_DIR).

#include "support/app_fixture.h"

#include "app/numeric_edit.h"
#include "app/warning_picture.h"
#include "link/link_controller.h"
#include "link/status_log.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

namespace {

using Walkthrough = AppFixture;

QWidget* top_level(const char* name)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String(name) && top->isVisible())
            return top;
    }
    return nullptr;
}

TEST_F(Walkthrough, PicturesOfEachStep)
{
    const QByteArray folder = qgetenv("ZUZO_WALKTHROUGH_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set ZUZO_WALKTHROUGH_DIR (scripts/take-screenshots.sh does)";
    const QDir dir(QString::fromLocal8Bit(folder));
    stop_timers();
    const auto shot = [&](QWidget* w, const char* file) {
        process_events();
        const QPixmap image = w->grab();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(dir.filePath(QString::fromLatin1(file))));
    };
    const auto page = [&](int index) {
        ui().MainPanel->setCurrentIndex(index);
        process_events();
    };
    const auto type_into = [&](QWidget* edit, const QString& text) {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    };

    // 1. Connect to the simulator on COM1.
    ui().PortCombo->setCurrentText(QStringLiteral("COM1"));
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    ASSERT_TRUE(ctx().link->link_is_open()) << ui().StatusLog->toPlainText().toStdString();
    status_tick();
    shot(ui().MainWindow, "walk-1-connect.png");

    // 2. Read the program from the device.
    QTest::mouseClick(ui().ReadProgramButton, Qt::LeftButton);
    status_tick();
    shot(ui().MainWindow, "walk-2-read.png");
    page(1);
    shot(ui().MainWindow, "walk-3-optics.png");

    // 3. Change a brightness: module red to 80 %.
    ASSERT_TRUE(activate_main_window());
    type_into(ui().ChannelEdit[1], QStringLiteral("80"));
    EXPECT_EQ(ui().ChannelSlider[1]->value(), 80);
    shot(ui().MainWindow, "walk-4-brightness.png");

    // 4. A value under the minimum brightness: the rule's warning appears;
    // clicking it explains the fault in a message box.
    type_into(ui().ChannelEdit[2], QStringLiteral("1"));
    ASSERT_TRUE(ui().ChannelWarning[2]->isVisible());
    shot(ui().MainWindow, "walk-5-warning.png");
    boxes().while_open = [&](const ShownBox& b) {
        QMessageBox box(b.icon == MsgIcon::Error ? QMessageBox::Critical : QMessageBox::Warning, b.title,
                        b.text, QMessageBox::Ok, ui().MainWindow);
        box.show();
        shot(&box, "walk-6-warning-box.png");
        box.hide();
    };
    QTest::mouseClick(ui().ChannelWarning[2], Qt::LeftButton);
    ASSERT_EQ(boxes().shown.size(), 1u);
    boxes().while_open = nullptr;
    type_into(ui().ChannelEdit[2], QStringLiteral("60"));
    ASSERT_FALSE(ui().ChannelWarning[2]->isVisible());

    // 5. Write the program into the device.
    page(0);
    ctx().log->log_status(QString(), LOG_CLEAR);
    QTest::mouseClick(ui().WriteProgramButton, Qt::LeftButton);
    status_tick();
    EXPECT_TRUE(ui().StatusLog->toPlainText().contains(QStringLiteral("Программа записана")))
        << ui().StatusLog->toPlainText().toStdString();
    shot(ui().MainWindow, "walk-7-write.png");

    // 6. Copy Monday's intervals onto Tuesday .. Friday.
    QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
    QWidget* dialog = top_level("CopyDialogWindow");
    ASSERT_NE(dialog, nullptr);
    auto* source = dialog->findChild<QListWidget*>(QStringLiteral("CopyDialogSourceList"));
    auto* target = dialog->findChild<QListWidget*>(QStringLiteral("CopyDialogTargetList"));
    ASSERT_TRUE(source && target);
    QTest::mouseClick(source->viewport(), Qt::LeftButton, {},
                      source->visualItemRect(source->item(0)).center());
    QTest::mouseClick(target->viewport(), Qt::LeftButton, {},
                      target->visualItemRect(target->item(1)).center());
    QTest::mouseClick(target->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      target->visualItemRect(target->item(4)).center());
    shot(dialog, "walk-8-copy.png");
    auto* copy = dialog->findChild<QPushButton*>(QStringLiteral("CopyDialogCopyButton"));
    ASSERT_NE(copy, nullptr);
    QTest::mouseClick(copy, Qt::LeftButton);
    process_events();
}

} // namespace
