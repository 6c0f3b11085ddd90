#include "program/program_file_io.h"

#include "program/file_store.h"
#include "program/ptm_format.h"

#include <cstdint>
#include <vector>

ProgramLoad load_program_file(const QString& path, zuzo::DeviceProgram& program)
{
    std::vector<std::uint8_t> bytes;
    if (zuzo::read_file(zuzo::path_from_utf8(path.toStdString()), bytes) != zuzo::FileResult::Done)
        return ProgramLoad::CannotOpen;
    if (zuzo::read_ptm(bytes, program) != zuzo::PtmReadResult::Loaded)
        return ProgramLoad::BadHeader;
    return ProgramLoad::Loaded;
}

ProgramStore store_program_file(const QString& path, const zuzo::DeviceProgram& program)
{
    const std::vector<std::uint8_t> bytes = zuzo::write_ptm(program);
    return zuzo::save_file(zuzo::path_from_utf8(path.toStdString()), bytes) == zuzo::FileResult::Done
               ? ProgramStore::Stored
               : ProgramStore::Failed;
}
