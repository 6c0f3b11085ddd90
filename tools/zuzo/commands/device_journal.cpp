#include "tools/zuzo/commands/device_journal.h"

#include "program/core/file_causes.h"
#include "tools/zuzo/commands/file_kinds.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/exit_codes.h"

#include <QDateTime>

#include <string_view>
#include <vector>

namespace zuzo::cli {
namespace {

// What the device on the run's port holds, for a row that went missing.
std::string device_words(const DeviceRun& run)
{
    switch (run.holding.holds) {
    case DeviceHolds::Untouched:
        if (!run.holding.read_back)
            return "устройство не изменено";
        break;
    case DeviceHolds::PartWritten:
        return "настройки оптики в устройство на " + run.port + " при этом записаны частично";
    case DeviceHolds::Written:
    case DeviceHolds::Verified:
        return "настройки оптики в устройство на " + run.port + " при этом записаны";
    case DeviceHolds::Other:
    case DeviceHolds::Unknown:
        break;
    }
    return run.port + ": " + holds_words(run.holding);
}

} // namespace

std::string DeviceJournal::open(const std::string& path)
{
    if (path.empty())
        return {};
    if (const std::string refusal = output_refusal(path, FileKind::Journal); !refusal.empty())
        return path + ": " + refusal + "; устройство не затронуто";
    // A journal begun before the clock offset had its column keeps its
    // columns (output_refusal took only a journal or an empty file).
    std::vector<std::uint8_t> bytes;
    if (entry_type(path_from_utf8(path)) == EntryType::Regular && read_input_start(path, bytes).done())
        layout_ = journal_layout(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))
                      .value_or(JournalLayout::ClockOffset);
    const FileResult opened = file_.open(path_from_utf8(path), journal_first_rows());
    if (!opened.done())
        return path + ": журнал не открывается для дописывания: " + file_cause(opened, path_from_utf8(path)) +
               "; устройство не затронуто";
    path_ = path;
    return {};
}

bool DeviceJournal::record(DeviceRun& run)
{
    if (path_.empty())
        return true;
    const std::string now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    std::lock_guard lock(mutex_);
    const FileResult appended = file_.append(journal_row(run, now, layout_));
    if (appended.done())
        return true;
    run.outcome = RunOutcome::JournalFailed;
    run.exit_code = EXIT_ERROR;
    run.result = path_ +
                 ": строку журнала записать не удалось: " + file_cause(appended, path_from_utf8(path_)) +
                 "; " + device_words(run);
    return false;
}

} // namespace zuzo::cli
