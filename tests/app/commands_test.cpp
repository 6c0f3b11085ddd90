// Exit with confirmation, the About window, Help, Site and Device manager.

#include "support/app_fixture.h"

#include "app/about_window.h"
#include "app/auxiliary_commands.h"
#include "app/platform_commands.h"
#include "app/window_snapshot.h"
#include "support/test_system.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

namespace {

class Commands : public AppFixture {
protected:
    QWidget* tool_button(MenuId id) { return ui().MainToolBar->widgetForAction(ui().tool_actions[id]); }
    AboutWindow* about() { return app().commands().about_window(); }

    void expect_exit_question()
    {
        ASSERT_EQ(boxes().shown.size(), 1u);
        const ShownBox& box = boxes().shown.front();
        EXPECT_EQ(box.title, "Выход");
        EXPECT_EQ(box.text, "Вы действительно хотите выйти из программы?");
        EXPECT_EQ(box.buttons, MsgButtons::YesNo);
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    }
};

// Each way of asking for Exit, answered No, leaves everything as it was.
TEST_F(Commands, ExitAnsweredNoChangesNothing)
{
    stop_timers();
    status_tick();
    const std::function<void()> ways[] = {
        [this] { ui().menu_actions[MenuId::Exit]->trigger(); },
        [this] { QTest::mouseClick(tool_button(MenuId::Exit), Qt::LeftButton); },
        [this] { ui().MainWindow->close(); },
    };
    for (const auto& ask : ways) {
        boxes().clear();
        boxes().answers = {MsgAnswer::No};
        const QStringList before = window_snapshot(ui().MainWindow);
        const zuzo::DeviceProgram program = ctx().program;
        ask();
        process_events();
        expect_exit_question();
        EXPECT_FALSE(ended_with.has_value());
        EXPECT_TRUE(ui().MainWindow->isVisible());
        EXPECT_EQ(window_snapshot(ui().MainWindow), before);
        EXPECT_EQ(ctx().program, program);
    }
}

TEST_F(Commands, ExitAnsweredYesEndsWithCodeZero)
{
    boxes().answers = {MsgAnswer::Yes};
    ui().menu_actions[MenuId::Exit]->trigger();
    expect_exit_question();
    ASSERT_TRUE(ended_with.has_value());
    EXPECT_EQ(*ended_with, 0);
    EXPECT_FALSE(ui().MainWindow->isVisible());
}

TEST_F(Commands, TheCloseBoxAsksTheSameQuestionAndYesEnds)
{
    boxes().answers = {MsgAnswer::Yes};
    ui().MainWindow->close();
    expect_exit_question();
    EXPECT_EQ(ended_with, 0);
}

TEST_F(Commands, AboutWindowShowsItsTextAndDisablesTheMainWindow)
{
    QTest::mouseClick(tool_button(MenuId::About), Qt::LeftButton);
    process_events();
    AboutWindow* window = about();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "AboutWindow");
    EXPECT_EQ(window->windowTitle(), "О программе");
    EXPECT_EQ(window->size(), QSize(432, 207));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->parentWidget(), ui().MainWindow);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(ui().MainWindow->isEnabled());

    auto* ok = window->findChild<QPushButton*>(QStringLiteral("AboutOkButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "Ок");
    EXPECT_EQ(window->focusWidget(), ok);

    const QStringList lines = window->text_box()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "  Программа \"Vestorin Dovov transport\"");
    EXPECT_EQ(lines[2], "  Версия 1.05");
    EXPECT_EQ(lines[3], "");
    // A screen reader reads the cursor's line: the first with words.
    EXPECT_EQ(window->text_box()->textCursor().block().text(), lines[1]);
    for (int i = 4; i <= 6; ++i) {
        EXPECT_TRUE(lines[i].startsWith(QStringLiteral("         "))) << i;
        EXPECT_NE(lines[i].at(9), QLatin1Char(' ')) << i;
    }
    EXPECT_TRUE(lines[7].startsWith(QStringLiteral("  "))) << lines[7].toStdString();
    EXPECT_TRUE(lines[7].endsWith(QStringLiteral(" г"))) << lines[7].toStdString();
    EXPECT_FALSE(about_text().endsWith(QLatin1Char('\n')));

    const QPalette palette = window->text_box()->palette();
    EXPECT_EQ(palette.color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(palette.color(QPalette::Text), QColor(246, 244, 31));
    EXPECT_TRUE(window->text_box()->isReadOnly());
}

TEST_F(Commands, AboutTextShowsWholeAtTheDefaultFontAndAtHalfAgainAsLarge)
{
    if (under_wine())
        GTEST_SKIP() << "under Wine the About text measures the same width whatever the point size (Wine's "
                        "default dialog font does not scale), so its fit cannot be checked there";
    const QFont tool_font = QApplication::font();
    for (const double scale : {1.0, 1.5}) {
        SCOPED_TRACE(scale);
        QFont font = tool_font;
        font.setPointSizeF(tool_font.pointSizeF() * scale);
        QApplication::setFont(font);
        QTest::mouseClick(tool_button(MenuId::About), Qt::LeftButton);
        process_events();
        AboutWindow* window = about();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->size(), QSize(432, 207));
        QTextEdit* box = window->text_box();
        // Nothing to scroll, in either direction.
        EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
        // Each line in one piece, the last one inside the visible area.
        EXPECT_EQ(box->document()->lineCount(), 8);
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        EXPECT_LE(box->cursorRect(end).bottom(), box->viewport()->height());
        const QFontMetricsF metrics(box->font());
        const qreal room = box->viewport()->width() - 2 * box->document()->documentMargin();
        for (const QString& line : about_text().split(QLatin1Char('\n')))
            EXPECT_LE(metrics.horizontalAdvance(line), room) << line.toStdString();
        // Not made smaller than it has to be: the tool's own font fits.
        if (scale == 1.0) {
            EXPECT_EQ(box->font().pointSizeF(), tool_font.pointSizeF());
        }
        QTest::mouseClick(window->ok_button(), Qt::LeftButton);
        process_events();
        ASSERT_EQ(about(), nullptr);
    }
    QApplication::setFont(tool_font);
}

