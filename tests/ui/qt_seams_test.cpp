// The real message boxes: the buttons and icon asked for, the answer of the
// button pressed, and the busy count raised while the box is open. The real
// file dialogs: the folder each starts in, the sizes they show in Russian,
// and nothing of theirs kept in the user's settings from one run to the next.

#include "support/test_system.h"
#include "ui/qt_seams.h"
#include "ui/russian_sizes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <functional>
#include <map>

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

// Escape answers a box as closing it does, but for the Yes/No box whose No
// is not the safe answer: there neither Escape nor the close box answers.
// Fault: Escape answered the EEPROM write question "Нет", breaking the link.
TEST(RealBoxes, EscapeIsTheSafeAnswerOrNone)
{
    const std::pair<MsgButtons, MsgAnswer> cases[] = {{MsgButtons::Ok, MsgAnswer::Ok},
                                                      {MsgButtons::YesNo, MsgAnswer::No},
                                                      {MsgButtons::YesNoCancel, MsgAnswer::Cancel},
                                                      {MsgButtons::YesNoOnly, MsgAnswer::Yes}};
    for (const auto& [buttons, expected] : cases) {
        int busy = 0;
        QtMessageBoxes boxes(busy);
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return QTimer::singleShot(10, answer);
            QTest::keyClick(box, Qt::Key_Escape);
            box->close();
            // Still open: only a button answers.
            if (box->isVisible())
                box->button(QMessageBox::Yes)->click();
        };
        QTimer::singleShot(0, answer);
        EXPECT_EQ(
            boxes.show(nullptr, QStringLiteral("Внимание!"), QStringLiteral("?"), buttons, MsgIcon::Error),
            expected)
            << static_cast<int>(buttons);
    }
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

// Answers the next file dialog of the run with answer(dialog) once it is open.
void answer_dialog(const std::function<void(QFileDialog&)>& answer)
{
    QTimer::singleShot(10, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return answer_dialog(answer);
        answer(*dialog);
    });
}

struct SizeCase {
    qint64 bytes;
    const char* shown;
};

class RussianSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(RussianSize, IsWrittenAsARussianReaderWritesIt)
{
    EXPECT_EQ(russian_data_size(GetParam().bytes), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RussianSize,
    ::testing::Values(SizeCase{0, "0 байт"}, SizeCase{1, "1 байт"},
                      // Fault: "2 байты", "463 байты" (the plural form of the
                      // locale's unit name instead of the Russian count form).
                      SizeCase{2, "2 байта"}, SizeCase{463, "463 байта"}, SizeCase{1022, "1022 байта"},
                      // Fault: "11 байта", "112 байта" (eleven to fourteen take
                      // the genitive plural whatever their last digit).
                      SizeCase{11, "11 байт"}, SizeCase{112, "112 байт"}, SizeCase{21, "21 байт"},
                      SizeCase{1023, "1023 байта"},
                      // Fault: "1,46 KiB", "2,38 MiB" (the locale's binary units
                      // with two decimals).
                      SizeCase{1024, "1,0 КБ"}, SizeCase{1495, "1,5 КБ"}, SizeCase{2495610, "2,4 МБ"},
                      // Fault: "1 000,0 КБ" (a group separator inside the number).
                      SizeCase{1024000, "1000,0 КБ"},
                      // Fault: "1024,0 КБ" (rounded up to a whole next unit).
                      SizeCase{1048575, "1,0 МБ"}, SizeCase{qint64{5} << 30, "5,0 ГБ"},
                      SizeCase{qint64{3} << 40, "3,0 ТБ"}, SizeCase{qint64{4096} << 40, "4096,0 ТБ"},
                      SizeCase{-5, "0 байт"}));

// The sizes the open dialog shows for files of 463 bytes, 1,46 KiB and
// 2,38 MiB. Fault: Qt's dialog shows the locale's own units.
TEST(RealFileDialogs, ShowFileSizesInRussian)
{
    QTemporaryDir folder;
    const std::map<QString, qint64> files = {
        {QStringLiteral("a.ptm"), 463}, {QStringLiteral("b.ptm"), 1495}, {QStringLiteral("c.ptm"), 2495610}};
    for (const auto& [name, size] : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    }
    int busy = 0;
    QtFileDialogs dialogs(busy, folder.path());
    QStringList shown;
    answer_dialog([&](QFileDialog& dialog) {
        auto* view = dialog.findChild<QTreeView*>();
        if (view != nullptr) {
            const QAbstractItemModel* model = view->model();
            (void)QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 3; });
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                const QModelIndex name = model->index(row, 0, view->rootIndex());
                shown << name.data().toString() + QLatin1Char(' ') +
                             name.siblingAtColumn(1).data().toString();
                // Fault: "46...та", "Не...но": the size and type columns were
                // sized for short English texts.
                for (int column : {1, 2}) {
                    const QString text = name.siblingAtColumn(column).data().toString();
                    EXPECT_GT(view->columnWidth(column), view->fontMetrics().horizontalAdvance(text) + 4)
                        << text.toStdString();
                }
            }
        }
        dialog.reject();
    });
    (void)dialogs.open_file(nullptr, QStringLiteral("Чтение файла"), QStringLiteral("Файлы (*.ptm)"));
    shown.sort();
    EXPECT_EQ(shown.join(QLatin1Char('|')), QStringLiteral("a.ptm 463 байта|b.ptm 1,5 КБ|c.ptm 2,4 МБ"));
}

