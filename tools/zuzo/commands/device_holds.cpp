#include "tools/zuzo/commands/device_holds.h"

#include <algorithm>

namespace zuzo::cli {
namespace {

// The bytes CMD_WRITE_OPTICS_A carries: the first twelve.
constexpr std::size_t kPartOneBytes = 12;

} // namespace

const char* holds_name(DeviceHolds holds)
{
    switch (holds) {
    case DeviceHolds::Untouched:
        return "untouched";
    case DeviceHolds::PartWritten:
        return "part_written";
    case DeviceHolds::Written:
        return "written";
    case DeviceHolds::Verified:
        return "verified";
    case DeviceHolds::Other:
        return "other";
    case DeviceHolds::Unknown:
        break;
    }
    return "unknown";
}

std::string holds_words(const Holding& h)
{
    const std::string read_back = h.read_back ? "прочитано обратно: " : "";
    switch (h.holds) {
    case DeviceHolds::Untouched:
        return read_back + "устройство не изменено";
    case DeviceHolds::PartWritten:
        return h.read_back ? read_back + "в устройстве только часть 1 настроек оптики из файла"
                           : "в устройство записана только часть 1 настроек оптики";
    case DeviceHolds::Written:
        return h.read_back ? read_back + "в устройстве все настройки оптики из файла"
                           : "настройки оптики записаны, но не проверены";
    case DeviceHolds::Verified:
        return "настройки оптики записаны и проверены";
    case DeviceHolds::Other:
        return read_back + "в устройстве другие настройки оптики: не из файла и не прежние";
    case DeviceHolds::Unknown:
        break;
    }
    return "что хранит устройство, неизвестно: прочитать обратно не удалось, прочтите его перед "
           "использованием";
}

std::string holds_short(const Holding& h)
{
    const std::string read_back = h.read_back ? ", прочитано обратно" : "";
    switch (h.holds) {
    case DeviceHolds::Untouched:
        return "не изменено" + read_back;
    case DeviceHolds::PartWritten:
        return "записана только часть 1" + read_back;
    case DeviceHolds::Written:
        return h.read_back ? "записано полностью" + read_back : "записано, не проверено";
    case DeviceHolds::Verified:
        return "записано и проверено";
    case DeviceHolds::Other:
        return "другие настройки" + read_back;
    case DeviceHolds::Unknown:
        break;
    }
    return "неизвестно, прочтите перед использованием";
}

DeviceHolds compare_held(const OpticsBytes& now, const OpticsBytes& before, const OpticsBytes& file)
{
    if (now == file)
        return DeviceHolds::Written;
    if (now == before)
        return DeviceHolds::Untouched;
    const auto split = static_cast<std::ptrdiff_t>(kPartOneBytes);
    if (std::equal(now.begin(), now.begin() + split, file.begin()) &&
        std::equal(now.begin() + split, now.end(), before.begin() + split))
        return DeviceHolds::PartWritten;
    return DeviceHolds::Other;
}

} // namespace zuzo::cli
