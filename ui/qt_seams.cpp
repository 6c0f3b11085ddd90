#include "ui/qt_seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "ui/busy_scope.h"
#include "ui/dialog_state_scope.h"
#include "ui/file_dialog_columns.h"
#include "ui/russian_sizes.h"
#include "ui/window_focus.h"

namespace {

QMessageBox::Icon box_icon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// What a screen reader calls the box's icon.
QString icon_name(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation:
        return QStringLiteral("Предупреждение");
    case MsgIcon::Error:
        return QStringLiteral("Ошибка");
    case MsgIcon::Question:
        return QStringLiteral("Вопрос");
    }
    return {};
}

// Keeps Escape and the close box from answering a box: only its buttons do.
class ButtonsOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QWidget* box_owner(QWidget* parent)
{
    if (parent == nullptr || parent->window()->isEnabled())
        return parent;
    const QWidget* window = parent->window();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        const QWidget* owner = top->parentWidget();
        if (owner != nullptr && owner->window() == window && top->isVisible() && top->isEnabled())
            return top;
    }
    return parent;
}

MsgAnswer QtMessageBoxes::show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                               MsgIcon icon)
{
    const BusyScope busy(busy_);
    const KeyboardReturn keyboard(parent);
    ButtonsOnly buttons_only;
    QMessageBox box(box_icon(icon), title, text, QMessageBox::NoButton, box_owner(parent));
    if (auto* picture = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
        picture->setAccessibleName(icon_name(icon));
    MsgAnswer closed = MsgAnswer::Ok; // what closing the box by its close box means
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        closed = MsgAnswer::No;
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        closed = MsgAnswer::Cancel;
        break;
    case MsgButtons::YesNoOnly:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.installEventFilter(&buttons_only);
        closed = MsgAnswer::No; // never: the box cannot be closed otherwise
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return closed;
    }
}

QString documents_folder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString QtFileDialogs::remember(const QString& name)
{
    if (!name.isEmpty())
        folder_ = QFileInfo(name).absolutePath();
    return name;
}

QString QtFileDialogs::run(QWidget* parent, const QString& title, const QString& filter, bool save)
{
    const BusyScope busy(busy_);
    const KeyboardReturn keyboard(parent);
    // The dialog lives inside the scope: what it reads and writes of its
    // state never reaches the user's settings.
    const DialogStateScope forget;
    QFileDialog dialog(box_owner(parent), title, folder_, filter);
    // The folder only: the dialog starts with no file name.
    dialog.setDirectory(folder_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Save asks its own overwrite question after adding the extension.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, save);
    // Sizes in Russian where the dialog is Qt's own (the native ones show
    // the system's).
    dialog.setProxyModel(new RussianSizes(&dialog));
    fit_size_and_type_columns(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return remember(dialog.selectedFiles().value(0));
}

QString QtFileDialogs::open_file(QWidget* parent, const QString& title, const QString& filter)
{
    return run(parent, title, filter, false);
}

QString QtFileDialogs::save_file(QWidget* parent, const QString& title, const QString& filter)
{
    return run(parent, title, filter, true);
}

void QtLauncher::open_document(const QString& path)
{
    const QFileInfo file(QDir::current(), path);
    if (!file.exists())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void QtLauncher::open_url(const QString& address)
{
    QUrl url = QUrl::fromUserInput(address);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

void QtLauncher::start_program(const QString& program, const QStringList& arguments)
{
    QProcess::startDetached(program, arguments);
}
