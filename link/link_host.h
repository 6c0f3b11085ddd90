#pragma once
// What the device side of the link (connection and transfer) is given by the
// tool around it: the seams it asks and reads through and the two answers it
// needs of the window. It touches no widget and reports back through its
// signals only; the application fills this from its context and controls.

#include <QString>

#include <functional>

class MessageBoxes;
class QWidget;
class WallClock;

struct LinkHost {
    MessageBoxes& boxes;                 // supervision's questions and the write gate's refusal
    QWidget* box_parent;                 // the window they are shown over
    WallClock& clock;                    // the computer's date and time
    int& busy;                           // raised while the link takes the pending events itself
    std::function<QString()> shown_port; // the port PortCombo names at this moment
    std::function<bool()> write_allowed; // the gate over the eight check results
};
