// Qt's own texts in Russian, whatever the locale: the buttons of the tool's
// message boxes, the file dialogs, an edit field's menu, and the words and
// numbers Qt's catalogue leaves to the tool.

#include "app/translations.h"
#include "ui/qt_seams.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class RussianTexts : public ::testing::Test {
protected:
    void SetUp() override { texts = install_russian_texts(*QCoreApplication::instance()); }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(texts.catalogue);
        QCoreApplication::removeTranslator(texts.own);
        QLocale::setDefault(QLocale::system());
    }
    RussianTranslators texts;
    QTranslator*& translator = texts.catalogue;
};

QString without_mnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

TEST_F(RussianTexts, MessageBoxButtonsSayDaNetOtmena)
{
    ASSERT_NE(translator, nullptr) << "qtbase_ru.qm not found in "
                                   << qt_translation_folders().join(", ").toStdString();
    int busy = 0;
    QtMessageBoxes boxes(busy);
    QStringList seen;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, answer);
            return;
        }
        for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            seen << without_mnemonic(box->button(button)->text());
        box->button(QMessageBox::Cancel)->click();
    };
    QTimer::singleShot(0, answer);
    EXPECT_EQ(boxes.show(nullptr, QStringLiteral("Внимание!"), QStringLiteral("Сохранить?"),
                         MsgButtons::YesNoCancel, MsgIcon::Question),
              MsgAnswer::Cancel);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")}));
}

TEST_F(RussianTexts, FileDialogCaptionsAndEditMenuAreRussian)
{
    ASSERT_NE(translator, nullptr);
    QFileDialog dialog(nullptr, QStringLiteral("Открыть"), QDir::tempPath(), QStringLiteral("Файлы (*.ptm)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList captions;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        captions << label->text();
    EXPECT_FALSE(captions.contains(QStringLiteral("Look in:")));
    EXPECT_FALSE(captions.contains(QStringLiteral("File &name:")));
    EXPECT_TRUE(captions.contains(QStringLiteral("Перейти к:"))) << captions.join(" | ").toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("&Имя файла:")));
    EXPECT_EQ(without_mnemonic(dialog.labelText(QFileDialog::Reject)), QStringLiteral("Отмена"));

    // The context menu of an edit field.
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << without_mnemonic(action->text()).section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(items.contains(QStringLiteral("Вставить"))) << items.join(" | ").toStdString();
}

// What Qt's catalogue leaves English, and the sizes and dates of the file
// dialog's listing: Qt takes the system's locale as the tool's start makes it.
TEST_F(RussianTexts, OkFolderSizesAndDates)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 5));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("ОК")); // Cyrillic
    // A folder is a "Folder" to Qt, on Windows a "File Folder": Russian either way.
    const QString folder = QFileIconProvider().type(QFileInfo(QDir::tempPath()));
    EXPECT_TRUE(folder == QStringLiteral("Папка") || folder == QStringLiteral("Папка с файлами"))
        << folder.toStdString();
    EXPECT_EQ(QLocale::system().formattedDataSize(463), russian.formattedDataSize(463));
    EXPECT_EQ(QLocale::system().toString(when, QLocale::ShortFormat),
              russian.toString(when, QLocale::ShortFormat));
}

} // namespace
