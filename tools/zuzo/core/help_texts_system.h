#pragma once
// The lines of the companion's help that differ between systems: how a
// port is named, an example of one, a loop over several ports in the
// system's shell, and where the full manual is (help_texts_posix.cpp,
// help_texts_windows.cpp).

namespace zuzo::cli::system_help {

// What --port takes, as the usage lines write it.
extern const char* const kPort;
// The lines of --port in a list of options.
extern const char* const kPortOption;
// The examples of the device commands.
extern const char* const kDeviceExamples;
// The overview's last line: where the full manual is.
extern const char* const kManual;

} // namespace zuzo::cli::system_help
