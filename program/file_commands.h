#pragma once
// New, Open and Save of the "Файл" menu and the toolbar.

struct AppContext;

class FileCommands {
public:
    explicit FileCommands(AppContext& ctx);
    void new_program();  // id 0
    void open_program(); // id 1
    void save_program(); // id 2

private:
    AppContext& ctx_;
};
