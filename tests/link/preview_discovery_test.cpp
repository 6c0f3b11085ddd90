// The brightness preview of the status tick and the port discovery of the
// port tick.

#include "app/link_controller.h"
#include "link/link_fixture.h"
#include "link/port_discovery.h"

#include <QCheckBox>
#include <QSlider>
#include <QTabWidget>

namespace {

class Preview : public LinkFixture {
protected:
    void set_sliders(std::array<int, 5> percent)
    {
        for (int c = 1; c <= 5; ++c)
            ui().ChannelSlider[static_cast<std::size_t>(c)]->setValue(
                percent[static_cast<std::size_t>(c - 1)]);
    }
};

TEST_F(Preview, SendsTheSlidersOnlyOnTheOpticsTabWithTheBoxTicked)
{
    ASSERT_TRUE(connect_device());
    ui().MainPanel->setCurrentIndex(1);
    set_sliders({10, 50, 100, 0, 30});
    ui().BrightnessSimulationCheck->setChecked(true);

    app().link().brightness_preview();
    EXPECT_EQ(device().preview_count(), 1);
    EXPECT_EQ(device().preview(), (std::array<std::uint8_t, 5>{26, 127, 255, 0, 76}));
    app().link().brightness_preview(); // on every tick, moved or not
    EXPECT_EQ(device().preview_count(), 2);

    ui().MainPanel->setCurrentIndex(0);
    app().link().brightness_preview();
    EXPECT_EQ(device().preview_count(), 2);

    ui().MainPanel->setCurrentIndex(1);
    ui().BrightnessSimulationCheck->setChecked(false);
    app().link().brightness_preview();
    EXPECT_EQ(device().preview_count(), 2);

    ui().BrightnessSimulationCheck->setChecked(true);
    app().link().close_link();
    app().link().brightness_preview();
    EXPECT_EQ(device().preview_count(), 2);
}

TEST_F(Preview, IsSentOnceEvenWhenTheDeviceFails)
{
    ASSERT_TRUE(connect_device());
    ui().MainPanel->setCurrentIndex(1);
    ui().BrightnessSimulationCheck->setChecked(true);
    ASSERT_TRUE(sim.set_fault("of"));
    device().clear_received();
    app().link().brightness_preview();
    EXPECT_EQ(received_codes(), std::vector<int>{9});
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_TRUE(app().link().link_is_open());
}

class Discovery : public LinkFixture {
protected:
    const QStringList four_lines = {QStringLiteral("14:05:09 ->Обнаружено новое "),
                                    QStringLiteral("соединение ttyUSB0"), QStringLiteral("Порт  : COM33"),
                                    QStringLiteral("-----------------------------------")};
    const zuzo::PortEntry adapter{"/dev/ttyUSB0", "COM33"};
};

TEST_F(Discovery, FirstScanIsSilentANewPortIsReportedOnce)
{
    ports.entries = {{"/dev/ttyS0", "COM1"}};
    port_tick();
    EXPECT_TRUE(log_lines().isEmpty());

    ports.entries.push_back(adapter);
    port_tick();
    EXPECT_EQ(log_lines(), four_lines);
    port_tick();
    EXPECT_EQ(log_lines(), four_lines);

    // Unplugged: nothing; plugged in again: reported again.
    ports.entries.pop_back();
    port_tick();
    EXPECT_EQ(log_lines(), four_lines);
    ports.entries.push_back(adapter);
    port_tick();
    EXPECT_EQ(log_lines(), four_lines + four_lines);
}

TEST_F(Discovery, NoScanWhileConnected)
{
    ports.entries = {{"/dev/ttyS0", "COM1"}};
    port_tick();
    ASSERT_TRUE(connect_device());
    const QStringList connected = log_lines();
    ports.entries.push_back(adapter);
    port_tick();
    EXPECT_EQ(log_lines(), connected);

    // Reported at the first scan after the link is closed.
    app().link().close_link();
    port_tick();
    EXPECT_EQ(log_lines(), connected + four_lines);
}

TEST_F(Discovery, OnlyComPortsCount)
{
    ports.entries = {{"/dev/ttyS0", "COM1"}};
    port_tick();
    ports.entries = {{"/dev/ttyS0", "COM1"}, {"/dev/lp0", "LPT1"}, {"/run/user/0/zuzo-ports/Com7", "Com7"}};
    port_tick();
    EXPECT_EQ(log_lines(), (QStringList{QStringLiteral("14:05:09 ->Обнаружено новое "),
                                        QStringLiteral("соединение Com7"), QStringLiteral("Порт  : Com7"),
                                        QStringLiteral("-----------------------------------")}));
}

TEST_F(Discovery, AnUnreadableListLeavesTheKnownPortsAlone)
{
    ports.entries = {{"/dev/ttyS0", "COM1"}};
    port_tick();

    // The list cannot be read while the adapter is plugged in: nothing is
    // reported and nothing forgotten, so the next readable scan, which would
    // be silent after an emptied list, reports it.
    ports.entries.push_back(adapter);
    ports.unreadable = true;
    port_tick();
    port_tick();
    EXPECT_TRUE(log_lines().isEmpty());
    ports.unreadable = false;
    port_tick();
    EXPECT_EQ(log_lines(), four_lines);
}

} // namespace
