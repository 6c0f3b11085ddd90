#pragma once
// The whole tool on real widgets with scripted seams, talking over a real
// pseudo-terminal to the simulated device published as COM1. The timers are
// stopped: tests fire the ticks themselves.

#include "link/core/port_list.h"
#include "support/app_fixture.h"
#include "support/sim_fixture.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class ScriptedPortLister : public zuzo::PortLister {
public:
    std::optional<std::vector<zuzo::PortEntry>> list() override
    {
        if (unreadable)
            return std::nullopt;
        return entries;
    }
    std::vector<zuzo::PortEntry> entries;
    bool unreadable = false; // the system's list cannot be read
};

class LinkFixture : public AppFixture {
protected:
    void SetUp() override;
    zuzo::PortLister* port_lister() override { return &ports; }

    zuzo::sim::SimDevice& device() { return sim.device(); }
    // The lines of StatusLog.
    [[nodiscard]] QStringList log_lines();
    // Chooses a port in PortCombo, as the user would.
    void choose_port(const QString& name);
    // Clicks ConnectButton with COM1 chosen; true when the link is open.
    bool connect_device();
    // The codes of the frames the device received, oldest first.
    [[nodiscard]] std::vector<int> received_codes();
    void click(QWidget* widget);

    SimFixture sim; // before the tool: it sets the virtual port folder
    ScriptedPortLister ports;
};
