// A device that disappears while connected (a USB adapter pulled out, here
// the simulator's terminal closing and its link going away): the tool notices
// at the next exchange, closes the link, and connects again once the device
// is back, under the same name. The device is published as COM150, a name
// that no fixed serial device stands behind once the link is gone.

#include "app/link_controller.h"
#include "link/link_fixture.h"
#include "link/status_log.h"
#include "robustness/qt_print.h"

#include <QMainWindow>
#include <QPushButton>

namespace {

class PortLoss : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        if (HasFatalFailure())
            return;
        sim.stop();
        ASSERT_TRUE(sim.start("COM150"));
        ASSERT_TRUE(connect_150());
        status_tick();
        app().status_log().log_status(QString(), LOG_CLEAR);
        boxes().clear();
    }

    bool connect_150()
    {
        choose_port(QStringLiteral("COM150"));
        click(ui().ConnectButton);
        return app().link().link_is_open();
    }

    void unplug()
    {
        sim.stop();
        ASSERT_FALSE(sim.server().running());
    }
};

TEST_F(PortLoss, SupervisionClosesTheLinkAndConnectWorksAfterReplugging)
{
    unplug();
    status_tick();
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_EQ(log_lines(), QStringList{QStringLiteral("14:05:09 -> Авария, закрыт  COM150")});
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("Самопроизвольно закрылся порт"));
    // Nothing is there to open now.
    EXPECT_FALSE(connect_150());
    EXPECT_EQ(log_lines(), QStringList{QStringLiteral("14:05:09 -> Ошибка отрытия COM150")});
    // Plugged in again (a new terminal behind the same name).
    ASSERT_TRUE(sim.start("COM150"));
    EXPECT_TRUE(connect_150());
    EXPECT_EQ(log_lines().value(1), QStringLiteral("Устройство готово"));
}

TEST_F(PortLoss, ReadAfterUnpluggingFailsAndTheNextTickCloses)
{
    const zuzo::DeviceProgram before = ctx().program;
    unplug();
    click(ui().ReadProgramButton);
    EXPECT_EQ(log_lines(), (QStringList{QStringLiteral("14:05:09 -> Старт чтения программы"),
                                        QStringLiteral("14:05:09 -> Команда не выполнена")}));
    EXPECT_EQ(ctx().program, before);
    EXPECT_TRUE(ui().MainWindow->isEnabled());
    app().link().supervision();
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_EQ(log_lines().last(), QStringLiteral("14:05:09 -> Авария, закрыт  COM150"));
}

TEST_F(PortLoss, WriteAfterUnpluggingFailsWithoutHanging)
{
    unplug();
    click(ui().WriteProgramButton);
    EXPECT_EQ(log_lines().last(), QStringLiteral("14:05:09 -> Команда не выполнена"));
    EXPECT_EQ(ctx().busy, 0);
    EXPECT_TRUE(ui().MainWindow->isEnabled());
}

} // namespace
