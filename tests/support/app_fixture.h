#pragma once
// A GoogleTest fixture that starts the whole tool on real widgets with
// scripted seams, and gives tests its context, controls and seams.

#include "app/application.h"
#include "support/scripted_seams.h"
#include "ui/app_context.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Override to hand the tool a port lister; called once by SetUp.
    virtual zuzo::PortLister* port_lister() { return nullptr; }

    Application& app() { return *app_; }
    AppContext& ctx() { return app_->context(); }
    MainControls& ui() { return app_->context().ui; }
    ScriptedBoxes& boxes() { return boxes_; }
    ScriptedFiles& files() { return files_; }
    RecordingLauncher& launcher() { return launcher_; }
    FixedClock& clock() { return clock_; }

    // Runs the event loop for ms milliseconds (timers tick meanwhile).
    void pump(int ms);
    // Handles the events already pending, deferred deletes included.
    void process_events();
    // Fires timer 1 / timer 2 once, as their timeout would.
    void status_tick() { app_->status_tick(); }
    void port_tick() { app_->port_tick(); }
    // Stops both timers so that only the test fires ticks.
    void stop_timers();
    // Makes MainWindow the active window, so that focus changes reach it.
    [[nodiscard]] bool activate_main_window();

    // The exit code a confirmed Exit ended the process with, if any.
    std::optional<int> ended_with;

private:
    ScriptedBoxes boxes_;
    ScriptedFiles files_;
    RecordingLauncher launcher_;
    FixedClock clock_;
    std::unique_ptr<Application> app_;
};
