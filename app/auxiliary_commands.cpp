#include "app/auxiliary_commands.h"

#include "app/about_window.h"
#include "app/link_controller.h"
#include "app/platform_commands.h"
#include "ui/app_context.h"
#include "ui/quiet_accessibility.h"
#include "ui/window_focus.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QStringList>

#include <new>

AuxiliaryCommands::AuxiliaryCommands(AppContext& ctx, LinkController& link, QObject* parent)
    : QObject(parent), ctx_(ctx), link_(link), end_process_([](int code) { QCoreApplication::exit(code); })
{
}

AuxiliaryCommands::~AuxiliaryCommands()
{
    delete about_.data();
}

void AuxiliaryCommands::bind()
{
    connect(ctx_.ui.DeviceManagerButton, &QPushButton::clicked, this, &AuxiliaryCommands::device_manager);
}

void AuxiliaryCommands::exit_with_confirmation()
{
    const MsgAnswer answer =
        ctx_.seams.boxes->show(ctx_.ui.MainWindow, QStringLiteral("Выход"),
                               QStringLiteral("Вы действительно хотите выйти из программы?"),
                               MsgButtons::YesNo, MsgIcon::Exclamation);
    if (answer != MsgAnswer::Yes)
        return;
    ctx_.ui.MainWindow->hide();
    link_.close_link();
    delete about_.data();
    end_process_(0);
}

void AuxiliaryCommands::about()
{
    if (about_)
        return;
    QMainWindow* main = ctx_.ui.MainWindow;
    return_focus_ = main->focusWidget();
    set_enabled_quietly(main, false);
    auto* window = new (std::nothrow) AboutWindow(main);
    if (!window) {
        set_enabled_quietly(main, true);
        give_keyboard_back(main, return_focus_);
        return;
    }
    // A window created over a disabled owner must still take input.
    set_enabled_quietly(window, true);
    about_ = window;
    connect(window, &AboutWindow::closeRequested, this, &AuxiliaryCommands::close_about);
    show_with_keyboard(window, window->ok_button());
}

void AuxiliaryCommands::close_about()
{
    if (!about_)
        return;
    AboutWindow* window = about_;
    about_ = nullptr;
    window->hide();
    window->deleteLater();
    set_enabled_quietly(ctx_.ui.MainWindow, true);
    give_keyboard_back(ctx_.ui.MainWindow, return_focus_);
    return_focus_ = nullptr;
}

void AuxiliaryCommands::help()
{
    ctx_.seams.launcher->open_document(QString::fromLatin1(HELP_DOCUMENT));
}

void AuxiliaryCommands::site()
{
    ctx_.seams.launcher->open_url(QString::fromLatin1(SITE_ADDRESS));
}

void AuxiliaryCommands::device_manager()
{
    const zuzo::ProgramCall call = zuzo::device_manager_program();
    if (call.program.empty())
        return;
    QStringList arguments;
    for (const std::string& argument : call.arguments)
        arguments.append(QString::fromStdString(argument));
    ctx_.seams.launcher->start_program(QString::fromStdString(call.program), arguments);
}
