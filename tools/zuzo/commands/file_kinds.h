#pragma once
// What a command may write over. A file is written only where nothing is or
// over a regular file: a device, a pipe, a socket or a folder is refused
// without being opened. And a command writes a file of its kind only over an
// empty file or one of the same kind: a table never replaces a program, a
// program never a table or a JSON, a journal row never goes into a file that
// is not a journal, a picture (SVG or PNG) replaces only a picture.

#include <string>

namespace zuzo::cli {

enum class FileKind { Program, Table, Json, Journal, Picture };

// Why nothing may be written at path, for "PATH: ...": "файл не записан: это
// файл устройства, а не обычный файл"; empty when the name leads to a
// regular file or to nothing.
[[nodiscard]] std::string target_refusal(const std::string& path);

// Why a file of kind may not replace what is at path: target_refusal, or
// "это файл программы, а не таблица плана; файл не изменен" (the kind found,
// then the kind written), or "это не таблица плана; ..." for a content of no
// known kind; empty when nothing is there, the file is empty or of the same
// kind.
[[nodiscard]] std::string output_refusal(const std::string& path, FileKind kind);

} // namespace zuzo::cli
