#include "program/file_commands.h"

#include "program/core/device_program.h"
#include "program/core/save_name.h"
#include "program/program_controls.h"
#include "program/program_file_io.h"
#include "ui/app_context.h"

#include <QFileInfo>
#include <QMainWindow>

namespace {

const QString kFilter = QStringLiteral("Файлы (*.ptm)");

// The line that tells why a file failed, after the failure's own text.
QString because(const QString& cause)
{
    return QStringLiteral("Причина: ") + cause;
}

} // namespace

FileCommands::FileCommands(AppContext& ctx) : ctx_(ctx) {}

void FileCommands::show_error(const QString& text)
{
    ctx_.seams.boxes->show(ctx_.ui.MainWindow, QStringLiteral("Ошибка"), text, MsgButtons::Ok,
                           MsgIcon::Exclamation);
}

void FileCommands::new_program()
{
    const MsgAnswer answer =
        ctx_.seams.boxes->show(ctx_.ui.MainWindow, QStringLiteral("Создать"),
                               QStringLiteral("Созданная  программа полностью заменит текущую!\nПродолжить?"),
                               MsgButtons::YesNo, MsgIcon::Exclamation);
    if (answer != MsgAnswer::Yes)
        return;
    zuzo::reset_plan_and_sound(ctx_.program);
    zuzo::apply_optics_defaults(ctx_.program);
    set_controls_from_program(ctx_);
    // The plan view with its checks, then the optics tab and its rules: the
    // plan refresh and the optics defaults, in that order.
    ctx_.rebuild_after_replacement();
}

void FileCommands::open_program()
{
    const MsgAnswer answer = ctx_.seams.boxes->show(
        ctx_.ui.MainWindow, QStringLiteral("Чтение файла"),
        QStringLiteral("Загруженная программа полностью заменит текущую!\nПродолжить?"), MsgButtons::YesNo,
        MsgIcon::Exclamation);
    if (answer != MsgAnswer::Yes)
        return;
    const QString path = ctx_.seams.files->open_file(ctx_.ui.MainWindow, QStringLiteral("Открыть"), kFilter);
    if (path.isEmpty())
        return;
    QString cause;
    switch (load_program_file(path, ctx_.program, &cause)) {
    case ProgramLoad::Loaded:
        set_controls_from_program(ctx_);
        // The controls are the truth for the four fields they hold.
        sync_program_from_controls(ctx_);
        break;
    case ProgramLoad::CannotOpen:
        show_error(QStringLiteral("При чтении произошла ошибка.\nФайл открыть не удалось.\n\n") +
                   because(cause));
        break;
    case ProgramLoad::BadHeader:
        show_error(QStringLiteral("Формат файла не поддерживается"));
        break;
    }
    ctx_.rebuild_after_replacement();
}

QString FileCommands::choose_save_name()
{
    for (;;) {
        const QString chosen =
            ctx_.seams.files->save_file(ctx_.ui.MainWindow, QStringLiteral("Сохранить"), kFilter);
        if (chosen.isEmpty())
            return {};
        const QString name = QString::fromStdString(zuzo::with_ptm_extension(chosen.toStdString()));
        const QFileInfo info(name);
        if (!info.exists() || info.isDir())
            return name;
        const QString bare =
            QString::fromStdString(std::string(zuzo::name_without_directory(name.toStdString())));
        const MsgAnswer answer = ctx_.seams.boxes->show(
            ctx_.ui.MainWindow, QStringLiteral("Подтвердить сохранение"),
            bare + QStringLiteral(" уже существует.\nЗаменить?"), MsgButtons::YesNo, MsgIcon::Exclamation);
        if (answer == MsgAnswer::Yes)
            return name;
    }
}

void FileCommands::save_program()
{
    const QString name = choose_save_name();
    if (name.isEmpty())
        return;
    sync_program_from_controls(ctx_);
    QString cause;
    if (store_program_file(name, ctx_.program, &cause) != ProgramStore::Stored)
        show_error(QStringLiteral("При записи произошла ошибка.\nФайл сохранить не удалось.\n") +
                   because(cause));
}
