#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kCatalogue = QStringLiteral("qtbase_ru");

} // namespace

QStringList qt_translation_folders()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), beside, beside + QStringLiteral("/translations"),
            beside + QStringLiteral("/../share/zuzo-transport/translations")};
}

QTranslator* install_russian_texts(QCoreApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    for (const QString& folder : qt_translation_folders()) {
        auto* translator = new QTranslator(&app);
        if (translator->load(kCatalogue, folder) && QCoreApplication::installTranslator(translator))
            return translator;
        delete translator;
    }
    return nullptr;
}
