#pragma once
// The tool speaks Russian whatever the user's locale: Qt's own texts (message
// box buttons, file dialogs, edit menus) come from Qt's Russian catalogue, and
// the few it leaves in English (a folder's type, the "OK" of one-button
// boxes) from the tool's own words.

#include <QStringList>

class QCoreApplication;
class QTranslator;

// Folders searched for Qt's catalogue, in order: Qt's own translations
// folder, then the program's folder (where the Windows package puts it), its
// "translations" folder and the installed share folder.
[[nodiscard]] QStringList qt_translation_folders();

struct RussianTranslators {
    QTranslator* catalogue = nullptr; // Qt's, nullptr when no folder has it
    QTranslator* own = nullptr;       // the words Qt's catalogue lacks
};

// Makes Russian the default locale and installs Qt's Russian catalogue
// ("qtbase_ru.qm") from the first folder that has it, then the tool's own
// words, which answer first. Both translators belong to app. Without the
// catalogue Qt's texts stay English, nothing else changes.
RussianTranslators install_russian_texts(QCoreApplication& app);
