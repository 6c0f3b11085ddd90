// Writes the seed inputs of the fuzz targets: program files (the new
// document and one with every field set), command frames as the tool sends
// them, device replies as the device gives them, weekly plan tables and
// programs as JSON.
//
// usage: zuzo_fuzz_seeds DIR   (makes DIR/ptm, DIR/reply, DIR/frame, DIR/int, DIR/csv, DIR/json)

#include "link/core/protocol.h"
#include "plans/core/plan_csv.h"
#include "program/core/cp1251.h"
#include "program/core/device_program.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool put(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string as_text(const std::vector<std::uint8_t>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

zuzo::DeviceProgram busy_program()
{
    zuzo::DeviceProgram p;
    for (int d = 1; d <= zuzo::kDays; ++d) {
        for (int i = 1; i <= zuzo::kIntervals; ++i) {
            p.plan_enabled[d][i] = (d + i) % 2;
            p.plan_hour[d][i] = (d * 3 + i) % 24;
            p.plan_minute[d][i] = (d * 7 + i * 5) % 60;
            p.plan_volume[d][i] = (i * 9) % 101;
        }
    }
    p.weekday_name = "Среда";
    p.sound_type = "Сигнал №3";
    p.fast_pulse_time = "25";
    p.sound_off = 1;
    p.optical_sensor_on = 1;
    p.evening_lux_threshold = 350;
    p.day_lux_threshold = 4100;
    p.day_brightness.module_yellow = 77;
    return p;
}

// A read reply carrying ten data bytes, as the device sends it.
std::string reply_with(const std::vector<std::uint8_t>& bytes, const std::string& marker)
{
    std::string data;
    for (std::uint8_t b : bytes)
        data += zuzo::hex_pair(b);
    return data + zuzo::hex_pair(zuzo::text_checksum(data)) + marker + "\r";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zuzo_fuzz_seeds DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    std::error_code ec;
    for (const char* sub : {"ptm", "reply", "frame", "int", "csv", "json"})
        fs::create_directories(root / sub, ec);

    bool ok = true;
    const auto fresh = zuzo::write_ptm(zuzo::DeviceProgram{});
    ok &= put(root / "ptm" / "new_document.ptm", as_text(fresh));
    ok &= put(root / "ptm" / "busy.ptm", as_text(zuzo::write_ptm(busy_program())));
    ok &= put(root / "ptm" / "short.ptm", as_text(fresh).substr(0, 200));
    ok &= put(root / "ptm" / "lf_header.ptm", "wersia 3.01 unic\n\xCF\xEE\n");

    const std::vector<std::uint8_t> status = {25, 0xD2, 0x04, 0, 3, 14, 2, 6, 24, 0};
    ok &= put(root / "reply" / "status", reply_with(status, "on#"));
    ok &= put(root / "reply" / "status_lf", "\n" + reply_with(status, "on#\n"));
    ok &= put(root / "reply" / "optics_os", reply_with({100, 50, 100, 50, 100, 0, 50, 50, 0, 200}, "os#ol#"));
    ok &= put(root / "reply" / "ack", "on#\r");
    ok &= put(root / "reply" / "refused", "of#\r");
    ok &= put(root / "reply" / "lower", "0102030405060708090a2bon#\r");

    std::string frames = "\x07";
    frames += zuzo::read_frame(zuzo::CMD_STATUS, 0, 0);
    frames += zuzo::read_frame(zuzo::CMD_READ_OPTICS_A, 0, 0);
    zuzo::WriteParams params{};
    for (std::size_t k = 0; k < params.size(); ++k)
        params[k] = static_cast<std::uint8_t>(k * 21);
    frames += zuzo::write_frame(zuzo::CMD_WRITE_OPTICS_A, params);
    ok &= put(root / "frame" / "three_frames", frames);
    ok &= put(root / "frame" / "noise_then_frame",
              "\x02zz\n" + zuzo::read_frame(zuzo::CMD_READ_OPTICS_C, 0, 0));
    ok &= put(root / "frame" / "preview", "\x01" + zuzo::write_frame(zuzo::CMD_BRIGHTNESS_PREVIEW, params));

    const char* numbers[] = {"10",          "  -42",       "$FF",        "%1011",
                             "+2147483647", "-2147483648", "4294967296", "12ab"};
    int n = 0;
    for (const char* t : numbers)
        ok &= put(root / "int" / ("n" + std::to_string(n++)), t);

    ok &= put(root / "csv" / "busy.csv", zuzo::write_plan_csv(busy_program()));
    ok &= put(root / "csv" / "cp1251_commas.csv",
              zuzo::utf8_to_cp1251(
                  "День,Интервал,Вкл,Время,Громкость\r\nвт,3,1,8:05,50\r\n\"Пн.\",12,0,23:59,-5\r\n"));
    ok &= put(root / "csv" / "malformed.csv", "Пн;1;1;08:00;50\nПн;1;0;24:00;x\n;;;;\n");

    ok &= put(root / "json" / "busy.json", zuzo::json::write(zuzo::program_to_json(busy_program())));
    ok &= put(root / "json" / "empty.json", "{}");
    ok &= put(root / "json" / "some.json",
              R"({"weekday_name": "Вт\r\n", "sound_off": 256, "day_lux_threshold": 99999999999,)"
              R"( "plan": {"volume": [[200,0,0,0,0,0,0,0,0,0,0,0]]}})");

    if (!ok) {
        std::fprintf(stderr, "zuzo_fuzz_seeds: cannot write the seeds under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
