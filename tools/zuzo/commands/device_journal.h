#pragma once
// The provisioning journal of "zuzo device ... --journal FILE.csv": opened
// once before any device is touched, then one row per device run, added
// under a lock so that the runs of many ports at once each get a whole row.
// A journal keeps the columns its header row has (device_report.h).

#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/core/journal_file.h"

#include <mutex>
#include <string>

namespace zuzo::cli {

class DeviceJournal {
public:
    // Opens the journal at path (nothing for an empty path); why it cannot
    // be, as one line ending "устройство не затронуто", or empty.
    [[nodiscard]] std::string open(const std::string& path);

    // Adds the run's row, stamped with the local date and time. When the row
    // cannot be added the run ends as journal_failed (exit 2), saying why and
    // what the device holds; false then. Without a journal nothing happens.
    bool record(DeviceRun& run);

private:
    std::mutex mutex_;
    JournalFile file_;
    JournalLayout layout_ = JournalLayout::ClockOffset;
    std::string path_; // empty: no journal
};

} // namespace zuzo::cli
