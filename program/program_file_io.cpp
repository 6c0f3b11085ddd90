#include "program/program_file_io.h"

#include "program/ptm_format.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <span>

ProgramLoad load_program_file(const QString& path, zuzo::DeviceProgram& program)
{
    if (QFileInfo(path).isDir())
        return ProgramLoad::CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ProgramLoad::CannotOpen;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ProgramLoad::CannotOpen;
    file.close();
    const std::span<const std::uint8_t> content(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size()));
    if (zuzo::read_ptm(content, program) != zuzo::PtmReadResult::Loaded)
        return ProgramLoad::BadHeader;
    return ProgramLoad::Loaded;
}

ProgramStore store_program_file(const QString& path, const zuzo::DeviceProgram& program)
{
    if (QFileInfo(path).isDir())
        return ProgramStore::Failed;
    const std::vector<std::uint8_t> bytes = zuzo::write_ptm(program);
    QSaveFile file(path);
    // Never fall back to writing the target in place: a failure must leave it whole.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return ProgramStore::Failed;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.flush()) {
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return ProgramStore::Failed;
    }
    return file.commit() ? ProgramStore::Stored : ProgramStore::Failed;
}
