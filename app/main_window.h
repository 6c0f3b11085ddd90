#pragma once
// The main window of the tool and its one-time build.

#include <QMainWindow>

struct MainControls;
class QTime;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

signals:
    // The user asked to close the window (close box, system menu). The window
    // itself never closes on such a request: Exit decides.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Creates MainWindow (invisible), its toolbar, menu, tab panel and every named
// control, and records them in ui. The time pickers start at now. Returns
// false, with nothing built, if the window itself cannot be created.
[[nodiscard]] bool build_main_window(MainControls& ui, const QTime& now);

// Client area of the main window in pixels.
constexpr int MAIN_WINDOW_WIDTH = 771;
constexpr int MAIN_WINDOW_HEIGHT = 474;
