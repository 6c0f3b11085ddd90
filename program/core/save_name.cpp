#include "program/core/save_name.h"

namespace zuzo {
namespace {

bool is_separator(char ch)
{
    return ch == '/' || ch == '\\';
}

} // namespace

std::string_view name_extension(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || is_separator(name[dot - 1]))
        return {};
    const std::string_view after = name.substr(dot + 1);
    if (after.find_first_of(" /\\") != std::string_view::npos)
        return {};
    return after;
}

std::string with_ptm_extension(std::string_view name)
{
    const std::string_view ext = name_extension(name);
    bool is_ptm = ext.size() == 3;
    for (std::size_t k = 0; is_ptm && k < 3; ++k) {
        const char lower =
            (ext[k] >= 'A' && ext[k] <= 'Z') ? static_cast<char>(ext[k] + ('a' - 'A')) : ext[k];
        is_ptm = lower == "ptm"[k];
    }
    std::string out(name);
    if (!is_ptm)
        out += ".ptm";
    return out;
}

std::string_view name_without_directory(std::string_view name)
{
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

} // namespace zuzo
