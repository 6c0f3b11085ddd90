#pragma once
// The dialog that copies one weekday's intervals onto other weekdays. It is
// modal by disabling: opening disables MainWindow, and every way of closing
// (Отмена, the close box, a successful copy) destroys the window and enables
// MainWindow again.

#include <QObject>
#include <QPointer>

struct AppContext;
class CopyDialogWindow;
class PlanEditor;

class CopyDialog : public QObject {
    Q_OBJECT
public:
    // plans: the editor whose rows show a copy onto the shown weekday.
    CopyDialog(AppContext& ctx, PlanEditor& plans, QObject* parent = nullptr);
    ~CopyDialog() override;

    // Connects CopyTimeParamsButton to open().
    void bind();
    // Opens the dialog over the disabled main window, with the keyboard on
    // the source list; nothing if it is open.
    void open();
    [[nodiscard]] bool is_open() const;

    // The open dialog's window, or nullptr while it is closed.
    [[nodiscard]] CopyDialogWindow* window() const;

    // Handler of CopyDialogCopyButton and CopyDialogImageButton.
    void copy_time_params();
    // Handler of CopyDialogCancelButton, of the close box and of Escape;
    // the focus goes back to CopyTimeParamsButton.
    void close_dialog();

private:
    void close_window();
    void return_focus();

    AppContext& ctx_;
    PlanEditor& plans_;
    QPointer<CopyDialogWindow> window_;
};
