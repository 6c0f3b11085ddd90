#pragma once
// What the handlers of every part share: the one device program, the named
// controls, the platform seams and the parts that others call into. Owned by
// Application; handed by reference, never reached through globals.

#include "program/device_program.h"
#include "ui/controls.h"
#include "ui/seams.h"

namespace zuzo {
class PortLister;
}
class OpticsEditor;
class PlanEditor;
class StatusLog;
class LinkController;

struct AppContext {
    zuzo::DeviceProgram program;
    MainControls ui;
    Seams seams;
    zuzo::PortLister* ports = nullptr; // the list of serial ports (seam)

    // Parts other parts call into; set by Application before any event.
    PlanEditor* plans = nullptr;
    OpticsEditor* optics = nullptr;
    StatusLog* log = nullptr;
    LinkController* link = nullptr;

    // Above 0 while a handler runs a nested event loop (a message box, a
    // transfer taking its Stop click): timer ticks that arrive meanwhile are
    // dropped, never run inside the handler or later.
    int busy = 0;

    // After the program or its optics were replaced (Open, program read):
    // plan view with its checks, optics refresh, optics rules, in that order.
    void rebuild_after_replacement();
};

// Raises a busy counter (AppContext::busy) for the lifetime of a nested event
// loop.
class BusyScope {
public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& busy_;
};
