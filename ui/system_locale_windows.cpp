// Windows gives Qt the system's locale from the user's regional settings, not
// from the environment, and the file dialogs there are the system's own,
// written in the system's language: nothing is changed.

#include "ui/system_locale.h"

RussianSystemLocale::RussianSystemLocale() = default;

RussianSystemLocale::~RussianSystemLocale() = default;
