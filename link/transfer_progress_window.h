#pragma once
// TransferProgressWindow "Обмен данными": shown over the disabled main window
// while a program is written or read. Its close box does nothing; it closes
// when its transfer ends. Escape, and Enter or Space on it, press "Стоп".
// Escape presses it the moment the key reaches the tool, so that the
// transfer stops at its next attempt: a screen reader holds every key until
// it has heard it (Qt hands each key to it first and takes it back when it
// answers), and the key would come back an attempt or two later.

#include <QPointer>
#include <QWidget>

class QProgressBar;
class QPushButton;

class TransferProgressWindow : public QWidget {
    Q_OBJECT
public:
    // A secondary window owned by owner: it stays above owner, and a window
    // manager never hides it behind owner.
    explicit TransferProgressWindow(QWidget* owner);

    // Disables the owner and shows this window, enabled, over it, with the
    // keyboard on TransferStopButton.
    void open_over_owner();
    // Hides this window, enables the owner again and gives the focus back to
    // the owner's control that had it when the window opened (the button
    // that started the transfer).
    void close_over_owner();
    // Before each attempt of the transfer: Escape is seen before anything
    // else of the tool sees it (the screen reader's hold is put in front of
    // it whenever the screen reader asks for other events).
    void watch_escape();

    QProgressBar* TransferProgressBar = nullptr;
    QProgressBar* TransferSpareBar = nullptr;
    QPushButton* TransferStopButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QWidget> return_focus_;
};
