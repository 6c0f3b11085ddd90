#pragma once
// A text taken from a user's file as a one-line message shows it.

#include <cstddef>
#include <string>
#include <string_view>

namespace zuzo {

// The text in «», at most max_chars characters (then "…"). Control
// characters (C0, DEL, C1) and the Unicode line separators are written as
// \xHH or \uHHHH, and a byte that is not part of well-formed UTF-8 as \xHH,
// so the message stays on one line and stays UTF-8.
[[nodiscard]] std::string shown_text(std::string_view text, std::size_t max_chars = 40);

} // namespace zuzo
