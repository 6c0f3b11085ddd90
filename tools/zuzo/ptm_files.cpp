#include "tools/zuzo/ptm_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zuzo::cli {

FileStatus read_whole_file(const std::string& path, std::vector<std::uint8_t>& out)
{
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir())
        return FileStatus::Failed;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return FileStatus::Failed;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileStatus::Failed;
    out.assign(bytes.begin(), bytes.end());
    return FileStatus::Done;
}

FileStatus write_whole_file_atomically(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir())
        return FileStatus::Failed;
    QSaveFile file(name);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return FileStatus::Failed;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.flush()) {
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return FileStatus::Failed;
    }
    return file.commit() ? FileStatus::Done : FileStatus::Failed;
}

} // namespace zuzo::cli
