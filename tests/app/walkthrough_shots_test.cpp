// The pictures of the README walkthrough and the manual, taken from the real
// tool talking to a running zuzo-devsim, as the window shows them (nothing
// scrolled or cleared for the picture); the progress window "Обмен данными"
// is taken during the read. Runs only when ZUZO_WALKTHROUGH_DIR
// names the folder for the pictures; scripts/take-screenshots.sh starts the
// simulators and sets it (the tool finds the simulator's COM1, and on COM2
// one that reports a damaged EEPROM, on COM3 one whose EEPROM fails during a
// read, on COM4 a silent one and on COM5 one whose port vanishes, through
// XDG_RUNTIME_DIR).

#include "support/app_fixture.h"
#include "support/sample_programs.h"

#include "app/link_controller.h"
#include "app/translations.h"
#include "program/program_file_io.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

#include <functional>

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
    ASSERT_TRUE(app().link().link_is_open()) << ui().StatusLog->toPlainText().toStdString();
    status_tick();
    shot(ui().MainWindow, "walk-1-connect.png");

    // 2. Read the program from the device. The progress window is taken as
    // the read goes on, once its bar has moved (the read takes the pending
    // events before each attempt).
    bool progress_taken = false;
    std::function<void()> watch_progress = [&] {
        QWidget* window = top_level("TransferProgressWindow");
        auto* bar =
            window ? window->findChild<QProgressBar*>(QStringLiteral("TransferProgressBar")) : nullptr;
        if (bar != nullptr && bar->value() > 0) {
            shot(window, "transfer-window.png");
            progress_taken = true;
        } else {
            QTimer::singleShot(0, watch_progress);
        }
    };
    QTimer::singleShot(0, watch_progress);
    QTest::mouseClick(ui().ReadProgramButton, Qt::LeftButton);
    EXPECT_TRUE(progress_taken);
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

    // 7. A weekly plan, opened from a program file.
    zuzo::DeviceProgram planned;
    const int times[][3] = {{7, 30, 60}, {12, 0, 40}, {13, 0, 40}, {18, 15, 80}};
    for (int i = 1; i <= 4; ++i)
        set_interval(planned, {1, i, 1, times[i - 1][0], times[i - 1][1], times[i - 1][2]});
    const QTemporaryDir folder_for_file;
    const QString file = folder_for_file.filePath(QStringLiteral("план.ptm"));
    ASSERT_EQ(store_program_file(file, planned), ProgramStore::Stored);
    files().open_names = {file};
    boxes().answers = {MsgAnswer::Yes};
    ui().tool_actions[MenuId::Open]->trigger();
    ASSERT_EQ(ctx().program.plan_enabled, planned.plan_enabled);
    shot(ui().MainWindow, "walk-9-plan.png");

    // 8. An EEPROM question: the simulator on COM2 reports a damaged EEPROM
    // of the microcontroller. The real box is drawn with Qt's Russian buttons.
    const RussianTranslators russian = install_russian_texts(*qApp);
    boxes().while_open = [&](const ShownBox& b) {
        QMessageBox box(b.icon == MsgIcon::Error ? QMessageBox::Critical : QMessageBox::Warning, b.title,
                        b.text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, ui().MainWindow);
        box.show();
        shot(&box, "walk-10-eeprom.png");
        box.hide();
    };
    ui().PortCombo->setCurrentText(QStringLiteral("COM2"));
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    boxes().while_open = nullptr;
    for (QTranslator* t : {russian.own, russian.catalogue}) {
        if (t != nullptr) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    ASSERT_FALSE(boxes().shown.empty());
    EXPECT_TRUE(boxes().shown.back().text.startsWith(QStringLiteral("Повреждена EEPROM микроконтроллера")));
    EXPECT_EQ(boxes().shown.back().buttons, MsgButtons::YesNoCancel);

    // 9. The same question in the middle of a read: the simulator on COM3
    // reports the damaged EEPROM on its first answer to the second optics
    // read (88). "Нет" skips that part; the log tells what was read.
    if (app().link().link_is_open())
        QTest::mouseClick(ui().DisconnectButton, Qt::LeftButton);
    ui().PortCombo->setCurrentText(QStringLiteral("COM3"));
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    ASSERT_TRUE(app().link().link_is_open()) << ui().StatusLog->toPlainText().toStdString();
    boxes().clear();
    boxes().answers = {MsgAnswer::No};
    QTest::mouseClick(ui().ReadProgramButton, Qt::LeftButton);
    status_tick();
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_TRUE(boxes().shown.back().text.startsWith(QStringLiteral("Повреждена EEPROM микроконтроллера")));
    // What the skipped part left: the values on "Оптика".
    page(1);
    shot(ui().MainWindow, "walk-11-eeprom-read.png");
    page(0);

    // 10. The pictures of the troubleshooting page: a port that is not
    // there (COM33, /dev/ttyUSB0, with no adapter plugged in), a silent
    // device (the simulator on COM4), and a port that vanishes while
    // connected (the simulator on COM5 closes its line after three replies).
    QTest::mouseClick(ui().DisconnectButton, Qt::LeftButton);
    boxes().clear();
    ui().PortCombo->setCurrentText(QStringLiteral("COM33"));
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    ASSERT_TRUE(ui().StatusLog->toPlainText().contains(QStringLiteral("Ошибка отрытия COM33")))
        << ui().StatusLog->toPlainText().toStdString();
    status_tick(); // the buttons of a closed link
    shot(ui().MainWindow, "trouble-open-error.png");
    ui().PortCombo->setCurrentText(QStringLiteral("COM4"));
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    ASSERT_TRUE(ui().StatusLog->toPlainText().contains(QStringLiteral("Связь разорвана")))
        << ui().StatusLog->toPlainText().toStdString();
    status_tick();
    shot(ui().MainWindow, "trouble-silent.png");
    ui().PortCombo->setCurrentText(QStringLiteral("COM5"));
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    ASSERT_TRUE(app().link().link_is_open()) << ui().StatusLog->toPlainText().toStdString();
    boxes().while_open = [&](const ShownBox& b) {
        QMessageBox box(QMessageBox::Critical, b.title, b.text, QMessageBox::Ok, ui().MainWindow);
        box.show();
        shot(&box, "trouble-port-lost.png");
        box.hide();
    };
    for (int tick = 0; tick < 10 && boxes().shown.empty(); ++tick)
        status_tick();
    boxes().while_open = nullptr;
    ASSERT_FALSE(boxes().shown.empty());
    EXPECT_EQ(boxes().shown.back().text, QStringLiteral("Самопроизвольно закрылся порт"));
}

} // namespace
