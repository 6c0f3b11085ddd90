// The real message boxes: the buttons and icon asked for, the answer of the
// button pressed, and the busy count raised while the box is open. The real
// file dialogs: the folder each starts in.

#include "ui/qt_seams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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
