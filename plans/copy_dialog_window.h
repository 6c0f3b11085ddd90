#pragma once
// The window of the copy dialog, "Копирование временных параметров": two
// weekday lists, the arrow button, the hint and the two push buttons. It
// never closes itself; a close request is passed on as closeRequested().
// Enter or Space presses the focused button; in a list with nothing
// selected, the first Down or Up selects the item the keyboard is on (the
// first day, as the list takes the keyboard) rather than the next one.

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

class CopyDialogWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window hidden, owned by owner, at its fixed place and size.
    explicit CopyDialogWindow(QWidget* owner);

    QListWidget* source_list() const { return source_list_; }
    QListWidget* target_list() const { return target_list_; }
    QPushButton* copy_button() const { return copy_button_; }
    QPushButton* image_button() const { return image_button_; }
    QPushButton* cancel_button() const { return cancel_button_; }

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape presses "Отмена".
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* source_list_ = nullptr;
    QListWidget* target_list_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
    QPushButton* copy_button_ = nullptr;
    QPushButton* image_button_ = nullptr;
    QLabel* hint_ = nullptr;
};
