#include "gridlab/lab_progress.h"

#include <cstdint>
#include <sstream>

#include "gridlab/batch_run.h"
#include "gridlab/result_file.h"
#include "platform/replace_file.h"
#include "platform/text_file.h"

namespace qd::gridlab {

namespace {

constexpr std::size_t kLongestTask = 64 * 1024;
constexpr std::size_t kLongestJournalLine = 4096;
constexpr std::size_t kMostJournalLines = 20000;

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string journal_text(const std::string& key, const std::vector<std::string>& lines) {
    std::string text = key + "\n";
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// The journal's lines after its key line, when that key is `key`.
std::vector<std::string> journal_lines(const std::filesystem::path& file, const std::string& key) {
    const auto text = read_regular_file(file, (kMostJournalLines + 1) * (kLongestJournalLine + 1));
    if (!text) return {};
    std::istringstream in(text->bytes);
    std::string line;
    if (!read_bounded_line(in, line, kLongestJournalLine) || line != key) return {};
    std::vector<std::string> lines;
    while (lines.size() < kMostJournalLines && read_bounded_line(in, line, kLongestJournalLine)) lines.push_back(line);
    return lines;
}

}  // namespace

std::string task_key(DeviceModel model, const std::filesystem::path& folder) {
    const std::filesystem::path task = folder / "sim.txt";
    std::string key = model == DeviceModel::access_switch ? "task 2950" : "task router";
    std::error_code error;
    const auto time = std::filesystem::last_write_time(task, error);
    if (error) return key + " none";
    const std::string bytes = read_text_file(task, kLongestTask);
    return key + " " + std::to_string(time.time_since_epoch().count()) + " " + std::to_string(bytes.size()) + " " +
           std::to_string(fnv1a(bytes));
}

LabProgress::LabProgress(DeviceModel model, std::filesystem::path folder, FileNotice notice)
    : model_(model), folder_(std::move(folder)), notice_(std::move(notice)), key_(task_key(model_, folder_)) {
    std::error_code error;
    if (std::filesystem::exists(folder_ / "out.ini", error)) earlier_lines_ = journal_lines(folder_ / kJournalFileName, key_);
    lines_ = earlier_lines_;
    written_lines_ = lines_.size();
    journal_written_ = !lines_.empty();
}

bool LabProgress::task_current() const {
    std::error_code error;
    if (!written_result_.empty() && !std::filesystem::exists(folder_ / "out.ini", error)) return false;
    return task_key(model_, folder_) == key_;
}

std::optional<std::string> LabProgress::record(std::string_view line, const DeviceConfig& config) {
    if (lines_.size() < kMostJournalLines) lines_.emplace_back(line.substr(0, kLongestJournalLine));
    return save(config);
}

std::optional<std::string> LabProgress::save(const DeviceConfig& config) {
    if (!task_current()) return "The quiz has moved on to another question: what is typed here is no longer saved.";
    std::string result = result_file_text(config);
    // The journal first: out.ini names the work the journal can rebuild.
    if (!journal_written_ || written_lines_ != lines_.size()) {
        tell_of_planted_link(notice_, folder_ / kJournalFileName);
        if (auto failure = replace_file(folder_ / kJournalFileName, journal_text(key_, lines_))) return failure;
        journal_written_ = true;
        written_lines_ = lines_.size();
    }
    if (result == written_result_) return std::nullopt;
    if (auto failure = write_result_file(folder_, config, notice_)) return failure;
    written_result_ = std::move(result);
    return std::nullopt;
}

}  // namespace qd::gridlab
