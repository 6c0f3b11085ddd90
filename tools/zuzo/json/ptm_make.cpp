#include "tools/zuzo/json/ptm_make.h"

#include "program/core/optics_range.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"

#include <optional>

namespace zuzo {

PtmMakeResult make_ptm(std::string_view json_text)
{
    PtmMakeResult r;
    const json::ParseResult parsed = json::parse(json_text);
    if (parsed.status != json::ParseStatus::Ok) {
        r.error = "испорченный JSON: " + parsed.error;
        return r;
    }
    const JsonProgramResult taken = program_from_json(parsed.value, r.program);
    if (taken.status != JsonProgramStatus::Ok) {
        r.error = "не программа устройства: " + taken.error;
        return r;
    }
    const std::optional<PtmFieldFault> fault = ptm_unwritable_field(r.program);
    if (fault) {
        r.error = "не помещается в файл программы: " + json_field_name(*fault) + ": " + fault->problem;
        return r;
    }
    if (const std::optional<std::string> inexact = first_inexact_optics_value(r.program)) {
        r.error = "в устройство не уходит как есть: " + *inexact;
        return r;
    }
    r.bytes = write_ptm(r.program);
    if (r.bytes.size() > kPtmFileLimit) { // it could not be read again
        r.error = "не помещается в файл программы: тексты дают файл в " + std::to_string(r.bytes.size()) +
                  " байт, а файл программы не больше " + std::to_string(kPtmFileLimit) + " байт";
        r.bytes.clear();
        return r;
    }
    r.made = true;
    return r;
}

} // namespace zuzo
