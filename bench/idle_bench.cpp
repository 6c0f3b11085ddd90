#include "bench/idle_bench.h"

#include "app/application.h"
#include "app/link_controller.h"
#include "bench/devsim_process.h"
#include "ui/seams.h"

#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <string>

namespace bench {
namespace {

// No box may appear while the tool is idle; one that does is counted and
// answered the way closing it would.
class CountingBoxes : public MessageBoxes {
public:
    MsgAnswer show(QWidget*, const QString&, const QString& text, MsgButtons buttons, MsgIcon) override
    {
        ++shown;
        last = text;
        switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoOnly:
            return MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            break;
        }
        return MsgAnswer::Cancel;
    }
    int shown = 0;
    QString last;
};

void run_loop_for(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

bool run_idle_bench(const IdleBenchSetup& setup, std::vector<Row>& rows)
{
    const std::string what = "Connected and idle, status tick every 300 ms: CPU share of a core";
    DevsimProcess device;
    if (!device.start(setup.devsim, "COM3", setup.folder, {"--pace"})) {
        rows.push_back({what, "not run", "<= 1 %", false, device.why().toStdString()});
        return false;
    }
    CountingBoxes boxes;
    Seams seams;
    seams.boxes = &boxes;
    Application app(seams, nullptr);
    if (!app.start()) {
        rows.push_back({what, "not run", "<= 1 %", false, "the main window cannot be created"});
        return false;
    }
    MainControls& ui = app.context().ui;
    ui.PortCombo->setCurrentText(QStringLiteral("COM3"));
    ui.ConnectButton->click();
    if (!app.link().link_is_open()) {
        rows.push_back({what, "not run", "<= 1 %", false, "the tool did not connect to COM3"});
        return false;
    }
    run_loop_for(1000); // let start-up work settle
    const double cpu0 = process_cpu_seconds();
    const double wall0 = wall_seconds();
    run_loop_for(setup.seconds * 1000);
    const double wall = wall_seconds() - wall0;
    const double cpu = process_cpu_seconds() - cpu0;
    const bool still_open = app.link().link_is_open();
    const double percent = wall > 0 ? 100.0 * cpu / wall : 0.0;
    std::string note = "whole tool in-process (offscreen platform, its own timers), " + fixed(wall, 1) +
                       " s wall, " + fixed(cpu * 1000.0, 0) + " ms CPU";
    if (!still_open)
        note += "; the link was LOST";
    if (boxes.shown > 0)
        note += "; " + std::to_string(boxes.shown) + " message box(es), last: " + boxes.last.toStdString();
    rows.push_back(
        {what, fixed(percent, 2) + " %", "<= 1 %", percent <= 1.0 && still_open && boxes.shown == 0, note});
    app.link().close_link();
    return true;
}

} // namespace bench
