#pragma once
// The tool speaks Russian whatever the user's locale: Qt's own texts (message
// box buttons, file dialogs, edit menus) come from Qt's Russian catalogue.

#include <QStringList>

class QCoreApplication;
class QTranslator;

// Folders searched for Qt's catalogue, in order: Qt's own translations
// folder, then the program's folder (where the Windows package puts it), its
// "translations" folder and the installed share folder.
[[nodiscard]] QStringList qt_translation_folders();

// Makes Russian the default locale and installs Qt's Russian catalogue
// ("qtbase_ru.qm") from the first folder that has it. The translator belongs
// to app; nullptr when no folder has the catalogue (Qt's texts then stay
// English, nothing else changes).
QTranslator* install_russian_texts(QCoreApplication& app);
