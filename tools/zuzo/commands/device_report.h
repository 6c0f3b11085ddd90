#pragma once
// What one run of "zuzo device ..." found and did, told three ways: the
// message lines, one JSON object (--json) and one row of the provisioning
// journal (--journal).

#include "tools/zuzo/commands/device_holds.h"
#include "tools/zuzo/json/json.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo::cli {

// How a run ended; the JSON's "outcome".
enum class RunOutcome {
    Done,          // the command did what it was asked
    Differs,       // verify: the device holds other optics than the file
    Unsupported,   // the device reports another type
    DeviceFailed,  // a command still failed after the attempt limit
    LinkBroken,    // the link was lost
    EepromFault,   // the device reported a damaged EEPROM and the answer ended the run
    Refused,       // write: the program breaks a rule, nothing sent
    PortFailed,    // the port did not open
    FileFailed,    // a program file cannot be read or written
    JournalFailed, // the journal cannot be opened or a row not written
    ClockOff,      // the device clock is further off than --max-clock-offset allows
    Stopped,       // Ctrl+C stopped the run between two exchanges
};

struct FieldDifference {
    std::string field;
    std::string file_value;
    std::string device_value;
};

struct DeviceRun {
    std::string command;                   // status, read, write or verify
    bool verify_after_write = false;       // write --verify
    std::string port;                      // as given
    std::optional<int> device_type;        // once identified
    std::string clock;                     // the device's clock "YYYY-MM-DD HH:MM:SS", empty if unknown
    std::optional<long long> clock_offset; // device minus computer, seconds (clock_offset.h)
    std::string program_file;              // the file written, verified or read into
    std::string optics_sha256;             // of the 22 optics bytes on the wire, lower-case hex; for
                                           // write: what the device holds, as far as known
    RunOutcome outcome = RunOutcome::Done;
    std::string result; // the result in words (Russian, one line)
    int exit_code = 0;
    int writes_done = 0;                         // write commands the device acknowledged (0..2)
    Holding holding;                             // what the device holds after the run
    bool verified = false;                       // write --verify: read back and found the same
    std::vector<FieldDifference> differences;    // verify
    json::Value details = json::Value::object(); // further keys of the JSON object
};

// The stable name of an outcome in the JSON ("done", "differs", ...).
[[nodiscard]] const char* outcome_name(RunOutcome outcome);

// An offset in seconds with its sign: "+5", "-90", "0".
[[nodiscard]] std::string signed_seconds(long long seconds);

// The result told without --json: the command's own output on out (status
// and read as JSON, write one line, verify the differing fields); a failure
// on err, one line naming the port (file and journal problems name their
// file).
void print_plain(const DeviceRun& run, std::ostream& out, std::ostream& err);

// The one JSON object of --json: port, device_type, clock, outcome, result,
// exit_code, the details, and for verify the differences.
[[nodiscard]] json::Value run_to_json(const DeviceRun& run);

// The JSON object of a usage error: port (null when not given), outcome
// "usage", result, exit_code 2.
[[nodiscard]] json::Value usage_to_json(const std::string& port, const std::string& problem);

// The journal's columns: First, the nine columns journals were started with;
// ClockOffset, a column for the device clock's offset after the device clock.
// A journal keeps the columns of its header row: rows go into an older
// journal without the offset.
enum class JournalLayout { First, ClockOffset };

// The journal's byte order mark and header row (of the current layout), and
// one row for a run at the given local date and time; semicolons, fields
// quoted where needed, CR LF.
[[nodiscard]] std::string journal_first_rows();
[[nodiscard]] std::string journal_row(const DeviceRun& run, const std::string& local_time,
                                      JournalLayout layout = JournalLayout::ClockOffset);
// The layout of a journal by its header row (with or without byte order
// mark); nothing for a file that is no journal.
[[nodiscard]] std::optional<JournalLayout> journal_layout(std::string_view bytes);

// The SHA-256 of bytes as lower-case hexadecimal.
[[nodiscard]] std::string sha256_hex(const std::vector<std::uint8_t>& bytes);

} // namespace zuzo::cli
