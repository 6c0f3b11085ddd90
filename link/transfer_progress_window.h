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
    // owner: the main window (the progress window stays a window of its own).
    explicit TransferProgressWindow(QWidget* owner);

    QProgressBar* TransferProgressBar = nullptr;
    QProgressBar* TransferSpareBar = nullptr;
    QPushButton* TransferStopButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};
