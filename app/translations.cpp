#include "app/translations.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kCatalogue = QStringLiteral("qtbase_ru");

struct OwnWord {
    const char* context;
    const char* source;
    const char* russian;
};

// Texts Qt shows in the tool's boxes and file dialogs that its Russian
// catalogue leaves in English.
constexpr OwnWord kOwnWords[] = {
    {"QPlatformTheme", "OK", "ОК"},
    {"QAbstractFileIconProvider", "Folder", "Папка"},
    {"QAbstractFileIconProvider", "File Folder", "Папка с файлами"},
    {"QAbstractFileIconProvider", "Drive", "Диск"},
    {"QAbstractFileIconProvider", "Shortcut", "Ярлык"},
};

class OwnWords : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        for (const OwnWord& word : kOwnWords) {
            if (QByteArrayView(context) == word.context && QByteArrayView(source) == word.source)
                return QString::fromUtf8(word.russian);
        }
        return {}; // the next translator answers
    }
    bool isEmpty() const override { return false; }
};

} // namespace

QStringList qt_translation_folders()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), beside,
            beside + QStringLiteral("/translations"),
            beside + QStringLiteral("/../share/zuzo-transport/translations")};
}

RussianTranslators install_russian_texts(QCoreApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    RussianTranslators texts;
    for (const QString& folder : qt_translation_folders()) {
        auto* translator = new QTranslator(&app);
        if (translator->load(kCatalogue, folder) && QCoreApplication::installTranslator(translator)) {
            texts.catalogue = translator;
            break;
        }
        delete translator;
    }
    // Installed last, asked first.
    texts.own = new OwnWords(&app);
    QCoreApplication::installTranslator(texts.own);
    return texts;
}
