#pragma once
// Exit with confirmation, the About window, Help, Site and Device manager.

#include "app/about_window.h"

#include <QObject>
#include <QPointer>

#include <functional>

struct AppContext;
class LinkController;

// The web site of the maker, a bare host name.
inline constexpr const char* SITE_ADDRESS = "www.vestorin.example";
// The help document, relative to the working directory.
inline constexpr const char* HELP_DOCUMENT = "help.chm";

class AuxiliaryCommands : public QObject {
    Q_OBJECT
public:
    // link: closed by a confirmed Exit.
    AuxiliaryCommands(AppContext& ctx, LinkController& link, QObject* parent = nullptr);
    ~AuxiliaryCommands() override;

    // Connects DeviceManagerButton.
    void bind();

    // Asks "Выход"; on Yes closes the link, hides the main window and ends
    // the process with code 0. Any other answer changes nothing.
    void exit_with_confirmation();
    // Opens the About window over the disabled main window, with the
    // keyboard on AboutOkButton; nothing if open.
    void about();
    // Closes the About window, enables the main window again and gives the
    // keyboard back to the control that had it when the window opened.
    void close_about();
    [[nodiscard]] AboutWindow* about_window() const { return about_; }

    void help();
    void site();
    void device_manager();

    // How the process ends after a confirmed Exit (tests record it instead).
    void set_process_end(std::function<void(int)> end) { end_process_ = std::move(end); }

private:
    AppContext& ctx_;
    LinkController& link_;
    QPointer<AboutWindow> about_;
    QPointer<QWidget> return_focus_;
    std::function<void(int)> end_process_;
};
