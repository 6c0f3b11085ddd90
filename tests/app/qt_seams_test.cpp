// The real message boxes: the buttons and icon asked for, the answer of the
// button pressed, and the busy count raised while the box is open.

#include "app/qt_seams.h"
#include "app/translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTranslator>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct BoxCase {
    MsgButtons buttons;
    MsgIcon icon;
    QMessageBox::StandardButton press; // NoButton: close the box instead
    MsgAnswer expected;
    int button_count;
    QMessageBox::Icon shown_icon;
};

class RealBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(RealBoxes, AnswersTheButtonPressedWhileCountingBusy)
{
    const BoxCase c = GetParam();
    int busy = 0;
    QtMessageBoxes boxes(busy);
    int busy_seen = -1;
    int buttons_seen = -1;
    QString text_seen;
    QMessageBox::Icon icon_seen = QMessageBox::NoIcon;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, answer);
            return;
        }
        busy_seen = busy;
        buttons_seen = static_cast<int>(box->buttons().size());
        text_seen = box->text();
        icon_seen = box->icon();
        if (c.press == QMessageBox::NoButton)
            box->close();
        else
            box->button(c.press)->click();
    };
    QTimer::singleShot(0, answer);
    const MsgAnswer got = boxes.show(nullptr, QStringLiteral("Заголовок"),
                                     QStringLiteral("Строка 1\nСтрока 2"), c.buttons, c.icon);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(busy_seen, 1);
    EXPECT_EQ(busy, 0);
    EXPECT_EQ(buttons_seen, c.button_count);
    EXPECT_EQ(text_seen, QStringLiteral("Строка 1\nСтрока 2"));
    EXPECT_EQ(icon_seen, c.shown_icon);
}

INSTANTIATE_TEST_SUITE_P(
    ButtonSets, RealBoxes,
    ::testing::Values(BoxCase{MsgButtons::Ok, MsgIcon::Error, QMessageBox::Ok, MsgAnswer::Ok, 1,
                              QMessageBox::Critical},
                      BoxCase{MsgButtons::Ok, MsgIcon::Exclamation, QMessageBox::NoButton, MsgAnswer::Ok, 1,
                              QMessageBox::Warning},
                      BoxCase{MsgButtons::YesNo, MsgIcon::Exclamation, QMessageBox::Yes, MsgAnswer::Yes, 2,
                              QMessageBox::Warning},
                      BoxCase{MsgButtons::YesNo, MsgIcon::Question, QMessageBox::No, MsgAnswer::No, 2,
                              QMessageBox::Question},
                      BoxCase{MsgButtons::YesNo, MsgIcon::Question, QMessageBox::NoButton, MsgAnswer::No, 2,
                              QMessageBox::Question},
                      BoxCase{MsgButtons::YesNoCancel, MsgIcon::Question, QMessageBox::Cancel,
                              MsgAnswer::Cancel, 3, QMessageBox::Question},
                      BoxCase{MsgButtons::YesNoCancel, MsgIcon::Question, QMessageBox::NoButton,
                              MsgAnswer::Cancel, 3, QMessageBox::Question},
                      BoxCase{MsgButtons::YesNoCancel, MsgIcon::Exclamation, QMessageBox::No, MsgAnswer::No,
                              3, QMessageBox::Warning}));


// Qt's own texts in Russian, whatever the locale: the buttons of the tool's
// message boxes and the captions of the file dialogs.
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
    ASSERT_NE(translator, nullptr) << "qtbase_ru.qm not found in " << qt_translation_folders().join(", ").toStdString();
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
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("Папка"));
    EXPECT_EQ(QLocale::system().formattedDataSize(463), russian.formattedDataSize(463));
    EXPECT_EQ(QLocale::system().toString(when, QLocale::ShortFormat), russian.toString(when, QLocale::ShortFormat));
}

// The first dialog of a run starts in the folder it is given (the user's
// Documents folder), every later one where the last chosen file lies.
TEST(RealFileDialogs, StartInTheFirstFolderThenInTheFolderLastUsed)
{
    QTemporaryDir first;
    QTemporaryDir later;
    int busy = 0;
    QtFileDialogs dialogs(busy, first.path());
    QStringList started;
    std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return QTimer::singleShot(10, answer);
        started << dialog->directory().absolutePath();
        dialog->selectFile(later.filePath(QStringLiteral("план.ptm")));
        started.size() == 2 ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
    };
    for (int run = 0; run < 3; ++run) { // Save cancelled, Save chosen, Open cancelled
        QTimer::singleShot(0, answer);
        (void)(run < 2 ? dialogs.save_file(nullptr, {}, {}) : dialogs.open_file(nullptr, {}, {}));
    }
    EXPECT_EQ(started, (QStringList{first.path(), first.path(), later.path()}));
    EXPECT_TRUE(QFileInfo(documents_folder()).isWritable());
}

} // namespace
