#pragma once
// New, Open and Save of the "Файл" menu and the toolbar.

#include <QString>

struct AppContext;

class FileCommands {
public:
    explicit FileCommands(AppContext& ctx);
    void new_program();  // id 0
    void open_program(); // id 1
    void save_program(); // id 2

private:
    // The name to save under: asks until a name is accepted; empty when cancelled.
    QString choose_save_name();
    void show_error(const QString& text);

    AppContext& ctx_;
};