TEST_F(Commands, WhileAboutIsOpenTheMainWindowTakesNoInputAndTheTimersTick)
{
    ui().menu_actions[MenuId::About]->trigger();
    process_events();
    ASSERT_NE(about(), nullptr);
    AboutWindow* first = about();

    // Toolbar buttons of the disabled window do not react: no second About,
    // no Exit question.
    QTest::mouseClick(tool_button(MenuId::About), Qt::LeftButton);
    QTest::mouseClick(tool_button(MenuId::Exit), Qt::LeftButton);
    QTest::mouseClick(ui().ConnectButton, Qt::LeftButton);
    ui().MainWindow->close();
    process_events();
    EXPECT_EQ(about(), first);
    EXPECT_EQ(ui().MainWindow->findChildren<AboutWindow*>().size(), 1);
    EXPECT_TRUE(boxes().shown.empty());

    // The status tick still runs and sets the transfer buttons.
    ui().WriteProgramButton->setEnabled(true);
    QSignalSpy ticks(app().status_timer(), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(5000));
    process_events();
    EXPECT_FALSE(ui().WriteProgramButton->isEnabled());
    EXPECT_TRUE(app().port_timer()->isActive());
}

TEST_F(Commands, OkTheCloseBoxAndEscapeCloseAboutAndTheMainWindowWorksAgain)
{
    for (int way : {0, 1, 2}) {
        ui().tool_actions[MenuId::About]->trigger();
        process_events();
        ASSERT_NE(about(), nullptr);
        if (way == 0)
            QTest::mouseClick(about()->ok_button(), Qt::LeftButton);
        else if (way == 1)
            about()->close();
        else
            QTest::keyClick(about()->ok_button(), Qt::Key_Escape);
        process_events();
        EXPECT_EQ(about(), nullptr);
        EXPECT_TRUE(ui().MainWindow->isEnabled());
        EXPECT_TRUE(ui().MainWindow->findChildren<AboutWindow*>().isEmpty());
    }
    // The main window answers again.
    boxes().answers = {MsgAnswer::No};
    QTest::mouseClick(tool_button(MenuId::Exit), Qt::LeftButton);
    expect_exit_question();
}

TEST_F(Commands, HelpOpensTheDocumentOfTheWorkingDirectory)
{
    QTest::mouseClick(tool_button(MenuId::Help), Qt::LeftButton);
    ASSERT_EQ(launcher().documents.size(), 1u);
    EXPECT_EQ(launcher().documents[0], "help.chm");
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_F(Commands, SiteOpensABareHostName)
{
    QTest::mouseClick(tool_button(MenuId::Site), Qt::LeftButton);
    ASSERT_EQ(launcher().urls.size(), 1u);
    const QString address = launcher().urls[0];
    EXPECT_EQ(address, QString::fromLatin1(SITE_ADDRESS));
    EXPECT_FALSE(address.contains(QLatin1String("://")));
    EXPECT_TRUE(address.contains(QLatin1Char('.')));
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_F(Commands, DeviceManagerShowsNothingAndLeavesTheWindowAlone)
{
    stop_timers();
    status_tick();
    const QStringList before = window_snapshot(ui().MainWindow);
    QTest::mouseClick(ui().DeviceManagerButton, Qt::LeftButton);
    process_events();
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_EQ(window_snapshot(ui().MainWindow), before);
    // The platform's device manager is started, where it has one.
    const zuzo::ProgramCall expected = zuzo::device_manager_program();
    if (expected.program.empty()) {
        EXPECT_TRUE(launcher().programs.empty());
    } else {
        ASSERT_EQ(launcher().programs.size(), 1u);
        EXPECT_EQ(launcher().programs[0].program.toStdString(), expected.program);
        EXPECT_EQ(launcher().programs[0].arguments.size(), static_cast<qsizetype>(expected.arguments.size()));
    }
}

} // namespace
