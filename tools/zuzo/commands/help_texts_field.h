#pragma once
// The help of the field kit: "zuzo device find --help" and
// "zuzo port test --help" (help_texts.h puts them in their places).

#include <string>

namespace zuzo::cli {

[[nodiscard]] std::string device_find_help();
[[nodiscard]] std::string port_test_help();

} // namespace zuzo::cli
