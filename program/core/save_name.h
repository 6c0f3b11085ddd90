#pragma once
// Names chosen in the save dialog: the extension rule and the bare file name.

#include <string>
#include <string_view>

namespace zuzo {

// The text after the last dot of name, or empty when a blank, slash or
// backslash follows that dot, when the dot is the first character, or when
// it stands directly behind a slash or backslash.
[[nodiscard]] std::string_view name_extension(std::string_view name);

// name with ".ptm" appended unless its extension is "ptm" in any letter case.
[[nodiscard]] std::string with_ptm_extension(std::string_view name);

// The part of name after its last slash or backslash.
[[nodiscard]] std::string_view name_without_directory(std::string_view name);

} // namespace zuzo
