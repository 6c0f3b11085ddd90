#pragma once
// A text taken from a user's file as a one-line message shows it.

#include <cstddef>
#include <string>
#include <string_view>

namespace zuzo {

// The text in «», at most max_chars characters (then "…"). Control
// characters (C0, DEL, C1), the Unicode line separators and the blanks that
// look like a space or like nothing (no-break spaces, zero width spaces) are
// written as \xHH or \uHHHH, and a byte that is not part of well-formed
// UTF-8 as \xHH, so the message stays on one line, stays UTF-8 and shows
// what is there.
[[nodiscard]] std::string shown_text(std::string_view text, std::size_t max_chars = 40);

} // namespace zuzo
