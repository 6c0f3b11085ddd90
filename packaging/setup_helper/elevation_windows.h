// What the installer may do with the rights it runs with, and a second run
// of it with an administrator's rights for an installation for all users.
#pragma once

#include <string>

namespace zuzo::setup {

enum class Rights {
    Elevated,      // an administrator's rights now: Program Files and the machine's registry
    Administrator, // a member of Administrators without them now: Windows asks for consent
    StandardUser,  // Windows asks for an administrator's name and password
};

// The rights of this process. ZUZO_SETUP_AS_USER=1 in the environment makes
// it a standard user's whatever it is: the checks under Wine, where every
// process is an elevated administrator's, play a user without rights by it.
[[nodiscard]] Rights process_rights();

struct ElevatedRun {
    bool started = false;   // false: no administrator's rights were given, nothing ran
    unsigned long code = 0; // the exit code of the program when started
    std::wstring reason;    // why it did not start
};

// PROGRAM started with ARGUMENTS and an administrator's rights (Windows asks
// for them: the "runas" verb), waited for to its end.
[[nodiscard]] ElevatedRun run_elevated(const std::wstring& program, const std::wstring& arguments);

} // namespace zuzo::setup
