// The real message boxes: the buttons and icon asked for, the answer of the
// button pressed, and the busy count raised while the box is open.

#include "app/qt_seams.h"
#include "app/translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTranslator>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>
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


// The first dialog of a run starts in the folder it is given (the user's
// Documents folder), every later one where the last chosen file lies.
TEST(RealFileDialogs, StartInTheFirstFolderThenInTheFolderLastUsed)
{
    const QFileInfo documents(documents_folder());
    EXPECT_TRUE(documents.isDir() && documents.isWritable()) << documents.filePath().toStdString();

    QTemporaryDir first;
    QTemporaryDir later;
    QFile chosen(later.filePath(QStringLiteral("план.ptm")));
    ASSERT_TRUE(chosen.open(QIODevice::WriteOnly));
    chosen.close();
    int busy = 0;
    QtFileDialogs dialogs(busy, first.path());
    // Each dialog: where it started, then the name chosen in it ("" cancels).
    QStringList started;
    QString choose;
    std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, answer);
            return;
        }
        started << dialog->directory().absolutePath();
        if (choose.isEmpty())
            return dialog->reject();
        dialog->selectFile(choose);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the name
    };
    const auto run = [&](bool save, const QString& name) {
        choose = name;
        QTimer::singleShot(0, answer);
        return save ? dialogs.save_file(nullptr, QStringLiteral("Сохранить"), QStringLiteral("Файлы (*.ptm)"))
                    : dialogs.open_file(nullptr, QStringLiteral("Открыть"), QStringLiteral("Файлы (*.ptm)"));
    };
    EXPECT_TRUE(run(true, QString()).isEmpty());         // cancelled: no folder used
    EXPECT_EQ(run(false, chosen.fileName()), chosen.fileName());
    EXPECT_TRUE(run(true, QString()).isEmpty());
    EXPECT_EQ(started, (QStringList{first.path(), first.path(), later.path()}));
}

// Qt's own texts in Russian, whatever the locale: the buttons of the tool's
// message boxes, the captions, types, sizes and dates of the file dialogs.
class QtInRussian : public ::testing::Test {
protected:
    void SetUp() override { texts = install_russian_texts(*QCoreApplication::instance()); }
    void TearDown() override
    {
        for (QTranslator* translator : {texts.catalogue, texts.own})
            if (translator)
                QCoreApplication::removeTranslator(translator);
        QLocale::setDefault(QLocale::system());
    }
    ::RussianTexts texts;
};

QString without_mnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

TEST_F(QtInRussian, MessageBoxButtonsSayDaNetOtmenaAndOk)
{
    ASSERT_NE(texts.catalogue, nullptr) << "qtbase_ru.qm not found in " << qt_translation_folders().join(", ").toStdString();
    const struct {
        MsgButtons buttons;
        QStringList words;
    } sets[] = {{MsgButtons::YesNoCancel, {"Да", "Нет", "Отмена"}}, {MsgButtons::Ok, {"ОК"}}}; // Cyrillic О, К
    for (const auto& set : sets) {
        int busy = 0;
        QtMessageBoxes boxes(busy);
        QStringList seen;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(10, answer);
                return;
            }
            for (const QAbstractButton* button : box->buttons())
                seen << without_mnemonic(button->text());
            box->close();
        };
        QTimer::singleShot(0, answer);
        (void)boxes.show(nullptr, QStringLiteral("Внимание!"), QStringLiteral("Сохранить?"), set.buttons,
                         MsgIcon::Question);
        seen.sort();
        QStringList words = set.words;
        words.sort();
        EXPECT_EQ(seen, words);
    }
}

TEST_F(QtInRussian, FileDialogCaptionsAndEditMenuAreRussian)
{
    ASSERT_NE(texts.catalogue, nullptr);
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

    // A folder's type, a file's size and date, whatever the user's locale.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("папка")));
    QFile file(dir.filePath(QStringLiteral("план.ptm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(463, '\0'));
    file.close();
    QFileDialog listing(nullptr, QStringLiteral("Открыть"), dir.path(), QStringLiteral("Файлы (*.ptm)"));
    listing.setOption(QFileDialog::DontUseNativeDialog);
    listing.show();
    const auto* view = listing.findChild<QTreeView*>();
    ASSERT_NE(view, nullptr);
    const QAbstractItemModel* model = view->model();
    // The row of a name once its size is known (the listing fills in later).
    const auto row = [&](const QString& name) {
        for (int waited = 0; waited < 5000; waited += 10) {
            const QModelIndexList found =
                model->match(model->index(0, 0, view->rootIndex()), Qt::DisplayRole, name, 1, Qt::MatchExactly);
            if (!found.isEmpty() && !model->index(found[0].row(), 1, found[0].parent()).data().isNull())
                return found[0];
            QTest::qWait(10);
        }
        return QModelIndex();
    };
    const QModelIndex folder = row(QStringLiteral("папка"));
    const QModelIndex ptm = row(QStringLiteral("план.ptm"));
    ASSERT_TRUE(folder.isValid() && ptm.isValid());
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    EXPECT_EQ(folder.siblingAtColumn(2).data().toString(), QStringLiteral("Папка"));
    EXPECT_EQ(ptm.siblingAtColumn(1).data().toString(), russian.formattedDataSize(463));
    EXPECT_EQ(ptm.siblingAtColumn(3).data().toString(),
              russian.toString(QFileInfo(file).lastModified(), QLocale::ShortFormat));

    // The context menu of an edit field.
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << without_mnemonic(action->text()).section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(items.contains(QStringLiteral("Вставить"))) << items.join(" | ").toStdString();
}

} // namespace
