#pragma once
// Qt takes the system's locale, with which its own file dialog writes sizes
// and dates, from the platform once, while the application object is made. The tool speaks Russian whatever
// the user's settings, so that locale is made Russian for the tool's own process.

#include <optional>
#include <string>
#include <utility>
#include <vector>

class RussianSystemLocale {
public:
    // Made before the QApplication: the process's locale settings say
    // Russian from here on.
    RussianSystemLocale();
    // Ended once the QApplication exists: the user's own settings are put
    // back, for the programs the tool starts (help viewer, web browser).
    ~RussianSystemLocale();
    RussianSystemLocale(const RussianSystemLocale&) = delete;
    RussianSystemLocale& operator=(const RussianSystemLocale&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> user_settings_;
};
