#include "program/program_file_io.h"

#include "program/core/file_causes.h"
#include "program/core/file_store.h"
#include "program/core/ptm_format.h"

#include <cstdint>
#include <vector>

namespace {

void tell(QString* cause, const zuzo::FileResult& result, const std::filesystem::path& path)
{
    if (cause != nullptr)
        *cause = QString::fromStdString(zuzo::file_cause(result, path));
}

} // namespace

ProgramLoad load_program_file(const QString& path, zuzo::DeviceProgram& program, QString* cause)
{
    const std::filesystem::path name = zuzo::path_from_utf8(path.toStdString());
    std::vector<std::uint8_t> bytes;
    if (const zuzo::FileResult read = zuzo::read_file(name, bytes, zuzo::kPtmFileLimit); !read.done()) {
        tell(cause, read, name);
        return ProgramLoad::CannotOpen;
    }
    if (zuzo::read_ptm(bytes, program) != zuzo::PtmReadResult::Loaded)
        return ProgramLoad::BadHeader;
    return ProgramLoad::Loaded;
}

ProgramStore store_program_file(const QString& path, const zuzo::DeviceProgram& program, QString* cause)
{
    const std::filesystem::path name = zuzo::path_from_utf8(path.toStdString());
    const std::vector<std::uint8_t> bytes = zuzo::write_ptm(program);
    if (const zuzo::FileResult saved = zuzo::save_file(name, bytes); !saved.done()) {
        tell(cause, saved, name);
        return ProgramStore::Failed;
    }
    return ProgramStore::Stored;
}
