#include "program/file_commands.h"

#include "app/app_context.h"

FileCommands::FileCommands(AppContext& ctx) : ctx_(ctx) {}

void FileCommands::new_program() {}
void FileCommands::open_program() {}
void FileCommands::save_program() {}
