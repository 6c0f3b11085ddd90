// The PATH value of the system's or the current user's environment, as the
// registry holds it: one folder added to it or taken from it, every other
// character of the value and its type (REG_EXPAND_SZ or REG_SZ) kept as they
// were, whatever its length.
#pragma once

#include <string>

namespace zuzo::setup {

enum class PathScope { AllUsers, CurrentUser };

enum class PathEdit {
    Changed,   // the value was written
    Unchanged, // nothing to do: the folder was there already (add) or was not there (remove)
    Failed,    // nothing was written; reason says why
};

struct PathResult {
    PathEdit edit = PathEdit::Failed;
    std::wstring reason;
};

// Adds FOLDER as the last entry of PATH, unless an entry names it already
// (without regard to case or to one trailing backslash). Creates the value
// (REG_EXPAND_SZ) where there is none.
[[nodiscard]] PathResult add_to_path(PathScope scope, const std::wstring& folder);

// Takes the last entry that names FOLDER out of PATH, with one separator
// beside it, so that the text is again what it was before add_to_path; a
// PATH left empty is removed.
[[nodiscard]] PathResult remove_from_path(PathScope scope, const std::wstring& folder);

// Tells the running programs (Explorer among them) that the environment
// changed, waiting at most 5 s for each window.
void announce_environment_change();

} // namespace zuzo::setup
