#pragma once
// The cut of a typed number that exceeds its field's limit.

#include <QString>

namespace zuzo {

struct EditLimit {
    int limit; // the largest number the field takes
    int keep;  // characters kept when the number is larger
};

inline constexpr EditLimit kPercentLimit{100, 2};
inline constexpr EditLimit kLuxLimit{12000, 3};

// The text an edit keeps: text itself, or its first keep characters when its
// number exceeds the limit (typing 101 leaves 10; 12001 leaves 120).
[[nodiscard]] QString cut_to_limit(const QString& text, EditLimit limit);

} // namespace zuzo
