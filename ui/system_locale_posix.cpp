// Qt and the C library read the locale from the process's environment: the
// Russian locale is set there while the application object is made.

#include "ui/system_locale.h"

#include <cstdlib>

namespace {

// LC_ALL outranks every LC_* and LANG; LANGUAGE would still name the
// language of messages.
constexpr std::pair<const char*, const char*> kRussian[] = {{"LC_ALL", "ru_RU.UTF-8"}, {"LANGUAGE", "ru"}};

} // namespace

RussianSystemLocale::RussianSystemLocale()
{
    for (const auto& [name, value] : kRussian) {
        const char* user = std::getenv(name);
        user_settings_.emplace_back(name, user ? std::optional<std::string>(user) : std::nullopt);
        setenv(name, value, 1);
    }
}

RussianSystemLocale::~RussianSystemLocale()
{
    for (const auto& [name, value] : user_settings_) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}
