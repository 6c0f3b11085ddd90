#pragma once
// TransferProgressWindow "Обмен данными": shown over the disabled main window
// while a program is written or read. Its close box does nothing; it closes
// when its transfer ends.

#include <QWidget>

class QProgressBar;
class QPushButton;

class TransferProgressWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, without a parent widget: disabling the main
    // window must leave Stop enabled. It stays on top of owner while shown.
    explicit TransferProgressWindow(QWidget* owner);
    void show_over_owner();

    QProgressBar* TransferProgressBar = nullptr;
    QProgressBar* TransferSpareBar = nullptr;
    QPushButton* TransferStopButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* owner_;
};
