#pragma once
// What the handlers of every part share: the one device program, the named
// controls, the platform seams and the rebuild after replacement. Owned by
// Application; handed by reference, never reached through globals.

#include "ui/controls.h"
#include "ui/seams.h"

#include <functional>

namespace zuzo {
struct DeviceProgram;
}

struct AppContext {
    explicit AppContext(zuzo::DeviceProgram& device_program) : program(device_program) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    zuzo::DeviceProgram& program;
    MainControls ui;
    Seams seams;

    // Above 0 while a handler runs a nested event loop (a message box, a
    // transfer taking its Stop click): timer ticks that arrive meanwhile are
    // dropped, never run inside the handler or later (see ui/busy_scope.h).
    int busy = 0;

    // After the program or its optics were replaced (New, Open, program
    // read): plan view with its checks, optics refresh, optics rules, in that
    // order. Start-up sets it once the editors exist; before, nothing shows
    // the program.
    std::function<void()> rebuild_after_replacement = [] {};
};
