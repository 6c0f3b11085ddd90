#pragma once
// What a test may need to know about the system it runs on, to say why it
// does not run there (test_system_posix.cpp, test_system_windows.cpp).

// Windows, under Wine or not.
[[nodiscard]] bool on_windows();
// Windows programs run by Wine on another system, whose Windows differs from
// the real one in places (its fonts, its COM ports).
[[nodiscard]] bool under_wine();