// One run of the tool's file dialogs in a home the parent test made: the
// dialog is used as a user would (another folder, the detail view, a wider
// name column) and chosen; the folder it started in is written to the report
// file. Runs only as the parent's second process.
TEST(RealFileDialogs, OneRunInAPrivateHome)
{
    const QString report = qEnvironmentVariable("ZUZO_DIALOG_REPORT");
    if (report.isEmpty())
        GTEST_SKIP() << "run by RealFileDialogs.RememberNothingBetweenRuns";
    int busy = 0;
    QtFileDialogs dialogs(busy);
    QString started;
    answer_dialog([&](QFileDialog& dialog) {
        started = dialog.directory().absolutePath();
        dialog.setDirectory(QDir::homePath());
        dialog.setViewMode(QFileDialog::Detail);
        if (auto* view = dialog.findChild<QTreeView*>())
            view->header()->resizeSection(0, 333);
        dialog.selectFile(QDir::home().filePath(QStringLiteral("план.ptm")));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_FALSE(
        dialogs.save_file(nullptr, QStringLiteral("Сохранить"), QStringLiteral("Файлы (*.ptm)")).isEmpty());
    QFile out(report);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(started.toUtf8());
}

// Every file and folder under root, with the contents of each file.
std::map<QString, QByteArray> tree_of(const QString& root)
{
    std::map<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        tree[QDir(root).relativeFilePath(path)] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    return tree;
}

// Two runs, each in its own process with the same private home. Faults: the
// first run leaves Qt's QtProject.conf (last folder, history, column
// widths) in the configuration folder; the second, finding such a file,
// starts in its last folder instead of Documents, or writes over it.
TEST(RealFileDialogs, RememberNothingBetweenRuns)
{
    if (on_windows())
        GTEST_SKIP() << "it gives the dialog a private home folder, which on Windows neither holds Documents "
                        "nor the dialog's state (the registry does)";
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Documents")));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("elsewhere")));
    const QString config = home.filePath(QStringLiteral(".config"));
    QTemporaryDir reports;
    const auto run = [&](const QString& report) {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.remove(QStringLiteral("XDG_CONFIG_DIRS"));
        env.insert(QStringLiteral("ZUZO_DIALOG_REPORT"), report);
        tool.setProcessEnvironment(env);
        tool.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=RealFileDialogs.OneRunInAPrivateHome")});
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardOutput().toStdString();
        QFile file(report);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QString documents = QDir(home.filePath(QStringLiteral("Documents"))).absolutePath();

    const std::map<QString, QByteArray> before = tree_of(home.path());
    EXPECT_EQ(run(reports.filePath(QStringLiteral("1"))), documents);
    EXPECT_EQ(tree_of(home.path()), before);

    // What Qt would have left, with another last folder.
    ASSERT_TRUE(QDir().mkpath(config));
    QFile seeded(QDir(config).filePath(QStringLiteral("QtProject.conf")));
    ASSERT_TRUE(seeded.open(QIODevice::WriteOnly));
    seeded.write("[FileDialog]\nhistory=file://" + home.filePath(QStringLiteral("elsewhere")).toUtf8() +
                 "\nlastVisited=file://" + home.filePath(QStringLiteral("elsewhere")).toUtf8() +
                 "\nsidebarWidth=300\nviewMode=Detail\n");
    seeded.close();
    const std::map<QString, QByteArray> seeded_tree = tree_of(home.path());
    EXPECT_EQ(run(reports.filePath(QStringLiteral("2"))), documents);
    EXPECT_EQ(tree_of(home.path()), seeded_tree);
}

} // namespace
