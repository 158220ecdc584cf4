#pragma once
// What the console keeps in its working folder while a lab is worked on: the
// result file "out.ini", current after every command that changes the
// configuration, and the lines typed so far in "gridlab.journal", so that a
// console started again for the same task continues from the configuration
// the student left instead of the factory one.
//
// The task is the quiz's "sim.txt" as it was when the console started: the
// quiz writes it anew (and removes out.ini) whenever it shows a lab, so a
// console still open for an earlier lab sees that its task has gone and
// writes nothing more.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gridlab/device_config.h"
#include "platform/file_for_writing.h"

namespace qd::gridlab {

inline constexpr const char* kJournalFileName = "gridlab.journal";

// Model, size, time and contents of "sim.txt" in `folder`, in one line.
std::string task_key(DeviceModel model, const std::filesystem::path& folder);

class LabProgress {
public:
    // `notice` hears of a link found in the place of out.ini or the journal.
    LabProgress(DeviceModel model, std::filesystem::path folder, FileNotice notice = {});

    // The lines an earlier console typed for this same task (its journal is
    // used only while its out.ini is still there); empty for a new task.
    const std::vector<std::string>& earlier_lines() const { return earlier_lines_; }

    // Records a typed line (Ctrl+Z as the character 0x1a) and brings out.ini
    // up to date with `config`. Returns why a file could not be written, or
    // that the task has gone; nothing otherwise.
    std::optional<std::string> record(std::string_view line, const DeviceConfig& config);

    // Writes out.ini and the journal when they are not up to date.
    std::optional<std::string> save(const DeviceConfig& config);

    // False once the quiz has shown a lab since: "sim.txt" was written anew,
    // or the out.ini this console wrote was removed.
    bool task_current() const;

private:
    DeviceModel model_;
    std::filesystem::path folder_;
    FileNotice notice_;
    std::string key_;
    std::vector<std::string> lines_;
    std::vector<std::string> earlier_lines_;
    std::string written_result_;
    std::size_t written_lines_ = 0;
    bool journal_written_ = false;
};

}  // namespace qd::gridlab
